#include "ui/file_io.h"

#include <atomic>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace ui {
namespace {

std::FILE* openFile(const std::filesystem::path& path, bool forWrite) {
#ifdef _WIN32
  return _wfopen(path.c_str(), forWrite ? L"wb" : L"rb");
#else
  return std::fopen(path.c_str(), forWrite ? "wb" : "rb");
#endif
}

// Pushes the temporary file's bytes to the disk before it replaces the old file.
bool flushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
#ifdef _WIN32
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

std::filesystem::path temporaryBeside(const std::filesystem::path& path) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path temp = path;
  temp += ".tmp" + std::to_string(counter.fetch_add(1));
  return temp;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path, std::size_t maxBytes) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error || size > maxBytes) return std::nullopt;
  std::FILE* file = openFile(path, false);
  if (!file) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  const std::size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  if (got != bytes.size()) return std::nullopt;
  return bytes;
}

bool WriteFileAtomically(const std::filesystem::path& path, const std::function<bool(std::FILE*)>& write) {
  const std::filesystem::path temp = temporaryBeside(path);
  std::FILE* file = openFile(temp, true);
  if (!file) return false;
  bool ok = write(file) && flushToDisk(file);
  ok = (std::fclose(file) == 0) && ok;
  if (ok) ok = replaceFile(temp, path);
  if (!ok) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
  }
  return ok;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  return WriteFileAtomically(path, [&](std::FILE* file) {
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  });
}

}  // namespace ui
