#include "kavrelle/macros/macro_table.h"

#include <gtest/gtest.h>

#include <string>

namespace kav {
namespace {

TEST(MacroTable, LoopCountIsLittleEndianInTheRecordAndBigEndianInTheSlot) {
  MacroRecord record = ZeroMacroRecord();
  SetLoopCount(record, 300);
  EXPECT_EQ(record.loopCount[0], 0x2C);
  EXPECT_EQ(record.loopCount[1], 0x01);
  EXPECT_EQ(LoopCount(record), 300);
  record.keyboardStream[0] = 0x01;
  record.keyboardStream[1] = 0x04;
  record.hostStream[1] = 0x41;

  const MacroSlot slot = MacroSlotOf(record);
  EXPECT_EQ(slot[0], 0x01);
  EXPECT_EQ(slot[1], 0x2C);
  EXPECT_TRUE(std::equal(record.keyboardStream.begin(), record.keyboardStream.end(), slot.begin() + 2));

  // A macro without events: the loop count and 190 zero bytes.
  MacroRecord empty = ZeroMacroRecord();
  SetLoopCount(empty, 1);
  MacroSlot expected{};
  expected[1] = 0x01;
  EXPECT_EQ(MacroSlotOf(empty), expected);
}

TEST(MacroTable, FillMacroSlotsStopsAfterTheLastNamedMacro) {
  struct Case {
    const char* what;
    std::size_t named;  // macros 0 .. named-1 carry names
    bool alsoNamed5;    // a named macro behind the gap is not reached
    std::size_t filled;
  };
  const Case cases[] = {
      {"no macros", 0, false, 0},
      {"macro 0 unnamed but others named", 0, true, 0},
      {"three macros", 3, true, 3},
      {"one macro", 1, false, 1},
      {"more than 32 named", 40, false, 32},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MacroTable table = ZeroMacroTable();
    for (std::size_t i = 0; i < c.named; ++i) {
      SetMacroName(table[i], u"Macro_" + std::u16string(1, static_cast<char16_t>(u'A' + i)));
      SetLoopCount(table[i], static_cast<std::uint16_t>(i + 1));
      table[i].keyboardStream[0] = 0x01;
      table[i].keyboardStream[1] = static_cast<std::uint8_t>(0x04 + i);
    }
    if (c.alsoNamed5) SetMacroName(table[5], u"late");
    DeviceImage image = ZeroDeviceImage();
    for (auto& slot : image.macroSlots) slot.fill(0xAA);

    EXPECT_EQ(FillMacroSlots(table, image), c.filled);
    for (std::size_t i = 0; i < kMacroSlotCount; ++i) {
      if (i < c.filled) {
        EXPECT_EQ(image.macroSlots[i], MacroSlotOf(table[i])) << "slot " << i;
      } else {
        EXPECT_EQ(image.macroSlots[i][0], 0xAA) << "slot " << i << " keeps what it held";
      }
    }
  }
}

TEST(MacroTable, NamesAreBoundedByTheirField) {
  MacroRecord record = ZeroMacroRecord();
  SetMacroName(record, std::u16string(400, u'x'));
  EXPECT_EQ(MacroName(record).size(), kMacroNameUnits - 1);
  EXPECT_EQ(record.name.back(), 0);
  record.name.fill(u'y');  // a damaged file: no terminator
  EXPECT_EQ(MacroName(record), std::u16string(kMacroNameUnits, u'y'));
  SetMacroName(record, u"");
  EXPECT_FALSE(MacroInUse(record));
}

}  // namespace
}  // namespace kav
