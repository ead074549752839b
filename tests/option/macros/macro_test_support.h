#pragma once
// Macros and settings records built for the macro tests.

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
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

// A settings record as bytes, with key entries written at their offsets.
class SettingsBytes {
 public:
  static constexpr std::size_t kEntryOffset(int profile, int entry) {
    return 12 + 15376 * static_cast<std::size_t>(profile) + 908 + 452 * static_cast<std::size_t>(entry);
  }

  void setEntry(int profile, int entry, std::uint8_t kind, std::string_view name, const std::vector<MacroEvent>& events,
                int storedCount = -1) {
    std::uint8_t* at = bytes_.data() + kEntryOffset(profile, entry);
    std::memset(at, 0, 452);
    at[0] = static_cast<std::uint8_t>(entry);
    at[1] = kind;
    std::copy(name.begin(), name.end(), reinterpret_cast<char*>(at + 6));
    const auto count = static_cast<std::uint16_t>(storedCount < 0 ? events.size() : storedCount);
    at[26] = static_cast<std::uint8_t>(count);
    at[27] = static_cast<std::uint8_t>(count >> 8);
    if (!events.empty()) std::memcpy(at + 32, events.data(), events.size() * sizeof(MacroEvent));
  }
  std::span<const std::uint8_t, kSettingsRecordBytes> bytes() const { return bytes_; }

 private:
  std::array<std::uint8_t, kSettingsRecordBytes> bytes_{};
};

}  // namespace opt::testing_support
