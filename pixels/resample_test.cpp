#include "pixels/resample.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "pixels/pixel_buffer_test_support.h"

// The ImageMagick references are PNG files; the Windows build has no libpng
// (it decodes through the platform), so the comparison runs natively.
#if __has_include(<png.h>)
#include <png.h>
#define AC_HAVE_LIBPNG 1
#endif

namespace ac {
namespace {

using test::Filled;
using test::Hex;
using test::MakeImage;

TEST(ResampleFilterValue, MatchesTheFilterTable) {
  struct Case {
    int32_t filter;
    double x, expect;
  };
  const Case cases[] = {
      {rfBox, 0.5, 1},
      {rfBox, -0.5, 0},
      {rfBox, 0.51, 0},
      {rfTriangle, 0.25, 0.75},
      {rfHermite, 0.5, 0.5},
      {rfBell, 0.25, 0.6875},
      {rfBell, 1.0, 0.125},
      {rfBSpline, 1.0, 1.0 / 6},
      {rfBSpline, 0, 2.0 / 3},
      {rfSine, 0, 1},
      {rfSine, 1.0, 0},
      {rfMitchell, 0, 8.0 / 9},
      {rfMitchell, 1.0, 1.0 / 18},
      {rfMitchell, 1.5, -(7.0 / 18) * 3.375 + 4.5 - 5 + 16.0 / 9},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(ResampleFilterValue(c.filter, c.x), c.expect, 1e-12) << c.filter << " " << c.x;
  }
  EXPECT_EQ(ResampleFilterRadius(rfBox), 0.51);
  EXPECT_EQ(ResampleFilterRadius(rfSine), 3.0);
}

TEST(ResampleBuffer, EqualSizesCopyTheSource) {
  TsPixelImage src = MakeImage(2, 2, {0x01020304, 0x05060708, 0x090A0B0C, 0x0D0E0F10});
  TsPixelImage dst = Filled(5, 5, 0xFFFFFFFF);
  ResampleBuffer(dst, src, 2, 2, rfMitchell);
  EXPECT_EQ(Hex(dst), Hex(src));
  ResampleBuffer(src, src, 2, 2, rfMitchell);  // the same buffer: nothing to do
  EXPECT_EQ(src.View().At(1, 1), 0x0D0E0F10u);
}

TEST(ResampleBuffer, RefusesDegenerateSizes) {
  TsPixelImage src = Filled(4, 4, 0x80808080);
  TsPixelImage narrow = Filled(1, 4, 0x80808080);
  struct Case {
    const TsPixelImage* src;
    int32_t w, h, filter;
  };
  const Case cases[] = {{&src, 0, 3, rfMitchell},  {&src, 3, 0, rfMitchell},
                        {&src, -2, 3, rfMitchell}, {&narrow, 3, 3, rfMitchell},
                        {&src, 3, 3, 7},           {&src, 3, 3, -1}};
  for (const Case& c : cases) {
    TsPixelImage dst = Filled(1, 1, 0x12345678);
    ResampleBuffer(dst, *c.src, c.w, c.h, c.filter);
    EXPECT_EQ(Hex(dst), Hex(1, {0x12345678})) << c.w << "x" << c.h << " " << c.filter;
  }
}

TEST(ResampleBuffer, TriangleUpscaleShowsPhaseAndMirroring) {
  // Centres at i * 2 / 4: 0, 0.5, 1, 1.5. The last one reaches index 2, which
  // mirrors back to 1.
  TsPixelImage src = MakeImage(2, 2, {0x00000000, 0xC8C8C8C8, 0x00000000, 0xC8C8C8C8});
  TsPixelImage dst;
  ResampleBuffer(dst, src, 4, 3, rfTriangle);
  ASSERT_EQ(dst.Width(), 4);
  ASSERT_EQ(dst.Height(), 3);
  for (int32_t y = 0; y < 3; ++y) {
    EXPECT_EQ(dst.View().At(0, y), 0u);
    EXPECT_EQ(dst.View().At(1, y), 0x64646464u);
    EXPECT_EQ(dst.View().At(2, y), 0xC8C8C8C8u);
    EXPECT_EQ(dst.View().At(3, y), 0xC8C8C8C8u);
  }
}

TEST(ResampleBuffer, BoxTakesTheLeftNeighbourAtHalfWay) {
  // The box alone uses the signed distance centre - k: at centre 0.5 the pixel
  // k = 0 (distance 0.5) counts, k = 1 (distance -0.5) does not.
  TsPixelImage src = MakeImage(2, 2, {0xFF000010, 0xFF000020, 0xFF000030, 0xFF000040});
  TsPixelImage dst;
  ResampleBuffer(dst, src, 4, 2, rfBox);
  EXPECT_EQ(Hex(dst), Hex(4, {0xFF000010, 0xFF000010, 0xFF000020, 0xFF000020,  //
                              0xFF000030, 0xFF000030, 0xFF000040, 0xFF000040}));
}

TEST(ResampleBuffer, EveryFilterStaysInsideTinyImages) {
  // Wide kernels over 2-pixel sources reach past one mirror; reads must stay in
  // the source (the sanitizers watch this test).
  TsPixelImage src = MakeImage(2, 2, {0xFFFFFFFF, 0, 0, 0xFFFFFFFF});
  for (int32_t f = rfBox; f <= rfMitchell; ++f) {
    for (auto [w, h] : {std::pair{1, 1}, {1, 7}, {9, 1}, {3, 3}}) {
      TsPixelImage dst;
      ResampleBuffer(dst, src, w, h, f);
      EXPECT_EQ(dst.Width(), w);
      EXPECT_EQ(dst.Height(), h);
    }
  }
}

TEST(ResampleBuffer, ReadsBottomUpSourcesAndItsOwnDestination) {
  auto make = [](TRowOrder order) {
    TsPixelImage img(5, 4, order);
    for (int32_t y = 0; y < 4; ++y)
      for (int32_t x = 0; x < 5; ++x) img.View().At(x, y) = 0xFF000000u | (x * 40 << 8) | y * 60;
    return img;
  };
  TsPixelImage a = make(TRowOrder::TopDown);
  TsPixelImage b = make(TRowOrder::BottomUp);
  TsPixelImage da, db;
  ResampleBuffer(da, a, 7, 3, rfMitchell);
  ResampleBuffer(db, b, 7, 3, rfMitchell);
  EXPECT_EQ(Hex(da), Hex(db));
  ResampleBuffer(a, a.View(), 7, 3, rfMitchell);  // in place
  EXPECT_EQ(Hex(a), Hex(da));
}

#if AC_HAVE_LIBPNG

// ---- Against ImageMagick ----
//
// The references were made with ImageMagick 6.9 from the committed sources
// (rose:, a crop of logo: and a crop of wizard:), for example
//   convert rose.png -filter Mitchell -resize 64x42! -depth 8 PNG24:rose_64x42_mitchell.png
//   convert rose.png -crop 69x45+0+0 +repage -filter Mitchell -resize 23x15!
//           -depth 8 PNG24:rose_third_mitchell.png   (one command)
// They cannot be byte-equal: ImageMagick renormalises its weights and samples at
// pixel centres (destination i reads around (i + 0.5) * S / D - 0.5), while this
// resampler aligns the top-left corners (around i * S / D). The two agree in
// phase when S / D is near 1, and exactly for a reduction by 3 when our source
// starts one pixel later than ImageMagick's: then both read around 3i of ours.
TsPixelImage ReadPng(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return TsPixelImage();
  image.format = PNG_FORMAT_BGRA;  // the byte order of TsPixel
  TsPixelImage img(static_cast<int32_t>(image.width), static_cast<int32_t>(image.height));
  if (!png_image_finish_read(&image, nullptr, img.View().Bits,
                             static_cast<png_int_32>(img.View().Stride), nullptr)) {
    png_image_free(&image);
    return TsPixelImage();
  }
  return img;
}

double PsnrRgb(const TsPixelBuffer& a, const TsPixelBuffer& b) {
  double se = 0;
  for (int32_t y = 0; y < a.Height; ++y) {
    for (int32_t x = 0; x < a.Width; ++x) {
      for (int sh = 0; sh < 24; sh += 8) {
        const double d = static_cast<double>((a.At(x, y) >> sh) & 0xFF) -
                         static_cast<double>((b.At(x, y) >> sh) & 0xFF);
        se += d * d;
      }
    }
  }
  const double mse = se / (3.0 * a.Width * a.Height);
  return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

// Swapped channels, a wrong direction or a phase off by half a pixel all fail the
// PSNR bound; the swap is checked here as a control.
void ExpectCloseToReference(const TsPixelBuffer& out, const TsPixelBuffer& ref,
                            const std::string& name) {
  ASSERT_GE(ref.Width, out.Width) << name;
  ASSERT_GE(ref.Height, out.Height) << name;
  const TsPixelBuffer refPart(ref.Bits, out.Width, out.Height, ref.Stride);
  const double psnr = PsnrRgb(out, refPart);
  std::printf("%-28s PSNR %.2f dB\n", name.c_str(), psnr);
  EXPECT_GT(psnr, 35.0) << name;
  TsPixelImage swapped(out.Width, out.Height);
  for (int32_t y = 0; y < out.Height; ++y)
    for (int32_t x = 0; x < out.Width; ++x) swapped.View().At(x, y) = ColorToPixel(out.At(x, y));
  EXPECT_LT(PsnrRgb(swapped, refPart), 30.0) << name;
}

const std::string kDir = std::string(AC_SOURCE_DIR) + "/testdata/resample/";

TEST(ResampleBuffer, MitchellAgreesWithImageMagickNearUnitScale) {
  struct Case {
    const char* image;
    int32_t w, h;
  };
  const Case cases[] = {
      {"rose", 64, 42}, {"rose", 84, 55}, {"logo", 180, 160}, {"wizard", 168, 135}};
  for (const Case& c : cases) {
    const std::string name = std::string(c.image) + "_" + std::to_string(c.w) + "x" +
                             std::to_string(c.h) + "_mitchell.png";
    TsPixelImage src = ReadPng(kDir + c.image + ".png");
    TsPixelImage ref = ReadPng(kDir + name);
    ASSERT_FALSE(src.IsEmpty()) << c.image;
    ASSERT_EQ(ref.Width(), c.w) << name;
    ASSERT_EQ(ref.Height(), c.h) << name;
    TsPixelImage out;
    ResampleBuffer(out, src, c.w, c.h, rfMitchell);
    ExpectCloseToReference(out, ref, name);
  }
}

TEST(ResampleBuffer, MitchellAgreesWithImageMagickAtAThirdInPhase) {
  struct Case {
    const char* image;
    int32_t w, h;  // our result; ImageMagick's is one larger each way
  };
  const Case cases[] = {{"rose", 22, 14}, {"logo", 65, 49}, {"wizard", 49, 49}};
  for (const Case& c : cases) {
    const std::string name = std::string(c.image) + "_third_mitchell.png";
    TsPixelImage src = ReadPng(kDir + c.image + ".png");
    TsPixelImage ref = ReadPng(kDir + name);
    ASSERT_GE(src.Width(), 3 * c.w + 1) << c.image;
    ASSERT_GE(src.Height(), 3 * c.h + 1) << c.image;
    // A view from (1, 1), 3w x 3h: no copy needed.
    const TsPixelBuffer& s = src.View();
    const TsPixelBuffer crop(s.RowBytes(1) + 4, 3 * c.w, 3 * c.h, s.Stride);
    TsPixelImage out;
    ResampleBuffer(out, crop, c.w, c.h, rfMitchell);
    ExpectCloseToReference(out, ref, name);
  }
}

#endif  // AC_HAVE_LIBPNG

}  // namespace
}  // namespace ac
