#pragma once
// The device link's window port on a real window: posted messages, trackbar sliders,
// message boxes, the debugger output and USB device-interface notifications.

#include <windows.h>

#include <atomic>

#include "kavrelle/device/device_window_port.h"

namespace kav {

class Win32DeviceWindow final : public DeviceWindowPort {
 public:
  Win32DeviceWindow() = default;
  explicit Win32DeviceWindow(HWND window) : window_(window) {}
  ~Win32DeviceWindow() override;
  Win32DeviceWindow(const Win32DeviceWindow&) = delete;
  Win32DeviceWindow& operator=(const Win32DeviceWindow&) = delete;

  // The main window; attach it before registering and before the device threads start.
  void Attach(HWND window) { window_.store(window); }
  HWND Window() const { return window_.load(); }

  void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  void SetSliderPosition(int controlId, int position) override;
  void ShowMessageBox(std::u16string_view text) override;
  void DebugOut(std::u16string_view text) override;
  bool RegisterDeviceNotifications() override;
  void UnregisterDeviceNotifications() override;

 private:
  std::atomic<HWND> window_{nullptr};
  HDEVNOTIFY notification_ = nullptr;
};

}  // namespace kav
