// A stand-in for the monitor process, for tests and demos: it owns the shared settings
// record and the mutex, answers Option's apply message and can send the monitor's notices.
//
//   monitor_standin.exe [--size BYTES] [--record FILE] [--reply-delay MS | --no-reply] [--out FOLDER]
//
//   --size         size of the shared memory (default: one settings record)
//   --record       initial record, a raw file of the record's size (default: factory values)
//   --reply-delay  answer each apply with "apply finished" after MS milliseconds (default 200)
//   --no-reply     never answer
//   --out          write each received record to FOLDER\received-<n>.bin: the apply mode as a
//                  32-bit little-endian number, then the record
//
// Posting kStandinSend (WM_APP + 1) to its window with wParam 1254, 1255 or 1257 sends that
// notice to Option; for 1257, lParam is the profile the "keyboard" switches to (-1: the next).

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "option/store/keyboard_settings.h"
#include "option/store/monitor_link.h"
#include "option/store/settings_store.h"
#include "ui/file_io.h"

namespace {

constexpr UINT kStandinSend = WM_APP + 1;
constexpr UINT_PTR kFirstReplyTimer = 100;
constexpr DWORD kMutexWaitMs = 5000;
constexpr int kButtonNextProfile = 11;
constexpr int kButtonReloadSettings = 12;
constexpr int kButtonReloadAll = 13;
constexpr int kStatusId = 20;
constexpr wchar_t kWindowClass[] = L"KeyboardMonitorStandin";

std::wstring wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

struct Options {
  std::size_t size = sizeof(opt::KeyboardSettings);
  std::optional<std::filesystem::path> record;
  std::optional<DWORD> replyDelay = 200;
  std::optional<std::filesystem::path> out;
};

std::optional<Options> parseOptions() {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args) return std::nullopt;
  Options options;
  bool ok = true;
  for (int i = 1; i < count && ok; ++i) {
    const std::wstring arg = args[i];
    const bool hasValue = i + 1 < count;
    if (arg == L"--size" && hasValue) {
      options.size = std::wcstoul(args[++i], nullptr, 10);
      ok = options.size > 0;
    } else if (arg == L"--record" && hasValue) {
      options.record = args[++i];
    } else if (arg == L"--reply-delay" && hasValue) {
      options.replyDelay = std::wcstoul(args[++i], nullptr, 10);
    } else if (arg == L"--no-reply") {
      options.replyDelay.reset();
    } else if (arg == L"--out" && hasValue) {
      options.out = args[++i];
    } else {
      ok = false;
    }
  }
  LocalFree(args);
  if (!ok) return std::nullopt;
  return options;
}

class Standin {
 public:
  explicit Standin(Options options) : options_(std::move(options)) {}
  ~Standin() {
    if (view_) UnmapViewOfFile(view_);
    if (mapping_) CloseHandle(mapping_);
    if (mutex_) CloseHandle(mutex_);
  }

  // Creates the shared memory and the mutex; an error text when that is not possible.
  std::wstring createObjects() {
    const auto size = static_cast<unsigned long long>(options_.size);
    mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, static_cast<DWORD>(size >> 32),
                                  static_cast<DWORD>(size), wide(opt::kSharedMemoryName).c_str());
    if (!mapping_) return L"Could not create the shared memory.";
    if (GetLastError() == ERROR_ALREADY_EXISTS) return L"Another monitor already owns the shared memory.";
    view_ = static_cast<std::uint8_t*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (!view_) return L"Could not map the shared memory.";
    mutex_ = CreateMutexW(nullptr, FALSE, wide(opt::kMonitorMutexName).c_str());
    if (!mutex_) return L"Could not create the mutex.";

