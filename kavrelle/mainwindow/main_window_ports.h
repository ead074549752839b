#pragma once
// What the main window's model needs from its Win32 window and from the shell.

#include <string_view>

namespace kav {

class MainWindowHost {
 public:
  virtual ~MainWindowHost() = default;
  virtual void Redraw() = 0;
  virtual void ShowWindow() = 0;  // normal, brought forward
  virtual void HideWindow() = 0;  // not minimised: only the tray brings it back
  virtual void EndDialog() = 0;
  // Lets the user drag the captionless window from this point.
  virtual void StartWindowDrag(int x, int y) = 0;
  virtual void SetBusyCursor(bool busy) = 0;
  virtual void ShowNoKeyboardBalloon() = 0;

  // The three bitmap sliders, by control ID.
  virtual void ShowSlider(int controlId, bool visible) = 0;
  virtual void MoveSlider(int controlId, int x, int y) = 0;
  virtual void SetSliderPosition(int controlId, int position) = 0;
  virtual int SliderPosition(int controlId) = 0;
};

class ShellLauncher {
 public:
  virtual ~ShellLauncher() = default;
  // Starts a program, document, folder or web address and returns at once; false when the
  // system could not start it.
  virtual bool Execute(std::u16string_view file, std::u16string_view parameters, std::u16string_view directory) = 0;
};

}  // namespace kav
