#include "manager/skin_editor_channel.h"

#include <cstring>
#include <utility>

namespace ac {

std::wstring SkinEditorMappingName(DWORD processId) {
  return L"Velmora.SkinEditorData." + std::to_wstring(processId);
}

namespace {

template <std::size_t N>
bool Fits(const char (&)[N], std::string_view text) {
  // The terminating zero needs its byte, and a zero inside would cut it.
  return text.size() < N && text.find('\0') == std::string_view::npos;
}

template <std::size_t N>
void Put(char (&field)[N], std::string_view text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), text.size());
}

}  // namespace

std::string FillSkinEditorData(TacSkinEditorData& data, std::string_view skinName,
                               std::string_view sectionName, std::string_view directory,
                               std::string_view options) {
  if (!Fits(data.Name1, skinName)) return "skin name";
  if (!Fits(data.Name2, sectionName)) return "section name";
  if (!Fits(data.Data1, directory)) return "skin directory";
  if (!Fits(data.Data2, options)) return "options text";
  Put(data.Name1, skinName);
  Put(data.Name2, sectionName);
  Put(data.Data1, directory);
  Put(data.Data2, options);
  data.Magic = kSkinEditorMagic;
  return {};
}

TSkinEditorBuffer TSkinEditorBuffer::Create(DWORD processId) {
  TSkinEditorBuffer b;
  const std::wstring name = SkinEditorMappingName(processId);
  b.FMapping = platform::ScopedKernelHandle(CreateFileMappingW(
      INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(TacSkinEditorData), name.c_str()));
  b.MapView();
  return b;
}

TSkinEditorBuffer TSkinEditorBuffer::Open(DWORD processId) {
  TSkinEditorBuffer b;
  const std::wstring name = SkinEditorMappingName(processId);
  b.FMapping =
      platform::ScopedKernelHandle(OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, name.c_str()));
  b.MapView();
  return b;
}

void TSkinEditorBuffer::MapView() {
  if (FMapping)
    FData = static_cast<TacSkinEditorData*>(
        MapViewOfFile(FMapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(TacSkinEditorData)));
}

TSkinEditorBuffer::TSkinEditorBuffer(TSkinEditorBuffer&& o) noexcept
    : FMapping(std::move(o.FMapping)), FData(std::exchange(o.FData, nullptr)) {}

TSkinEditorBuffer& TSkinEditorBuffer::operator=(TSkinEditorBuffer&& o) noexcept {
  if (this != &o) {
    Reset();
    FMapping = std::move(o.FMapping);
    FData = std::exchange(o.FData, nullptr);
  }
  return *this;
}

void TSkinEditorBuffer::Reset() {
  if (FData) UnmapViewOfFile(FData);
  FData = nullptr;
  FMapping.Reset();
}

}  // namespace ac
