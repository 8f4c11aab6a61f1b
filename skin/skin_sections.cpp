#include "skin/skin_sections.h"

namespace ac {

namespace {

constexpr std::array<std::string_view, kSectionCount> kSectionNames = {
    "MENUITEM",      "CHECKBOX",      "SPEEDBUTTON",    "SPEEDBUTTON_SMALL",
    "TOOLBUTTON",    "TRANSPARENT",   "GROUPBOX",       "DIVIDER",
    "WEBBUTTON",     "BUTTON",        "COMBONOEDIT",    "BUTTON_HUGE",
    "TOOLBAR",       "EDIT",          "GAUGE",          "SELECTION",
    "STATUSBAR",     "PANEL",         "PANEL_LOW",      "TRACKBAR",
    "PROGRESSV",     "DRAGBAR",       "GRIPH",          "GRIPV",
    "PROGRESSH",     "TABSHEET",      "COMBOBOX",       "CAPTION",
    "MAINMENU",      "SPLITTER",      "COMBOBTN",       "FORMTITLE",
    "HINT",          "DIVIDERV",      "PAGECONTROL",    "TABTOP",
    "BARPANEL",      "BARTITLE",      "DIALOG",         "FORM",
    "SCROLLBTNLEFT", "SCROLLBTNTOP",  "SCROLLBTNRIGHT", "SCROLLBTNBOTTOM",
    "SCROLLBAR1H",   "SCROLLBAR1V",   "SCROLLBAR2H",    "SCROLLBAR2V",
    "SCROLLSLIDERH", "SCROLLSLIDERV", "SLIDER_OFF",     "SLIDER_ON",
    "THUMB_ON",      "THUMB_OFF",     "MENUCAPTION",    "DIALOGTITLE",
    "MENUBTN",       "MENULINE",      "FORMHEADER",     "TB_BTN",
    "TB_MENUBTN",    "TB_TAB",        "COLHEADER",      "COLHEADERA",
    "COLHEADERL",    "COLHEADERR",    "UPDOWNBTN",
};

}  // namespace

std::string_view SectionName(TacSection section) {
  auto i = static_cast<std::size_t>(section);
  return i < kSectionNames.size() ? kSectionNames[i] : std::string_view{};
}

}  // namespace ac
