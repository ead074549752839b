#pragma once
// The keyboard layout of the calling thread, as Windows maps it.

#include "option/keys/keyboard_layout.h"

namespace opt {

class Win32KeyboardLayout : public KeyboardLayout {
 public:
  std::uint32_t scanCodeFromVk(std::uint32_t vk) const override;
  // The extended form, so keys outside the main block come back as their own codes.
  std::uint32_t vkFromScanCode(std::uint32_t scanCode) const override;
};

}  // namespace opt
