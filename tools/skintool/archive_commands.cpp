#include <cstdio>

#include "tools/skintool/commands.h"

namespace ac::skintool {

// Filled in with the archive reader and writer.
int Pack(const Args&) { std::fputs("pack: not built yet\n", stderr); return 1; }
int Unpack(const Args&) { std::fputs("unpack: not built yet\n", stderr); return 1; }
int List(const Args&) { std::fputs("list: not built yet\n", stderr); return 1; }
int Preview(const Args&) { std::fputs("preview: not built yet\n", stderr); return 1; }

}  // namespace ac::skintool
