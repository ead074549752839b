#pragma once
// Macros and settings records built for the macro tests.

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

#include "option/macros/key_macros.h"

namespace opt::testing_support {

inline std::vector<MacroEvent> events(std::initializer_list<MacroEvent> list) { return list; }

// Presses and releases with pauses, distinct per `seed`.
inline std::vector<MacroEvent> someEvents(std::size_t count, std::uint8_t seed) {
  std::vector<MacroEvent> result;
  for (std::size_t i = 0; i < count; ++i)
    result.push_back({static_cast<std::uint8_t>(0x04 + (seed + i / 2) % 0x20),
                      static_cast<std::uint8_t>(i % 2 ? kMacroRelease : kMacroPress),
                      static_cast<std::uint16_t>((seed * 7 + i * 13) % (kMaxMacroDelayMs + 1))});
  return result;
}

inline std::unique_ptr<MacroRecord> macro(std::string_view name, const std::vector<MacroEvent>& events,
                                          std::uint32_t repeat = 0) {
  auto record = std::make_unique<MacroRecord>();
  std::copy(name.begin(), name.end(), record->name);
  record->repeatCount = repeat;
  record->eventCount = static_cast<std::uint32_t>(events.size());
  std::copy(events.begin(), events.end(), record->events);
  return record;
}

inline MacroKeyInfo keyEntry(std::uint8_t kind, std::string_view name, const std::vector<MacroEvent>& events,
                             int storedCount = -1) {
  MacroKeyInfo entry{};
  entry.kind = kind;
  std::copy(name.begin(), name.end(), entry.macroName.begin());
  entry.eventCount = static_cast<std::uint16_t>(storedCount < 0 ? events.size() : storedCount);
  if (!events.empty()) std::memcpy(entry.events.data(), events.data(), events.size() * sizeof(MacroEvent));
  return entry;
}

// A zero-filled settings record with key entries set in it.
class Settings {
 public:
  void setEntry(int profile, int entry, std::uint8_t kind, std::string_view name, const std::vector<MacroEvent>& events,
                int storedCount = -1) {
    record_->profiles[profile].macroKeys[entry] = keyEntry(kind, name, events, storedCount);
    record_->profiles[profile].macroKeys[entry].index = static_cast<std::uint8_t>(entry);
  }
  const KeyboardSettings& record() const { return *record_; }

 private:
  std::unique_ptr<KeyboardSettings> record_ = std::make_unique<KeyboardSettings>();
};

}  // namespace opt::testing_support
