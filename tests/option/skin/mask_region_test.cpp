#include "option/skin/mask_region.h"

#include <gtest/gtest.h>

#include "ui/recording_canvas.h"

namespace opt {
namespace {

using ui::MemoryPicture;
using ui::Rect;

TEST(MaskRuns, ASquareGivesExactlyThatSquare) {
  MemoryPicture mask(30, 30, 0xFFFFFFFF);
  mask.fill(Rect::fromSize(5, 5, 10, 10), 0xFF000000);
  const auto runs = MaskRuns(mask.pixels());
  ASSERT_EQ(runs.size(), 10u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(runs[i], (Rect{5, 5 + i, 15, 6 + i}));
}

TEST(MaskRuns, TwoDarkRunsOnARowGiveTwoRectangles) {
  MemoryPicture mask(12, 1, 0xFFFFFFFF);
  mask.fill({0, 0, 3, 1}, 0xFF101010);
  mask.fill({7, 0, 12, 1}, 0xFFFFFFFE);  // nearly white is inside
  EXPECT_EQ(MaskRuns(mask.pixels()), (std::vector<Rect>{{0, 0, 3, 1}, {7, 0, 12, 1}}));
}

TEST(MaskRuns, OnlyPureWhiteIsOutsideWhateverTheAlpha) {
  MemoryPicture white(8, 4, 0x00FFFFFF);
  EXPECT_TRUE(MaskRuns(white.pixels()).empty());
  MemoryPicture blank(0, 0);
  EXPECT_TRUE(MaskRuns(blank.pixels()).empty());
}

}  // namespace
}  // namespace opt
