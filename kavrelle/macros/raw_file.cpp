#include "kavrelle/macros/raw_file.h"

#include <cstdio>
#include <system_error>

namespace kav {

FileRead ReadFileHead(const std::filesystem::path& path, std::span<std::uint8_t> buffer) {
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
  const std::size_t got = buffer.empty() ? 0 : std::fread(buffer.data(), 1, buffer.size(), file);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return {FileReadStatus::Unreadable, got};
  return {FileReadStatus::Read, got};
}

}  // namespace kav
