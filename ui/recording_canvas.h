#pragma once
// Test doubles: a canvas that writes down every call, and a picture made of plain pixels.

#include <cstdint>
#include <string>
#include <vector>

#include "ui/canvas.h"

namespace ui {

class MemoryPicture : public Picture {
 public:
  MemoryPicture(int width, int height, std::uint32_t fill = 0xFFFFFFFF, std::string name = {});
  Size size() const override { return {width_, height_}; }
  PixelView pixels() const override { return {width_, height_, pixels_}; }
  std::unique_ptr<Picture> copyArea(Rect area) const override;

  void set(int x, int y, std::uint32_t value) { pixels_[static_cast<std::size_t>(y) * width_ + x] = value; }
  void fill(Rect area, std::uint32_t value);
  const std::string& name() const { return name_; }

 private:
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
  std::string name_;
};

// Each call becomes one line, for example "fill 0,0,10,20 #121212",
// "picture normal 0,0,40,20 at 5,5", "text \"Hi\" at 2,3 Arial/14/6/400 #ffffff".
// Text is measured as `charWidth` per character (the font's width, else half its height).
class RecordingCanvas : public Canvas {
 public:
  void fillRect(Rect area, Colour colour) override;
  void frameRect(Rect area, Colour colour) override;
  void drawPicture(const Picture& picture, Rect source, Point at) override;
  using Canvas::drawPicture;
  void drawText(std::u16string_view text, Point at, const Font& font, Colour colour) override;
  Size measureText(std::u16string_view text, const Font& font) override;

  std::vector<std::string> calls;
};

std::string Describe(Rect r);
std::string Describe(Colour c);

}  // namespace ui
