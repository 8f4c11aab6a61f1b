// skintool render: what the engine paints, written to PNG files.
//
//   render SKIN section NAME OUT.png [--state N] [--disabled] [--size WxH] [--ppi P] [--parent BG]
//   render SKIN mask SECTION KEY OUT.png [--state N] [--size WxH] [--ppi P] [--parent BG]
//   render SKIN sheet OUT.png [--ppi P] [--parent BG]
//   render SKIN text SECTION OUT.png [--text CAPTION] [--size WxH] [--ppi P] [--parent BG]
//   render SKIN frame OUT.png --size WxH --frame F --caption-height C [--client X,Y,W,H]
//                             [--active 0|1] [--icon 0|1] [--text CAPTION] [--ppi P]
//   render SKIN border OUT.png [--size WxH] [--state 0|1] [--frame F] [--caption C] [--ppi P]
//          [--client X,Y,W,H] [--icon 0|1] [--text CAPTION] [--parent BG]
//
// SKIN is a skin folder (holding Options.dat) or a skin archive (.asz). P is
// 96, 120, 144 or 192. BG is a colour as RRGGBB hex or a PNG/BMP/JPEG image
// (tiled); the default is a grey checkerboard so transparency shows. A mask
// without --size is one state frame at its own size; with --size it is
// painted nine-slice over that size. The contact sheet puts every section in
// each of its states (up to three) in a grid and writes OUT.txt beside it,
// naming each cell's section, state, size and position. The text preview
// puts the section in each of its states (up to three) and disabled side by
// side, each with CAPTION (default "Копировать") in that state's text
// colours and contours, drawn with the platform font (DejaVu Sans); without
// one it says so and shows the sections alone.
//
// The frame is a form's skinned frame as the program paints it in the
// window's own non-client area (FORM, FORMTITLE and CAPTION, a lone close
// button, the icon's place left empty) at the window size WxH, with the
// system frame width F and caption height C the program's window has.
// Beside OUT.png it writes OUT-mask.png, white where the window shows
// exactly the render (not the client area, the icon, the caption text or
// what the region cuts away: the text comes from another font there), and
// OUT-region.txt, one line per window row: the row, then the start and end
// (exclusive) of each run of pixels inside the window's region.
//
// The border render shows what a form's border and shadow windows put on the
// screen around a form window of --size (default 268x131, the program's
// window) whose system frame is F and caption C pixels (default 3 and 19):
// the border image as the frame adapter paints it (form section, the skin's
// extended border and shadow template, title, icon place, caption text when
// --text is given, a lone close button; state 1 active, 0 inactive)
// premultiplied as the layered windows take it, without desktop
// composition, over the parent; the client hole (of --client's size, else
// what the frame leaves) shows the parent. Beside OUT.png it writes
// OUT-mask.png, white where a screen shows exactly the render: not the
// client hole, the icon or the caption text.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/message_sink.h"
#include "paint/border_layout.h"
#include "paint/border_shadow.h"
#include "paint/form_frame.h"
#include "paint/mask_paint.h"
#include "paint/mask_paint_image.h"
#include "paint/native/freetype_text.h"
#include "paint/section_paint.h"
#include "paint/section_text.h"
#include "pixels/blend_fill.h"
#include "pixels/blend_premultiply.h"
#include "pixels/color_transform.h"
#include "pixels/image_codec.h"
#include "pixels/pixel_buffer.h"
#include "skin/skin_data_lookup.h"
#include "skin/skin_manager_core.h"
#include "tools/skintool/commands.h"

