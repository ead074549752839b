#include "option/macros/key_macros.h"

#include <algorithm>
#include <cstring>

namespace opt {
namespace {

MacroMatch findMacro(const MacroList& list, const KeyMacro& key, const AnsiCodePage& codePage) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    const MacroRecord& macro = *list[i];
    if (!sameMacroName(trimMacroName(macroName(macro)), key.name, codePage)) continue;
    const std::size_t count = macroEventCount(macro);
    const bool identical =
        count == key.eventCount && std::equal(macro.events, macro.events + count, key.events.begin());
    return {static_cast<int>(i), identical};
  }
  return {};
}

}  // namespace

KeyMacro keyMacroOf(const MacroKeyInfo& entry) {
  KeyMacro key;
  key.kind = entry.kind;
  key.name = fieldText(entry.macroName);
  key.eventCount = std::min<std::size_t>(entry.eventCount, kMaxMacroEvents);
  static_assert(sizeof entry.events == sizeof key.events);
  std::memcpy(key.events.data(), entry.events.data(), sizeof key.events);
  return key;
}

MacroMatch findMacroForKey(const MacroList& list, const MacroKeyInfo& entry, const AnsiCodePage& codePage) {
  return findMacro(list, keyMacroOf(entry), codePage);
}

bool mergeKeyMacros(MacroList& list, const KeyboardSettings& settings, const AnsiCodePage& codePage) {
  bool changed = false;
  for (const ProfileSettings& profile : settings.profiles) {
    for (int k = 0; k < kMergedEntriesPerProfile; ++k) {
      const KeyMacro key = keyMacroOf(profile.macroKeys[k]);
      if (key.kind != kMacroKeyKind) continue;
      const MacroMatch match = findMacro(list, key, codePage);
      if (match.identical) continue;
      MacroRecord* macro = macroAt(list, match.index);
      if (!macro) {
        auto added = std::make_unique<MacroRecord>();
        std::copy(key.name.begin(), key.name.end(), added->name);
        std::copy_n(key.events.begin(), key.eventCount, added->events);
        macro = list.emplace_back(std::move(added)).get();
      } else {
        std::copy(key.events.begin(), key.events.end(), macro->events);
      }
      macro->eventCount = static_cast<std::uint32_t>(key.eventCount);
      changed = true;
    }
  }
  return changed;
}

}  // namespace opt
