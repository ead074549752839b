// Conversions between VK codes, usages and key names, under the US layout and a French one.

#include "option/keys/key_codes.h"

#include <gtest/gtest.h>

#include <map>

#include "option/keys/captured_key.h"

namespace opt {
namespace {

// The French layout's main block differs from the US one at these physical keys.
class FrenchLayout : public KeyboardLayout {
 public:
  std::uint32_t scanCodeFromVk(std::uint32_t vk) const override {
    for (const auto& [scan, frenchVk] : kMoved)
      if (frenchVk == vk) return scan;
    return us_.scanCodeFromVk(vk);
  }
  std::uint32_t vkFromScanCode(std::uint32_t scanCode) const override {
    const auto moved = kMoved.find(scanCode);
    return moved != kMoved.end() ? moved->second : us_.vkFromScanCode(scanCode);
  }

 private:
  // scan code -> VK: A and Q, Z and W swapped; M where the US layout has ';', ',' where it has M.
  const std::map<std::uint32_t, std::uint32_t> kMoved{{0x1E, 0x51}, {0x10, 0x41}, {0x2C, 0x57},
                                                      {0x11, 0x5A}, {0x27, 0x4D}, {0x32, 0xBC}};
  UsKeyboardLayout us_;
};

// A layout without any key at all: the layout step must then leave the table's answer alone.
class EmptyLayout : public KeyboardLayout {
 public:
  std::uint32_t scanCodeFromVk(std::uint32_t) const override { return 0; }
  std::uint32_t vkFromScanCode(std::uint32_t) const override { return 0; }
};

TEST(KeyCodeTable, HasItsRowsInOrderWithoutTheNonUsHashKey) {
  EXPECT_EQ(KeyCodeTable.size(), 131u);
  // Rows 89 and 90: keypad 7 comes before keypad 6.
  EXPECT_EQ(KeyCodeTable[89].vk, 0x67);
  EXPECT_EQ(KeyCodeTable[90].vk, 0x66);
  for (const KeyCodeRow& row : KeyCodeTable) EXPECT_NE(row.usage, 0x32);
  for (std::size_t i = 65; i < KeyCodeTable.size(); ++i) EXPECT_EQ(KeyCodeTable[i].scanCode, 0) << i;
}

// A captured key as a receiver sees it: VK and flags from the message, then usage and name.
TEST(KeyCodes, CapturedKeysBecomeUsagesAndNames) {
  struct Case {
    std::uint32_t vk;
    std::uint32_t flags;
    std::optional<std::uint32_t> usage;
    const char* name;  // of the stored usage
  };
  const Case cases[] = {
      {0x41, 0x00, 0x04, "A"},
      {0x30, 0x00, 0x27, "0"},
      {0xE2, 0x00, 0x64, ""},
      {0x0D, 0x01, 0x58, "(Enter)"},  // keypad Enter
      {0x0D, 0x81, 0x58, "(Enter)"},  // and its release
      {0x0D, 0x00, 0x28, "Enter"},
      {0x0D, 0x80, 0x28, "Enter"},
      {0x27, 0x01, 0x4F, "Right"},  // the extended flag alone changes nothing
      {0x67, 0x00, 0x5E, "(7)"},
      {0x66, 0x00, 0x5F, "(6)"},
      {0x2E, 0x00, 0x4C, "Delete"},
      {0xA6, 0x00, 0x70, ""},
      {0xB7, 0x00, 0x81, ""},
      {0xA0, 0x00, 0xE1, "Left Shift"},
      {0x5C, 0x00, 0xE7, "Right Windows"},
      {0xF1, 0x00, 0xF1, "Left Button"},
      {0x07, 0x00, std::nullopt, ""},
      {0x141, 0x00, std::nullopt, ""},  // a code beyond one byte is not VK 41
  };
  const UsKeyboardLayout us;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << "vk " << c.vk << " flags " << c.flags);
    const CapturedKey key = decodeCapturedKey(c.vk, c.flags);
    EXPECT_EQ(key.extended, (c.flags & 1) != 0);
    EXPECT_EQ(key.released, (c.flags & 0x80) != 0);
    const auto usage = usageFromVk(us, key.vk);
    EXPECT_EQ(usage, c.usage);
    if (usage) {
      EXPECT_EQ(keyNameForUsage(us, *usage), c.name);
    }
  }
}