namespace ac::skintool {

namespace {

namespace fs = std::filesystem;

struct TOptions {
  int32_t State = 0;
  bool Disabled = false;  // the disabled look of a control over its parent
  std::optional<TSize> Size;
  int32_t PPI = 96;
  std::string Parent;
  std::string Text = "Копировать";
  bool TextGiven = false;
  int32_t FrameWidth = -1, CaptionHeight = -1;
  std::optional<TRect> Client;
  bool Active = true, Icon = true;
  std::vector<std::string> Positional;
};

// A render is held whole in memory, beside a copy of its parent and the
// rows of its PNG file. Sizes come from the skin (a border band of 9999
// pixels makes a cell of 20,000 x 20,000), so they are bounded with a
// message rather than left to fail allocating.
constexpr int64_t kMaxRenderPixels = int64_t{1} << 24;  // 16 M pixels, 4096 x 4096

void CheckRenderSize(TSize size, const std::string& what) {
  const int64_t pixels = int64_t{size.cx} * size.cy;
  if (size.cx > 0 && size.cy > 0 && pixels <= kMaxRenderPixels) return;
  throw ESkinError(what + " would be " + std::to_string(size.cx) + " x " + std::to_string(size.cy) +
                   " pixels, more than the limit of " + std::to_string(kMaxRenderPixels) +
                   " pixels a render may have");
}

TOptions ParseOptions(const Args& args) {
  TOptions o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::invalid_argument(a + " needs a value");
      return args[++i];
    };
    if (a == "--state") {
      o.State = std::stoi(value());
    } else if (a == "--disabled") {
      o.Disabled = true;
    } else if (a == "--size") {
      const std::string& v = value();
      const auto x = v.find('x');
      if (x == std::string::npos) throw std::invalid_argument("--size takes WxH");
      o.Size = TSize{std::stoi(v.substr(0, x)), std::stoi(v.substr(x + 1))};
      if (o.Size->cx <= 0 || o.Size->cy <= 0 || o.Size->cx > 8192 || o.Size->cy > 8192)
        throw std::invalid_argument("--size must be 1..8192 on each side");
      CheckRenderSize(*o.Size, "--size");
    } else if (a == "--ppi") {
      o.PPI = std::stoi(value());
      if (o.PPI != 96 && o.PPI != 120 && o.PPI != 144 && o.PPI != 192)
        throw std::invalid_argument("--ppi must be 96, 120, 144 or 192");
    } else if (a == "--parent") {
      o.Parent = value();
    } else if (a == "--text") {
      o.Text = value();
      o.TextGiven = true;
    } else if (a == "--frame") {
      o.FrameWidth = std::stoi(value());
    } else if (a == "--caption-height") {
      o.CaptionHeight = std::stoi(value());
    } else if (a == "--active") {
      o.Active = std::stoi(value()) != 0;
    } else if (a == "--icon") {
      o.Icon = std::stoi(value()) != 0;
    } else if (a == "--client") {
      int32_t x = 0, y = 0, w = 0, h = 0;
      if (std::sscanf(value().c_str(), "%d,%d,%d,%d", &x, &y, &w, &h) != 4)
        throw std::invalid_argument("--client takes X,Y,W,H");
      o.Client = TRect::XYWH(x, y, w, h);
    } else if (a == "--caption") {
      o.CaptionHeight = std::clamp(std::stoi(value()), 0, 256);
    } else if (a.rfind("--", 0) == 0) {
      throw std::invalid_argument("unknown option " + a);
    } else {
      o.Positional.push_back(a);
    }
  }
  return o;
}

// The skin loaded for one resolution.
class TLoadedSkin {
 public:
  // Extended borders: load the border's shadow templates too.
  enum class TBorders { Plain, Extended };
  TLoadedSkin(const fs::path& path, int32_t ppi, TBorders borders = TBorders::Plain)
      : FManager(FSink) {
    const fs::path abs = fs::absolute(path);
    if (!fs::exists(abs)) throw ESkinError("no skin at " + path.string());
    FManager.SkinDirectory = abs.parent_path().string();
    FManager.ExtendedBorders = borders == TBorders::Extended;
    FManager.Scale.Mode = smVCL;
    FManager.Scale.ScreenPPI = ppi;
    const bool found = FManager.ChangeSkin(abs.filename().string());
    for (const auto& e : FSink.Entries) std::fprintf(stderr, "%s\n", e.Text.c_str());
    // A load that stopped with an error may leave sections behind; nothing
    // of it is rendered as if it were the skin.
    const bool failed = std::any_of(FSink.Entries.begin(), FSink.Entries.end(),
                                    [](const auto& e) { return e.Icon == TMessageIcon::Error; });
    if (!found || !FManager.IsActive() || failed) throw ESkinError("the skin could not be loaded");
    FData = &FManager.CommonSkinData(ppi);
  }
  const TacSkinData& Data() const { return *FData; }

