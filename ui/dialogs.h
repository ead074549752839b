#pragma once
// Port for the system's standard dialogs: message box, colour chooser and file dialogs.

#include <optional>
#include <string>
#include <vector>

#include "ui/geometry.h"

namespace ui {

enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageResult { Ok, Cancel, Yes, No };

struct FileDialogOptions {
  // Pairs of description and pattern, for example {u"exe file(*.exe)", u"*.EXE"}.
  std::vector<std::pair<std::u16string, std::u16string>> filters;
  std::u16string defaultExtension;
  std::u16string initialName;  // may hold a folder, as in "C:\\Users\\me\\Desktop\\.exe"
  bool allowMultiple = false;
  bool hideReadOnly = true;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual MessageResult messageBox(const std::u16string& text, const std::u16string& caption, MessageButtons buttons,
                                   MessageIcon icon) = 0;
  virtual std::optional<Colour> chooseColour(Colour initial) = 0;
  // The chosen full path, or nothing when the user cancelled.
  virtual std::optional<std::u16string> openFile(const FileDialogOptions& options) = 0;
  virtual std::optional<std::u16string> saveFile(const FileDialogOptions& options) = 0;
  virtual std::optional<std::u16string> chooseFolder(const std::u16string& title) = 0;
};

}  // namespace ui
