#pragma once
// The main window: its view state, what every click, mouse move and message does, and the
// full redraw. The Win32 window (win32_main_window.*) only forwards to it.

#include <array>
#include <cstdint>
#include <optional>

#include "kavrelle/app/app_state.h"
#include "kavrelle/device/device_session.h"
#include "kavrelle/mainwindow/main_window_ports.h"
#include "kavrelle/mainwindow/screen_layout.h"
#include "ui/canvas.h"
#include "ui/dialogs.h"
#include "ui/picture_cache.h"

namespace kav {

inline constexpr std::uint8_t kNoKey = 255;
inline constexpr std::uint8_t kNoRow = 255;

// The helpers the model calls out through.
struct MainWindowPorts {
  MainWindowHost& host;
  ui::Dialogs& dialogs;
  ShellLauncher& shell;
  ui::PictureLoader& pictures;
};

class MainWindowModel {
 public:
  MainWindowModel(AppState& app, DeviceSession& device, MainWindowPorts ports);

  // Start-up: sections collapsed, no key hovered or selected, sliders placed.
  void Initialise();

  void OnLeftButtonDown(int x, int y);
  void OnLeftButtonUp(int x, int y);
  void OnMouseMove(int x, int y, bool leftButtonPressed);

  // WM_DEVICE_KEY: runs the host action of the key whose own VK the keyboard reported.
  void OnDeviceKey(std::uint8_t vk);
  // WM_DEVICE_LOADED: lParam 0 after a read from the keyboard, 1 after the profile manager.
  void OnDeviceLoaded(std::intptr_t source);
  // WM_SLIDER_MOVED: a slider painted or moved; its value goes into the live image.
  void OnSliderMoved(int controlId);
  // Tray icon double-click: shows the window, or the balloon when no keyboard is there.
  void OnTrayDoubleClick();

  void Draw(ui::Canvas& canvas);

  struct View {
    SectionState sections;
    bool effectListOpen = false;
    bool responseListOpen = false;
    bool helpOpen = false;
    bool paintMode = false;
    bool leftButtonDown = false;
    std::uint8_t hoveredKey = kNoKey;
    std::uint8_t selectedKey = kNoKey;
    std::uint8_t effectHoverRow = kNoRow;
    std::uint8_t responseHoverRow = kNoRow;
  };
  const View& view() const { return view_; }

 private:
  void dispatch(int code);
  void clickKey(int key);
  bool clickInEffectList(int x, int y);
  bool clickInResponseList(int x, int y);
  void clickInHelp(int x, int y);
  void save();
  void cancel();
  void factoryReset();
  void close();
  void startUpdater();
  void offerFirmwareUpdate();
  void writeLiveState();
  void setSlidersFromImage();
  // Shows, hides and moves the sliders as the sections and lists require.
  void placeSliders();
  HitContext hitContext() const;
  int hitTest(int x, int y);
  bool overListRow(int x, int y) const;
  std::optional<int> effectListRowAt(int x, int y) const;
  std::optional<int> responseListRowAt(int x, int y) const;

  // Drawing, in the order of the full redraw.
  void drawPicture(ui::Canvas& canvas, std::u16string_view name, int x, int y);
  void drawPicturePart(ui::Canvas& canvas, std::u16string_view name, ui::Rect source, int x, int y);
  void drawText(ui::Canvas& canvas, std::u16string_view text, int x, int y, int height,
                ui::Colour colour = ui::kWhite);
  void drawKeyboard(ui::Canvas& canvas);
  void drawBottom(ui::Canvas& canvas);
  void drawLighting(ui::Canvas& canvas);
  void drawMacroBlock(ui::Canvas& canvas);
  void drawPerformance(ui::Canvas& canvas);
  void drawEffectList(ui::Canvas& canvas);
  void drawResponseList(ui::Canvas& canvas);
  void drawHelp(ui::Canvas& canvas);

  AppState& app_;
  DeviceSession& device_;
  MainWindowPorts ports_;
  ui::PictureCache pictures_;
  ScreenElements elements_;
  View view_;
  std::array<int, 3> lastSliderValue_{-1, -1, -1};  // speed, report rate, brightness
};

}  // namespace kav
