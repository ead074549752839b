#include "option/keys/win32_key_capture.h"

#include <cstdio>

#include "option/keys/captured_key.h"

namespace opt {
namespace {

// A low-level hook procedure gets no context, so the capture lives here.
HHOOK captureHook = nullptr;
HWND captureWindow = nullptr;

void traceHookHandle(HHOOK hook) {
  char text[48];
  std::snprintf(text, sizeof text, "Hhook: %llx\r\n",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(hook)));
  OutputDebugStringA(text);
}

LRESULT CALLBACK captureProc(int code, WPARAM wParam, LPARAM lParam) {
  (void)wParam;
  if (code >= 0) {
    const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    char text[48];
    std::snprintf(text, sizeof text, "vkcode=%lx,scancode=%lx\n", event->vkCode, event->scanCode);
    OutputDebugStringA(text);
    PostMessageW(captureWindow, WM_CAPTURED_KEY, event->vkCode, event->flags & kCapturedKeyFlagsMask);
  }
  // Never passed on: while capturing, no program and no other hook sees a keystroke.
  return 1;
}

void unhook() {
  traceHookHandle(captureHook);
  const bool removed = captureHook && UnhookWindowsHookEx(captureHook);
  OutputDebugStringA(removed ? "UnHhook: Success \r\n" : "UnHhook: Fail \r\n");
  captureHook = nullptr;
  captureWindow = nullptr;
}

}  // namespace

bool installKeyCapture(HWND window) {
  captureWindow = window;
  // Installing again only retargets the capture: a second hook over a forgotten first one
  // would go on swallowing every key after the last remove.
  if (!captureHook) captureHook = SetWindowsHookExW(WH_KEYBOARD_LL, captureProc, GetModuleHandleW(nullptr), 0);
  traceHookHandle(captureHook);
  if (!captureHook) captureWindow = nullptr;
  return captureHook != nullptr;
}

void removeKeyCapture() { unhook(); }

}  // namespace opt
