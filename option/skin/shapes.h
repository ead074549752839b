#pragma once
// The built-in shape bitmaps of the shaped buttons, kept as their first and last rows: the
// left and right edges run straight between them. Spans are left-inclusive, right-exclusive.

#include <cstdint>
#include <optional>
#include <vector>

#include "ui/geometry.h"
#include "ui/picture.h"

namespace opt {

enum class ShapeId : int {
  PageTab = 329,        // the three page tabs of the main window
  ProfileButton = 330,  // profile, import and export buttons
  ProfileButtonRight = 331,
  EnterKey = 308,  // the Enter key of the key page
};

struct Span {
  int left = 0;
  int right = 0;
  friend bool operator==(const Span&, const Span&) = default;
};

struct ShapeDefinition {
  ShapeId id;
  ui::Size size;
  Span firstRow;
  Span lastRow;
};

std::optional<ShapeDefinition> FindShape(int resource);
const ShapeDefinition& Shape(ShapeId id);

// The inside span of row y (0 <= y < height).
Span ShapeRow(const ShapeDefinition& shape, int y);
bool ShapeContains(const ShapeDefinition& shape, ui::Point p);

// The shape as a mask picture's pixels: black inside, white outside.
std::vector<std::uint32_t> ShapeMaskPixels(const ShapeDefinition& shape);

}  // namespace opt
