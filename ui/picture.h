#pragma once
// A decoded picture: 32-bit pixels, top-down rows, byte order blue, green, red, alpha.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

#include "ui/geometry.h"

namespace ui {

struct PixelView {
  int width = 0;
  int height = 0;
  std::span<const std::uint32_t> pixels;  // width * height values 0xAARRGGBB

  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

class Picture {
 public:
  virtual ~Picture() = default;
  virtual Size size() const = 0;
  virtual PixelView pixels() const = 0;
  // A new picture holding the part of this one inside `area`, or nothing when the area
  // does not lie wholly inside the picture.
  virtual std::unique_ptr<Picture> copyArea(Rect area) const = 0;
};

// Port: turns a file into a picture; nothing when the file is missing or cannot be decoded.
class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  virtual std::unique_ptr<Picture> load(const std::filesystem::path& file) = 0;
};

}  // namespace ui
