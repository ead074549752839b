#pragma once
// Decoded pictures kept between paints. A picture is decoded again when its file changed
// on disk (time or size), so a replaced picture shows at the next paint.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>

#include "ui/picture.h"

namespace ui {

class PictureCache {
 public:
  explicit PictureCache(PictureLoader& loader) : loader_(loader) {}
  // The picture, or nothing when the file is missing or cannot be decoded.
  const Picture* get(const std::filesystem::path& file);

 private:
  struct Entry {
    std::filesystem::file_time_type time;
    std::uintmax_t size = 0;
    std::unique_ptr<Picture> picture;
  };
  PictureLoader& loader_;
  std::map<std::filesystem::path, Entry> entries_;
};

}  // namespace ui
