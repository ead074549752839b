#include "option/store/win32_monitor_port.h"

#include <utility>

#include "ui/win32_debug.h"

namespace opt {
namespace {

std::wstring toWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

Win32MonitorPort::Win32MonitorPort(HWND owner, std::wstring caption) : owner_(owner), caption_(std::move(caption)) {}

Win32MonitorPort::~Win32MonitorPort() {
  closeMapping();
  closeMutex();
}

bool Win32MonitorPort::openMutex(std::u16string_view name) {
  closeMutex();
  mutex_ = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, toWide(name).c_str());
  return mutex_ != nullptr;
}

MonitorPort::MapResult Win32MonitorPort::openMapping(std::u16string_view name) {
  closeMapping();
  mapping_ = OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, toWide(name).c_str());
  if (!mapping_) return MapResult::NoMapping;
  view_ = MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, 0);
  if (!view_) {
    ui::ReportWin32Failure(L"MapViewOfFile");
    return MapResult::NoView;
  }
  // The view reaches as far as the pages the mapping has; the creator chose its size.
  MEMORY_BASIC_INFORMATION region{};
  viewSize_ = VirtualQuery(view_, &region, sizeof region) == sizeof region ? region.RegionSize : 0;
  return MapResult::Mapped;
}

std::span<std::uint8_t> Win32MonitorPort::view() { return {static_cast<std::uint8_t*>(view_), viewSize_}; }

void Win32MonitorPort::closeMapping() {
  if (view_) UnmapViewOfFile(view_);
  if (mapping_) CloseHandle(mapping_);
  view_ = nullptr;
  mapping_ = nullptr;
  viewSize_ = 0;
}

void Win32MonitorPort::closeMutex() {
  if (mutex_) CloseHandle(mutex_);
  mutex_ = nullptr;
}

MonitorPort::WaitResult Win32MonitorPort::waitForMutex(std::uint32_t milliseconds) {
  if (!mutex_) return WaitResult::Failed;
  switch (WaitForSingleObject(mutex_, milliseconds)) {
    case WAIT_OBJECT_0:
      return WaitResult::Acquired;
    case WAIT_ABANDONED:
      ui::DebugOut(L"The monitor's mutex was abandoned\n");
      return WaitResult::Abandoned;
    case WAIT_TIMEOUT:
      ui::DebugOut(L"The monitor's mutex was not released in time\n");
      return WaitResult::TimedOut;
    default:
      ui::ReportWin32Failure(L"WaitForSingleObject");
      return WaitResult::Failed;
  }
}

void Win32MonitorPort::releaseMutex() {
  if (mutex_ && !ReleaseMutex(mutex_)) ui::ReportWin32Failure(L"ReleaseMutex");
}

bool Win32MonitorPort::postToWindow(std::u16string_view title, std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
  HWND window = FindWindowW(nullptr, toWide(title).c_str());
  if (!window) return false;
  PostMessageW(window, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
  return true;
}

void Win32MonitorPort::showMessage(std::u16string_view text) {
  if (sink_) {
    sink_(text);
    return;
  }
  MessageBoxW(owner_, toWide(text).c_str(), caption_.c_str(), MB_OK);
}

}  // namespace opt