 private:
  TRecordingSink FSink;
  TacSkinManagerCore FManager;
  const TacSkinData* FData = nullptr;
};

void FillChecker(const TsPixelBuffer& b) {
  for (int32_t y = 0; y < b.Height; ++y)
    for (int32_t x = 0; x < b.Width; ++x)
      b.At(x, y) = ((x / 8 + y / 8) % 2 == 0) ? 0xFFFFFFFFu : 0xFFCCCCCCu;
}

// The parent background: checkerboard, a colour, or an image tiled.
TsPixelImage MakeParent(const std::string& parent, TSize size) {
  TsPixelImage img(size.cx, size.cy);
  if (parent.empty()) {
    FillChecker(img.View());
  } else if (parent.size() == 6 &&
             parent.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos) {
    const uint32_t rgb = static_cast<uint32_t>(std::stoul(parent, nullptr, 16));
    for (int32_t y = 0; y < size.cy; ++y)
      for (int32_t x = 0; x < size.cx; ++x) img.View().At(x, y) = 0xFF000000u | rgb;
  } else {
    std::ifstream in(parent, std::ios::binary);
    if (!in) throw ESkinError("cannot read " + parent);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    const platform::TDecodedImage dec = platform::DecodeImage(bytes);
    for (int32_t y = 0; y < size.cy; ++y)
      for (int32_t x = 0; x < size.cx; ++x)
        img.View().At(x, y) = dec.At(x % dec.Width, y % dec.Height).V;
  }
  return img;
}

void WritePng(const TsPixelBuffer& b, const fs::path& path) {
  platform::TDecodedImage out;
  out.Format = platform::TImageFormat::ifPng;
  out.Width = b.Width;
  out.Height = b.Height;
  out.Pixels.resize(static_cast<std::size_t>(b.Width) * b.Height);
  // Previews are shown opaque: what shows through has already been painted in.
  for (int32_t y = 0; y < b.Height; ++y)
    for (int32_t x = 0; x < b.Width; ++x) out.At(x, y) = TsPixel(b.At(x, y) | 0xFF000000u);
  const std::vector<uint8_t> png = platform::EncodePng(out);
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  if (!f) throw ESkinError("cannot write " + path.string());
  std::printf("%s (%d x %d)\n", path.string().c_str(), b.Width, b.Height);
}

// A typical size for a section's cell at 96 pixels per inch, grown so that
// the border bands of its entry fit with room for the centre.
TSize TypicalSize(const TacSkinData& sd, const TsGeneralData& gd) {
  int64_t w = 120 * sd.PPI / 96, h = 32 * sd.PPI / 96;
  if (IsValidImgIndex(sd, gd.BorderIndex)) {
    const TsMaskData& m = sd.ma[gd.BorderIndex];
    w = std::max(w, int64_t{m.WL} + m.WR + 16);
    h = std::max(h, int64_t{m.WT} + m.WB + 8);
  }
  const TSize size{static_cast<int32_t>(std::min<int64_t>(w, INT32_MAX)),
                   static_cast<int32_t>(std::min<int64_t>(h, INT32_MAX))};
  CheckRenderSize(size, "The cell of section \"" + gd.ClassName + "\" (its border bands)");
  return size;
}

void PaintOne(const TacSkinData& sd, int32_t index, int32_t state, const TsPixelBuffer& dst,
              const TsPixelBuffer& parent, const TRect& rect) {
  PaintSection(dst, rect, sd, index, state, MakeCacheInfo(parent, 0, 0), {});
}

