#pragma once
// Diagnostics go to the debugger output only.

#include <windows.h>

#include <string_view>

namespace ui {

void DebugOut(std::wstring_view text);
// "<operation> failed: <code> <system text>" for GetLastError() (or the given code).
void ReportWin32Failure(std::wstring_view operation, DWORD error = GetLastError());

}  // namespace ui
