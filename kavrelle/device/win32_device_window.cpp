#include "kavrelle/device/win32_device_window.h"

#include <commctrl.h>
#include <dbt.h>

#include <string>

#include "ui/win32_debug.h"

namespace kav {
namespace {

// The USB device interface class: every USB device, so any plug or unplug reaches the window.
constexpr GUID kUsbDeviceInterfaceGuid = {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};
constexpr wchar_t kMessageBoxCaption[] = L"Kavrelle";

static_assert(kDeviceArrival == DBT_DEVICEARRIVAL);
static_assert(kDeviceRemoveComplete == DBT_DEVICEREMOVECOMPLETE);
static_assert(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) == 32);

std::wstring toWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

Win32DeviceWindow::~Win32DeviceWindow() { UnregisterDeviceNotifications(); }

void Win32DeviceWindow::Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  if (!PostMessageW(Window(), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam))) {
    ui::ReportWin32Failure(L"PostMessageW");
  }
}

void Win32DeviceWindow::SetSliderPosition(int controlId, int position) {
  SendDlgItemMessageW(Window(), controlId, TBM_SETPOS, TRUE, position);
}

void Win32DeviceWindow::ShowMessageBox(std::u16string_view text) {
  MessageBoxW(Window(), toWide(text).c_str(), kMessageBoxCaption, MB_OK);
}

void Win32DeviceWindow::DebugOut(std::u16string_view text) { ui::DebugOut(toWide(text)); }

bool Win32DeviceWindow::RegisterDeviceNotifications() {
  if (notification_) return true;
  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  filter.dbcc_size = sizeof filter;
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = kUsbDeviceInterfaceGuid;
  notification_ = RegisterDeviceNotificationW(Window(), &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
  if (!notification_) ui::ReportWin32Failure(L"RegisterDeviceNotificationW");
  return notification_ != nullptr;
}

void Win32DeviceWindow::UnregisterDeviceNotifications() {
  if (!notification_) return;
  UnregisterDeviceNotification(notification_);
  notification_ = nullptr;
}

}  // namespace kav
