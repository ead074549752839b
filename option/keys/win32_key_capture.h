#pragma once
// The program's one keyboard capture: a low-level keyboard hook that swallows every key event
// system-wide and posts it to one window as WM_CAPTURED_KEY (option/keys/captured_key.h).
// The hook runs on the thread that installs it, inside its message loop; install and remove
// from the thread that owns the window.

#include <windows.h>

namespace opt {

// Captures keys for `window`. A capture already active is moved to `window`, so there is never more
// than one hook. False when the hook could not be installed.
bool installKeyCapture(HWND window);
// Ends the capture; typing reaches programs again. Failures only go to the debugger output.
void removeKeyCapture();

}  // namespace opt
