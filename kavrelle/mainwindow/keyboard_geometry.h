#pragma once
// Where each of the 108 keys lies on the keyboard picture, and the key hit-test.

#include <array>
#include <cstddef>
#include <string_view>

#include "kavrelle/keys/key_tables.h"
#include "kavrelle/mainwindow/geometry.h"

namespace kav {

inline constexpr Point kKeyboardOrigin{311, 175};  // picture origin in window pixels

struct KeyGeometry {
  Rect rect;                 // inside the picture, inclusive
  std::u16string_view label; // shown on the key in the custom-colour display
};

extern const std::array<KeyGeometry, kKeyCount> kKeyGeometry;


// The key's rectangle in window pixels.
Rect KeyRectOnScreen(std::size_t key);
// Where the key's label is written in the custom-colour display, in window pixels.
Point KeyLabelPoint(std::size_t key);

// The first key, in key order, whose rectangle holds the window point; Win and Fn only in
// paint mode. -1 for none.
int KeyAt(int x, int y, bool paintMode);

}  // namespace kav
