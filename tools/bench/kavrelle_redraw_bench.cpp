// Times the main window's full redraw under Wine, as a hover moves across the keyboard:
//   wine64 kavrelle_redraw_bench.exe <picture folder holding png\english\>
// Prints the median and the slowest of the redraws. Target: median 10 ms or less.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "kavrelle/app/app_state.h"
#include "kavrelle/device/device_session.h"
#include "kavrelle/device/simulated_keyboard.h"
#include "kavrelle/device/wire_trace.h"
#include "kavrelle/mainwindow/keyboard_geometry.h"
#include "kavrelle/mainwindow/main_window_model.h"
#include "ui/win32_canvas.h"
#include "ui/win32_dialogs.h"
#include "ui/win32_picture.h"

namespace {

using namespace kav;

struct NoWindow final : DeviceWindowPort, MainWindowHost, ShellLauncher {
  void Post(std::uint32_t, std::uintptr_t, std::intptr_t) override {}
  void SetSliderPosition(int, int) override {}
  void ShowMessageBox(std::u16string_view) override {}
  void DebugOut(std::u16string_view) override {}
  bool RegisterDeviceNotifications() override { return true; }
  void UnregisterDeviceNotifications() override {}
  void Redraw() override {}
  void ShowWindow() override {}
  void HideWindow() override {}
  void EndDialog() override {}
  void StartWindowDrag(int, int) override {}
  void SetBusyCursor(bool) override {}
  void ShowNoKeyboardBalloon() override {}
  void ShowSlider(int, bool) override {}
  void MoveSlider(int, int, int) override {}
  int SliderPosition(int) override { return 0; }
  bool Execute(std::u16string_view, std::u16string_view, std::u16string_view) override { return true; }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kavrelle_redraw_bench <program folder with png\\english\\>\n");
    return 2;
  }
  std::wstring folder = argv[1];
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';

  AppState app;
  app.programFolder.assign(folder.begin(), folder.end());
  app.language = kEnglish;
  app.assigned[63] = app.assigned[64] = 1;
  TracingClock clock;
  SimulatedKeyboard keyboard({});
  NoWindow window;
  DeviceSession session(keyboard.Bus(), clock, window, DeviceSession::Mode::Inline);
  session.OpenCommandChannel();
  session.AdoptStartupRead();
  ui::GdiplusPictureLoader pictures;
  ui::Win32Dialogs dialogs;
  MainWindowModel model(app, session, MainWindowPorts{window, dialogs, window, pictures});
  model.Initialise();

  HDC screen = GetDC(nullptr);
  std::vector<double> times;
  for (int pass = 0; pass < 3; ++pass) {
    for (std::size_t key = 0; key < kKeyCount; ++key) {
      const Rect r = KeyRectOnScreen(key);
      model.OnMouseMove(r.left + 2, r.top + 2, false);
      const auto start = std::chrono::steady_clock::now();
      {
        ui::OffscreenCanvas canvas(screen, ui::Rect{0, 0, 1000, 640});
        model.Draw(canvas);
      }
      times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
  }
  ReleaseDC(nullptr, screen);
  std::sort(times.begin(), times.end());
  std::printf("full redraw: %zu redraws, median %.2f ms, slowest %.2f ms (target: median <= 10 ms)\n", times.size(),
              times[times.size() / 2], times.back());
  return 0;
}
