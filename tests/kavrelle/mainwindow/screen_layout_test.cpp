#include "kavrelle/mainwindow/screen_layout.h"

#include <gtest/gtest.h>

namespace kav {
namespace {

using namespace element;

struct Panel {
  SectionState sections;
  std::uint8_t effect = 0x02;

  int hit(int x, int y) const {
    ScreenElements elements;
    const HitContext context{sections, ComputeLayout(sections), effect};
    elements.ApplyLayout(context.layout);
    return HitTest(elements, context, x, y);
  }
};

SectionState expanded(bool lighting, bool gameMode, bool response, bool reportRate) {
  return SectionState{!lighting, !gameMode, !response, !reportRate};
}

TEST(ScreenLayout, SectionsMoveWithTheCollapsedFlags) {
  struct Case {
    SectionState sections;
    int macro, gameMode, response, reportRate;
  };
  const Case cases[] = {
      {expanded(false, false, false, false), 140, 195, 250, 290},
      {expanded(true, false, false, false), 335, 390, 445, 485},
      {expanded(false, false, true, false), 140, 195, 250, 325},
      {expanded(true, true, true, true), 335, 390, 445, 520},
  };
  for (const Case& c : cases) {
    const PanelLayout l = ComputeLayout(c.sections);
    EXPECT_EQ(l.lightingTop, 110);
    EXPECT_EQ(l.macroBlockTop, c.macro);
    EXPECT_EQ(l.gameModeTop, c.gameMode);
    EXPECT_EQ(l.responseTop, c.response);
    EXPECT_EQ(l.reportRateTop, c.reportRate);
    EXPECT_EQ(l.responseListTop, c.response - 173);

    ScreenElements e;
    e.ApplyLayout(l);
    EXPECT_EQ(e[kMacroButton], (Rect{19, c.macro + 10, 259, c.macro + 28}));
    EXPECT_EQ(e[kGameModeOn], (Rect{34, c.gameMode + 33, 44, c.gameMode + 42}));
    EXPECT_EQ(e[kGameModeOff], (Rect{88, c.gameMode + 33, 115, c.gameMode + 42}));
    EXPECT_EQ(e[kResponseBox], (Rect{28, c.response + 28, 248, c.response + 44}));
    EXPECT_EQ(e[kReportRateHeader], (Rect{19, c.reportRate, 261, c.reportRate + 20}));
    EXPECT_EQ(e[kLightingHeader], (Rect{19, 110, 261, 130}));
  }
}

TEST(ScreenLayout, HitTestFollowsTheWindowOrder) {
  const SectionState allCollapsed = expanded(false, false, false, false);
  const SectionState allOpen = expanded(true, true, true, true);
  struct Case {
    const char* what;
    SectionState sections;
    std::uint8_t effect;
    int x, y, code;
  };
  const Case cases[] = {
      {"help", allCollapsed, 0x02, 940, 10, kHelp},
      {"close", allCollapsed, 0x02, 994, 20, kClose},
      {"lighting header", allCollapsed, 0x02, 100, 120, kLightingHeader},
      {"swatch area with lighting collapsed", allCollapsed, 0x02, 30, 230, kNone},
      {"macro button collapsed", allCollapsed, 0x02, 100, 160, kMacroButton},
      {"game mode header collapsed", allCollapsed, 0x02, 100, 200, kGameModeHeader},
      {"game mode radio hidden while collapsed", allCollapsed, 0x02, 40, 230, kNone},
      {"effect box", allOpen, 0x02, 100, 165, kEffectBox},
      {"direction L", allOpen, 0x03, 200, 205, kDirectionL},
      {"swatch 1", allOpen, 0x02, 28, 223, kFirstSwatch},
      {"swatch 8", allOpen, 0x02, 203 + 20, 243, kMultiColourSwatch},
      {"gap between swatches", allOpen, 0x02, 50, 230, kNone},
      {"swatch 2", allOpen, 0x02, 53, 230, kFirstSwatch + 1},
      {"keymap radio only for custom effects", allOpen, 0x02, 35, 205, kDirectionT},
      {"keymap radio", allOpen, 0x33, 35, 205, kKeymapRadio},
      {"DIY radio", allOpen, 0x35, 140, 205, kDiyRadio},
      {"macro button expanded", allOpen, 0x02, 100, 350, kMacroButton},
      {"game mode on, narrow zone", allOpen, 0x02, 44, 390 + 33, kGameModeOn},
      {"right of game mode on", allOpen, 0x02, 45, 390 + 33, kNone},
      {"game mode off, wide zone", allOpen, 0x02, 115, 390 + 42, kGameModeOff},
      {"win lock on", allOpen, 0x02, 170, 390 + 35, kWinLockOn},
      {"win lock off", allOpen, 0x02, 245, 390 + 35, kWinLockOff},
      {"response box", allOpen, 0x02, 100, 445 + 30, kResponseBox},
      {"response header", allOpen, 0x02, 100, 445, kResponseHeader},
      {"report-rate header", allOpen, 0x02, 100, 520 + 5, kReportRateHeader},
      {"save", allOpen, 0x02, 950, 620, kSave},
      {"profile", allOpen, 0x02, 30, 620, kProfile},
      {"logo", allCollapsed, 0x02, 100, 50, kLogo},
      {"background", allCollapsed, 0x02, 600, 600, kNone},
  };
  for (const Case& c : cases) {
    Panel panel{c.sections, c.effect};
    EXPECT_EQ(panel.hit(c.x, c.y), c.code) << c.what;
  }
}

}  // namespace
}  // namespace kav
