#include "ui/win32_debug.h"

#include <string>

namespace ui {

void DebugOut(std::wstring_view text) {
  const std::wstring copy(text);
  OutputDebugStringW(copy.c_str());
}

void ReportWin32Failure(std::wstring_view operation, DWORD error) {
  wchar_t* message = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, error, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  std::wstring text(operation);
  text += L" failed: " + std::to_wstring(error) + L" ";
  if (message) {
    text += message;
    LocalFree(message);
  }
  if (text.empty() || text.back() != L'\n') text += L'\n';
  OutputDebugStringW(text.c_str());
}

}  // namespace ui
