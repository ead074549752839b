#pragma once
// The program's macro library: macros in the order the user sees them, addressed by index.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "option/macros/macro_record.h"

namespace opt {

// Records are allocated one by one, so a record stays where it is while the list changes.
using MacroList = std::vector<std::unique_ptr<MacroRecord>>;

// Which bytes of the ANSI code page begin a two-byte character, so that the trail byte of
// such a character is never taken for a letter.
class AnsiCodePage {
 public:
  virtual ~AnsiCodePage() = default;
  virtual bool isLeadByte(std::uint8_t byte) const = 0;
};

// A code page of single-byte characters only.
class SingleByteCodePage : public AnsiCodePage {
 public:
  bool isLeadByte(std::uint8_t) const override { return false; }
};

void clearMacros(MacroList& list);
// Nothing when the index is outside the list.
MacroRecord* macroAt(const MacroList& list, int index);

// Names compare without regard to case (ASCII letters, outside two-byte characters).
bool sameMacroName(std::string_view a, std::string_view b, const AnsiCodePage& codePage);
// Blanks removed from both ends.
std::string_view trimMacroName(std::string_view name);

}  // namespace opt
