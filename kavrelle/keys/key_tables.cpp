#include "kavrelle/keys/key_tables.h"

#include <cassert>
#include <string>

namespace kav {
namespace {

struct NamedVk {
  std::uint8_t vk;
  std::uint8_t usage;
  std::u16string_view name;
};

// Every filled entry that does not follow one of the ranges below.
constexpr NamedVk kNamedVks[] = {
    {0x08, 0x2A, u"Back "},
    {0x09, 0x2B, u"Tab "},
    {0x0D, 0x28, u"Enter "},
    {0x13, 0x48, u"Pause "},
    {0x14, 0x39, u"Caps "},
    {0x1B, 0x29, u"Esc "},
    {0x20, 0x2C, u"Space "},
    {0x21, 0x4B, u"PgUp "},
    {0x22, 0x4E, u"PgDn "},
    {0x23, 0x4D, u"End "},
    {0x24, 0x4A, u"Home "},
    {0x25, 0x50, u"Left "},
    {0x26, 0x52, u"Up "},
    {0x27, 0x4F, u"Right "},
    {0x28, 0x51, u"Down "},
    {0x2C, 0x46, u"Prscr "},
    {0x2D, 0x49, u"Inst "},
    {0x2E, 0x4C, u"Del "},
    {0x30, 0x27, u"0"},  // the one digit without a blank
    {0x5B, 0xE3, u"LWin "},
    {0x5C, 0xE7, u"RWin "},
    {0x5D, 0x65, u"Apps "},
    {0x60, 0x62, u"0-num "},
    {0x6A, 0x55, u"* "},
    {0x6B, 0x57, u"+ "},
    {0x6C, 0x58, u"Enter "},  // keypad Enter: same name as 0x0D, its own usage
    {0x6D, 0x56, u"- "},
    {0x6E, 0x63, u". "},
    {0x6F, 0x54, u"/ "},
    {0x90, 0x53, u"Num "},
    {0x91, 0x47, u"Scrol "},
    {0xA0, 0xE1, u"LShift "},
    {0xA1, 0xE5, u"RShift "},
    {0xA2, 0xE0, u"LCtrl "},
    {0xA3, 0xE4, u"RCtrl "},
    {0xA4, 0xE2, u"LAlt "},
    {0xA5, 0xE6, u"RAlt "},
    {0xAE, 0xEA, u"Volume DOWN "},
    {0xAF, 0xE9, u"Volume UP "},
    {0xB3, 0xCD, u"Play/Pause"},
    {0xB5, 0x83, u"Media "},
    {0xBA, 0x33, u"; "},
    {0xBB, 0x2E, u"= "},
    {0xBC, 0x36, u", "},
    {0xBD, 0x2D, u"- "},
    {0xBE, 0x37, u". "},
    {0xBF, 0x38, u"/ "},
    {0xC0, 0x35, u"` "},
    {0xDB, 0x2F, u"[ "},
    {0xDC, 0x32, u"\\ "},  // 0x32, not 0x31
    {0xDD, 0x30, u"] "},
    {0xDE, 0x34, u"' "},
    {0xF0, 0xF0, u"MsLB"},
    {0xF1, 0xF1, u"MsRB"},
    {0xF2, 0xF2, u"MsMB"},
    {0xF3, 0xF3, u""},
    {0xF4, 0xF4, u""},
    {0xF5, 0xF5, u"Mouse Pointer Right"},
    {0xF6, 0xF6, u"Mouse Pointer Up"},
    {0xF7, 0xF7, u"Mouse pointer Down"},
    {0xF8, 0xF8, u"Mouse Wheel Up"},
    {0xF9, 0xF9, u"Mouse Wheel Down"},
};

// Ranges that follow a rule: first VK, last VK, usage of the first VK.
constexpr std::uint8_t kFirstLetterVk = 0x41, kLastLetterVk = 0x5A, kFirstLetterUsage = 0x04;
constexpr std::uint8_t kFirstDigitVk = 0x31, kLastDigitVk = 0x39, kFirstDigitUsage = 0x1E;
constexpr std::uint8_t kFirstFunctionVk = 0x70, kLastFunctionVk = 0x7B, kFirstFunctionUsage = 0x3A;
constexpr std::uint8_t kFirstKeypadDigitVk = 0x61, kLastKeypadDigitVk = 0x69, kFirstKeypadDigitUsage = 0x59;

void SetName(KeyNameEntry& entry, std::u16string_view name) {
  assert(name.size() < kKeyNameLength);
  entry.name.fill(0);
  for (std::size_t i = 0; i < name.size(); ++i) entry.name[i] = name[i];
}

void SetName(KeyNameEntry& entry, std::u16string_view prefix, std::u16string_view suffix) {
  std::u16string text(prefix);
  text += suffix;
  SetName(entry, text);
}

std::u16string_view EntryName(const KeyNameEntry& entry) {
  std::size_t length = 0;
  while (length < entry.name.size() && entry.name[length] != 0) ++length;
  return std::u16string_view(entry.name.data(), length);
}

// Column and row to key position.
constexpr std::uint8_t At(unsigned column, unsigned row) { return static_cast<std::uint8_t>(kKeyRows * column + row); }

// clang-format off
constexpr std::array<KeyLayoutEntry, kKeyCount> kKeyLayout = {{
    // row 5 (keys 0-19): Esc, F1-F12, Prscr, Scrol, Pause, Volume DOWN, Media, Play/Pause, Volume UP
    {0x1B, At(0, 5)},  {0x70, At(2, 5)},  {0x71, At(3, 5)},  {0x72, At(4, 5)},  {0x73, At(5, 5)},
    {0x74, At(6, 5)},  {0x75, At(7, 5)},  {0x76, At(8, 5)},  {0x77, At(9, 5)},  {0x78, At(10, 5)},
    {0x79, At(11, 5)}, {0x7A, At(12, 5)}, {0x7B, At(13, 5)}, {0x2C, At(14, 5)}, {0x91, At(15, 5)},
    {0x13, At(16, 5)}, {0xAE, At(17, 5)}, {0xB5, At(18, 5)}, {0xB3, At(19, 5)}, {0xAF, At(20, 5)},
    // row 4 (keys 20-40): ` 1-9 0 - = Back Inst Home PgUp Num, keypad / * -
    {0xC0, At(0, 4)},  {0x31, At(1, 4)},  {0x32, At(2, 4)},  {0x33, At(3, 4)},  {0x34, At(4, 4)},
    {0x35, At(5, 4)},  {0x36, At(6, 4)},  {0x37, At(7, 4)},  {0x38, At(8, 4)},  {0x39, At(9, 4)},
    {0x30, At(10, 4)}, {0xBD, At(11, 4)}, {0xBB, At(12, 4)}, {0x08, At(13, 4)}, {0x2D, At(14, 4)},
    {0x24, At(15, 4)}, {0x21, At(16, 4)}, {0x90, At(17, 4)}, {0x6F, At(18, 4)}, {0x6A, At(19, 4)},
    {0x6D, At(20, 4)},
    // row 3 (keys 41-60): Tab Q-P [ ] \ Del End PgDn, keypad 7 8 9
    {0x09, At(0, 3)},  {0x51, At(1, 3)},  {0x57, At(2, 3)},  {0x45, At(3, 3)},  {0x52, At(4, 3)},
    {0x54, At(5, 3)},  {0x59, At(6, 3)},  {0x55, At(7, 3)},  {0x49, At(8, 3)},  {0x4F, At(9, 3)},
    {0x50, At(10, 3)}, {0xDB, At(11, 3)}, {0xDD, At(12, 3)}, {0xDC, At(13, 3)}, {0x2E, At(14, 3)},
    {0x23, At(15, 3)}, {0x22, At(16, 3)}, {0x67, At(17, 3)}, {0x68, At(18, 3)}, {0x69, At(19, 3)},
    // row 2 (keys 61-77): keypad +, Caps A-L ; ' Enter, keypad 4 5 6
    {0x6B, At(20, 2)}, {0x14, At(0, 2)},  {0x41, At(1, 2)},  {0x53, At(2, 2)},  {0x44, At(3, 2)},
    {0x46, At(4, 2)},  {0x47, At(5, 2)},  {0x48, At(6, 2)},  {0x4A, At(7, 2)},  {0x4B, At(8, 2)},
    {0x4C, At(9, 2)},  {0xBA, At(10, 2)}, {0xDE, At(11, 2)}, {0x0D, At(13, 2)}, {0x64, At(17, 2)},
    {0x65, At(18, 2)}, {0x66, At(19, 2)},
    // row 1 (keys 78-93): LShift Z-M , . / RShift Up, keypad 1 2 3
    {0xA0, At(0, 1)},  {0x5A, At(1, 1)},  {0x58, At(2, 1)},  {0x43, At(3, 1)},  {0x56, At(4, 1)},
    {0x42, At(5, 1)},  {0x4E, At(6, 1)},  {0x4D, At(7, 1)},  {0xBC, At(8, 1)},  {0xBE, At(9, 1)},
    {0xBF, At(10, 1)}, {0xA1, At(12, 1)}, {0x26, At(15, 1)}, {0x61, At(17, 1)}, {0x62, At(18, 1)},
    {0x63, At(19, 1)},
    // row 0 (keys 94-107): keypad Enter, LCtrl LWin LAlt Space RAlt Apps Apps RCtrl Left Down Right, keypad 0 .
    {0x6C, At(20, 0)}, {0xA2, At(0, 0)},  {0x5B, At(1, 0)},  {0xA4, At(2, 0)},  {0x20, At(5, 0)},
    {0xA5, At(9, 0)},  {0x5D, At(10, 0)}, {0x5D, At(11, 0)}, {0xA3, At(13, 0)}, {0x25, At(14, 0)},
    {0x28, At(15, 0)}, {0x27, At(16, 0)}, {0x60, At(17, 0)}, {0x6E, At(19, 0)},
}};
// clang-format on

}  // namespace

KeyNameTable BuildKeyNameTable() {
  KeyNameTable table{};
  for (std::size_t vk = 0; vk < table.size(); ++vk) {
    table[vk].code = static_cast<std::uint8_t>(vk);
    table[vk].usage = 0;
    table[vk].name.fill(0);
  }
  for (unsigned vk = kFirstLetterVk; vk <= kLastLetterVk; ++vk) {
    table[vk].usage = static_cast<std::uint8_t>(kFirstLetterUsage + (vk - kFirstLetterVk));
    SetName(table[vk], std::u16string(1, static_cast<char16_t>(vk)), u" ");
  }
  for (unsigned vk = kFirstDigitVk; vk <= kLastDigitVk; ++vk) {
    table[vk].usage = static_cast<std::uint8_t>(kFirstDigitUsage + (vk - kFirstDigitVk));
    SetName(table[vk], std::u16string(1, static_cast<char16_t>(vk)), u" ");
  }
  for (unsigned vk = kFirstFunctionVk; vk <= kLastFunctionVk; ++vk) {
    table[vk].usage = static_cast<std::uint8_t>(kFirstFunctionUsage + (vk - kFirstFunctionVk));
    const unsigned number = vk - kFirstFunctionVk + 1;
    std::u16string text = u"F";
    if (number >= 10) text += static_cast<char16_t>(u'0' + number / 10);
    text += static_cast<char16_t>(u'0' + number % 10);
    SetName(table[vk], text, u" ");
  }
  for (unsigned vk = kFirstKeypadDigitVk; vk <= kLastKeypadDigitVk; ++vk) {
    table[vk].usage = static_cast<std::uint8_t>(kFirstKeypadDigitUsage + (vk - kFirstKeypadDigitVk));
    SetName(table[vk], std::u16string(1, static_cast<char16_t>(u'1' + (vk - kFirstKeypadDigitVk))), u"-num ");
  }
  for (const NamedVk& named : kNamedVks) {
    table[named.vk].usage = named.usage;
    SetName(table[named.vk], named.name);
  }
  return table;
}

const KeyNameTable& KeyNames() {
  static const KeyNameTable table = BuildKeyNameTable();
  return table;
}

std::uint8_t UsageOfVk(std::uint8_t vk) { return KeyNames()[vk].usage; }

std::u16string_view NameOfVk(std::uint8_t vk) { return EntryName(KeyNames()[vk]); }

const std::array<KeyLayoutEntry, kKeyCount>& KeyLayout() { return kKeyLayout; }

std::uint8_t VkOfKey(std::size_t keyIndex) {
  assert(keyIndex < kKeyCount);
  return keyIndex < kKeyCount ? kKeyLayout[keyIndex].vk : 0;
}

std::size_t PositionOfKey(std::size_t keyIndex) {
  assert(keyIndex < kKeyCount);
  return keyIndex < kKeyCount ? kKeyLayout[keyIndex].position : 0;
}

}  // namespace kav
