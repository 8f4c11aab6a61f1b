// skintool check SKIN: every problem of a skin that can be found without
// drawing it, one line each, and exit code 1 when any is an error.

#include <cstdio>
#include <string>

#include "core/errors.h"
#include "skin/load_budget.h"
#include "skin/skin_model.h"
#include "skin/skin_model_check.h"
#include "tools/skintool/commands.h"
#include "tools/skintool/load_commands.h"
#include "tools/skintool/skin_source.h"

namespace ac::skintool {

namespace {

void Print(const TSkinProblem& p) {
  std::string where = "[" + p.Section + "]";
  if (!p.Key.empty()) where += " " + p.Key + "=" + p.Value;
  std::printf("%s: line %d: %s: %s\n", p.Level == TProblemLevel::Error ? "error" : "warning",
              p.Line, where.c_str(), p.Text.c_str());
}

}  // namespace

int Check(const Args& args) {
  if (args.size() != 1) {
    std::fputs("usage: skintool check SKIN (a skin folder or a .asz archive)\n", stderr);
    return 2;
  }
  TSkinSource src = TSkinSource::Open(args[0]);
  // The engine refuses such a skin before reading any section; its options
  // are still checked, which costs little per section.
  const std::size_t sections = src.Options().Sections().size();
  const bool tooMany = sections > kMaxSkinSections;
  auto problems =
      CheckSkinOptions(src.Options(), [&](std::string_view name) { return src.HasFile(name); });
  int errors = 0, warnings = 0;
  for (const auto& p : problems) {
    Print(p);
    (p.Level == TProblemLevel::Error ? errors : warnings) += 1;
  }
  // Loading reads the model the same way; anything that stops it and the
  // checks above missed is still an error.
  if (tooMany) {
    std::printf(
        "error: the options have %zu sections, more than the limit of %zu sections a skin "
        "may have\n",
        sections, kMaxSkinSections);
    ++errors;
  }
  if (errors == 0) {
    try {
      ReadSkinModel(src.Options());
    } catch (const ESkinError& e) {
      std::printf("error: %s\n", e.what());
      ++errors;
    }
  }
  // Loading at every resolution step finds what only images reveal.
  if (errors == 0) {
    const TLoadCheck loads = CheckSkinLoads(args[0]);
    errors += loads.Errors;
    warnings += loads.Warnings;
  }
  if (src.Options().Sections().empty()) {
    std::printf("error: the options file has no sections\n");
    ++errors;
  }
  std::printf("%s: %d error%s, %d warning%s\n", args[0].c_str(), errors, errors == 1 ? "" : "s",
              warnings, warnings == 1 ? "" : "s");
  return errors > 0 ? 1 : 0;
}

}  // namespace ac::skintool
