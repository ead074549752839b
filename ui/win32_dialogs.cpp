#include "ui/win32_dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "ui/win32_debug.h"
#include "ui/win32_gdi.h"
#include "ui/win32_text.h"

namespace ui {

MessageResult Win32Dialogs::messageBox(const std::u16string& text, const std::u16string& caption,
                                       MessageButtons buttons, MessageIcon icon) {
  UINT type = buttons == MessageButtons::OkCancel ? MB_OKCANCEL : buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
  switch (icon) {
    case MessageIcon::Information:
      type |= MB_ICONINFORMATION;
      break;
    case MessageIcon::Warning:
      type |= MB_ICONWARNING;
      break;
    case MessageIcon::Error:
      type |= MB_ICONERROR;
      break;
    case MessageIcon::Question:
      type |= MB_ICONQUESTION;
      break;
    case MessageIcon::None:
      break;
  }
  switch (MessageBoxW(owner_, Wide(text).c_str(), Wide(caption).c_str(), type)) {
    case IDOK:
      return MessageResult::Ok;
    case IDYES:
      return MessageResult::Yes;
    case IDNO:
      return MessageResult::No;
    default:
      return MessageResult::Cancel;
  }
}

std::optional<Colour> Win32Dialogs::chooseColour(Colour initial) {
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner_;
  cc.rgbResult = ToCOLORREF(initial);
  cc.lpCustColors = custom_;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&cc)) return std::nullopt;
  return Colour{GetRValue(cc.rgbResult), GetGValue(cc.rgbResult), GetBValue(cc.rgbResult)};
}

std::optional<std::u16string> Win32Dialogs::fileDialog(const FileDialogOptions& options, bool save) {
  std::wstring filter;
  for (const auto& [description, pattern] : options.filters) {
    filter += Wide(description);
    filter += L'\0';
    filter += Wide(pattern);
    filter += L'\0';
  }
  filter += L'\0';
  // Multiple selection returns the folder and the names separated by NULs: room for many.
  std::vector<wchar_t> name(options.allowMultiple ? 32768 : MAX_PATH * 2, L'\0');
  const std::wstring initial = Wide(options.initialName);
  lstrcpynW(name.data(), initial.c_str(), static_cast<int>(name.size()));
  const std::wstring extension = Wide(options.defaultExtension);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner_;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | (options.hideReadOnly ? OFN_HIDEREADONLY : 0) |
              (options.allowMultiple ? OFN_ALLOWMULTISELECT : 0) | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  const BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!ok) return std::nullopt;
  std::wstring chosen(name.data());
  // With several files chosen the first string is the folder: the path of the first file.
  if (options.allowMultiple && name[chosen.size() + 1] != L'\0') {
    std::wstring first(name.data() + chosen.size() + 1);
    if (!chosen.empty() && chosen.back() != L'\\') chosen += L'\\';
    chosen += first;
  }
  return FromWide(chosen);
}

std::optional<std::u16string> Win32Dialogs::openFile(const FileDialogOptions& options) {
  return fileDialog(options, false);
}

std::optional<std::u16string> Win32Dialogs::saveFile(const FileDialogOptions& options) {
  return fileDialog(options, true);
}

std::optional<std::u16string> Win32Dialogs::chooseFolder(const std::u16string& title) {
  const std::wstring wideTitle = Wide(title);
  BROWSEINFOW info{};
  info.hwndOwner = owner_;
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info);
  if (!list) return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  const BOOL ok = SHGetPathFromIDListW(list, path);
  CoTaskMemFree(list);
  if (!ok) return std::nullopt;
  return FromWide(path);
}

}  // namespace ui
