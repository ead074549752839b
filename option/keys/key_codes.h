#pragma once
// Key codes of Option: Windows virtual-key codes (VK), HID keyboard-page usages (what the
// keyboard and every stored setting use) and the names the user sees.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "option/keys/keyboard_layout.h"

namespace opt {

struct KeyCodeRow {
  std::uint8_t vk;
  std::uint8_t usage;
  std::uint8_t scanCode;  // 0: the row has no scan code
};

inline constexpr std::size_t kKeyCodeRowCount = 131;

// Every lookup takes the first matching row, so the order is part of the table.
extern const std::array<KeyCodeRow, kKeyCodeRowCount> KeyCodeTable;

// This system's codes for mouse functions, used unchanged as VK and as usage.
inline constexpr std::uint8_t kFirstMouseCode = 0xF0;
inline constexpr std::uint8_t kLastMouseCode = 0xF7;

// The usage of a VK code; for the main block the usage of the key at that code's physical place.
std::optional<std::uint32_t> usageFromVk(const KeyboardLayout& layout, std::uint32_t vk);
// The VK code of a usage; for the main block the code the current layout gives that key
// (0 when the layout has none there, which still counts as found).
std::optional<std::uint32_t> vkFromUsage(const KeyboardLayout& layout, std::uint32_t usage);

// Empty when the code has no name.
std::string_view keyName(std::uint32_t vk);
// The name shown for a stored usage; empty when the usage has no row.
std::string_view keyNameForUsage(const KeyboardLayout& layout, std::uint32_t usage);

// Modifier bits of a shortcut, as stored with the key-combination kind.
inline constexpr std::uint32_t kModifierCtrl = 1;
inline constexpr std::uint32_t kModifierShift = 2;
inline constexpr std::uint32_t kModifierAlt = 4;
inline constexpr std::uint32_t kModifierWin = 8;

// The prefixes of the set bits in the order Ctrl, Shift, Alt, Win ("Ctrl+Alt+" for 5).
std::string modifierPrefix(std::uint32_t bits);
// Prefix followed by the key's name: bits 5 with usage 4C give "Ctrl+Alt+Delete".
std::string shortcutCaption(const KeyboardLayout& layout, std::uint32_t bits, std::uint32_t usage);

}  // namespace opt
