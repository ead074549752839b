#include "option/skin/skin_controls_model.h"

#include <gtest/gtest.h>

#include "ui/recording_canvas.h"

namespace opt {
namespace {

using P = ButtonPicture;

struct PictureCase {
  bool checked, hover, pressed, disabled;
  P toggle;  // toggle mode
  P normal;  // push-button mode
};

TEST(SkinButton, ChoosesThePictureByModeAndState) {
  // The two modes differ where a disabled button is also checked, hovered or pressed.
  const PictureCase cases[] = {
      // checked hover  pressed disabled  toggle         push
      {false, false, false, false, P::Normal, P::Normal},   {false, true, false, false, P::Over, P::Over},
      {false, false, true, false, P::Normal, P::Down},      {true, false, false, false, P::Down, P::Down},
      {true, true, false, false, P::Down, P::Down},         {false, false, false, true, P::Disabled, P::Disabled},
      {true, false, false, true, P::Disabled, P::Disabled}, {false, true, false, true, P::Disabled, P::Over},
      {false, false, true, true, P::Disabled, P::Down},
  };
  for (const auto& c : cases) {
    SkinButtonState s{false, c.checked, c.hover, c.pressed, c.disabled};
    EXPECT_EQ(ChooseSkinButtonPicture(s), c.normal) << c.checked << c.hover << c.pressed << c.disabled;
    s.toggleMode = true;
    EXPECT_EQ(ChooseSkinButtonPicture(s), c.toggle) << c.checked << c.hover << c.pressed << c.disabled;
  }
}

TEST(SkinButton, CaptionIsWhiteArialAtFiveCentredWithTrademarkAfterIt) {
  ui::MemoryPicture down(100, 30, 0xFF000000, "down");
  ui::RecordingCanvas canvas;
  DrawSkinButtonFace(canvas, {100, 30}, &down, u"100%", true);
  EXPECT_EQ(canvas.calls, (std::vector<std::string>{
                              "picture down 0,0,100,30 at 0,0",
                              "text \"100%\" at 5,8 Arial/14/6/400 #ffffff",  // (30 - 14) / 2
                              "text \"TM\" at 29,8 Arial/8/0/400 #ffffff",    // 5 + 4 * 6
                          }));
  canvas.calls.clear();
  DrawSkinButtonFace(canvas, {100, 30}, nullptr, u"", true);
  EXPECT_TRUE(canvas.calls.empty());
}

TEST(ShapedButton, StateAndPictureWhenPainting) {
  EXPECT_EQ(ShapedStateForPaint(kShapedOver, false), kShapedDisabled);
  EXPECT_EQ(ShapedStateForPaint(kShapedDisabled, true), kShapedNormal);
  EXPECT_EQ(ShapedStateForPaint(kShapedDown, true), kShapedDown);
  EXPECT_EQ(ChooseShapedButtonPicture(true, kShapedDisabled), P::Down);
  EXPECT_EQ(ChooseShapedButtonPicture(false, kShapedOver), P::Over);
  EXPECT_EQ(ChooseShapedButtonPicture(false, kShapedDown), P::Down);
  EXPECT_EQ(ChooseShapedButtonPicture(false, kShapedDisabled), P::Disabled);
  EXPECT_EQ(ChooseShapedButtonPicture(false, 7), P::Normal);
}

TEST(SkinEdit, NumericFilterKeepsDigitsCommaAndFullStopInOrder) {
  EXPECT_EQ(FilterNumericText(u"12a,5"), u"12,5");
  EXPECT_EQ(FilterNumericText(u" 3.5 ms\u0661"), u"3.5");  // Arabic-Indic digit is not 0 to 9
  EXPECT_EQ(FilterNumericText(u"abc"), u"");
}

TEST(SkinEdit, NumericKeysPassOthersAreSwallowed) {
  const std::uint32_t passing[] = {'0', '5', '9', 0x08, 0x0D, 0x23, 0x24, 0x25, 0x27, 0x2E, 0xBC, 0xBE};
  const std::uint32_t swallowed[] = {
      'A',           0x60 /*keypad 0*/, 0x69 /*keypad 9*/, 0x6E /*keypad .*/, 0x26 /*up*/,
      0x28 /*down*/, 0x20 /*space*/,    0xBD /*minus*/,    0x10 /*shift*/,    0x09 /*tab*/};
  for (auto vk : passing) EXPECT_TRUE(NumericEditKeyPasses(vk)) << vk;
  for (auto vk : swallowed) EXPECT_FALSE(NumericEditKeyPasses(vk)) << vk;
}

}  // namespace
}  // namespace opt
