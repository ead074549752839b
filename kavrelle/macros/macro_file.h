#pragma once
// MacroDefine.bin: the macro table byte for byte, 169860 bytes, no header, in the program folder.

#include <filesystem>
#include <string_view>

#include "kavrelle/macros/macro_table.h"
#include "kavrelle/macros/raw_file.h"

namespace kav {

inline constexpr std::u16string_view kMacroFileName = u"MacroDefine.bin";

// Start-up load. An existing file fills the table as far as it reaches, at most 169860 bytes;
// the rest of the table stays as it was. A missing file is created with the table as it is (all
// zero at start-up). A file that exists but cannot be opened is left alone and the table keeps
// its content.
FileRead LoadMacroFile(const std::filesystem::path& path, MacroTable& table);

// Writes the whole table, replacing the old file in one step; false (old file intact) when the
// file cannot be written.
bool SaveMacroFile(const std::filesystem::path& path, const MacroTable& table);

}  // namespace kav
