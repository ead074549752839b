#pragma once
// The current keyboard layout's map between virtual-key codes and set-1 scan codes. Key
// codes of the main block follow the physical key, so the conversions ask the layout.

#include <cstdint>

namespace opt {

class KeyboardLayout {
 public:
  virtual ~KeyboardLayout() = default;
  // 0 when the layout has no key for the code.
  virtual std::uint32_t scanCodeFromVk(std::uint32_t vk) const = 0;
  virtual std::uint32_t vkFromScanCode(std::uint32_t scanCode) const = 0;
};

// The US layout for the keys whose codes depend on the layout (letters, digits, punctuation,
// main-block keys and F1..F12); every other code maps to 0. Used where there is no system layout.
class UsKeyboardLayout : public KeyboardLayout {
 public:
  std::uint32_t scanCodeFromVk(std::uint32_t vk) const override;
  std::uint32_t vkFromScanCode(std::uint32_t scanCode) const override;
};

}  // namespace opt
