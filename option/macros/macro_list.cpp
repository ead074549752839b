#include "option/macros/macro_list.h"

namespace opt {
namespace {

char foldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

void clearMacros(MacroList& list) { list.clear(); }

MacroRecord* macroAt(const MacroList& list, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return nullptr;
  return list[static_cast<std::size_t>(index)].get();
}

std::string_view trimMacroName(std::string_view name) {
  while (!name.empty() && isBlank(name.front())) name.remove_prefix(1);
  while (!name.empty() && isBlank(name.back())) name.remove_suffix(1);
  return name;
}

bool sameMacroName(std::string_view a, std::string_view b, const AnsiCodePage& codePage) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (codePage.isLeadByte(static_cast<std::uint8_t>(a[i])) && i + 1 < a.size()) {
      // A two-byte character matches only itself.
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (foldAscii(a[i]) != foldAscii(b[i])) return false;
  }
  return true;
}

}  // namespace opt
