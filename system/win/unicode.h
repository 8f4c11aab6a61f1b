#pragma once
// UTF-8 (the core's strings) to and from UTF-16 (the W functions of Win32).

#include <string>
#include <string_view>

namespace ac::platform {

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

}  // namespace ac::platform
