#pragma once
// The system's ANSI code page, the one Option's stored names are written in.

#include "option/macros/macro_list.h"

namespace opt {

class Win32AnsiCodePage : public AnsiCodePage {
 public:
  bool isLeadByte(std::uint8_t byte) const override;
};

}  // namespace opt
