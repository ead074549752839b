#pragma once
// CGameKeyboardDlg: the main window on Win32. It runs the start-up sequence, owns the tray
// icon and the three sliders, and forwards everything else to MainWindowModel.

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <optional>

#include "kavrelle/app/app_state.h"
#include "kavrelle/app/program_files.h"
#include "kavrelle/controls/win32_bit_slider.h"
#include "kavrelle/device/device_session.h"
#include "kavrelle/device/win32_device_window.h"
#include "kavrelle/mainwindow/main_window_model.h"
#include "ui/win32_dialogs.h"
#include "ui/win32_picture.h"
#include "ui/win32_window.h"

namespace kav {

inline constexpr UINT WM_TRAY_NOTIFY = 1029;
inline constexpr UINT WM_NO_KEYBOARD = 1030;

class Win32ShellLauncher final : public ShellLauncher {
 public:
  bool Execute(std::u16string_view file, std::u16string_view parameters, std::u16string_view directory) override;
};

// What the application object hands to the main window.
struct MainWindowContext {
  HINSTANCE instance;
  StartOptions options;
  AppState& app;
  HidBus& bus;
  Clock& clock;
  ui::PictureLoader& pictures;
};

class CGameKeyboardDlg final : public ui::Dialog, private MainWindowHost {
 public:
  explicit CGameKeyboardDlg(MainWindowContext context);
  ~CGameKeyboardDlg() override;

 protected:
  INT_PTR handle(UINT msg, WPARAM wp, LPARAM lp) override;
  bool preTranslate(MSG& msg) override;

 private:
  void initialise();
  void paint();
  void addTrayIcon();
  void removeTrayIcon();
  void showTrayMenu();
  void showBalloon();
  CBitSlider* slider(int controlId);

  // MainWindowHost
  void Redraw() override;
  void ShowWindow() override;
  void HideWindow() override;
  void EndDialog() override;
  void StartWindowDrag(int x, int y) override;
  void SetBusyCursor(bool busy) override;
  void ShowNoKeyboardBalloon() override;
  void ShowSlider(int controlId, bool visible) override;
  void MoveSlider(int controlId, int x, int y) override;
  void SetSliderPosition(int controlId, int position) override;
  int SliderPosition(int controlId) override;

  MainWindowContext context_;
  Win32DeviceWindow deviceWindow_;
  DeviceSession session_;
  ui::Win32Dialogs dialogs_;
  Win32ShellLauncher shell_;
  MainWindowModel model_;
  CBitSlider speed_, reportRate_, brightness_;
  NOTIFYICONDATAW tray_{};
  bool trayAdded_ = false;
  bool busy_ = false;
  HICON icon_ = nullptr;
};

}  // namespace kav
