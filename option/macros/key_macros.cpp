#include "option/macros/key_macros.h"

#include <algorithm>
#include <cstring>

namespace opt {
namespace {

// The parts of a key entry that carry a macro.
constexpr std::size_t kKindOffset = 1;
constexpr std::size_t kNameOffset = 6;
constexpr std::size_t kNameBytes = 20;
constexpr std::size_t kEventCountOffset = 26;  // u16
constexpr std::size_t kEventsOffset = 32;
constexpr std::size_t kEventsBytes = kMaxMacroEvents * sizeof(MacroEvent);
static_assert(kEventsOffset + kEventsBytes <= kKeyEntryBytes);

// Where the entries of profile p lie in the settings record.
constexpr std::size_t kFirstProfileOffset = 12;
constexpr std::size_t kProfileBytes = 15376;
constexpr std::size_t kFirstEntryOffset = 908;

}  // namespace

KeyMacro keyMacroOf(std::span<const std::uint8_t, kKeyEntryBytes> entry) {
  KeyMacro key;
  key.kind = entry[kKindOffset];
  const auto* name = reinterpret_cast<const char*>(entry.data() + kNameOffset);
  key.name = std::string_view(name, std::find(name, name + kNameBytes, '\0') - name);
  const std::size_t count = entry[kEventCountOffset] | (entry[kEventCountOffset + 1] << 8);
  key.eventCount = std::min(count, kMaxMacroEvents);
  std::memcpy(key.events.data(), entry.data() + kEventsOffset, kEventsBytes);
  return key;
}

MacroMatch findMacroForKey(const MacroList& list, const KeyMacro& key, const AnsiCodePage& codePage) {
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

bool mergeKeyMacros(MacroList& list, std::span<const std::uint8_t, kSettingsRecordBytes> settings,
                    const AnsiCodePage& codePage) {
  bool changed = false;
  for (int p = 0; p < kMergedProfiles; ++p) {
    for (int k = 0; k < kMergedEntriesPerProfile; ++k) {
      const std::size_t offset = kFirstProfileOffset + p * kProfileBytes + kFirstEntryOffset + k * kKeyEntryBytes;
      const KeyMacro key = keyMacroOf(settings.subspan(offset).first<kKeyEntryBytes>());
      if (key.kind != kMacroKeyKind) continue;
      const MacroMatch match = findMacroForKey(list, key, codePage);
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
