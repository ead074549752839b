#include "kavrelle/keys/key_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kav {
namespace {

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

TEST(KeyNames, UsageAndNameOfVk) {
  struct Case {
    std::uint8_t vk, usage;
    std::u16string_view name;
  };
  const Case cases[] = {
      {0x30, 0x27, u"0"},  // the only digit without a trailing blank
      {0x31, 0x1E, u"1 "},
      {0x39, 0x26, u"9 "},
      {0x41, 0x04, u"A "},
      {0x5A, 0x1D, u"Z "},
      {0x70, 0x3A, u"F1 "},
      {0x7B, 0x45, u"F12 "},
      {0x60, 0x62, u"0-num "},
      {0x61, 0x59, u"1-num "},
      {0x69, 0x61, u"9-num "},
      {0x0D, 0x28, u"Enter "},
      {0x6C, 0x58, u"Enter "},  // keypad Enter: same name, its own usage
      {0xDC, 0x32, u"\\ "},     // 0x32, not 0x31
      {0xB5, 0x83, u"Media "},
      {0xB3, 0xCD, u"Play/Pause"},
      {0xAE, 0xEA, u"Volume DOWN "},
      {0xAF, 0xE9, u"Volume UP "},
      {0xA2, 0xE0, u"LCtrl "},
      {0x2E, 0x4C, u"Del "},
      {0xF0, 0xF0, u"MsLB"},
      {0xF3, 0xF3, u""},  // a usage but no name
      {0xF4, 0xF4, u""},
      {0xF7, 0xF7, u"Mouse pointer Down"},
      {0xF9, 0xF9, u"Mouse Wheel Down"},
      {0x0C, 0x00, u""},  // keys the hook may report without an entry
      {0x7C, 0x00, u""},  // F13
      {0xA6, 0x00, u""},  // browser back
      {0x00, 0x00, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "VK 0x" << std::hex << int{c.vk});
    EXPECT_EQ(UsageOfVk(c.vk), c.usage);
    EXPECT_EQ(Narrow(NameOfVk(c.vk)), Narrow(c.name));
  }
}

TEST(KeyNames, EveryEntryIsItsOwnCodeAndNamesEndWithABlankUnlessListed) {
  const std::set<int> withoutBlank = {0x30, 0xB3, 0xF0, 0xF1, 0xF2, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9};
  const KeyNameTable table = BuildKeyNameTable();
  for (int vk = 0; vk < 256; ++vk) {
    SCOPED_TRACE(testing::Message() << "VK 0x" << std::hex << vk);
    EXPECT_EQ(table[vk].code, vk);
    EXPECT_EQ(table[vk].name.back(), u'\0');
    const std::u16string_view name = NameOfVk(static_cast<std::uint8_t>(vk));
    if (name.empty()) continue;
    EXPECT_NE(UsageOfVk(static_cast<std::uint8_t>(vk)), 0) << "a named VK without a usage";
    EXPECT_EQ(name.back() == u' ', !withoutBlank.contains(vk)) << Narrow(name);
  }
}

TEST(KeyLayout, EveryKeyHasTheVkOfItsListedName) {
  // Key index order, as the keyboard rows list them.
  const char* const names[kKeyCount] = {
      // row 5
      "Esc ", "F1 ", "F2 ", "F3 ", "F4 ", "F5 ", "F6 ", "F7 ", "F8 ", "F9 ", "F10 ", "F11 ", "F12 ", "Prscr ", "Scrol ",
      "Pause ", "Volume DOWN ", "Media ", "Play/Pause", "Volume UP ",
      // row 4
      "` ", "1 ", "2 ", "3 ", "4 ", "5 ", "6 ", "7 ", "8 ", "9 ", "0", "- ", "= ", "Back ", "Inst ", "Home ", "PgUp ",
      "Num ", "/ ", "* ", "- ",
      // row 3
      "Tab ", "Q ", "W ", "E ", "R ", "T ", "Y ", "U ", "I ", "O ", "P ", "[ ", "] ", "\\ ", "Del ", "End ", "PgDn ",
      "7-num ", "8-num ", "9-num ",
      // row 2
      "+ ", "Caps ", "A ", "S ", "D ", "F ", "G ", "H ", "J ", "K ", "L ", "; ", "' ", "Enter ", "4-num ", "5-num ",
      "6-num ",
      // row 1
      "LShift ", "Z ", "X ", "C ", "V ", "B ", "N ", "M ", ", ", ". ", "/ ", "RShift ", "Up ", "1-num ", "2-num ",
      "3-num ",
      // row 0
      "Enter ", "LCtrl ", "LWin ", "LAlt ", "Space ", "RAlt ", "Apps ", "Apps ", "RCtrl ", "Left ", "Down ", "Right ",
      "0-num ", ". "};
  for (std::size_t key = 0; key < kKeyCount; ++key) {
    SCOPED_TRACE(key);
    EXPECT_EQ(Narrow(NameOfVk(VkOfKey(key))), names[key]);
    EXPECT_NE(UsageOfVk(VkOfKey(key)), 0);
  }
  // Same names, different keys: the keypad and main-block VKs.
  struct Case {
    std::size_t key;
    std::uint8_t vk;
  };
  for (const Case c : {Case{38, 0x6F},
                       {39, 0x6A},
                       {40, 0x6D},
                       {61, 0x6B},
                       {107, 0x6E},
                       {31, 0xBD},
                       {88, 0xBF},
                       {87, 0xBE},
                       {94, 0x6C},
                       {74, 0x0D},
                       {100, 0x5D},
                       {101, 0x5D}}) {
    EXPECT_EQ(VkOfKey(c.key), c.vk) << "key " << c.key;
  }
}

TEST(KeyLayout, PositionsAreColumnTimesSixPlusRow) {
  struct Case {
    std::size_t key, position;
  };
  const Case cases[] = {
      {0, 5},               // Esc: column 0, row 5
      {1, 17},              // F1: column 2 (column 1 of row 5 is a gap)
      {19, 125},            // Volume UP: column 20, row 5
      {95, 0},              // LCtrl
      {96, 6},              // LWin: the position the Windows-key lock rule rewrites
      {100, 60},            // the two Apps keys differ only in their positions
      {101, 66}, {74, 80},  // Enter: column 13, row 2
      {94, 120},            // keypad Enter
  };
  for (const Case& c : cases) EXPECT_EQ(PositionOfKey(c.key), c.position) << "key " << c.key;
}

TEST(KeyLayout, PositionsAreDistinctFollowTheRowsAndLeaveTheGaps) {
  const std::size_t rowEnds[kKeyRows] = {20, 41, 61, 78, 94, 108};  // rows 5, 4, 3, 2, 1, 0 in key order
  std::set<std::size_t> used;
  for (std::size_t key = 0; key < kKeyCount; ++key) {
    const std::size_t position = PositionOfKey(key);
    EXPECT_LT(position, 126u);
    EXPECT_TRUE(used.insert(position).second) << "position " << position << " used twice";
    std::size_t listed = 0;
    while (key >= rowEnds[listed]) ++listed;
    EXPECT_EQ(position % kKeyRows, kKeyRows - 1 - listed) << "key " << key;
  }
  for (std::size_t gap : {11, 18, 24, 36, 42, 48, 72, 74, 85, 86, 92, 97, 98, 108, 121, 123}) {
    EXPECT_FALSE(used.contains(gap)) << "gap " << gap;
  }
}

}  // namespace
}  // namespace kav