// One cell of a sheet, painted as a control's own image over its part of the
// parent and then placed on the sheet. Decorate(face, back) runs after the
// section is painted.
template <typename Decorate>
void PaintCell(const TacSkinData& sd, int32_t index, int32_t state, const TsPixelBuffer& parent,
               const TsPixelBuffer& sheet, const TRect& cell, Decorate&& decorate) {
  TsPixelImage back(cell.Width(), cell.Height());
  for (int32_t y = 0; y < cell.Height(); ++y)
    for (int32_t x = 0; x < cell.Width(); ++x)
      back.View().At(x, y) = parent.At(cell.Left + x, cell.Top + y);
  TsPixelImage face = back;
  PaintOne(sd, index, state, face.View(), back.View(), face.View().Bounds());
  decorate(face.View(), back.View());
  for (int32_t y = 0; y < cell.Height(); ++y)
    for (int32_t x = 0; x < cell.Width(); ++x)
      sheet.At(cell.Left + x, cell.Top + y) = face.View().At(x, y);
}

// The index of the section Name; throws when the skin has none.
int32_t RequireSection(const TacSkinData& sd, const std::string& name) {
  const int32_t index = GetSkinIndex(sd, name);
  if (index < 0) throw ESkinError("no section \"" + name + "\"");
  return index;
}

// The form, title and caption sections of a frame; the form must exist.
void SetFormSections(TsFormFrameInputs& in, const TacSkinData& sd) {
  in.FormIndex = RequireSection(sd, "FORM");
  in.TitleIndex = GetSkinIndex(sd, "FORMTITLE");
  in.CaptionIndex = GetSkinIndex(sd, "CAPTION");
}

int RenderSection(const TLoadedSkin& skin, const TOptions& o) {
  if (o.Positional.size() != 4) return 2;
  const TacSkinData& sd = skin.Data();
  const int32_t index = RequireSection(sd, o.Positional[2]);
  const TSize size = o.Size.value_or(TypicalSize(sd, sd.gd[index]));
  TsPixelImage parent = MakeParent(o.Parent, size);
  TsPixelImage dst = parent;
  PaintOne(sd, index, o.State, dst.View(), parent.View(), dst.View().Bounds());
  if (o.Disabled)
    ApplyDisabledLook(dst.View(), MakeCacheInfo(parent.View(), 0, 0), {}, dkBlended, clFuchsia);
  WritePng(dst.View(), o.Positional[3]);
  return 0;
}

int RenderMask(const TLoadedSkin& skin, const TOptions& o) {
  if (o.Positional.size() != 5) return 2;
  const TacSkinData& sd = skin.Data();
  const int32_t section = GetSkinIndex(sd, o.Positional[2]);
  int32_t index = GetMaskIndex(sd, section, o.Positional[3]);
  if (index < 0) index = GetMaskIndex(sd, o.Positional[2], o.Positional[3]);
  if (index < 0)
    throw ESkinError("no mask \"" + o.Positional[3] + "\" in \"" + o.Positional[2] + "\"");
  const TsMaskData& m = sd.ma[index];
  const TSize size = o.Size.value_or(TSize{m.Width, m.Height});
  if (size.cx <= 0 || size.cy <= 0) throw ESkinError("the mask has no size");
  CheckRenderSize(size, "The mask");
  TsPixelImage parent = MakeParent(o.Parent, size);
  TsPixelImage dst = parent;
  const TCacheInfo cache = MakeCacheInfo(parent.View(), 0, 0);
  if (o.Size)
    PaintMaskRect(dst.View(), dst.View().Bounds(), m, o.State, cache, TUseParent::Yes);
  else
    PaintMaskImage(dst.View(), {0, 0}, m, o.State, cache, TFrameStrength::Full);
  WritePng(dst.View(), o.Positional[4]);
  return 0;
}

