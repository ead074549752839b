#include "kavrelle/macros/macro_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "ui/file_io.h"

namespace kav {

std::size_t ApplyMacroFileBytes(std::span<const std::uint8_t> content, MacroTable& table) {
  const std::size_t bytes = std::min(content.size(), sizeof table);
  if (bytes > 0) std::memcpy(&table, content.data(), bytes);
  return bytes;
}

FileRead LoadMacroFile(const std::filesystem::path& path, MacroTable& table) {
  std::vector<std::uint8_t> content(sizeof table);
  const FileRead read = ReadFileHead(path, content);
  if (read.status == FileReadStatus::Missing) {
    SaveMacroFile(path, table);
  } else if (read.status == FileReadStatus::Read) {
    ApplyMacroFileBytes(std::span(content).first(read.bytes), table);
  }
  return read;
}

bool SaveMacroFile(const std::filesystem::path& path, const MacroTable& table) {
  return ui::WriteFileAtomically(path, std::span(reinterpret_cast<const std::uint8_t*>(&table), sizeof table));
}

}  // namespace kav
