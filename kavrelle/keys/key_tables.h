#pragma once
// The four ways the program speaks of a key, and the two constant tables between them:
//   key index    0-107, physical order; indexes the key records and the assigned flags
//   VK           Windows virtual-key code; what the hook reports and the dialogs store
//   HID usage    what the keyboard understands (keyboard page, consumer low byte, or 0xF0-0xF9)
//   key position 6 x column + row (0-125); how the device image addresses a key

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kav {

inline constexpr std::size_t kKeyCount = 108;
// Key indices that several parts of the program single out.
inline constexpr std::size_t kFirstMediaKey = 16;  // 16-19: the four media keys
inline constexpr std::size_t kLastMediaKey = 19;
inline constexpr std::size_t kWinKey = 96;
inline constexpr std::size_t kFnKey = 100;
inline constexpr std::size_t kKeyNameLength = 100;  // UTF-16 units, terminator included
inline constexpr std::size_t kKeyRows = 6;          // row 0 is the bottom row, row 5 the function-key row

// One entry per VK code 0x00-0xFF; `code` equals the entry's own VK.
struct KeyNameEntry {
  std::uint8_t code;
  std::uint8_t usage;                         // 0 where the VK has no usage
  std::array<char16_t, kKeyNameLength> name;  // zero-terminated; empty where none
};
static_assert(sizeof(KeyNameEntry) == 2 + 2 * kKeyNameLength);
using KeyNameTable = std::array<KeyNameEntry, 256>;

// Fills the key name table. Names carry one trailing blank ("A ", "Esc ") except "0",
// "Play/Pause", the mouse entries and the empty ones; the blank shows wherever names are
// joined. VK 0xF0-0xF9 are the program's own mouse codes, passed to the keyboard as they are.
KeyNameTable BuildKeyNameTable();

// The table above, built once on first use and never changed afterwards.
const KeyNameTable& KeyNames();

// The usage of a VK (0 for a VK without one, such as F13 or the browser keys).
std::uint8_t UsageOfVk(std::uint8_t vk);
// The display name of a VK, trailing blank included (empty for a VK without one).
std::u16string_view NameOfVk(std::uint8_t vk);

// The key layout table: VK and key position of each key index.
struct KeyLayoutEntry {
  std::uint8_t vk;
  std::uint8_t position;
};
const std::array<KeyLayoutEntry, kKeyCount>& KeyLayout();

// VK and key position of a key index 0-107. Keys 100 and 101 both carry VK 0x5D ("Apps ")
// and differ only in their positions (60 and 66).
std::uint8_t VkOfKey(std::size_t keyIndex);
std::size_t PositionOfKey(std::size_t keyIndex);

}  // namespace kav