    std::vector<std::uint8_t> initial(sizeof(opt::KeyboardSettings));
    if (options_.record) {
      const auto bytes = ui::ReadFileBytes(*options_.record, initial.size());
      if (!bytes || bytes->size() != initial.size()) return L"The record file does not hold one settings record.";
      initial = *bytes;
    } else {
      auto* record = reinterpret_cast<opt::KeyboardSettings*>(initial.data());
      opt::factoryDefaults(*record);
    }
    std::memcpy(view_, initial.data(), std::min(initial.size(), options_.size));
    return {};
  }

  LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_CREATE:
        window_ = window;
        createControls();
        updateStatus();
        return 0;
      case opt::kMsgApplyRecord:
        receiveRecord(static_cast<std::uint32_t>(wParam));
        return 0;
      case kStandinSend:
        sendNotice(static_cast<UINT>(wParam), static_cast<int>(lParam));
        return 0;
      case WM_TIMER:
        KillTimer(window, wParam);
        postToOption(opt::kMsgApplyFinished);
        return 0;
      case WM_COMMAND:
        if (LOWORD(wParam) == kButtonNextProfile) sendNotice(opt::kMsgKeyboardChangedProfile, -1);
        if (LOWORD(wParam) == kButtonReloadSettings) sendNotice(opt::kMsgReloadSettings, 0);
        if (LOWORD(wParam) == kButtonReloadAll) sendNotice(opt::kMsgReloadAll, 0);
        return 0;
      case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
      default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
  }

 private:
  bool recordFits() const { return options_.size >= sizeof(opt::KeyboardSettings); }
  opt::KeyboardSettings& record() { return *reinterpret_cast<opt::KeyboardSettings*>(view_); }

  void createControls() {
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const auto add = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id) {
      HWND control = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, window_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    };
    add(L"STATIC", L"", SS_LEFT, 12, 10, 400, 70, kStatusId);
    add(L"BUTTON", L"Keyboard: next profile (1257)", BS_PUSHBUTTON, 12, 88, 190, 28, kButtonNextProfile);
    add(L"BUTTON", L"Reload settings (1255)", BS_PUSHBUTTON, 212, 88, 190, 28, kButtonReloadSettings);
    add(L"BUTTON", L"Reload all (1254)", BS_PUSHBUTTON, 12, 124, 190, 28, kButtonReloadAll);
  }

  void updateStatus() {
    std::wstring text = L"Shared memory: " + std::to_wstring(options_.size) + L" bytes\r\n";
    if (recordFits()) {
      const opt::KeyboardSettings& shown = record();
      text += L"Current profile: " + std::to_wstring(shown.CurrentProfile + 1);
      const int slot = opt::currentSlot(shown);
      const std::string_view name = opt::fieldText(shown.profiles[slot].ProFileName);
      text += L" (" + std::wstring(name.begin(), name.end()) + L")\r\n";
    } else {
      text += L"Too small for a settings record\r\n";
    }
    text += L"Records received: " + std::to_wstring(received_);
    if (received_ > 0) text += L", last with apply mode " + std::to_wstring(lastMode_);
    text += L"\r\nReply: ";
    text += options_.replyDelay ? L"after " + std::to_wstring(*options_.replyDelay) + L" ms" : std::wstring(L"never");
    SetDlgItemTextW(window_, kStatusId, text.c_str());
  }

  bool copyRecord(std::vector<std::uint8_t>& into) {
    if (WaitForSingleObject(mutex_, kMutexWaitMs) != WAIT_OBJECT_0) return false;
    std::memcpy(into.data(), view_, std::min(into.size(), options_.size));
    ReleaseMutex(mutex_);
    return true;
  }

  void receiveRecord(std::uint32_t mode) {
    std::vector<std::uint8_t> entry(4 + sizeof(opt::KeyboardSettings), 0);
    std::vector<std::uint8_t> copy(sizeof(opt::KeyboardSettings), 0);
    if (!copyRecord(copy)) return;
    ++received_;
    lastMode_ = mode;
    std::memcpy(entry.data(), &mode, 4);
    std::memcpy(entry.data() + 4, copy.data(), copy.size());
    if (options_.out) {
      ui::WriteFileAtomically(*options_.out / (L"received-" + std::to_wstring(received_) + L".bin"), entry);
    }
    updateStatus();
    if (options_.replyDelay) {
      if (*options_.replyDelay == 0) {
        postToOption(opt::kMsgApplyFinished);
      } else {
        SetTimer(window_, kFirstReplyTimer + received_, *options_.replyDelay, nullptr);
      }
    }
  }

  void sendNotice(UINT notice, int profile) {
    if (notice == opt::kMsgKeyboardChangedProfile && recordFits() &&
        WaitForSingleObject(mutex_, kMutexWaitMs) == WAIT_OBJECT_0) {
      opt::KeyboardSettings& shared = record();
      shared.CurrentProfile = (profile >= 0 && profile < opt::kProfileCount)
                                  ? profile
                                  : (opt::currentSlot(shared) + 1) % opt::kProfileCount;
      ReleaseMutex(mutex_);
      updateStatus();
    }
    if (notice == opt::kMsgReloadAll || notice == opt::kMsgReloadSettings ||
        notice == opt::kMsgKeyboardChangedProfile) {
      postToOption(notice);
    }
  }

  void postToOption(UINT message) {
    if (HWND option = FindWindowW(nullptr, wide(opt::kOptionWindowTitle).c_str())) {
      PostMessageW(option, message, 0, 0);
    }
  }

  Options options_;
  HWND window_ = nullptr;
  HANDLE mapping_ = nullptr;
  HANDLE mutex_ = nullptr;
  std::uint8_t* view_ = nullptr;
  unsigned received_ = 0;
  std::uint32_t lastMode_ = 0;
};

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* standin = reinterpret_cast<Standin*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return standin ? standin->handle(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const auto options = parseOptions();
  if (!options) {
    MessageBoxW(nullptr,
                L"monitor_standin [--size BYTES] [--record FILE] [--reply-delay MS | --no-reply] [--out FOLDER]",
                L"Monitor stand-in", MB_OK);
    return 2;
  }
  Standin standin(*options);
  const std::wstring error = standin.createObjects();
  if (!error.empty()) {
    OutputDebugStringW((error + L"\n").c_str());
    return 1;
  }

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);
  HWND window = CreateWindowExW(0, kWindowClass, wide(opt::kMonitorWindowTitle).c_str(),
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT,
                                430, 200, nullptr, nullptr, instance, &standin);
  if (!window) return 1;
  ShowWindow(window, SW_SHOWNOACTIVATE);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
