#include "option/menus/skin_menu_model.h"

#include <gtest/gtest.h>

#include "ui/recording_canvas.h"

namespace opt {
namespace {

const ui::Font kArial14{u"Arial", 14, 0, 400};

TEST(SkinMenu, WidthGrowsWithTextUntilSetExplicitly) {
  SkinMenuModel menu(kArial14);
  menu.appendItem(1001, u"100%", false, false, false);
  EXPECT_EQ(menu.width(), 32);
  menu.appendItem(1011, u"Breathing slow", false, false, false);
  EXPECT_EQ(menu.width(), 112);
  menu.appendItem(1002, u"90%", false, false, false);
  EXPECT_EQ(menu.width(), 112);
  menu.setWidth(140);
  EXPECT_EQ(menu.measure(1001), (ui::Size{140, 20}));
  EXPECT_EQ(menu.measure(0), (ui::Size{140, 5}));  // separators come with identifier 0
  EXPECT_EQ(menu.measure(1), (ui::Size{140, 0}));
}

TEST(SkinMenu, DrawsItemsInTheDarkSchemeWithCyanSelection) {
  SkinMenuModel menu(kArial14);
  menu.appendItem(1001, u"100%", false, false, false);
  menu.appendItem(kMenuSeparatorId, u"", false, false, false);
  menu.appendItem(1050, u"Mine", false, true, true);
  menu.appendItem(0x1234, u"Macros", true, false, false);
  ui::RecordingCanvas canvas;
  menu.draw(canvas, 0, {0, 0, 140, 20}, false);
  menu.draw(canvas, 0, {0, 20, 140, 40}, true);
  menu.draw(canvas, 1, {0, 40, 140, 45}, false);
  menu.draw(canvas, 2, {0, 45, 140, 65}, true);
  EXPECT_EQ(canvas.calls, (std::vector<std::string>{
                              "fill 0,0,140,20 #121212",
                              "text \"100%\" at 2,3 Arial/14/0/400 #f0f0f0",
                              "fill 0,20,140,40 #01d5ed",
                              "text \"100%\" at 2,23 Arial/14/0/400 #ffffff",
                              "fill 0,40,140,45 #121212",
                              "fill 0,42,140,43 #01d5ed",
                              // accented items keep the accent colour even when selected
                              "fill 0,45,140,65 #01d5ed",
                              "text \"Mine\" at 2,48 Arial/14/0/400 #44bfff",
                              "text \"TM\" at 30,48 Eurostile/8/0/400 #44bfff",
                          }));
}

TEST(SkinMenu, SubmenuArrowSitsNearTheRightEdgeInsideTheItem) {
  SkinMenuModel menu(kArial14);
  menu.appendItem(0x1234, u"Macros", true, false, false);
  ui::RecordingCanvas canvas;
  menu.draw(canvas, 0, {0, 100, 100, 120}, false);
  // cell at (100 - 19, 100 - 9): columns 13..16 of rows 12..18
  const std::vector<std::string> arrow(canvas.calls.end() - 4, canvas.calls.end());
  EXPECT_EQ(arrow, (std::vector<std::string>{"fill 94,103,95,110 #ffffff", "fill 95,104,96,109 #ffffff",
                                             "fill 96,105,97,108 #ffffff", "fill 97,106,98,107 #ffffff"}));
}

}  // namespace
}  // namespace opt
