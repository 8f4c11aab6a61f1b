#include "skin/skin_model_check.h"

#include <algorithm>

#include "core/errors.h"
#include "skin/gradient_parse.h"
#include "skin/mask_notation.h"
#include "skin/option_values.h"
#include "skin/skin_model_keys.h"
#include "skin/skin_sections.h"

namespace ac {

namespace {

class TChecker {
 public:
  TChecker(const TOptionsFile& file, const TSkinFileExists& exists)
      : FFile(file), FExists(exists) {}

  std::vector<TSkinProblem> Run() {
    for (const auto& s : FFile.Sections()) {
      CheckParent(s);
      for (const auto& k : s.Keys()) CheckKey(s, k);
    }
    for (const auto& [section, key] : FFile.Repeats()) {
      const TOptionKey* first = FFile.Find(section)->Find(key.Name);
      Add(TProblemLevel::Warning, section, key,
          "repeats the key of line " + std::to_string(first ? first->Line : 0) +
              "; only the first is read");
    }
    CheckMasterBitmap();
    std::stable_sort(FProblems.begin(), FProblems.end(),
                     [](const TSkinProblem& a, const TSkinProblem& b) { return a.Line < b.Line; });
    return std::move(FProblems);
  }

 private:
  void Add(TProblemLevel level, std::string_view section, const TOptionKey& key, std::string text) {
    FProblems.push_back(
        {level, std::string(section), key.Name, key.Value, std::move(text), key.Line});
  }

  // Each section is judged by its own link and whether it lies on a cycle,
  // so that checking costs the same for a chain of any depth.
  void CheckParent(const TOptionSection& s) {
    const TOptionKey* parent = s.Find(kParentClassKey);
    if (!parent || parent->Value.empty()) return;
    if (parent->Value == s.Name()) {
      Add(TProblemLevel::Warning, s.Name(), *parent,
          "names the section itself; nothing is inherited");
      return;
    }
    // Reported once, where the missing name is written.
    if (FFile.IndexOf(parent->Value) < 0) {
      Add(TProblemLevel::Error, s.Name(), *parent,
          "the parent chain ends at section \"" + parent->Value + "\", which does not exist");
      return;
    }
    // Reported at the sections of the cycle, not at every section below it.
    if (FFile.Chains().OnCycle(FFile.IndexOf(s.Name())))
      Add(TProblemLevel::Error, s.Name(), *parent,
          "the parent chain returns to section \"" + s.Name() + "\" (a cycle)");
  }

  void CheckKey(const TOptionSection& s, const TOptionKey& k) {
    std::string upper = UpperCaseAscii(k.Value);
    auto variant = SplitVariantKey(k.Name);
    if (!variant) {
      Add(TProblemLevel::Warning, s.Name(), k,
          "the engine never reads this key (the resolution suffixes are *125, *150, *200)");
      return;
    }
    bool maskValue = IsMaskValue(upper) && !(s.Name() == kGlobalInfo && k.Name == "MASTERBITMAP");
    auto kind = ReadKeyKind(s.Name(), k.Name);
    if (variant->Step > 0) {
      const TOptionKey* plain = s.Find(variant->Plain);
      bool plainIsMask = plain && IsMaskValue(UpperCaseAscii(plain->Value));
      if (maskValue || plainIsMask || kind == TKeyKind::Mask) {
        if (!plain || plain->Value.empty()) {
          Add(TProblemLevel::Warning, s.Name(), k,
              "a resolution variant without the plain key \"" + std::string(variant->Plain) +
                  "\" is never read");
          return;
        }
        if (maskValue) CheckMask(s, k, upper);
        return;
      }
    }
    if (maskValue) {
      CheckMask(s, k, upper);
      return;
    }
    if (!kind) {
      Add(TProblemLevel::Warning, s.Name(), k, "the engine never reads this key");
      return;
    }
    CheckValue(s, k, *kind);
  }

