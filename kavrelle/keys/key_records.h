#pragma once
// The key record table: what each key is assigned to, 255 records of 772 bytes (the second
// block of keymap.bin and of every profile file). Record n belongs to key index n; records
// 0-107 are used, 108-254 are carried along unchanged.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "kavrelle/keys/key_tables.h"

namespace kav {

inline constexpr std::size_t kKeyRecordCount = 255;
inline constexpr std::size_t kKeyRecordSize = 772;
inline constexpr std::size_t kKeyRecordDataSize = 255;
inline constexpr std::size_t kActionPathUnits = 256;  // at most 255 units and the terminator

// The kind byte of a record (0-7, 255) and of an assignment result (also 8).
enum class KeyKind : std::uint8_t {
  Single = 0,       // data[0] = replacement VK, count 1; count 0 = the key's own meaning
  Combination = 1,  // data[0..2] = up to three VKs in the order pressed, count 1-3
  Macro = 2,        // data = 04 01 m 00, m = macro number
  Function = 3,     // data = the function's 4-byte code (key_functions.h)
  PlaySound = 4,    // actions 4-7: data = 03 00 23 02, the file or folder in the action path
  StartProgram = 5,
  OpenFile = 6,
  OpenFolder = 7,
  Restore = 8,             // assignment result only: nothing chosen, restore the key; never stored
  AdvancedNoAction = 255,  // the advanced page was opened but no action chosen
};

inline constexpr bool IsActionKind(std::uint8_t kind) {
  return kind >= static_cast<std::uint8_t>(KeyKind::PlaySound) &&
         kind <= static_cast<std::uint8_t>(KeyKind::OpenFolder);
}

struct KeyRecord {
  std::uint8_t ownVk;  // the key's VK from the key layout table; rewritten after every load
  std::uint8_t kind;   // a KeyKind; kept as a byte because files may hold any value
  std::array<std::uint8_t, kKeyRecordDataSize> data;
  std::uint8_t count;  // captured keys for kinds 0 and 1, else 0
  std::array<std::uint8_t, 2> reserved;
  std::array<char16_t, kActionPathUnits> actionPath;  // UTF-16, zero-terminated; kinds 4-7

  friend bool operator==(const KeyRecord&, const KeyRecord&) = default;
};
static_assert(sizeof(KeyRecord) == kKeyRecordSize);
static_assert(offsetof(KeyRecord, ownVk) == 0);
static_assert(offsetof(KeyRecord, kind) == 1);
static_assert(offsetof(KeyRecord, data) == 2);
static_assert(offsetof(KeyRecord, count) == 257);
static_assert(offsetof(KeyRecord, reserved) == 258);
static_assert(offsetof(KeyRecord, actionPath) == 260);

using KeyRecordTable = std::array<KeyRecord, kKeyRecordCount>;
inline constexpr std::size_t kKeyRecordTableSize = 196860;
static_assert(sizeof(KeyRecordTable) == kKeyRecordTableSize);

// One byte per key index: 1 = the key carries an assignment or is disabled. Memory only.
using AssignedFlags = std::array<std::uint8_t, kKeyRecordCount>;

KeyRecordTable ZeroKeyRecordTable();

// Sets byte 0 of records 0-107 to their key's VK from the key layout table.
void RewriteOwnVks(KeyRecordTable& table);

// The action path up to its terminator (a path without one ends after 256 units).
std::u16string ActionPath(const KeyRecord& record);
// Stores a path, cut to 255 units; the rest of the field is zeroed.
void SetActionPath(KeyRecord& record, std::u16string_view path);

// What the key assignment dialog hands to ApplyAssignment when it closes with OK.
inline constexpr int kDefaultPressedCount = 255;  // `count` when Default was pressed
inline constexpr int kNoMacro = -1;

struct AssignmentResult {
  std::uint8_t kind = static_cast<std::uint8_t>(KeyKind::Restore);
  std::array<std::uint8_t, kKeyRecordDataSize> keys{};  // captured VKs, zero-terminated
  int count = 0;                                        // captured keys; 255 = Default
  std::u16string functionName;                          // in the current UI language
  int macroNumber = kNoMacro;
  std::u16string actionPath;  // chosen file or folder, up to 255 units
  bool enabled = true;        // false when the Disable toggle is on
};

}  // namespace kav
