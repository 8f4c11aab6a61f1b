#include "framework/menu.h"

#include <gtest/gtest.h>

#include <set>

#include "framework/application_test_support.h"

namespace ac {
namespace {

// Items without a command get ids that no item's command equals, so the
// item chosen is the one returned, whatever commands the others carry.
TEST(PopupMenu, AnItemWithoutACommandIsNeverTakenForACommand) {
  test::TTestApplication app;
  TPopupMenu menu(&app.App);
  TMenuItem& first = menu.Items.Add("First", "Первый");
  first.Command = 2;
  menu.Items.Add("Second", "Второй");
  TMenuItem& third = menu.Items.Add("Third", "Третий");
  third.Command = 0xE000;
  menu.Items.Add("Fourth", "Четвёртый");
  std::set<UINT> ids;
  int items = 0;
  menu.OnMenuWindow = [&](HWND popup) {
    const auto shown = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    items = GetMenuItemCount(shown);
    for (int i = 0; i < items; ++i) ids.insert(GetMenuItemID(shown, i));
    // The second item, chosen from the keyboard.
    for (const WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(popup, WM_KEYDOWN, key, 0);
  };
  const TMenuItem* chosen = menu.Popup(40, 40);
  EXPECT_EQ(items, 4);
  EXPECT_EQ(ids.size(), 4u);
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->Name, "Second");
}

}  // namespace
}  // namespace ac