  void CheckValue(const TOptionSection& s, const TOptionKey& k, TKeyKind kind) {
    const std::string& v = k.Value;
    switch (kind) {
      case TKeyKind::Integer:
      case TKeyKind::Color:
        if (!v.empty() && !ParseInteger(v)) {
          Add(TProblemLevel::Warning, s.Name(), k,
              "not a 32-bit integer; reads as absent, so the default or the parent's value "
              "applies");
        } else if (k.Name == "STATES" && (*ParseInteger(v) < 1 || *ParseInteger(v) > 255)) {
          Add(TProblemLevel::Warning, s.Name(), k,
              "outside 1..255; loading holds the number of states there");
        }
        break;
      case TKeyKind::Int64Color:
        if (!v.empty() && !ParseInt64(v))
          Add(TProblemLevel::Error, s.Name(), k,
              "not a decimal integer; loading the skin fails with a conversion error");
        break;
      case TKeyKind::Boolean:
        if (!ParseBoolean(v) && v != "0" && v != "FALSE" && !v.empty())
          Add(TProblemLevel::Warning, s.Name(), k, "reads as false: only TRUE and 1 are true");
        break;
      case TKeyKind::Version:
        if (!ParseVersion(v))
          Add(TProblemLevel::Warning, s.Name(), k,
              "not a number with \".\" as the separator; reads as 0");
        break;
      case TKeyKind::Gradient:
        try {
          ParseGradient(v);
        } catch (const EConvertError& e) {
          Add(TProblemLevel::Error, s.Name(), k, e.what());
        }
        break;
      case TKeyKind::Mask:
        // "N/A" is the conventional "no image"; anything else that is not a
        // mask reference (a bare ".PNG" name, say) silently gives none either.
        if (!v.empty() && v != "N/A")
          Add(TProblemLevel::Warning, s.Name(), k,
              "not a mask reference (a bare file name is one only when it contains .BMP or "
              ".JPG); gives no image");
        break;
      default:
        break;
    }
  }

  void CheckMask(const TOptionSection& s, const TOptionKey& k, const std::string& upper) {
    TMaskReference ref;
    try {
      ref = ParseMaskValue(upper, s.Name(), k.Name);
    } catch (const EConvertError& e) {
      Add(TProblemLevel::Error, s.Name(), k, e.what());
      return;
    }
    for (const std::string& p : MaskNotationProblems(upper))
      Add(TProblemLevel::Warning, s.Name(), k, "mask " + p);
    if (upper.size() <= 3) {
      Add(TProblemLevel::Warning, s.Name(), k, "too short to be a mask; gives no image");
      return;
    }
    if (!ref.FileName.empty() && !FExists(ref.FileName))
      Add(TProblemLevel::Error, s.Name(), k,
          "mask file \"" + ref.FileName + "\" is not in the skin");
    if (ref.FileName.empty()) FUsesMaster = true;
  }

  void CheckMasterBitmap() {
    const TOptionSection* g = FFile.Find(kGlobalInfo);
    const TOptionKey* master = g ? g->Find("MASTERBITMAP") : nullptr;
    if (!master || master->Value.empty()) {
      if (FUsesMaster) {
        TOptionKey none;
        none.Name = "MASTERBITMAP";
        Add(TProblemLevel::Error, kGlobalInfo, none,
            "masks cut from the master bitmap, but no master bitmap is named");
      }
      return;
    }
    if (FExists(master->Value)) return;
    // Archives find the master bitmap by comparing upper-cased entry names
    // with the value as written.
    std::string hint = FExists(UpperCaseAscii(master->Value))
                           ? " under that name; an archive finds it only when written in upper case"
                           : "";
    Add(TProblemLevel::Error, kGlobalInfo, *master,
        "master bitmap \"" + master->Value + "\" is not in the skin" + hint);
  }

  const TOptionsFile& FFile;
  const TSkinFileExists& FExists;
  std::vector<TSkinProblem> FProblems;
  bool FUsesMaster = false;
};

}  // namespace

std::vector<TSkinProblem> CheckSkinOptions(const TOptionsFile& file,
                                           const TSkinFileExists& fileExists) {
  return TChecker(file, fileExists).Run();
}

}  // namespace ac
