#pragma once
// config\sequence.dat: the macro list as an INI file, section "Macros", key "number" with the
// count and keys "0", "1", ... with each 220-byte record in the private-profile struct encoding.

#include <filesystem>

#include "option/macros/macro_list.h"

namespace opt {

std::filesystem::path macroFilePath(const std::filesystem::path& programFolder);

// Appends the file's macros to `list`. A missing or damaged record key still adds a macro,
// unnamed and empty, so the indexes after it stay right. A missing file adds nothing.
void loadMacros(MacroList& list, const std::filesystem::path& programFolder);

// Replaces the file with the list in one step, so keys of macros deleted since the last save
// are gone and a failed write leaves the old file whole. False when it could not be written.
bool saveMacros(const MacroList& list, const std::filesystem::path& programFolder);

}  // namespace opt
