#include "frames/ac_glow_form.h"

#include <gtest/gtest.h>

#include <memory>

#include "win32/handle_counts.h"
#include "win32/window_region.h"

namespace ac {
namespace {

// A border window's region is the system's once given, and leaves the
// counts only when the window goes, also when the system destroys the window
// with its owner before the engine lets go of it.
TEST(GlowFormCounts, TheRegionOfAWindowDestroyedWithItsOwnerLeavesTheCounts) {
  const platform::THandleCounts before = platform::LiveHandleCounts();
  platform::ScopedWindow owner(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr,
                                               nullptr, nullptr, nullptr));
  ASSERT_TRUE(owner.Get());
  auto glow = std::make_unique<TacGlowForm>(owner.Get(), WS_EX_LAYERED | WS_EX_NOACTIVATE);
  ASSERT_TRUE(glow->Handle());
  const long gdi = platform::LiveHandleCounts().Gdi;
  ASSERT_TRUE(platform::SetWindowRegion(glow->Handle(),
                                        platform::ScopedRegion(CreateRectRgn(0, 0, 20, 20)),
                                        platform::TRegionRedraw::rrNone));
  EXPECT_EQ(platform::LiveHandleCounts().Gdi, gdi + 1);
  owner.Reset();
  EXPECT_FALSE(IsWindow(glow->Handle()));
  EXPECT_EQ(platform::LiveHandleCounts().Gdi, gdi);
  glow.reset();
  EXPECT_EQ(platform::LiveHandleCounts(), before);
}

}  // namespace
}  // namespace ac
