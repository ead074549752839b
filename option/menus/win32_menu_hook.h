#pragma once
// The menu frame hook: every popup menu window ("#32768") of the installing thread gets a
// flat frame (a cyan line outside, two near-black lines inside) instead of the system border.

#include <windows.h>

namespace opt {

inline constexpr wchar_t kMenuWindowClass[] = L"#32768";
inline constexpr wchar_t kMenuOldProcProperty[] = L"CoolMenu_oldProc";
inline constexpr UINT kMsgMenuSizeWindow = 0x1E2;  // the system's internal menu sizing message

// Once per thread at start-up; a second call does nothing. False when the hook failed.
bool installMenuHook();
// Restores every subclassed menu window, frees the table and removes the hook.
void removeMenuHook();
// How many menu windows are subclassed right now.
std::size_t subclassedMenuCount();

// The frame itself, on a DC whose origin is the window's top-left corner.
void DrawMenuFrame(HDC dc, int width, int height);

}  // namespace opt
