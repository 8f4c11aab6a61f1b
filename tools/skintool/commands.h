#pragma once
// The subcommands of skintool. Each takes the arguments after its name, prints
// what it has to say and returns the process exit code (0 success, 1 bad input
// or a failed check, 2 wrong usage).

#include <string>
#include <vector>

namespace ac::skintool {

using Args = std::vector<std::string>;

int Pack(const Args& args);
int Unpack(const Args& args);
int List(const Args& args);
int Preview(const Args& args);
int Info(const Args& args);
int Check(const Args& args);
int Render(const Args& args);

}  // namespace ac::skintool
