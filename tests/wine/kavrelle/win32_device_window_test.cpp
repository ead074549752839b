// The device link's window port on a real window under Wine: messages posted from other
// threads, the trackbar sliders, device-change registration, and a whole session with its
// threads against the simulated keyboard.

#include "kavrelle/device/win32_device_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

#include "kavrelle/device/device_session.h"
#include "kavrelle/device/simulated_keyboard.h"
#include "kavrelle/device/win32_hid.h"

namespace kav {
namespace {

constexpr DWORD kGenerousMs = 30000;  // only turns a hang into a failure

class TestWindow {
 public:
  TestWindow() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KavrelleDeviceWindowTest";
    RegisterClassW(&wc);
    window_ = CreateWindowExW(0, wc.lpszClassName, L"Kavrelle", WS_OVERLAPPEDWINDOW, 0, 0, 400, 200, nullptr, nullptr,
                              wc.hInstance, nullptr);
    for (const int id : {kBrightnessSliderId, kSpeedSliderId, kReportRateSliderId}) {
      CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 30, window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), wc.hInstance, nullptr);
    }
  }
  ~TestWindow() { DestroyWindow(window_); }
  HWND Handle() const { return window_; }

  // Pumps the window's queue until `message` arrives; false after the generous bound.
  bool WaitFor(UINT message, MSG& found) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kGenerousMs) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.hwnd == window_ && msg.message == message) {
          found = msg;
          return true;
        }
        DispatchMessageW(&msg);
      }
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
    return false;
  }

 private:
  HWND window_ = nullptr;
};

TEST(Win32DeviceWindow, PostsFromAnotherThreadWithoutWaiting) {
  TestWindow window;
  Win32DeviceWindow port(window.Handle());
  std::thread poster([&] { port.Post(WM_DEVICE_KEY, 0x3A, 0); });
  poster.join();  // returns before the window has handled anything
  MSG msg{};
  ASSERT_TRUE(window.WaitFor(WM_DEVICE_KEY, msg));
  EXPECT_EQ(msg.wParam, 0x3Au);
  EXPECT_EQ(msg.lParam, 0);
}

TEST(Win32DeviceWindow, SetsTrackbarSlidersByControlId) {
  TestWindow window;
  Win32DeviceWindow port(window.Handle());
  port.SetSliderPosition(kBrightnessSliderId, 33);
  port.SetSliderPosition(kReportRateSliderId, 2);
  EXPECT_EQ(SendDlgItemMessageW(window.Handle(), kBrightnessSliderId, TBM_GETPOS, 0, 0), 33);
  EXPECT_EQ(SendDlgItemMessageW(window.Handle(), kReportRateSliderId, TBM_GETPOS, 0, 0), 2);
  EXPECT_EQ(SendDlgItemMessageW(window.Handle(), kSpeedSliderId, TBM_GETPOS, 0, 0), 0);
}

TEST(Win32DeviceWindow, RegistersForUsbDeviceInterfaceNotifications) {
  TestWindow window;
  Win32DeviceWindow port(window.Handle());
  EXPECT_TRUE(port.RegisterDeviceNotifications());
  port.UnregisterDeviceNotifications();
  port.UnregisterDeviceNotifications();  // once only
  port.DebugOut(u"Slave Read\n");
}

TEST(Win32DeviceWindow, SessionThreadsReachTheWindowThroughItsQueue) {
  TestWindow window;
  Win32DeviceWindow port(window.Handle());
  SimulatedKeyboard keyboard({});
  Win32Clock clock;
  DeviceSession session(keyboard.Bus(), clock, port);
  session.RegisterForDeviceChanges();
  ASSERT_TRUE(session.OpenCommandChannel());
  ASSERT_TRUE(session.OpenEventChannel());

  MSG msg{};
  ASSERT_TRUE(window.WaitFor(WM_DEVICE_LOADED, msg));
  EXPECT_EQ(msg.lParam, kLoadedFromKeyboard);
  ASSERT_TRUE(session.AdoptStartupRead());
  EXPECT_EQ(session.Version(), (DeviceVersion{1, 2, 0, 0}));

  keyboard.PressKey(0x5B);
  ASSERT_TRUE(window.WaitFor(WM_DEVICE_KEY, msg));
  EXPECT_EQ(msg.wParam, 0x5Bu);

  session.ShutdownDeviceLink();
  EXPECT_FALSE(session.ReaderRunning());
  EXPECT_FALSE(session.CommandChannelOpen());
}

}  // namespace
}  // namespace kav
