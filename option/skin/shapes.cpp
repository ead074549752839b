#include "option/skin/shapes.h"

#include <array>
#include <cstdlib>

namespace opt {
namespace {

constexpr std::array kShapes{
    ShapeDefinition{ShapeId::PageTab, {125, 29}, {19, 125}, {0, 108}},
    ShapeDefinition{ShapeId::ProfileButton, {146, 20}, {0, 126}, {20, 146}},
    ShapeDefinition{ShapeId::ProfileButtonRight, {146, 20}, {0, 146}, {21, 146}},
    ShapeDefinition{ShapeId::EnterKey, {70, 27}, {0, 70}, {0, 70}},
};

// a + (b - a) * t / n, rounded to the nearest pixel.
int interpolate(int a, int b, int t, int n) {
  if (n == 0) return a;
  const int numerator = (b - a) * t;
  const int half = n / 2;
  return a + (numerator >= 0 ? (numerator + half) / n : -((-numerator + half) / n));
}

}  // namespace

std::optional<ShapeDefinition> FindShape(int resource) {
  for (const auto& s : kShapes)
    if (static_cast<int>(s.id) == resource) return s;
  return std::nullopt;
}

const ShapeDefinition& Shape(ShapeId id) {
  for (const auto& s : kShapes)
    if (s.id == id) return s;
  std::abort();
}

Span ShapeRow(const ShapeDefinition& shape, int y) {
  const int last = shape.size.height - 1;
  return {interpolate(shape.firstRow.left, shape.lastRow.left, y, last),
          interpolate(shape.firstRow.right, shape.lastRow.right, y, last)};
}

bool ShapeContains(const ShapeDefinition& shape, ui::Point p) {
  if (p.y < 0 || p.y >= shape.size.height) return false;
  const Span row = ShapeRow(shape, p.y);
  return p.x >= row.left && p.x < row.right;
}

std::vector<std::uint32_t> ShapeMaskPixels(const ShapeDefinition& shape) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(shape.size.width) * shape.size.height, 0xFFFFFFFFu);
  for (int y = 0; y < shape.size.height; ++y) {
    const Span row = ShapeRow(shape, y);
    for (int x = row.left; x < row.right; ++x) pixels[static_cast<std::size_t>(y) * shape.size.width + x] = 0xFF000000u;
  }
  return pixels;
}

}  // namespace opt
