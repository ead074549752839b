#include "option/macros/win32_ansi_code_page.h"

#include <windows.h>

namespace opt {

bool Win32AnsiCodePage::isLeadByte(std::uint8_t byte) const { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace opt
