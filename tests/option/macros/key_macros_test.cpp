// Matching key entries against the macro list, and merging the macros of key entries into it.

#include "option/macros/key_macros.h"

#include <gtest/gtest.h>

#include "tests/option/macros/macro_test_support.h"

namespace opt {
namespace {

using testing_support::keyEntry;
using testing_support::macro;
using testing_support::Settings;
using testing_support::someEvents;

// Bytes 81..FE begin a two-byte character, as in the Chinese code page.
class TwoByteCodePage : public AnsiCodePage {
 public:
  bool isLeadByte(std::uint8_t byte) const override { return byte >= 0x81 && byte <= 0xFE; }
};

MacroKeyInfo keyNamed(std::string_view name, const std::vector<MacroEvent>& events) {
  return keyEntry(kMacroKeyKind, name, events);
}

std::vector<MacroEvent> eventsOf(const MacroRecord& record) {
  return {record.events, record.events + macroEventCount(record)};
}

TEST(MacroList, MacroAtIsNothingOutsideTheList) {
  MacroList list;
  EXPECT_EQ(macroAt(list, 0), nullptr);
  list.push_back(macro("One", {}));
  list.push_back(macro("Two", {}));
  EXPECT_EQ(macroAt(list, 1), list[1].get());
  EXPECT_EQ(macroAt(list, -1), nullptr);
  EXPECT_EQ(macroAt(list, 2), nullptr);
  clearMacros(list);
  EXPECT_TRUE(list.empty());
}

TEST(FindMacroForKey, MatchesTheFirstTrimmedNameWithoutRegardToCase) {
  const auto burst = someEvents(4, 1);
  MacroList list;
  list.push_back(macro("Fire", someEvents(2, 9)));
  list.push_back(macro(" burst ", burst));
  list.push_back(macro("BURST", burst));

  struct Case {
    const char* keyName;
    std::vector<MacroEvent> events;
    int index;
    bool identical;
  };
  auto burstLonger = burst;
  burstLonger.push_back({0x05, kMacroPress, 0});
  auto burstChanged = burst;
  burstChanged[3].delay += 1;
  const Case cases[] = {
      {"Burst", burst, 1, true},
      {"bURST", burst, 1, true},
      {"Burst", burstChanged, 1, false},
      {"Burst", burstLonger, 1, false},
      {"Burst", {burst.begin(), burst.end() - 1}, 1, false},
      {"Burst ", burst, -1, false},  // the key's name is taken as it is
      {"Burs", burst, -1, false},
      {"fire", someEvents(2, 9), 0, true},
      {"", {}, -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keyName);
    const MacroMatch match = findMacroForKey(list, keyNamed(c.keyName, c.events), SingleByteCodePage());
    EXPECT_EQ(match.index, c.index);
    EXPECT_EQ(match.identical, c.identical);
  }
  const MacroMatch none = findMacroForKey(MacroList(), keyNamed("Burst", burst), SingleByteCodePage());
  EXPECT_EQ(none.index, -1);
  EXPECT_FALSE(none.identical);
}

TEST(FindMacroForKey, ComparesOnlyTheEventsUpToTheCount) {
  auto stored = macro("Burst", someEvents(3, 1));
  stored->events[3] = {0x2C, kMacroPress, 5};  // left over past the count
  MacroList list;
  list.push_back(std::move(stored));
  EXPECT_TRUE(findMacroForKey(list, keyNamed("Burst", someEvents(3, 1)), SingleByteCodePage()).identical);
}

TEST(FindMacroForKey, NeverFoldsTheSecondByteOfATwoByteCharacter) {
  const TwoByteCodePage chinese;
  const SingleByteCodePage western;
  struct Case {
    const char* a;
    const char* b;
    bool sameInChinese;
    bool sameInWestern;
  };
  const Case cases[] = {
      {"\xB0\x41", "\xB0\x61", false, true},   // trail bytes that look like A and a
      {"\xB0\x41x", "\xB0\x41X", true, true},  // letters after the character fold
      {"x\xB0\x41", "X\xB0\x41", true, true},  // and before it
      {"\xB0\x41", "\xB1\x41", false, false},  // another character
      {"ab\xB0", "AB\xB0", true, true},        // a lead byte at the end stands alone
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sameMacroName(c.a, c.b, chinese), c.sameInChinese) << c.a << " / " << c.b;
    EXPECT_EQ(sameMacroName(c.a, c.b, western), c.sameInWestern) << c.a << " / " << c.b;
  }
}

TEST(MergeKeyMacros, AddsAKeysMacroToAnEmptyList) {
  Settings settings;
  const auto burst = someEvents(4, 1);
  settings.setEntry(0, 2, kMacroKeyKind, "Burst", burst);
  MacroList list;
  EXPECT_TRUE(mergeKeyMacros(list, settings.record(), SingleByteCodePage()));

  ASSERT_EQ(list.size(), 1u);
  auto expected = macro("Burst", burst);
  EXPECT_EQ(std::memcmp(list[0].get(), expected.get(), sizeof(MacroRecord)), 0) << "repeat 0, all else zero";
}

TEST(MergeKeyMacros, TakesOverOnlyTheEventsOfAMacroWithTheKeysName) {
  MacroList list;
  list.push_back(macro("Fire", someEvents(2, 9), 3));
  list.push_back(macro(" burst ", someEvents(10, 5), 7));
  Settings settings;
  // The key's copy carries events past its count; the whole event area is taken.
  auto keyEvents = someEvents(6, 2);
  keyEvents.resize(8, MacroEvent{0x09, kMacroPress, 1});
  settings.setEntry(1, 4, kMacroKeyKind, "Burst", keyEvents, 6);

  EXPECT_TRUE(mergeKeyMacros(list, settings.record(), SingleByteCodePage()));
  ASSERT_EQ(list.size(), 2u);
  const MacroRecord& merged = *list[1];
  EXPECT_EQ(macroName(merged), " burst ");
  EXPECT_EQ(merged.repeatCount, 7u);
  EXPECT_EQ(merged.eventCount, 6u);
  EXPECT_EQ(eventsOf(merged), std::vector<MacroEvent>(keyEvents.begin(), keyEvents.begin() + 6));
  EXPECT_EQ(merged.events[7], (MacroEvent{0x09, kMacroPress, 1}));
  EXPECT_EQ(merged.events[8], (MacroEvent{0, 0, 0}));  // the list's old events 8 and 9 are gone
  EXPECT_EQ(eventsOf(*list[0]), someEvents(2, 9));

  // Now identical: a second merge changes nothing.
  EXPECT_FALSE(mergeKeyMacros(list, settings.record(), SingleByteCodePage()));
}

TEST(MergeKeyMacros, VisitsOnlyMacroEntriesZeroToFiveOfTheFiveProfiles) {
  Settings settings;
  settings.setEntry(0, 6, kMacroKeyKind, "Entry6", someEvents(2, 1));
  settings.setEntry(2, 7, kMacroKeyKind, "Entry7", someEvents(2, 1));
  settings.setEntry(3, 1, 2, "NotAMacro", someEvents(2, 1));
  settings.setEntry(0, 0, kMacroKeyKind, "First", someEvents(2, 1));
  settings.setEntry(4, 5, kMacroKeyKind, "Last", someEvents(2, 1));
  MacroList list;
  mergeKeyMacros(list, settings.record(), SingleByteCodePage());
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(macroName(*list[0]), "First");
  EXPECT_EQ(macroName(*list[1]), "Last");
}

TEST(MergeKeyMacros, KeysWithTheSameNameAddOneMacroAndTheLastVisitedDecides) {
  Settings settings;
  settings.setEntry(0, 1, kMacroKeyKind, "Burst", someEvents(4, 1));
  settings.setEntry(0, 3, kMacroKeyKind, "Other", someEvents(2, 2));
  settings.setEntry(3, 0, kMacroKeyKind, "BURST", someEvents(5, 3));
  MacroList list;
  mergeKeyMacros(list, settings.record(), SingleByteCodePage());
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(macroName(*list[0]), "Burst");
  EXPECT_EQ(eventsOf(*list[0]), someEvents(5, 3));
  EXPECT_EQ(macroName(*list[1]), "Other");
}

TEST(MergeKeyMacros, AKeyCountAboveFortyCountsAsForty) {
  Settings settings;
  const auto full = someEvents(kMaxMacroEvents, 4);
  settings.setEntry(0, 0, kMacroKeyKind, "Full", full, 41);
  settings.setEntry(0, 1, kMacroKeyKind, "Huge", full, 0xFFFF);
  MacroList list;
  list.push_back(macro("Huge", someEvents(3, 1)));
  mergeKeyMacros(list, settings.record(), SingleByteCodePage());
  ASSERT_EQ(list.size(), 2u);
  for (const auto& merged : list) {
    EXPECT_EQ(merged->eventCount, kMaxMacroEvents);
    EXPECT_EQ(eventsOf(*merged), full);
  }
  // Counted as 40 on both sides, the entry and the list macro are now identical.
  EXPECT_FALSE(mergeKeyMacros(list, settings.record(), SingleByteCodePage()));
}

TEST(MergeKeyMacros, TakesAKeyNameUpToTheEndOfItsField) {
  Settings settings;
  settings.setEntry(0, 0, kMacroKeyKind, "ABCDEFGHIJKLMNOPQRST", someEvents(1, 1));  // 20 bytes, no terminator
  MacroList list;
  mergeKeyMacros(list, settings.record(), SingleByteCodePage());
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(macroName(*list[0]), "ABCDEFGHIJKLMNOPQRST");
}

}  // namespace
}  // namespace opt