TEST(KeyCodes, StoredUsagesBecomeVkCodesAndNames) {
  struct Case {
    std::uint32_t usage;
    std::optional<std::uint32_t> vk;
    const char* name;
  };
  const Case cases[] = {
      {0x04, 0x41, "A"},        {0x1E, 0x31, "1"},
      {0x38, 0xBF, "/"},        {0x45, 0x7B, "F12"},
      {0x4C, 0x2E, "Delete"},   {0x5E, 0x67, "(7)"},
      {0x64, 0xE2, ""},         {0xE3, 0x5B, "Left Windows"},
      {0xF0, 0xF0, ""},         {0xF1, 0xF1, "Left Button"},
      {0xF7, 0xF7, "Fire Key"}, {0x32, std::nullopt, ""},  // the non-US hash key has no row
      {0x00, std::nullopt, ""}, {0x104, std::nullopt, ""},
  };
  const UsKeyboardLayout us;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << "usage " << c.usage);
    EXPECT_EQ(vkFromUsage(us, c.usage), c.vk);
    EXPECT_EQ(keyNameForUsage(us, c.usage), c.name);
  }
}

TEST(KeyCodes, CodesA6ToB7BecomeUsages70To81WithoutNames) {
  const UsKeyboardLayout us;
  for (std::uint32_t i = 0; i < 18; ++i) {
    EXPECT_EQ(usageFromVk(us, 0xA6 + i), 0x70 + i);
    EXPECT_EQ(vkFromUsage(us, 0x70 + i), 0xA6 + i);
    EXPECT_EQ(keyName(0xA6 + i), "");
  }
}

TEST(KeyCodes, MainBlockFollowsThePhysicalKeyOfTheLayout) {
  const FrenchLayout french;
  // The key Windows reports as Q sits where the US layout has A.
  EXPECT_EQ(usageFromVk(french, 0x51), 0x04);
  EXPECT_EQ(usageFromVk(french, 0x41), 0x14);
  EXPECT_EQ(usageFromVk(french, 0x4D), 0x33);
  EXPECT_EQ(keyNameForUsage(french, 0x04), "Q");
  EXPECT_EQ(keyNameForUsage(french, 0x1D), "W");
  EXPECT_EQ(keyNameForUsage(french, 0x10), ",");
  // Keys outside the main block do not ask the layout.
  EXPECT_EQ(usageFromVk(french, 0x2E), 0x4C);
  EXPECT_EQ(vkFromUsage(french, 0x5E), 0x67);
}

TEST(KeyCodes, ALayoutWithoutTheKeyKeepsTheTableUsageButGivesNoVk) {
  const EmptyLayout none;
  EXPECT_EQ(usageFromVk(none, 0x51), 0x14);
  EXPECT_EQ(vkFromUsage(none, 0x14), 0u);  // found, but the layout has no key there
  EXPECT_EQ(keyNameForUsage(none, 0x14), "");
  EXPECT_EQ(vkFromUsage(none, 0x4C), 0x2E);
}

TEST(KeyCodes, NamesOfCodesBetweenNamedRangesAreEmpty) {
  const std::pair<std::uint32_t, const char*> cases[] = {
      {0x2A, ""},   {0x3A, ""},  {0x40, ""},        {0x5E, ""},        {0x60, "(0)"}, {0x69, "(9)"},
      {0x70, "F1"}, {0x7C, ""},  {0xDC, "\\"},      {0xDE, "'"},       {0xF0, ""},    {0xF8, ""},
      {0xFF, ""},   {0x100, ""}, {0x21, "Page UP"}, {0x6C, "(Enter)"},
  };
  for (const auto& [vk, name] : cases) EXPECT_EQ(keyName(vk), name) << std::hex << vk;
}

TEST(KeyCodes, ModifierPrefixesComeInTheOrderCtrlShiftAltWin) {
  const std::pair<std::uint32_t, const char*> prefixes[] = {
      {0, ""},     {1, "Ctrl+"},     {2, "Shift+"},      {4, "Alt+"},
      {8, "Win+"}, {5, "Ctrl+Alt+"}, {10, "Shift+Win+"}, {15, "Ctrl+Shift+Alt+Win+"},
      {16, ""},  // bits above Win are not modifiers
  };
  for (const auto& [bits, prefix] : prefixes) EXPECT_EQ(modifierPrefix(bits), prefix) << bits;

  const UsKeyboardLayout us;
  EXPECT_EQ(shortcutCaption(us, 5, 0x4C), "Ctrl+Alt+Delete");
  EXPECT_EQ(shortcutCaption(us, 15, 0x04), "Ctrl+Shift+Alt+Win+A");
  EXPECT_EQ(shortcutCaption(us, 0, 0x04), "A");
  EXPECT_EQ(shortcutCaption(us, 1, 0x32), "Ctrl+");
}

}  // namespace
}  // namespace opt
