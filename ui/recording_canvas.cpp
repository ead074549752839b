#include "ui/recording_canvas.h"

#include <cstdio>

namespace ui {
namespace {

std::string narrow(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

}  // namespace

std::string Describe(Rect r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

std::string Describe(Colour c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c.r, c.g, c.b);
  return buffer;
}

MemoryPicture::MemoryPicture(int width, int height, std::uint32_t fill, std::string name)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill), name_(std::move(name)) {}

void MemoryPicture::fill(Rect area, std::uint32_t value) {
  const Rect r = area.intersect({0, 0, width_, height_});
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) set(x, y, value);
}

std::unique_ptr<Picture> MemoryPicture::copyArea(Rect area) const {
  if (area.empty() || area.left < 0 || area.top < 0 || area.right > width_ || area.bottom > height_) return nullptr;
  auto copy = std::make_unique<MemoryPicture>(area.width(), area.height(), 0, name_ + "[" + Describe(area) + "]");
  for (int y = 0; y < area.height(); ++y)
    for (int x = 0; x < area.width(); ++x) copy->set(x, y, pixels().at(area.left + x, area.top + y));
  return copy;
}

void RecordingCanvas::fillRect(Rect area, Colour colour) {
  calls.push_back("fill " + Describe(area) + " " + Describe(colour));
}

void RecordingCanvas::frameRect(Rect area, Colour colour) {
  calls.push_back("frame " + Describe(area) + " " + Describe(colour));
}

void RecordingCanvas::drawPicture(const Picture& picture, Rect source, Point at) {
  const auto* memory = dynamic_cast<const MemoryPicture*>(&picture);
  calls.push_back("picture " + (memory ? memory->name() : std::string("?")) + " " + Describe(source) + " at " +
                  std::to_string(at.x) + "," + std::to_string(at.y));
}

void RecordingCanvas::drawText(std::u16string_view text, Point at, const Font& font, Colour colour) {
  calls.push_back("text \"" + narrow(text) + "\" at " + std::to_string(at.x) + "," + std::to_string(at.y) + " " +
                  narrow(font.face) + "/" + std::to_string(font.height) + "/" + std::to_string(font.width) + "/" +
                  std::to_string(font.weight) + " " + Describe(colour));
}

Size RecordingCanvas::measureText(std::u16string_view text, const Font& font) {
  const int charWidth = font.width > 0 ? font.width : font.height / 2;
  return {static_cast<int>(text.size()) * charWidth, font.height};
}

}  // namespace ui
