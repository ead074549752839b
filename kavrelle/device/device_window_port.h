#pragma once
// What the device link needs from the main window. The Win32 adapter is
// win32_device_window.h; tests use a recording fake.

#include <cstdint>
#include <string_view>

namespace kav {

// Messages the device link sends to the main window.
inline constexpr std::uint32_t WM_DEVICE_KEY = 1912;     // wParam = the key's own VK, lParam = 0
inline constexpr std::uint32_t WM_DEVICE_LOADED = 1915;  // wParam = 0, lParam = one of the two below
inline constexpr std::intptr_t kLoadedFromKeyboard = 0;
inline constexpr std::intptr_t kLoadedFromProfileManager = 1;

// The main window's sliders that a read from the keyboard refreshes.
inline constexpr int kSpeedSliderId = 1007;
inline constexpr int kReportRateSliderId = 1010;
inline constexpr int kBrightnessSliderId = 1017;

// Device-change events handed to DeviceSession::OnDeviceChange (WM_DEVICECHANGE wParam).
inline constexpr std::uint32_t kDeviceArrival = 0x8000;
inline constexpr std::uint32_t kDeviceRemoveComplete = 0x8004;

inline constexpr std::u16string_view kRegistrationFailedText = u"Cannot register for Wdm2 class device notification";

class DeviceWindowPort {
 public:
  virtual ~DeviceWindowPort() = default;

  // Queues a message for the window and returns at once, never waiting for the window to
  // handle it: called from the reader and start-up read threads as well.
  virtual void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
  // Moves one of the window's sliders and redraws it. Window thread only.
  virtual void SetSliderPosition(int controlId, int position) = 0;
  // A message box with the application name as caption and an OK button. Window thread only.
  virtual void ShowMessageBox(std::u16string_view text) = 0;
  // A diagnostic line for the debugger output. Any thread.
  virtual void DebugOut(std::u16string_view text) = 0;

  // Device-interface notifications of the USB device class for the window. Window thread only.
  virtual bool RegisterDeviceNotifications() = 0;
  virtual void UnregisterDeviceNotifications() = 0;
};

}  // namespace kav
