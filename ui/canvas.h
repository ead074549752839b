#pragma once
// The drawing surface every view paints on. Models produce their drawing through it, so a
// test can record what a window would draw.

#include <string>
#include <string_view>

#include "ui/geometry.h"
#include "ui/picture.h"

namespace ui {

struct Font {
  std::u16string face;
  int height = 0;
  int width = 0;  // 0: the font's own proportion
  int weight = 400;
  friend bool operator==(const Font&, const Font&) = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void fillRect(Rect area, Colour colour) = 0;
  // A one-pixel outline just inside `area`.
  virtual void frameRect(Rect area, Colour colour) = 0;
  // Copies `source` of the picture with its top-left corner at `at`.
  virtual void drawPicture(const Picture& picture, Rect source, Point at) = 0;
  void drawPicture(const Picture& picture, Point at) {
    const Size s = picture.size();
    drawPicture(picture, Rect{0, 0, s.width, s.height}, at);
  }
  // Text on a transparent background, `at` the top-left corner of the text cell.
  virtual void drawText(std::u16string_view text, Point at, const Font& font, Colour colour) = 0;
  virtual Size measureText(std::u16string_view text, const Font& font) = 0;
};

}  // namespace ui
