#pragma once
// Runs a command of the machine Wine runs on (xdotool, xwd, convert) from a Windows test
// program: Wine starts Unix executables given by their Unix path.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace testing_support {

// Runs "/usr/bin/sh -c <command>" and returns its exit code, or -1 when it could not be
// started or did not end within the time-out. Wine gives no waitable handle for a Unix
// process, so the command leaves its exit code in a file that is polled for.
inline int RunUnix(const std::string& command, DWORD timeoutMs = 60000) {
  static int counter = 0;
  const std::string marker = "/tmp/kav-unix-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
  const std::string script = "(" + command + "); echo $? > " + marker + ".part && mv " + marker + ".part " + marker;
  std::wstring line = L"/usr/bin/sh -c \"";
  for (char c : script) {
    if (c == '"' || c == '\\') line += L'\\';
    line += static_cast<wchar_t>(static_cast<unsigned char>(c));
  }
  line += L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  if (pi.hThread) CloseHandle(pi.hThread);
  if (pi.hProcess) CloseHandle(pi.hProcess);
  const std::wstring windowsMarker = L"Z:" + std::wstring(marker.begin(), marker.end());
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (GetFileAttributesW(windowsMarker.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (GetTickCount64() > end) return -1;
    Sleep(5);
  }
  int code = -1;
  if (FILE* f = _wfopen(windowsMarker.c_str(), L"r")) {
    if (fscanf(f, "%d", &code) != 1) code = -1;
    fclose(f);
  }
  DeleteFileW(windowsMarker.c_str());
  return code;
}

// Pumps this thread's messages until `condition` holds or the time-out passes.
inline bool PumpUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (true) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// A screenshot of the whole display as PNG.
inline bool Screenshot(const std::string& unixPngPath) {
  return RunUnix("xwd -root -silent | /usr/bin/convert xwd:- png:'" + unixPngPath + "'") == 0;
}

}  // namespace testing_support
