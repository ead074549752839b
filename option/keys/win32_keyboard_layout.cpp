#include "option/keys/win32_keyboard_layout.h"

#include <windows.h>

namespace opt {

std::uint32_t Win32KeyboardLayout::scanCodeFromVk(std::uint32_t vk) const {
  return MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
}

std::uint32_t Win32KeyboardLayout::vkFromScanCode(std::uint32_t scanCode) const {
  return MapVirtualKeyW(scanCode, MAPVK_VSC_TO_VK_EX);
}

}  // namespace opt
