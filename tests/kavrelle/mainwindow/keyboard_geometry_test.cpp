#include "kavrelle/mainwindow/keyboard_geometry.h"

#include <gtest/gtest.h>

namespace kav {
namespace {

// Window point of a spot inside the picture.
int keyAt(int px, int py, bool paint = false) { return KeyAt(px + kKeyboardOrigin.x, py + kKeyboardOrigin.y, paint); }

TEST(KeyboardGeometry, KeysAreHitInsideTheirRectanglesOnly) {
  struct Case {
    int px, py;
    bool paint;
    int key;
  };
  const Case cases[] = {
      {6, 60, false, 0},      {32, 86, false, 0},    // Esc corners
      {33, 60, false, -1},    {58, 86, false, -1},   // gap between Esc and F1
      {59, 70, false, 1},
      {610, 170, false, 61},  // keypad + is two rows high
      {610, 220, false, 94},  // keypad Enter too
      {200, 215, false, 98},  // space
      {50, 215, false, -1},   // Win only in paint mode
      {50, 215, true, 96},
      {330, 215, false, -1},  // Fn only in paint mode
      {330, 215, true, 100},
      {440, 180, false, -1},  // empty spot left of Up
  };
  for (const Case& c : cases) EXPECT_EQ(keyAt(c.px, c.py, c.paint), c.key) << c.px << "," << c.py;
}

TEST(KeyboardGeometry, NoTwoKeysOverlap) {
  for (std::size_t a = 0; a < kKeyCount; ++a) {
    for (std::size_t b = a + 1; b < kKeyCount; ++b) {
      const Rect& ra = kKeyGeometry[a].rect;
      const Rect& rb = kKeyGeometry[b].rect;
      const bool overlap = ra.left <= rb.right && rb.left <= ra.right && ra.top <= rb.bottom && rb.top <= ra.bottom;
      EXPECT_FALSE(overlap) << a << " and " << b;
    }
  }
}

TEST(KeyboardGeometry, LabelsSitSixPixelsBelowTheTopExceptTheTallKeys) {
  EXPECT_EQ(KeyLabelPoint(0).y, 175 + 60 + 6);
  EXPECT_EQ(KeyLabelPoint(61).y, 175 + 123 + 21);
  EXPECT_EQ(KeyLabelPoint(94).y, 175 + 177 + 22);
  for (std::size_t k = 0; k < kKeyCount; ++k) {
    const Point p = KeyLabelPoint(k);
    EXPECT_TRUE(KeyRectOnScreen(k).Contains(p.x, p.y)) << k;
  }
}

}  // namespace
}  // namespace kav
