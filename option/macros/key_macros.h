#pragma once
// Macros carried by key entries, and how they are brought back into the macro list. A key
// holds its own copy of a macro; whenever fresh key entries arrive, the macro list is brought
// up to date with them so that every macro assigned to a key is in the library.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "option/macros/macro_list.h"

namespace opt {

// The key entry's bytes as the settings record holds them (452 per entry, 32 per profile).
inline constexpr std::size_t kKeyEntryBytes = 452;
inline constexpr std::size_t kSettingsRecordBytes = 77644;

// The kind of key entry that holds a macro.
inline constexpr std::uint8_t kMacroKeyKind = 3;
// Only these profiles and entries are merged.
inline constexpr int kMergedProfiles = 5;
inline constexpr int kMergedEntriesPerProfile = 6;

// What the macro list needs of a key entry.
struct KeyMacro {
  std::uint8_t kind = 0;
  std::string_view name;                             // up to its terminator, inside the entry's name field
  std::size_t eventCount = 0;                        // a count above 40 counts as 40
  std::array<MacroEvent, kMaxMacroEvents> events{};  // all 40, as stored
};

KeyMacro keyMacroOf(std::span<const std::uint8_t, kKeyEntryBytes> entry);

struct MacroMatch {
  int index = -1;          // first macro whose trimmed name matches, or -1
  bool identical = false;  // same event count and the same events up to it
};

MacroMatch findMacroForKey(const MacroList& list, const KeyMacro& key, const AnsiCodePage& codePage);

// Visits entries 0..5 of profiles 0..4 in order; for each macro entry appends its macro when
// no macro has its name, or takes over its events when they differ. True when the list changed.
bool mergeKeyMacros(MacroList& list, std::span<const std::uint8_t, kSettingsRecordBytes> settings,
                    const AnsiCodePage& codePage);

}  // namespace opt
