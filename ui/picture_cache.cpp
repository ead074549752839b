#include "ui/picture_cache.h"

#include <system_error>

namespace ui {

const Picture* PictureCache::get(const std::filesystem::path& file) {
  std::error_code error;
  const auto time = std::filesystem::last_write_time(file, error);
  const auto size = error ? 0 : std::filesystem::file_size(file, error);
  if (error) {
    entries_.erase(file);
    return nullptr;
  }
  auto it = entries_.find(file);
  if (it != entries_.end() && it->second.time == time && it->second.size == size) return it->second.picture.get();
  Entry entry{time, size, loader_.load(file)};
  const Picture* picture = entry.picture.get();
  entries_[file] = std::move(entry);
  return picture;
}

}  // namespace ui
