// Loading a skin the way the engine does and showing the result.

#include "tools/skintool/load_commands.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "core/message_sink.h"
#include "pixels/pixel_buffer.h"
#include "skin/archive_file.h"
#include "skin/skin_data_lookup.h"
#include "skin/skin_manager_core.h"

namespace ac::skintool {

namespace {

struct TLoadedSkin {
  TRecordingSink Sink;
  std::unique_ptr<TacSkinManagerCore> M;
  bool Loaded = false;
};

// The manager looks for skins by directory and name: a folder or an archive
// file is split into the two.
// A skin is loaded when the manager took it without an error: a load that
// stopped part way may leave sections behind, but not a skin to trust.
void Load(TLoadedSkin& s, const std::string& path, int ppi) {
  namespace fs = std::filesystem;
  const fs::path full = fs::absolute(PathFromUtf8(path)).lexically_normal();
  fs::path name = full.filename();
  if (name.empty()) name = full.parent_path().filename();
  s.M = std::make_unique<TacSkinManagerCore>(s.Sink);
  s.M->SkinDirectory = PathToUtf8(full.parent_path());
  s.M->Scale.Mode = smVCL;
  s.M->Scale.ScreenPPI = ppi;
  const bool found = s.M->ChangeSkin(PathToUtf8(name));
  if (found && s.M->IsActive()) s.M->CommonSkinData(ppi);
  const bool failed = std::any_of(s.Sink.Entries.begin(), s.Sink.Entries.end(),
                                  [](const auto& e) { return e.Icon == TMessageIcon::Error; });
  s.Loaded = found && s.M->IsActive() && !failed;
}

const char* NoteLevel(const TacLoadNote& n) {
  return n.Level == TacLoadNote::lnError ? "error" : "warning";
}

void PrintMessages(const TLoadedSkin& s) {
  for (const auto& e : s.Sink.Entries)
    std::printf("%s: %s\n", e.Icon == TMessageIcon::Error ? "error" : "message", e.Text.c_str());
  for (const TacLoadNote& n : s.M->LoadNotes) std::printf("%s: %s\n", NoteLevel(n), n.Text.c_str());
}

void PrintRect(const TRect& r) {
  std::printf("%d,%d-%d,%d", r.Left, r.Top, r.Right, r.Bottom);
}

void PrintMasks(const TacSkinData& sd) {
  std::printf("\nmasks: %zu\n", sd.ma.size());
  for (std::size_t i = 0; i < sd.ma.size(); ++i) {
    const TsMaskData& md = sd.ma[i];
    std::printf("  [%zu] %s.%s  ppi %d/%d  rect ", i, md.ClassName.c_str(), md.PropertyName.c_str(),
                md.MulPPi, md.DivPPI);
    PrintRect(md.R);
    std::printf("  state %dx%d  images %d  mask rows %d  bands %d %d %d %d  draw mode %d  %s",
                md.Width, md.Height, md.ImageCount, md.MaskType, md.WL, md.WT, md.WR, md.WB,
                md.DrawMode, md.Bmp ? "own bitmap" : "in master bitmap");
    if (md.Bmp) std::printf(" %dx%d", md.Bmp->Width, md.Bmp->Height);
    std::printf("%s\n", (md.Cfg & 1) ? "  transparent corner" : "");
  }
}

void PrintCache(const TacSkinData& sd) {
  std::printf("\nbitmap cache: %zu\n", sd.BmpArray.size());
  for (std::size_t i = 0; i < sd.BmpArray.size(); ++i) {
    const TacBmpData& e = sd.BmpArray[i];
    std::printf("  [%zu] %s  ppi %d/%d  %dx%d  ", i, e.Path.c_str(), e.MulPPI, e.DivPPI,
                e.Bmp ? e.Bmp->Width : 0, e.Bmp ? e.Bmp->Height : 0);
    if (e.Ext) {
      std::printf("file %s\n", e.FileName.c_str());
    } else if (e.FileName.empty() && e.Path.starts_with("Outer")) {
      std::printf("generated\n");
    } else {
      std::printf("cut from ");
      PrintRect(e.SrcRect);
      std::printf("\n");
    }
  }
}

void PrintFrame(const TacSkinData& sd) {
  std::printf(
      "frame: border %d, title %d, max %d, content offset %d, centre offset %d, shadow "
      "size %d %d %d %d, extended border mask %d\n",
      sd.ExBorderWidth, sd.ExTitleHeight, sd.ExMaxHeight, sd.ExContentOffs, sd.ExCenterOffs,
      sd.FormShadowSize.Left, sd.FormShadowSize.Top, sd.FormShadowSize.Right,
      sd.FormShadowSize.Bottom, sd.ExBorder);
  std::printf("align offsets: left %d, right %d, top %d, bottom %d\n", sd.ExShadowOffs,
              sd.ExShadowOffsR, sd.ExShadowOffsT, sd.ExShadowOffsB);
}

}  // namespace

int PrintLoadedSkin(const std::string& path, int ppi) {
  if (ppi < 24 || ppi > 960) {
    std::fprintf(stderr, "skintool info: --ppi must lie between 24 and 960\n");
    return 2;
  }
  TLoadedSkin s;
  Load(s, path, ppi);
  PrintMessages(s);
  if (!s.Loaded) {
    std::printf("%s: the skin could not be loaded\n", path.c_str());
    return 1;
  }
  const TacSkinData& sd = s.M->CommonSkinData(ppi);
  std::printf("skin: %s at %d ppi (step %d, %d%%)\n", path.c_str(), sd.PPI, sd.ScaleValue,
              sd.ScalePercent);
  std::printf("form: %s\n", s.M->SkinIsPacked ? "archive" : "folder");
  std::printf("master bitmap: %dx%d\n", s.M->MasterBitmap->Width, s.M->MasterBitmap->Height);
  std::printf("sections: %zu (fixed roles found: ", sd.gd.size());
  int found = 0;
  for (int32_t i : s.M->SkinCommonInfo.Sections) found += i >= 0;
  std::printf("%d of %zu)\n", found, kSectionCount);
  PrintFrame(sd);
  PrintMasks(sd);
  PrintCache(sd);
  // An image that was left out is the skin's fault even though it loaded.
  const bool leftOut =
      std::any_of(s.M->LoadNotes.begin(), s.M->LoadNotes.end(),
                  [](const TacLoadNote& n) { return n.Level == TacLoadNote::lnError; });
  return leftOut ? 1 : 0;
}

TLoadCheck CheckSkinLoads(const std::string& path) {
  // One manager loads every resolution, as a program does that is moved
  // across screens of each: all of them draw from the one budget of the
  // skin's load, and shared images are decoded once.
  TLoadCheck result;
  TLoadedSkin s;
  Load(s, path, 96);
  std::size_t entries = 0, notes = 0;
  auto report = [&](int ppi, bool loaded) {
    bool failed = !loaded;
    const bool silent = entries == s.Sink.Entries.size() && notes == s.M->LoadNotes.size();
    for (; entries < s.Sink.Entries.size(); ++entries) {
      const auto& e = s.Sink.Entries[entries];
      failed |= e.Icon == TMessageIcon::Error;
      std::printf("%s: loading at %d ppi: %s\n", e.Icon == TMessageIcon::Error ? "error" : "note",
                  ppi, e.Text.c_str());
    }
    for (; notes < s.M->LoadNotes.size(); ++notes) {
      const TacLoadNote& n = s.M->LoadNotes[notes];
      std::printf("%s: loading at %d ppi: %s\n", NoteLevel(n), ppi, n.Text.c_str());
      ++(n.Level == TacLoadNote::lnError ? result.Errors : result.Warnings);
    }
    if (failed) ++result.Errors;
    if (!loaded && silent) std::printf("error: loading at %d ppi: no skin was loaded\n", ppi);
  };
  report(96, s.Loaded);
  if (!s.Loaded) return result;
  for (int ppi : {120, 144, 192}) {
    const std::size_t before = s.Sink.Entries.size();
    const TacSkinData& sd = s.M->CommonSkinData(ppi);
    const bool loaded =
        !sd.gd.empty() && std::none_of(s.Sink.Entries.begin() + static_cast<std::ptrdiff_t>(before),
                                       s.Sink.Entries.end(),
                                       [](const auto& e) { return e.Icon == TMessageIcon::Error; });
    report(ppi, loaded);
  }
  return result;
}

}  // namespace ac::skintool
