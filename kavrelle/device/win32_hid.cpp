#include "kavrelle/device/win32_hid.h"

#include <windows.h>
// clang-format off: setupapi.h needs windows.h first; mingw's hidsdi.h lacks C linkage
#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
}
// clang-format on

#include <cstring>
#include <string>
#include <vector>

#include "ui/win32_debug.h"

namespace kav {
namespace {

std::wstring toWide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

bool valid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

HANDLE openInterface(const std::wstring& path, DWORD flags) {
  return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, flags, nullptr);
}

class Win32CommandChannel final : public CommandChannel {
 public:
  explicit Win32CommandChannel(HANDLE handle) : handle_(handle) {}
  ~Win32CommandChannel() override { CloseHandle(handle_); }

  bool SetFeature(const FeatureReport& report) override {
    FeatureReport copy = report;
    return HidD_SetFeature(handle_, copy.data(), static_cast<ULONG>(copy.size())) != FALSE;
  }

  bool GetFeature(FeatureReport& report) override {
    report.fill(0);
    if (HidD_GetFeature(handle_, report.data(), static_cast<ULONG>(report.size()))) return true;
    report.fill(0);
    return false;
  }

  bool WriteData(const DataReport& report) override {
    DWORD written = 0;
    return WriteFile(handle_, report.data(), static_cast<DWORD>(report.size()), &written, nullptr) &&
           written == report.size();
  }

  bool ReadData(DataReport& report) override {
    report.fill(0);
    DWORD got = 0;
    if (ReadFile(handle_, report.data(), static_cast<DWORD>(report.size()), &got, nullptr) && got == report.size()) {
      return true;
    }
    report.fill(0);
    return false;
  }

 private:
  HANDLE handle_;
};

class Win32EventChannel final : public EventChannel {
 public:
  Win32EventChannel(HANDLE handle, HANDLE event) : handle_(handle) {
    overlapped_.hEvent = event;
  }

  ~Win32EventChannel() override {
    CancelRead();
    CloseHandle(handle_);
    CloseHandle(overlapped_.hEvent);
  }

  bool BeginRead() override {
    if (outstanding_) return true;
    buffer_.fill(0);
    buffer_[0] = kEventReportId;
    buffer_[kEventVkByte] = 0;
    ResetEvent(overlapped_.hEvent);
    HANDLE event = overlapped_.hEvent;
    overlapped_ = OVERLAPPED{};
    overlapped_.hEvent = event;
    if (ReadFile(handle_, buffer_.data(), static_cast<DWORD>(buffer_.size()), nullptr, &overlapped_) ||
        GetLastError() == ERROR_IO_PENDING) {
      outstanding_ = true;
      return true;
    }
    return false;
  }

  EventWait Wait(std::uint32_t ms, EventReport& report) override {
    if (!outstanding_) return EventWait::Failed;
    const DWORD waited = WaitForSingleObject(overlapped_.hEvent, ms);
    if (waited == WAIT_TIMEOUT) return EventWait::Pending;
    DWORD got = 0;
    const BOOL ok = GetOverlappedResult(handle_, &overlapped_, &got, FALSE);
    outstanding_ = false;
    if (waited != WAIT_OBJECT_0 || !ok || got != buffer_.size()) return EventWait::Failed;
    report = buffer_;
    return EventWait::Arrived;
  }

  void CancelRead() override {
    if (!outstanding_) return;
    CancelIo(handle_);
    DWORD got = 0;
    GetOverlappedResult(handle_, &overlapped_, &got, TRUE);  // the buffer must outlive the read
    outstanding_ = false;
  }

 private:
  HANDLE handle_;
  OVERLAPPED overlapped_{};
  EventReport buffer_{};
  bool outstanding_ = false;
};

}  // namespace

void Win32HidBus::Enumerate(const std::function<bool(const HidInterface&)>& visit) {
  GUID hidGuid;
  HidD_GetHidGuid(&hidGuid);
  HDEVINFO set = SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) {
    ui::ReportWin32Failure(L"SetupDiGetClassDevsW");
    return;
  }
  for (DWORD index = 0;; ++index) {
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof data;
    if (!SetupDiEnumDeviceInterfaces(set, nullptr, &hidGuid, index, &data)) break;

    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &required, nullptr);
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) continue;
    std::vector<std::uint8_t> buffer(required);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);  // the fixed part only
    if (!SetupDiGetDeviceInterfaceDetailW(set, &data, detail, required, nullptr, nullptr)) continue;

    const std::wstring widePath(detail->DevicePath);
    HidInterface candidate;
    candidate.path.assign(widePath.begin(), widePath.end());
    HANDLE probe = openInterface(widePath, 0);
    if (valid(probe)) {
      HIDD_ATTRIBUTES attributes{};
      attributes.Size = sizeof attributes;
      if (HidD_GetAttributes(probe, &attributes)) {
        candidate.attributesRead = true;
        candidate.vendorId = attributes.VendorID;
        candidate.productId = attributes.ProductID;
      }
      CloseHandle(probe);
    }
    if (visit(candidate)) break;
  }
  SetupDiDestroyDeviceInfoList(set);
}

std::unique_ptr<CommandChannel> Win32HidBus::OpenCommandInterface(const std::u16string& path) {
  HANDLE handle = openInterface(toWide(path), 0);
  if (!valid(handle)) return nullptr;
  return std::make_unique<Win32CommandChannel>(handle);
}

std::unique_ptr<EventChannel> Win32HidBus::OpenEventInterface(const std::u16string& path) {
  HANDLE handle = openInterface(toWide(path), FILE_FLAG_OVERLAPPED);
  if (!valid(handle)) return nullptr;
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!event) {
    ui::ReportWin32Failure(L"CreateEventW");
    CloseHandle(handle);
    return nullptr;
  }
  return std::make_unique<Win32EventChannel>(handle, event);
}

void Win32Clock::Sleep(std::uint32_t ms) { ::Sleep(ms); }

std::uint64_t Win32Clock::NowMs() { return GetTickCount64(); }

}  // namespace kav
