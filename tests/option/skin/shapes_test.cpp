#include "option/skin/shapes.h"

#include <gtest/gtest.h>

#include "option/skin/mask_region.h"

namespace opt {
namespace {

struct RowCase {
  ShapeId id;
  ui::Size size;
  Span first, last;
};

TEST(Shapes, FirstAndLastRowsAreTheGivenSpans) {
  const RowCase cases[] = {
      {ShapeId::PageTab, {125, 29}, {19, 125}, {0, 108}},
      {ShapeId::ProfileButton, {146, 20}, {0, 126}, {20, 146}},
      {ShapeId::ProfileButtonRight, {146, 20}, {0, 146}, {21, 146}},
      {ShapeId::EnterKey, {70, 27}, {0, 70}, {0, 70}},
  };
  for (const auto& c : cases) {
    const ShapeDefinition& s = Shape(c.id);
    EXPECT_EQ(s.size, c.size);
    EXPECT_EQ(ShapeRow(s, 0), c.first);
    EXPECT_EQ(ShapeRow(s, s.size.height - 1), c.last);
  }
  EXPECT_FALSE(FindShape(100).has_value());
  EXPECT_EQ(FindShape(329)->id, ShapeId::PageTab);
}

TEST(Shapes, EdgesAreStraightBetweenFirstAndLastRow) {
  const ShapeDefinition& tab = Shape(ShapeId::PageTab);
  for (int y = 1; y < tab.size.height; ++y) {
    const Span above = ShapeRow(tab, y - 1), row = ShapeRow(tab, y);
    EXPECT_LE(row.left, above.left);  // the left edge slants outwards going down
    EXPECT_GE(above.left - row.left, 0);
    EXPECT_LE(above.left - row.left, 1);
    EXPECT_LE(above.right - row.right, 1);
  }
  EXPECT_EQ(ShapeRow(tab, 14), (Span{9, 116}));  // half-way between 19 -> 0 and 125 -> 108
  const ShapeDefinition& right = Shape(ShapeId::ProfileButtonRight);
  for (int y = 0; y < right.size.height; ++y) EXPECT_EQ(ShapeRow(right, y).right, 146);
}

TEST(Shapes, PageTabCornerIsNotHit) {
  const ShapeDefinition& tab = Shape(ShapeId::PageTab);
  EXPECT_FALSE(ShapeContains(tab, {0, 0}));
  EXPECT_FALSE(ShapeContains(tab, {18, 0}));
  EXPECT_TRUE(ShapeContains(tab, {19, 0}));
  EXPECT_TRUE(ShapeContains(tab, {60, 14}));
  EXPECT_FALSE(ShapeContains(tab, {124, 28}));  // bottom-right corner is cut too
  EXPECT_FALSE(ShapeContains(tab, {60, 29}));
  // The mask pixels give the same region the hit test uses.
  const auto pixels = ShapeMaskPixels(tab);
  const auto runs = MaskRuns({tab.size.width, tab.size.height, pixels});
  ASSERT_EQ(runs.size(), 29u);
  EXPECT_EQ(runs[0], (ui::Rect{19, 0, 125, 1}));
  EXPECT_EQ(runs[28], (ui::Rect{0, 28, 108, 29}));
}

}  // namespace
}  // namespace opt
