#include "kavrelle/controls/bit_slider.h"

#include <gtest/gtest.h>

namespace kav {
namespace {

TEST(BitSlider, ClickJumpsToTheValueUnderTheCursorRoundingHalfUp) {
  // A 0-9 slider whose channel runs from x 8 to x 188 (20 pixels a step).
  struct Case {
    int x, value;
  };
  const Case cases[] = {
      {8, 0},    {17, 0},  {18, 1},  // exactly halfway between 0 and 1 rounds up
      {28, 1},   {187, 9}, {188, 9}, {215, 9},  // near and past the right end
      {0, 0},                                   // left of the channel
  };
  for (const Case& c : cases) EXPECT_EQ(SliderValueAtClick(0, 9, 8, 188, 0, c.x), c.value) << c.x;
}

TEST(BitSlider, DegenerateChannelOrRangeGivesTheMinimum) {
  EXPECT_EQ(SliderValueAtClick(0, 9, 8, 8, 0, 100), 0);
  EXPECT_EQ(SliderValueAtClick(3, 3, 8, 188, 0, 100), 3);
  EXPECT_EQ(SliderValueAtClick(0, 3, 8, 188, 0, 98), 2);  // 3 * 90 / 180 = 1.5 -> 2
}

}  // namespace
}  // namespace kav
