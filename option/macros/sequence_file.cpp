#include "option/macros/sequence_file.h"

#include <algorithm>
#include <string>

#include "option/store/ini_file.h"

namespace opt {
namespace {

constexpr char kSection[] = "Macros";
constexpr char kNumberKey[] = "number";

// A record takes at least a one-character key, '=' and 2 * 220 + 2 hex digits; a count beyond
// what a loadable file can hold is damage, not a reason to allocate without bound.
constexpr int kMostRecordsInAFile = static_cast<int>(IniFile::kMaxFileBytes / (2 + 2 * sizeof(MacroRecord) + 2));

// A record as stored may claim more events than it holds or fill its name field to the end.
void makeSafe(MacroRecord& macro) {
  if (macro.eventCount > kMaxMacroEvents) macro.eventCount = kMaxMacroEvents;
  if (macroName(macro).size() == kMacroNameBytes) macro.name[kMacroNameBytes - 1] = '\0';
}

}  // namespace

std::filesystem::path macroFilePath(const std::filesystem::path& programFolder) {
  return programFolder / "config" / "sequence.dat";
}

void loadMacros(MacroList& list, const std::filesystem::path& programFolder) {
  const IniFile file(macroFilePath(programFolder));
  const int number = std::min(file.readInt(kSection, kNumberKey, -1), kMostRecordsInAFile);
  for (int i = 0; i < number; ++i) {
    auto macro = std::make_unique<MacroRecord>();
    // A failed read leaves the record zero-filled.
    if (file.readStruct(kSection, std::to_string(i), *macro)) makeSafe(*macro);
    list.push_back(std::move(macro));
  }
}

bool saveMacros(const MacroList& list, const std::filesystem::path& programFolder) {
  IniFile file = IniFile::Empty(macroFilePath(programFolder));
  bool ok = file.writeInt(kSection, kNumberKey, static_cast<int>(list.size()));
  for (std::size_t i = 0; i < list.size(); ++i) ok = file.writeStruct(kSection, std::to_string(i), *list[i]) && ok;
  return ok && file.save();
}

}  // namespace opt
