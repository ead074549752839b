#pragma once
// The process-wide state of Kavrelle that lives beside the device images: where its files
// are, the UI language, the key records, the macro table and the assigned flags. The
// application object owns one instance and hands it to the windows.

#include <filesystem>
#include <string>

#include "kavrelle/app/program_files.h"
#include "kavrelle/keys/key_records.h"
#include "kavrelle/keys/keymap_file.h"
#include "kavrelle/macros/macro_file.h"
#include "kavrelle/macros/macro_table.h"

namespace kav {

struct AppState {
  std::u16string programFolder;  // ends with the path separator
  UiLanguage language = kChinese;
  FileVersion fileVersion;
  std::u16string webAddress = std::u16string(kDefaultWebAddress);

  KeyRecordTable records = ZeroKeyRecordTable();         // what the dialogs edit
  KeyRecordTable appliedRecords = ZeroKeyRecordTable();  // as last saved
  MacroTable macros = ZeroMacroTable();
  AssignedFlags assigned{};

  std::filesystem::path File(std::u16string_view name) const { return std::filesystem::path(programFolder + std::u16string(name)); }
  std::filesystem::path StateFile() const { return File(kKeymapFileName); }
  std::filesystem::path MacroFile() const { return File(kMacroFileName); }
  std::u16string UpdaterPath() const { return programFolder + std::u16string(kUpdaterFileName); }
  // A picture of the image folder of the current language.
  std::filesystem::path Picture(std::u16string_view name) const {
    return std::filesystem::path(ImageFolder(programFolder, language) + std::u16string(name));
  }
};

}  // namespace kav
