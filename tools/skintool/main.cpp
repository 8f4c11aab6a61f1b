// skintool: packs, unpacks, inspects, checks and renders skins.

#include <cstdio>
#include <exception>
#include <string_view>

#include "tools/skintool/commands.h"

namespace {

struct Command {
  std::string_view Name;
  std::string_view Usage;
  int (*Run)(const ac::skintool::Args&);
};

constexpr Command kCommands[] = {
    {"pack", "pack DIR OUT.asz [--preview PNG]", ac::skintool::Pack},
    {"unpack", "unpack ARCHIVE DIR", ac::skintool::Unpack},
    {"list", "list ARCHIVE", ac::skintool::List},
    {"preview", "preview ARCHIVE OUT.png", ac::skintool::Preview},
    {"info", "info [--ppi N] SKIN (folder or .asz)", ac::skintool::Info},
    {"check", "check SKIN (folder or .asz)", ac::skintool::Check},
    {"render",
     "render SKIN section NAME OUT.png | mask SECTION KEY OUT.png | sheet OUT.png [--state N] "
     "[--disabled] "
     "[--size WxH] [--ppi 96|120|144|192] [--parent RRGGBB|IMAGE]",
     ac::skintool::Render},
};

int Usage() {
  std::fputs("usage: skintool COMMAND ...\n", stderr);
  for (const auto& c : kCommands)
    std::fprintf(stderr, "  skintool %.*s\n", static_cast<int>(c.Usage.size()), c.Usage.data());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  std::string_view name = argv[1];
  for (const auto& c : kCommands) {
    if (c.Name != name) continue;
    try {
      return c.Run(ac::skintool::Args(argv + 2, argv + argc));
    } catch (const std::exception& e) {
      std::fprintf(stderr, "skintool %s: %s\n", argv[1], e.what());
      return 1;
    }
  }
  return Usage();
}
