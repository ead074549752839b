#pragma once
// A macro of Option: a name and up to 40 key events, stored as one 220-byte record in
// config\sequence.dat. The event encoding is the one key entries carry too.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace opt {

inline constexpr std::uint8_t kMacroPress = 1;
inline constexpr std::uint8_t kMacroRelease = 2;
inline constexpr std::uint16_t kMaxMacroDelayMs = 6350;
// Codes F0..F4 of an event are the five mouse buttons.
inline constexpr std::uint8_t kFirstMouseButtonCode = 0xF0;
inline constexpr std::uint8_t kLastMouseButtonCode = 0xF4;

// Read as one little-endian 32-bit value: code + 256 * action + 65536 * delay.
struct MacroEvent {
  std::uint8_t code;    // HID keyboard-page usage, or a mouse button
  std::uint8_t action;  // kMacroPress or kMacroRelease
  std::uint16_t delay;  // pause in ms after this event, at most kMaxMacroDelayMs
  bool operator==(const MacroEvent&) const = default;
};
static_assert(sizeof(MacroEvent) == 4);
static_assert(offsetof(MacroEvent, code) == 0);
static_assert(offsetof(MacroEvent, action) == 1);
static_assert(offsetof(MacroEvent, delay) == 2);

inline constexpr std::size_t kMaxMacroEvents = 40;
inline constexpr std::size_t kMacroNameBytes = 52;
// Names are typed with at most this many characters.
inline constexpr std::size_t kMaxMacroNameChars = 15;

struct MacroRecord {
  char name[kMacroNameBytes];          // ANSI, zero-terminated
  std::uint32_t repeatCount;           // 0 = none set, else 1..255
  std::uint32_t eventCount;            // 0..40
  MacroEvent events[kMaxMacroEvents];  // from eventCount on all zero
};
static_assert(sizeof(MacroRecord) == 220);
static_assert(offsetof(MacroRecord, name) == 0);
static_assert(offsetof(MacroRecord, repeatCount) == 52);
static_assert(offsetof(MacroRecord, eventCount) == 56);
static_assert(offsetof(MacroRecord, events) == 60);

// The name up to its terminator, never beyond the field.
inline std::string_view macroName(const MacroRecord& macro) {
  std::size_t length = 0;
  while (length < kMacroNameBytes && macro.name[length] != '\0') ++length;
  return {macro.name, length};
}

// A count above 40 counts as 40: no record holds more.
inline std::size_t macroEventCount(const MacroRecord& macro) {
  return macro.eventCount < kMaxMacroEvents ? macro.eventCount : kMaxMacroEvents;
}

}  // namespace opt
