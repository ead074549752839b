#pragma once
// The message through which the keyboard capture hook hands every key event to the window
// that installed it, and how receivers read it.

#include <cstdint>

namespace opt {

// wParam = VK code, lParam = the hook's event flags masked with kCapturedKeyFlagsMask.
inline constexpr std::uint32_t WM_CAPTURED_KEY = 1034;
inline constexpr std::uint32_t kCapturedKeyExtended = 0x01;
inline constexpr std::uint32_t kCapturedKeyReleased = 0x80;
inline constexpr std::uint32_t kCapturedKeyFlagsMask = kCapturedKeyExtended | kCapturedKeyReleased;

inline constexpr std::uint32_t kVkEnter = 0x0D;
inline constexpr std::uint32_t kVkKeypadEnter = 0x6C;

struct CapturedKey {
  std::uint32_t vk;  // keypad Enter already told apart from Enter
  bool extended;
  bool released;
};

// Windows reports keypad Enter as Enter with the extended flag; every lookup wants it as 6C.
constexpr std::uint32_t substituteKeypadEnter(std::uint32_t vk, bool extended) {
  return vk == kVkEnter && extended ? kVkKeypadEnter : vk;
}

// What every receiver of WM_CAPTURED_KEY does first.
constexpr CapturedKey decodeCapturedKey(std::uintptr_t wParam, std::intptr_t lParam) {
  const auto flags = static_cast<std::uint32_t>(lParam);
  const bool extended = (flags & kCapturedKeyExtended) != 0;
  return {substituteKeypadEnter(static_cast<std::uint32_t>(wParam), extended), extended,
          (flags & kCapturedKeyReleased) != 0};
}

}  // namespace opt
