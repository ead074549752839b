#pragma once
// Macros carried by key entries, and how they are brought back into the macro list. A key
// holds its own copy of a macro; whenever fresh key entries arrive, the macro list is brought
// up to date with them so that every macro assigned to a key is in the library.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "option/macros/macro_list.h"
#include "option/store/keyboard_settings.h"

namespace opt {

static_assert(kMacroKeyEventCount == kMaxMacroEvents && kMacroEventSize == sizeof(MacroEvent),
              "a key entry carries the events of a macro record");

// The kind of key entry that holds a macro.
inline constexpr std::uint8_t kMacroKeyKind = 3;
// Only the first six entries of each profile are merged.
inline constexpr int kMergedEntriesPerProfile = 6;

// What the macro list needs of a key entry.
struct KeyMacro {
  std::uint8_t kind = 0;
  std::string_view name;                             // up to its terminator, inside the entry's name field
  std::size_t eventCount = 0;                        // a count above 40 counts as 40
  std::array<MacroEvent, kMaxMacroEvents> events{};  // all 40, as stored
};

KeyMacro keyMacroOf(const MacroKeyInfo& entry);

struct MacroMatch {
  int index = -1;          // first macro whose trimmed name matches, or -1
  bool identical = false;  // same event count and the same events up to it
};

MacroMatch findMacroForKey(const MacroList& list, const MacroKeyInfo& entry, const AnsiCodePage& codePage);

// Visits entries 0..5 of every profile in order; for each macro entry appends its macro when
// no macro has its name, or takes over its events when they differ. True when the list changed.
bool mergeKeyMacros(MacroList& list, const KeyboardSettings& settings, const AnsiCodePage& codePage);

}  // namespace opt
