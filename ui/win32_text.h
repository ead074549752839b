#pragma once
// UTF-16 text crosses into Win32 here (wchar_t is 16 bits on Windows).

#include <string>
#include <string_view>

namespace ui {

inline std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
inline std::u16string FromWide(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

}  // namespace ui
