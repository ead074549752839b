// The keyboard capture hook under Wine: keys sent with SendInput go to the capturing window as
// WM_CAPTURED_KEY and nowhere else until the capture ends; and the system layout agrees with
// the US layout used natively.

#include "option/keys/win32_key_capture.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "option/keys/captured_key.h"
#include "option/keys/key_codes.h"
#include "option/keys/win32_keyboard_layout.h"

namespace opt {
namespace {

constexpr DWORD kPatienceMs = 15000;

struct Message {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const Message&) const = default;
  friend void PrintTo(const Message& m, std::ostream* out) {
    *out << std::hex << "{msg " << m.msg << ", wParam " << m.wParam << ", lParam " << m.lParam << "}";
  }
};

// The messages that matter here, per window.
struct Recorder {
  std::vector<Message> captured;  // WM_CAPTURED_KEY
  std::vector<Message> typed;     // WM_KEYDOWN / WM_KEYUP and their system forms
};

LRESULT CALLBACK recordingProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* recorder = reinterpret_cast<Recorder*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (recorder) {
    if (msg == WM_CAPTURED_KEY) recorder->captured.push_back({msg, wParam, lParam});
    if (msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP)
      recorder->typed.push_back({msg, wParam, 0});
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

// Runs the message loop (the hook is called from it) until `done` holds or the patience ends.
bool pumpUntil(const std::function<bool()>& done) {
  const ULONGLONG deadline = GetTickCount64() + kPatienceMs;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
  }
}

void sendKey(WORD vk, bool extended, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (extended ? KEYEVENTF_EXTENDEDKEY : 0) | (up ? KEYEVENTF_KEYUP : 0);
  ASSERT_EQ(SendInput(1, &input, sizeof input), 1u);
}

void tap(WORD vk, bool extended = false) {
  sendKey(vk, extended, false);
  sendKey(vk, extended, true);
}

// Debugger output, seen by a vectored handler before OutputDebugString's own handler.
std::vector<std::string>* traces = nullptr;

LONG CALLBACK traceCatcher(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD& record = *info->ExceptionRecord;
  if (traces && record.ExceptionCode == DBG_PRINTEXCEPTION_C && record.NumberParameters >= 2) {
    const auto* text = reinterpret_cast<const char*>(record.ExceptionInformation[1]);
    std::string line(text, record.ExceptionInformation[0] ? record.ExceptionInformation[0] - 1 : 0);
    if (line.rfind("Hhook", 0) == 0 || line.rfind("UnHhook", 0) == 0 || line.rfind("vkcode", 0) == 0)
      traces->push_back(line);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

class KeyCapture : public testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = recordingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KeyCaptureTestWindow";
    RegisterClassW(&windowClass);
    typing_ = makeWindow(typed_, L"typing", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    capturing_ = makeWindow(capturedA_, L"capturing", WS_OVERLAPPEDWINDOW);
    otherCapturing_ = makeWindow(capturedB_, L"capturing too", WS_OVERLAPPEDWINDOW);

    SetForegroundWindow(typing_);
    SetFocus(typing_);
    ASSERT_TRUE(pumpUntil([&] { return GetForegroundWindow() == typing_ && GetFocus() == typing_; }))
        << "the typing window did not get the focus";
  }

  void TearDown() override {
    removeKeyCapture();
    DestroyWindow(typing_);
    DestroyWindow(capturing_);
    DestroyWindow(otherCapturing_);
  }

  HWND makeWindow(Recorder& recorder, const wchar_t* title, DWORD style) {
    HWND window = CreateWindowExW(0, L"KeyCaptureTestWindow", title, style, 50, 50, 300, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(window, nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&recorder));
    return window;
  }

  // After the capture ends, a tap of B reaches the typing window; any key that slipped past
  // the capture would have arrived before it.
  void expectTypingReachesOnlyTheFocusAgain() {
    tap('B');
    ASSERT_TRUE(pumpUntil([&] { return typed_.typed.size() >= 2; })) << "typing did not come back";
    const std::vector<Message> expected{{WM_KEYDOWN, 'B', 0}, {WM_KEYUP, 'B', 0}};
    EXPECT_EQ(typed_.typed, expected);
  }

  Recorder typed_, capturedA_, capturedB_;
  HWND typing_ = nullptr;
  HWND capturing_ = nullptr;
  HWND otherCapturing_ = nullptr;
};

TEST_F(KeyCapture, KeysArePostedToTheCapturingWindowAndReachNothingElseUntilRemoved) {
  ASSERT_TRUE(installKeyCapture(capturing_));
  tap('A');
  tap(VK_RIGHT, true);
  tap(VK_RETURN, true);  // keypad Enter
  tap(VK_RETURN);
  tap(VK_LMENU);
  ASSERT_TRUE(pumpUntil([&] { return capturedA_.captured.size() >= 10; }));

  struct Expected {
    WPARAM vk;
    LPARAM flags;
    std::uint32_t decodedVk;
  };
  const Expected expected[] = {
      {0x41, 0x00, 0x41}, {0x41, 0x80, 0x41}, {0x27, 0x01, 0x27}, {0x27, 0x81, 0x27}, {0x0D, 0x01, 0x6C},
      {0x0D, 0x81, 0x6C}, {0x0D, 0x00, 0x0D}, {0x0D, 0x80, 0x0D}, {0xA4, 0x00, 0xA4}, {0xA4, 0x80, 0xA4},
  };
  ASSERT_EQ(capturedA_.captured.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const Message& got = capturedA_.captured[i];
    EXPECT_EQ(got.wParam, expected[i].vk) << i;
    EXPECT_EQ(got.lParam, expected[i].flags) << i;
    EXPECT_EQ(decodeCapturedKey(got.wParam, got.lParam).vk, expected[i].decodedVk) << i;
  }
  EXPECT_TRUE(typed_.typed.empty());

  removeKeyCapture();
  expectTypingReachesOnlyTheFocusAgain();
  EXPECT_EQ(capturedA_.captured.size(), std::size(expected));
}

TEST_F(KeyCapture, InstallingAgainMovesTheCaptureAndOneRemoveEndsIt) {
  ASSERT_TRUE(installKeyCapture(capturing_));
  ASSERT_TRUE(installKeyCapture(otherCapturing_));
  tap('A');
  ASSERT_TRUE(pumpUntil([&] { return capturedB_.captured.size() >= 2; }));
  EXPECT_TRUE(capturedA_.captured.empty());

  removeKeyCapture();
  expectTypingReachesOnlyTheFocusAgain();
  EXPECT_EQ(capturedB_.captured.size(), 2u);
}

TEST_F(KeyCapture, WritesItsTracesToTheDebuggerOutput) {
  std::vector<std::string> seen;
  traces = &seen;
  PVOID catcher = AddVectoredExceptionHandler(1, traceCatcher);

  ASSERT_TRUE(installKeyCapture(capturing_));
  tap('A');
  ASSERT_TRUE(pumpUntil([&] { return capturedA_.captured.size() >= 2; }));
  removeKeyCapture();
  removeKeyCapture();  // nothing left to remove

  RemoveVectoredExceptionHandler(catcher);
  traces = nullptr;
  ASSERT_EQ(seen.size(), 7u);
  std::smatch handle;
  ASSERT_TRUE(std::regex_match(seen[0], handle, std::regex("Hhook: ([0-9a-f]+)\r\n")));
  EXPECT_NE(handle[1], "0");
  EXPECT_EQ(seen[1], "vkcode=41,scancode=1e\n");
  EXPECT_EQ(seen[2], "vkcode=41,scancode=1e\n");
  EXPECT_EQ(seen[3], seen[0]);
  EXPECT_EQ(seen[4], "UnHhook: Success \r\n");
  EXPECT_EQ(seen[5], "Hhook: 0\r\n");
  EXPECT_EQ(seen[6], "UnHhook: Fail \r\n");
}

TEST(Win32KeyboardLayout, AgreesWithTheUsLayoutOnEveryRow) {
  if (LOWORD(reinterpret_cast<UINT_PTR>(GetKeyboardLayout(0))) != 0x0409) GTEST_SKIP() << "not a US layout";
  const Win32KeyboardLayout system;
  const UsKeyboardLayout us;
  for (const KeyCodeRow& row : KeyCodeTable) {
    EXPECT_EQ(usageFromVk(system, row.vk), usageFromVk(us, row.vk)) << std::hex << int(row.vk);
    EXPECT_EQ(vkFromUsage(system, row.usage), vkFromUsage(us, row.usage)) << std::hex << int(row.usage);
  }
}

}  // namespace
}  // namespace opt
