#pragma once
// Reading the raw-image state files (MacroDefine.bin, keymap.bin, profiles): a file fills as
// much of its memory block as it holds, and never more. Writing goes through
// ui::WriteFileAtomically.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace kav {

enum class FileReadStatus {
  Read,        // the file was read; `bytes` tells how much of the buffer it filled
  Missing,     // there is no such file
  Unreadable,  // the file exists but could not be opened or read
};

struct FileRead {
  FileReadStatus status = FileReadStatus::Missing;
  std::size_t bytes = 0;
};

// Reads at most buffer.size() bytes from the start of the file into the buffer. A shorter file
// leaves the rest of the buffer as it was; a longer one is read only up to the buffer's size.
FileRead ReadFileHead(const std::filesystem::path& path, std::span<std::uint8_t> buffer);

}  // namespace kav
