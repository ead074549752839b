#include "option/skin/win32_skin_source.h"

#include <windows.h>

#include "ui/win32_text.h"

namespace opt {
namespace {

constexpr DWORD kValueBufferChars = 2048;  // values up to 2047 characters

}  // namespace

std::u16string PrivateProfileSkinSource::read(std::u16string_view section, std::u16string_view key) {
  wchar_t buffer[kValueBufferChars] = {};
  const std::wstring wideSection = ui::Wide(section);
  const std::wstring wideKey = ui::Wide(key);
  const DWORD length =
      GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), L"", buffer, kValueBufferChars, file_.c_str());
  return ui::FromWide(std::wstring_view(buffer, length));
}

}  // namespace opt
