#pragma once
// Rectangles in window pixels with inclusive bounds, as the window's tables give them.

namespace kav {

struct Rect {
  int left = 0;
  int top = 0;
  int right = -1;
  int bottom = -1;
  bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
  Rect Offset(int dx, int dy) const { return Rect{left + dx, top + dy, right + dx, bottom + dy}; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

}  // namespace kav
