// Kavrelle.exe: the application object and its start routine.

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <memory>
#include <optional>

#include "kavrelle/app/app_state.h"
#include "kavrelle/app/program_files.h"
#include "kavrelle/device/simulated_keyboard.h"
#include "kavrelle/device/win32_hid.h"
#include "kavrelle/keys/key_assignment.h"
#include "kavrelle/mainwindow/texts.h"
#include "kavrelle/mainwindow/win32_main_window.h"
#include "ui/win32_picture.h"

namespace kav {
namespace {

constexpr wchar_t kSingleInstanceMutex[] = L" {57D1171D-1a34-0804-8A3A-65ABA2150010}";
constexpr DWORD kCommonControlsClasses = 0xFF;

std::u16string narrowToU16(const wchar_t* text) {
  std::u16string out;
  for (; text && *text; ++text) out += static_cast<char16_t>(*text);
  return out;
}

}  // namespace

class CGameKeyboardApp {
 public:
  CGameKeyboardApp(HINSTANCE instance, const wchar_t* commandLine)
      : instance_(instance), options_(ParseStartOptions(narrowToU16(commandLine))) {}

  // Always FALSE: the process ends when the main window closes.
  BOOL InitInstance() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = kCommonControlsClasses;
    InitCommonControlsEx(&controls);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    // Released only with the process.
    CreateMutexW(nullptr, FALSE, kSingleInstanceMutex);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
      const std::wstring title(text::kAppName.begin(), text::kAppName.end());
      if (HWND first = FindWindowW(nullptr, title.c_str())) {
        ShowWindowAsync(first, SW_SHOWNORMAL);
        SetForegroundWindow(first);
      }
      return FALSE;
    }

    AppState app;
    ui::GdiplusPictureLoader pictures;
    Win32Clock clock;
    Win32HidBus hid;
    std::unique_ptr<SimulatedKeyboard> simulated;
    HidBus* bus = &hid;
    if (options_.simulateKeyboard) {
      // The demo keyboard keeps its memory beside the program.
      wchar_t module[kMaxModulePath + 1] = {};
      GetModuleFileNameW(nullptr, module, static_cast<DWORD>(kMaxModulePath + 1));
      const std::u16string folder = ProgramFolderFrom(narrowToU16(module));
      SimulatedKeyboard::Options simulation;
      simulation.factoryKeyTable = DefaultKeyTable();
      simulation.memoryFile = std::filesystem::path(folder + std::u16string(kSimulatedKeyboardFileName));
      simulated = std::make_unique<SimulatedKeyboard>(std::move(simulation));
      bus = &simulated->Bus();
    }
    {
      CGameKeyboardDlg window(MainWindowContext{instance_, options_, app, *bus, clock, pictures});
      window.runModal(nullptr, 102, instance_);
    }
    CoUninitialize();
    return FALSE;
  }

 private:
  HINSTANCE instance_;
  StartOptions options_;
};

}  // namespace kav

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  kav::CGameKeyboardApp app(instance, commandLine);
  app.InitInstance();
  return 0;
}