int RenderSheet(const TLoadedSkin& skin, const TOptions& o) {
  if (o.Positional.size() != 3) return 2;
  const TacSkinData& sd = skin.Data();
  const int32_t pad = 8 * sd.PPI / 96;
  // Column widths: the widest cell of each state column; rows as high as
  // their tallest cell.
  int32_t cellW = 0;
  std::vector<int32_t> rowTop;
  int32_t y = pad;
  for (const TsGeneralData& gd : sd.gd) {
    const TSize s = TypicalSize(sd, gd);
    cellW = std::max(cellW, s.cx);
    rowTop.push_back(y);
    if (int64_t{y} + s.cy + pad > kMaxRenderPixels) CheckRenderSize({1, INT32_MAX}, "The sheet");
    y += s.cy + pad;
  }
  const int32_t width = pad + 3 * (cellW + pad);
  const int32_t height = std::max(y, 1);
  CheckRenderSize({width, height}, "The sheet");
  TsPixelImage parent = MakeParent(o.Parent, {width, height});
  TsPixelImage sheet = parent;
  const fs::path png = o.Positional[2];
  fs::path index = png;
  index.replace_extension(".txt");
  std::ofstream txt(index);
  txt << "# section state width height x y\n";
  for (int32_t i = 0; i < static_cast<int32_t>(sd.gd.size()); ++i) {
    const TsGeneralData& gd = sd.gd[i];
    const TSize s = TypicalSize(sd, gd);
    const int32_t states = std::clamp(gd.States, 1, 3);
    for (int32_t st = 0; st < states; ++st) {
      const TRect cell = TRect::XYWH(pad + st * (cellW + pad), rowTop[i], s.cx, s.cy);
      PaintCell(sd, i, st, parent.View(), sheet.View(), cell,
                [](const TsPixelBuffer&, const TsPixelBuffer&) {});
      txt << gd.ClassName << ' ' << st << ' ' << s.cx << ' ' << s.cy << ' ' << cell.Left << ' '
          << cell.Top << '\n';
    }
  }
  if (!txt) throw ESkinError("cannot write " + index.string());
  WritePng(sheet.View(), png);
  std::printf("%s\n", index.string().c_str());
  return 0;
}

// The platform font at the size of the program's controls (11 pixels at 96
// pixels per inch), or none with a note saying so.
std::unique_ptr<TFreeTypeRasterizer> PreviewFont(int32_t ppi) {
  const std::string file = FindPlatformFontFile();
  if (file.empty()) {
    std::fprintf(stderr,
                 "note: no platform font (DejaVu Sans) was found: the sections are shown "
                 "without their text\n");
    return nullptr;
  }
  return std::make_unique<TFreeTypeRasterizer>(file, 11 * ppi / 96);
}

int RenderText(const TLoadedSkin& skin, const TOptions& o) {
  if (o.Positional.size() != 4) return 2;
  const TacSkinData& sd = skin.Data();
  const int32_t index = RequireSection(sd, o.Positional[2]);
  const TSize cell = o.Size.value_or(TypicalSize(sd, sd.gd[index]));
  const int32_t pad = 8 * sd.PPI / 96;
  const int32_t states = std::clamp(sd.gd[index].States, 1, 3);
  // The enabled states, then the disabled look of state 0.
  const int32_t cells = states + 1;
  TsPixelImage parent = MakeParent(o.Parent, {pad + cells * (cell.cx + pad), cell.cy + 2 * pad});
  TsPixelImage sheet = parent;
  const std::unique_ptr<TFreeTypeRasterizer> font = PreviewFont(sd.PPI);
  for (int32_t c = 0; c < cells; ++c) {
    const bool disabled = c == states;
    const int32_t state = disabled ? 0 : c;
    const TRect r = TRect::XYWH(pad + c * (cell.cx + pad), pad, cell.cx, cell.cy);
    PaintCell(sd, index, state, parent.View(), sheet.View(), r,
              [&](const TsPixelBuffer& face, const TsPixelBuffer& back) {
                // The disabled face fades over the parent; its text then comes
                // in the section's own disabled colour.
                if (disabled)
                  ApplyDisabledLook(face, MakeCacheInfo(back, 0, 0), {}, dkBlended, clFuchsia);
                if (font)
                  WriteSectionText({face, font.get(), clBlack}, face.Bounds(), o.Text,
                                   disabled ? TEnabled::No : TEnabled::Yes, &sd, index, state,
                                   kDtCenter | kDtVCenter | kDtSingleLine);
              });
  }
  WritePng(sheet.View(), o.Positional[3]);
  return 0;
}

