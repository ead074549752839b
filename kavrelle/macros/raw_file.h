#pragma once
// Reading the raw-image state files (MacroDefine.bin, keymap.bin, profiles): a file fills as
// much of its memory block as it holds, and never more. Writing goes through
// ui::WriteFileAtomically.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
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

// Reads the start of the file into the blocks, one after the other: at most as many bytes as
// the blocks hold. A shorter file leaves the rest of the blocks as they were; a longer one is
// read only up to their size. `bytes` counts what was read into all blocks together.
FileRead ReadFileHead(const std::filesystem::path& path, std::initializer_list<std::span<std::uint8_t>> blocks);
FileRead ReadFileHead(const std::filesystem::path& path, std::span<std::uint8_t> buffer);

// The bytes of a plain block of memory (the state files are raw images of such blocks).
template <typename T>
std::span<std::uint8_t> BytesOf(T& object) {
  return {reinterpret_cast<std::uint8_t*>(&object), sizeof object};
}
template <typename T>
std::span<const std::uint8_t> BytesOf(const T& object) {
  return {reinterpret_cast<const std::uint8_t*>(&object), sizeof object};
}

}  // namespace kav
