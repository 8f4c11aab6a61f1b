// The border window's repaint after an activation change beside a memcpy of
// its pixels: the frame flips between the skin's active and inactive shadow
// templates, the border image is painted again, split into the border and
// shadow pictures (premultiplied) and pushed to both layered windows. Both
// sides are timed in alternation, the best of a few runs each per pair, and
// the median ratio of the pairs is printed with its target. The figures
// below it split that up: the border window's own work (the two pictures
// from the image), the frame's image, and the system's UpdateLayeredWindow.
//
//   wine border_paint_bench.exe SKINS_FOLDER [PAIRS]
//   (SKINS_FOLDER holds VelmoraLight, e.g. Z:\path\to\skins)

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/win/bench_timing.h"
#include "frames/border_test_support.h"
#include "frames/frame_adapter.h"
#include "paint/border_pixels.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: border_paint_bench SKINS_FOLDER [PAIRS]\n", stderr);
    return 1;
  }
  const int pairs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
  ac::test::TBorderFixture f(argv[1]);
  if (!f.Messages.Entries.empty() || !f.Manager->IsActive()) {
    std::fprintf(stderr, "the skin did not load from %s\n", argv[1]);
    return 1;
  }
  f.Form->Show();
  ac::test::PumpUntil([&] { return f.Border->BorderHandle() != nullptr; });
  if (!f.Border->BorderHandle()) {
    std::fputs("no border window\n", stderr);
    return 1;
  }
  RECT r{};
  GetWindowRect(f.Border->BorderHandle(), &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const size_t bytes = static_cast<size_t>(w) * h * 4;

  // The form's real frame in a border window of its own: what an activation
  // change makes it do (the whole image painted again: form section,
  // template, title, caption text, icon, close button; then both pictures
  // pushed).
  ac::TacFrameAdapter frame(f.Form->Handle(), {});
  frame.AllowExtBorders = true;
  frame.ApplySkin(f.Manager, f.Skin().PPI);
  if (!frame.BorderForm()) {
    std::fputs("the frame made no border window\n", stderr);
    return 1;
  }
  const auto repaint = [&] {
    frame.MarkChanged();
    frame.BorderForm()->MarkImageChanged();
    frame.BorderForm()->UpdateExBordersPos(true);
    GdiFlush();
  };
  repaint();
  const ac::bench::TRatio whole = ac::bench::RatioToMemcpy(pairs, bytes, 50, repaint);

  // The border window's own share: splitting the painted image into the two
  // premultiplied pictures, as a repaint of the same size does it (the
  // zeros of both pictures kept from the last time).
  ac::TsPixelImage border(w, h), shadow(w, h);
  ac::TBorderHitInputs in;
  in.Window = {w, h};
  in.Metrics = f.Owner->Metrics();
  const ac::TRect zone = ac::SolidZone(in);
  const ac::TRect hole = ac::ClientHole({262, 102}, in.Metrics);
  ac::SplitBorderImage(border, shadow, f.Owner->BorderImage(), zone, hole, ac::TComposition::Off);
  const auto split = [&] {
    ac::SplitBorderImage(border, shadow, f.Owner->BorderImage(), zone, hole, ac::TComposition::Off,
                         ac::TSplitZeros::Kept);
  };
  const ac::bench::TRatio own = ac::bench::RatioToMemcpy(pairs, bytes, 50, split);
  const auto paintOnly = [&] {
    frame.MarkChanged();
    frame.PaintAll();
  };
  const ac::bench::TRatio paint = ac::bench::RatioToMemcpy(pairs, bytes, 50, paintOnly);
  ac::TacGlowForm probe(f.Form->Handle(), WS_EX_LAYERED);
  ac::TsPixelBuffer surface = probe.Surface({w, h});
  std::memcpy(surface.Bits, border.View().Bits, bytes);
  const auto present = [&] {
    probe.Present({r.left, r.top}, 255);
    GdiFlush();
  };
  const ac::bench::TRatio system = ac::bench::RatioToMemcpy(pairs, bytes, 50, present);

  std::printf(
      "border window repaint after an activation change / memcpy of its %zu bytes "
      "(%dx%d): %.2f (spread %.2f..%.2f, target <= 3)\n",
      bytes, w, h, whole.Median, whole.Low, whole.High);
  std::printf(
      "  the border window's own work (frame and shadow pictures from the image): %.2f "
      "(spread %.2f..%.2f, target <= 3)\n",
      own.Median, own.Low, own.High);
  std::printf(
      "  the frame's image (the frame adapter's PaintAll of the whole border image): %.2f "
      "(spread %.2f..%.2f)\n",
      paint.Median, paint.Low, paint.High);
  std::printf(
      "  the system's part, one UpdateLayeredWindow of that size (two per repaint): %.2f "
      "(spread %.2f..%.2f)\n",
      system.Median, system.Low, system.High);
  return 0;
}
