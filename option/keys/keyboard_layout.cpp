#include "option/keys/keyboard_layout.h"

#include "option/keys/key_codes.h"

namespace opt {

// The table's scan codes are those of the US layout.
std::uint32_t UsKeyboardLayout::scanCodeFromVk(std::uint32_t vk) const {
  for (const KeyCodeRow& row : KeyCodeTable)
    if (row.scanCode != 0 && row.vk == vk) return row.scanCode;
  return 0;
}

std::uint32_t UsKeyboardLayout::vkFromScanCode(std::uint32_t scanCode) const {
  if (scanCode == 0) return 0;
  for (const KeyCodeRow& row : KeyCodeTable)
    if (row.scanCode == scanCode) return row.vk;
  return 0;
}

}  // namespace opt
