#include "kavrelle/macros/macro_file.h"

#include "ui/file_io.h"

namespace kav {

FileRead LoadMacroFile(const std::filesystem::path& path, MacroTable& table) {
  const FileRead read = ReadFileHead(path, {BytesOf(table)});
  if (read.status == FileReadStatus::Missing) SaveMacroFile(path, table);
  return read;
}

bool SaveMacroFile(const std::filesystem::path& path, const MacroTable& table) {
  return ui::WriteFileAtomically(path, BytesOf(table));
}

}  // namespace kav
