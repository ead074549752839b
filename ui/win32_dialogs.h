#pragma once
// The standard-dialog port on Win32: MessageBoxW, ChooseColorW, GetOpenFileNameW /
// GetSaveFileNameW and the folder browser, all owned by one window.

#include <windows.h>

#include "ui/dialogs.h"

namespace ui {

class Win32Dialogs : public Dialogs {
 public:
  explicit Win32Dialogs(HWND owner = nullptr) : owner_(owner) {}
  void setOwner(HWND owner) { owner_ = owner; }

  MessageResult messageBox(const std::u16string& text, const std::u16string& caption, MessageButtons buttons,
                           MessageIcon icon) override;
  std::optional<Colour> chooseColour(Colour initial) override;
  std::optional<std::u16string> openFile(const FileDialogOptions& options) override;
  std::optional<std::u16string> saveFile(const FileDialogOptions& options) override;
  std::optional<std::u16string> chooseFolder(const std::u16string& title) override;

 private:
  std::optional<std::u16string> fileDialog(const FileDialogOptions& options, bool save);
  HWND owner_;
  COLORREF custom_[16]{};
};

}  // namespace ui