int RenderFrame(const TLoadedSkin& skin, const TOptions& o) {
  if (o.Positional.size() != 3) return 2;
  if (!o.Size || o.FrameWidth < 0 || o.CaptionHeight < 0)
    throw ESkinError("a frame needs --size, --frame and --caption-height");
  const TacSkinData& sd = skin.Data();
  TsFormFrameInputs in;
  in.Window = *o.Size;
  in.FrameWidth = o.FrameWidth;
  in.CaptionHeight = o.CaptionHeight;
  in.Active = o.Active;
  in.ShowIcon = o.Icon;
  SetFormSections(in, sd);
  const TsTitleLayout layout = LayoutTitle(sd, in);
  TsPixelImage img(in.Window.cx, in.Window.cy);
  const std::unique_ptr<TFreeTypeRasterizer> font = o.TextGiven ? PreviewFont(sd.PPI) : nullptr;
  PaintFormFrame(img.View(), sd, in, layout, {o.Text, font.get()});
  const fs::path out = o.Positional[2];
  WritePng(img.View(), out);

  const std::vector<TRect> cut = FrameRegionCutouts(sd, in);
  const auto isCut = [&](TPoint p) {
    return std::any_of(cut.begin(), cut.end(), [&](const TRect& r) { return r.Contains(p); });
  };
  const TRect text = TRect::LTRB(
      layout.TextLeft, 0, in.Window.cx - layout.ButtonsWidth - in.FrameWidth, layout.HeaderHeight);
  TsPixelImage mask(in.Window.cx, in.Window.cy);
  std::ostringstream region;
  for (int32_t y = 0; y < in.Window.cy; ++y) {
    region << y;
    int32_t runStart = -1;
    for (int32_t x = 0; x <= in.Window.cx; ++x) {
      const TPoint p{x, y};
      const bool inside = x < in.Window.cx && !isCut(p);
      if (inside && runStart < 0) runStart = x;
      if (!inside && runStart >= 0) {
        region << ' ' << runStart << ' ' << x;
        runStart = -1;
      }
      if (x == in.Window.cx) break;
      const bool compared = inside && !layout.Icon.Contains(p) && !text.Contains(p) &&
                            !(o.Client && o.Client->Contains(p));
      mask.View().At(x, y) = compared ? 0xFFFFFFFFu : 0xFF000000u;
    }
    region << '\n';
  }
  fs::path maskPath = out;
  maskPath.replace_filename(out.stem().string() + "-mask.png");
  WritePng(mask.View(), maskPath);
  fs::path regionPath = out;
  regionPath.replace_filename(out.stem().string() + "-region.txt");
  std::ofstream(regionPath, std::ios::binary) << region.str();
  return 0;
}

