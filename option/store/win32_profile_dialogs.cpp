#include "option/store/win32_profile_dialogs.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "ui/win32_debug.h"

namespace opt {
namespace {

// Room for long paths; the dialog reports a larger choice as an error.
constexpr DWORD kPathChars = 32768;

std::wstring toWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// "description|pattern|" pairs become the list of zero-terminated strings the dialog takes.
std::wstring dialogFilter(std::u16string_view filter) {
  std::wstring result = toWide(filter);
  for (wchar_t& c : result) {
    if (c == L'|') c = L'\0';
  }
  result.push_back(L'\0');
  return result;
}

}  // namespace

std::optional<std::filesystem::path> Win32ProfileDialogs::chooseExportFile(const ProfileDialogRequest& request) {
  return run(request, true);
}

std::optional<std::filesystem::path> Win32ProfileDialogs::chooseImportFile(const ProfileDialogRequest& request) {
  return run(request, false);
}

std::optional<std::filesystem::path> Win32ProfileDialogs::run(const ProfileDialogRequest& request, bool save) {
  std::vector<wchar_t> file(kPathChars, L'\0');
  const std::wstring initial = request.initialFile.wstring();
  if (initial.size() < file.size()) std::copy(initial.begin(), initial.end(), file.begin());
  const std::wstring filter = dialogFilter(request.filter);
  const std::wstring extension = toWide(request.defaultExtension);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kPathChars;
  dialog.lpstrDefExt = extension.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLESIZING |
                 (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) {
    // Zero when the user cancelled; otherwise a dialog error code, not a system one.
    if (const DWORD error = CommDlgExtendedError())
      ui::DebugOut(L"File dialog failed: " + std::to_wstring(error) + L"\n");
    return std::nullopt;
  }
  return std::filesystem::path(file.data());
}

std::string Win32ProfileDialogs::toIniText(const std::filesystem::path& name) {
  const std::wstring wide = name.wstring();
  if (wide.empty()) return {};
  const int size =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) {
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr, nullptr);
  }
  return text;
}

}  // namespace opt
