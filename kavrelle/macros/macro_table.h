#pragma once
// The macro table: 190 macro records of 894 bytes, byte for byte the content of
// MacroDefine.bin. A record is in use when its name is not empty; used records come first, and
// a macro's number is its position in the table. The keyboard plays macros from the 32 macro
// slots of the device image, which FillMacroSlots refreshes from this table.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "kavrelle/device/device_image.h"
#include "kavrelle/macros/macro_events.h"

namespace kav {

inline constexpr std::size_t kMacroCount = 190;
inline constexpr std::size_t kMacroRecordSize = 894;
inline constexpr std::size_t kMacroNameUnits = 255;  // at most 254 units and the terminator
inline constexpr std::size_t kMaxUsedMacros = 32;    // the macro manager refuses a 33rd
inline constexpr std::uint8_t kMacroFlagRecordDelays = 0x01;

struct MacroRecord {
  std::array<char16_t, kMacroNameUnits> name;  // UTF-16, zero-terminated
  std::array<std::uint8_t, 2> loopCount;       // little-endian; 1 when "Number of Loops" is off
  std::uint8_t flags;                          // bit 0: delays were recorded
  EventStream keyboardStream;                  // key bytes are HID usages
  EventStream hostStream;                      // the same events with VK codes
  std::uint8_t reserved;

  friend bool operator==(const MacroRecord&, const MacroRecord&) = default;
};
static_assert(sizeof(MacroRecord) == kMacroRecordSize);
static_assert(offsetof(MacroRecord, name) == 0);
static_assert(offsetof(MacroRecord, loopCount) == 510);
static_assert(offsetof(MacroRecord, flags) == 512);
static_assert(offsetof(MacroRecord, keyboardStream) == 513);
static_assert(offsetof(MacroRecord, hostStream) == 703);
static_assert(offsetof(MacroRecord, reserved) == 893);

using MacroTable = std::array<MacroRecord, kMacroCount>;
inline constexpr std::size_t kMacroTableSize = 169860;
static_assert(sizeof(MacroTable) == kMacroTableSize);
static_assert(kMacroSlotSize == 2 + kEventStreamSize);  // loop count, then the keyboard stream

// An all-zero table (what start-up begins with); an all-zero record.
MacroTable ZeroMacroTable();
MacroRecord ZeroMacroRecord();

// The name up to its terminator (a name without one ends after 255 units).
std::u16string MacroName(const MacroRecord& record);
// Stores a name, cut to 254 units; the rest of the field is zeroed.
void SetMacroName(MacroRecord& record, std::u16string_view name);
bool MacroInUse(const MacroRecord& record);

std::uint16_t LoopCount(const MacroRecord& record);
void SetLoopCount(MacroRecord& record, std::uint16_t count);

// Stores a key event in both streams at byte `position`: the VK into the host stream and its
// usage into the keyboard stream. Refused (false, record unchanged) as InsertEvent refuses.
bool InsertKeyEvent(MacroRecord& record, std::size_t position, bool release, std::uint8_t vk, std::uint32_t delayMs);

// A macro's slot image: loop count big-endian, then the keyboard stream unchanged.
MacroSlot MacroSlotOf(const MacroRecord& record);

// Refreshes the macro slots of the image from the table: nothing when macro 0 has no name;
// otherwise slots 0, 1, ... up to and including the last macro before the first unnamed one,
// at most 32 slots. Slots behind that keep what they held. Returns the number of slots written.
std::size_t FillMacroSlots(const MacroTable& table, DeviceImage& image);

}  // namespace kav