int RenderBorder(const TLoadedSkin& skin, const TOptions& o) {
  if (o.Positional.size() != 3) return 2;
  const TacSkinData& sd = skin.Data();
  // The program's window unless told otherwise: 268 x 131 with a 3-pixel
  // system frame and a 19-pixel caption, its system menu giving it an icon
  // and a lone close button.
  TsFormFrameInputs form;
  form.Window = o.Size.value_or(TSize{268, 131});
  form.FrameWidth = o.FrameWidth >= 0 ? o.FrameWidth : 3;
  form.CaptionHeight = o.CaptionHeight >= 0 ? o.CaptionHeight : 19;
  form.Active = o.State != 0;
  form.ShowIcon = o.Icon;
  SetFormSections(form, sd);
  const TsFormFrameInputs in = BorderFrameInputs(sd, form);
  const TsFrameShadow shadow = BorderFrameShadow(sd, ebmFull, in);
  if (shadow.Template.IsEmpty())
    throw ESkinError("the skin has no extended border or shadow template");
  const TSize size = in.Window;
  CheckRenderSize(size, "The border window");
  const TsTitleLayout layout = LayoutTitle(sd, in);
  TsPixelImage image(size.cx, size.cy);
  const std::unique_ptr<TFreeTypeRasterizer> font = o.TextGiven ? PreviewFont(sd.PPI) : nullptr;
  PaintFormFrame(image.View(), sd, in, layout, {o.Text, font.get()}, shadow);
  // The form's client area shows through the border window's hole.
  const TSize client = o.Client ? TSize{o.Client->Width(), o.Client->Height()}
                                : TSize{form.Window.cx - 2 * form.FrameWidth,
                                        form.Window.cy - 2 * form.FrameWidth - form.CaptionHeight};
  const TRect hole =
      ClientHole(client, BorderMetricsFor(sd, form)).Intersect(image.View().Bounds());
  for (int32_t y = hole.Top; y < hole.Bottom; ++y)
    std::fill_n(image.View().Row(y) + hole.Left, hole.Width(), 0u);
  PremultiplyWith(image, image.View().Bounds(), TComposition::Off);
  TsPixelImage out = MakeParent(o.Parent, size);
  // The compositor's "over" of a premultiplied picture.
  for (int32_t y = 0; y < size.cy; ++y)
    for (int32_t x = 0; x < size.cx; ++x) {
      const uint32_t s = image.View().At(x, y), d = out.View().At(x, y);
      const uint32_t keep = 255 - (s >> 24);
      uint32_t r = 0xFF000000u;
      for (int sh = 0; sh < 24; sh += 8)
        r |= std::min(255u, ((s >> sh) & 255) + (((d >> sh) & 255) * keep + 127) / 255) << sh;
      out.View().At(x, y) = r;
    }
  const fs::path path = o.Positional[2];
  WritePng(out.View(), path);
  // What a screen must show exactly: not the caption text (another font
  // there), the icon (the program's) or the client area.
  const TRect text = TRect::LTRB(layout.TextLeft, in.Shadow.Top, size.cx - layout.ButtonsWidth,
                                 layout.HeaderHeight);
  TsPixelImage mask(size.cx, size.cy);
  for (int32_t y = 0; y < size.cy; ++y)
    for (int32_t x = 0; x < size.cx; ++x) {
      const TPoint p{x, y};
      const bool compared = !hole.Contains(p) && !text.Contains(p) && !layout.Icon.Contains(p);
      mask.View().At(x, y) = compared ? 0xFFFFFFFFu : 0xFF000000u;
    }
  fs::path maskPath = path;
  maskPath.replace_filename(path.stem().string() + "-mask.png");
  WritePng(mask.View(), maskPath);
  // Where the border window lies against the form window, and the close
  // button's centre in it, for whoever places the mouse.
  const TPoint offset = BorderOffset(BorderMetricsFor(sd, form));
  std::printf("offset=%d,%d\n", offset.X, offset.Y);
  if (!layout.Buttons.empty()) {
    const TRect& close = layout.Buttons.front().cpRect;
    std::printf("close=%d,%d\n", (close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2);
  }
  return 0;
}

}  // namespace

int Render(const Args& args) {
  TOptions o;
  try {
    o = ParseOptions(args);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skintool render: %s\n", e.what());
    return 2;
  }
  if (o.Positional.size() < 2) return 2;
  const std::string& what = o.Positional[1];
  const TLoadedSkin skin(
      o.Positional[0], o.PPI,
      what == "border" ? TLoadedSkin::TBorders::Extended : TLoadedSkin::TBorders::Plain);
  int rc = 2;
  if (what == "section")
    rc = RenderSection(skin, o);
  else if (what == "mask")
    rc = RenderMask(skin, o);
  else if (what == "sheet")
    rc = RenderSheet(skin, o);
  else if (what == "text")
    rc = RenderText(skin, o);
  else if (what == "frame")
    rc = RenderFrame(skin, o);
  else if (what == "border")
    rc = RenderBorder(skin, o);
  if (rc == 2)
    std::fputs(
        "usage: skintool render SKIN section NAME OUT.png | mask SECTION KEY OUT.png | sheet "
        "OUT.png | text SECTION OUT.png | frame OUT.png | border OUT.png [--state N] "
        "[--size WxH] [--ppi 96|120|144|192] [--parent RRGGBB|IMAGE] [--text CAPTION] "
        "[--frame F] [--caption-height C] [--caption C] [--client X,Y,W,H] [--active 0|1] "
        "[--icon 0|1]\n",
        stderr);
  return rc;
}

}  // namespace ac::skintool
