#include "kavrelle/macros/raw_file.h"

#include <cstdio>
#include <system_error>

namespace kav {

FileRead ReadFileHead(const std::filesystem::path& path, std::initializer_list<std::span<std::uint8_t>> blocks) {
#ifdef _WIN32
  std::FILE* file = _wfopen(path.c_str(), L"rb");
#else
  std::FILE* file = std::fopen(path.c_str(), "rb");
#endif
  if (!file) {
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error);
    return {(exists || error) ? FileReadStatus::Unreadable : FileReadStatus::Missing, 0};
  }
  std::size_t total = 0;
  for (const std::span<std::uint8_t> block : blocks) {
    const std::size_t got = block.empty() ? 0 : std::fread(block.data(), 1, block.size(), file);
    total += got;
    if (got < block.size()) break;
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return {failed ? FileReadStatus::Unreadable : FileReadStatus::Read, total};
}

FileRead ReadFileHead(const std::filesystem::path& path, std::span<std::uint8_t> buffer) {
  return ReadFileHead(path, {buffer});
}

}  // namespace kav
