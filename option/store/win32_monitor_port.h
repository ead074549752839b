#pragma once
// The monitor link's system objects: the named mutex and file mapping, the monitor's window
// and the message box.

#include <windows.h>

#include <functional>
#include <string>

#include "option/store/monitor_link.h"

namespace opt {

class Win32MonitorPort final : public MonitorPort {
 public:
  using MessageSink = std::function<void(std::u16string_view text)>;

  // Messages go to a message box owned by `owner` (may be set later) with the program's
  // name as caption.
  explicit Win32MonitorPort(HWND owner = nullptr, std::wstring caption = L"Option");
  ~Win32MonitorPort() override;
  Win32MonitorPort(const Win32MonitorPort&) = delete;
  Win32MonitorPort& operator=(const Win32MonitorPort&) = delete;

  void setOwner(HWND owner) { owner_ = owner; }
  // Replaces the message box (tests).
  void setMessageSink(MessageSink sink) { sink_ = std::move(sink); }

  bool openMutex(std::u16string_view name) override;
  MapResult openMapping(std::u16string_view name) override;
  std::span<std::uint8_t> view() override;
  void closeMapping() override;
  void closeMutex() override;
  WaitResult waitForMutex(std::uint32_t milliseconds) override;
  void releaseMutex() override;
  bool postToWindow(std::u16string_view title, std::uint32_t message, std::uintptr_t wParam,
                    std::intptr_t lParam) override;
  void showMessage(std::u16string_view text) override;

 private:
  HWND owner_;
  std::wstring caption_;
  MessageSink sink_;
  HANDLE mutex_ = nullptr;
  HANDLE mapping_ = nullptr;
  void* view_ = nullptr;
  std::size_t viewSize_ = 0;
};

}  // namespace opt
