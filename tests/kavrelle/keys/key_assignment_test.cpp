#include "kavrelle/keys/key_assignment.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kavrelle/keys/key_functions.h"
#include "kavrelle/keys/keymap_file.h"
#include "tests/support/temp_dir.h"

namespace kav {
namespace {

constexpr std::size_t kEsc = 0, kMediaKey = 17, kBackslash = 54, kKeyA = 63, kKeyS = 64, kFn = 100;

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

std::vector<int> Bytes(const KeyTableEntry& e) { return {e.kind, e.b1, e.b2, e.b3}; }
std::vector<int> DataHead(const KeyRecord& r) { return {r.data[0], r.data[1], r.data[2], r.data[3]}; }

// The factory state: default key table, every key enabled, records holding only their own VKs.
struct Keyboard {
  DeviceImage image = ZeroDeviceImage();
  KeyRecordTable records = ZeroKeyRecordTable();
  AssignedFlags assigned{};
  MacroTable macros = ZeroMacroTable();
  KeyState state{image, records, assigned, macros};

  Keyboard() {
    image.keyTable = DefaultKeyTable();
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) SetKeyEnabled(image, p, true);
    RewriteOwnVks(records);
  }
  KeyTableEntry Entry(std::size_t key) const { return KeyEntryAt(image, PositionOfKey(key)); }
  bool Enabled(std::size_t key) const { return KeyEnabled(image, PositionOfKey(key)); }
};

AssignmentResult Keys(KeyKind kind, std::vector<std::uint8_t> vks) {
  AssignmentResult r;
  r.kind = static_cast<std::uint8_t>(kind);
  for (std::size_t i = 0; i < vks.size(); ++i) r.keys[i] = vks[i];
  r.count = static_cast<int>(vks.size());
  return r;
}
AssignmentResult Function(std::u16string name) {
  AssignmentResult r;
  r.kind = static_cast<std::uint8_t>(KeyKind::Function);
  r.functionName = std::move(name);
  return r;
}
AssignmentResult Macro(int number) {
  AssignmentResult r;
  r.kind = static_cast<std::uint8_t>(KeyKind::Macro);
  r.macroNumber = number;
  return r;
}
AssignmentResult Action(KeyKind kind, std::u16string path) {
  AssignmentResult r;
  r.kind = static_cast<std::uint8_t>(kind);
  r.actionPath = std::move(path);
  return r;
}
AssignmentResult Kind(std::uint8_t kind) {
  AssignmentResult r;
  r.kind = kind;
  return r;
}
AssignmentResult DefaultPressed(bool enabled) {
  AssignmentResult r;
  r.count = kDefaultPressedCount;
  r.enabled = enabled;
  return r;
}

TEST(DefaultKeyTable, FactoryEntries) {
  const KeyTable& table = DefaultKeyTable();
  struct Case {
    std::size_t key;
    std::vector<int> entry;
  };
  const Case cases[] = {
      {kKeyA, {0, 0, 0x04, 0}}, {16, {3, 0, 0xEA, 0}},  {17, {3, 0, 0x83, 1}},
      {18, {3, 0, 0xCD, 0}},    {19, {3, 0, 0xE9, 0}},  {kBackslash, {0, 0, 0x31, 0}},
      {kFn, {2, 0, 0, 0}},      {101, {0, 0, 0x65, 0}}, {94, {0, 0, 0x58, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(Bytes(table[PositionOfKey(c.key)]), c.entry) << "key " << c.key;
  for (std::size_t gap : {11, 18, 74, 126, 127}) EXPECT_EQ(Bytes(table[gap]), (std::vector<int>{0, 0, 0, 0}));
}

TEST(ApplyAssignment, EveryKindProducesItsRecordAndEntry) {
  struct Case {
    const char* what;
    std::size_t key;
    AssignmentResult result;
    std::vector<int> entry;
    std::uint8_t kind;
    std::vector<int> data;
    std::uint8_t count;
    bool marked;
  };
  // clang-format off
  const Case cases[] = {
      {"A on A is the default", kKeyA, Keys(KeyKind::Single, {0x41}), {0, 0, 0x04, 0}, 0, {0, 0, 0, 0}, 0, false},
      {"B on A", kKeyA, Keys(KeyKind::Single, {0x42}), {0, 0, 0x05, 0}, 0, {0x42, 0, 0, 0}, 1, true},
      {"Media single", kKeyA, Keys(KeyKind::Single, {0xB5}), {3, 0, 0x83, 1}, 0, {0xB5, 0, 0, 0}, 1, true},
      {"Play/Pause single", kKeyA, Keys(KeyKind::Single, {0xB3}), {3, 0, 0xCD, 0}, 0, {0xB3, 0, 0, 0}, 1, true},
      {"Volume UP single", kKeyA, Keys(KeyKind::Single, {0xAF}), {3, 0, 0xE9, 0}, 0, {0xAF, 0, 0, 0}, 1, true},
      {"Volume DOWN single", kKeyA, Keys(KeyKind::Single, {0xAE}), {3, 0, 0xEA, 0}, 0, {0xAE, 0, 0, 0}, 1, true},
      {"F13 has no usage", kKeyA, Keys(KeyKind::Single, {0x7C}), {0, 0, 0, 0}, 0, {0x7C, 0, 0, 0}, 1, true},
      // Inside a combination the media keys stay keyboard usages.
      {"media combination", kKeyA, Keys(KeyKind::Combination, {0xB5, 0xAF, 0xAE}), {0, 0x83, 0xE9, 0xEA}, 1,
       {0xB5, 0xAF, 0xAE, 0}, 3, true},
      {"LCtrl LAlt Del", kKeyA, Keys(KeyKind::Combination, {0xA2, 0xA4, 0x2E}), {0, 0xE0, 0xE2, 0x4C}, 1,
       {0xA2, 0xA4, 0x2E, 0}, 3, true},
      // One key as a combination: the key in byte 1, and the key stays unmarked.
      {"one-key combination", kKeyS, Keys(KeyKind::Combination, {0x41}), {0, 0x04, 0, 0}, 1, {0x41, 0, 0, 0}, 1,
       false},
      {"Vol+", kKeyA, Function(u"Vol+"), {3, 0, 0xE9, 0}, 3, {3, 0, 0xE9, 0}, 0, true},
      {"Select All", kKeyA, Function(u"Select All"), {0, 0xE0, 0x04, 0}, 3, {0, 0xE0, 0x04, 0}, 0, true},
      {"Chinese Copy", kKeyA, Function(u"复制"), {0, 0xE0, 0x06, 0}, 3, {0, 0xE0, 0x06, 0}, 0, true},
      {"Homepage", kKeyA, Function(u"Homepage"), {3, 0, 0x23, 2}, 3, {3, 0, 0x23, 2}, 0, true},
      {"macro 2", kKeyA, Macro(2), {4, 1, 2, 0}, 2, {4, 1, 2, 0}, 0, true},
      // Actions: the entry carries the key's own VK, the record the shared code.
      {"Esc starts a program", kEsc, Action(KeyKind::StartProgram, u"C:\\x.exe"), {0x0A, 0, 0x1B, 0}, 5,
       {3, 0, 0x23, 2}, 0, true},
      {"A opens a folder", kKeyA, Action(KeyKind::OpenFolder, u"C:\\music"), {0x0A, 0, 0x41, 0}, 7,
       {3, 0, 0x23, 2}, 0, true},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Keyboard kb;
    kb.state.records[c.key].count = 7;  // left over from an earlier assignment
    EXPECT_TRUE(ApplyAssignment(kb.state, c.key, c.result));
    const KeyRecord& record = kb.records[c.key];
    EXPECT_EQ(Bytes(kb.Entry(c.key)), c.entry);
    EXPECT_EQ(record.kind, c.kind);
    EXPECT_EQ(DataHead(record), c.data);
    EXPECT_EQ(record.count, c.count);
    EXPECT_EQ(record.ownVk, VkOfKey(c.key));
    EXPECT_EQ(kb.assigned[c.key], c.marked ? 1 : 0);
    if (IsActionKind(c.kind)) {
      EXPECT_EQ(ActionPath(record), c.result.actionPath);
    }
  }
}

TEST(ApplyAssignment, AFunctionReopensWithItsName) {
  for (std::u16string name : {u"Vol+", u"Select All", u"Task Management", u"Homepage", u"Media Player"}) {
    Keyboard kb;
    ApplyAssignment(kb.state, kKeyA, Function(name));
    const KeyFunction* shown = FunctionOfRecord(kb.records[kKeyA]);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(Narrow(shown->name.english), Narrow(name));
  }
  // The advanced kinds share Homepage's bytes; only kind 3 shows a function.
  Keyboard kb;
  ApplyAssignment(kb.state, kKeyA, Action(KeyKind::PlaySound, u"a.mp3"));
  EXPECT_EQ(FunctionOfRecord(kb.records[kKeyA]), nullptr);
  // Either name finds the function, its code finds it back, and no two functions share one.
  for (const KeyFunction& f : KeyFunctions()) {
    EXPECT_EQ(FindFunctionByName(f.name.chinese), &f);
    EXPECT_EQ(FindFunctionByName(f.name.english), &f);
    EXPECT_EQ(FindFunctionByCode(f.code), &f);
  }
}

TEST(ApplyAssignment, ResultsThatChangeNothing) {
  struct Case {
    const char* what;
    AssignmentResult result;
  };
  const Case cases[] = {
      {"advanced page without an action", Kind(255)},
      {"unknown kind", Kind(9)},
      {"a group item", Function(u"Media")},
      {"no name", Function(u"")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Keyboard kb;
    ApplyAssignment(kb.state, kKeyA, Keys(KeyKind::Single, {0x42}));
    const Keyboard before = kb;
    ApplyAssignment(kb.state, kKeyA, c.result);
    EXPECT_EQ(kb.image, before.image);
    EXPECT_EQ(kb.records, before.records);
  }
  Keyboard kb;
  const Keyboard before = kb;
  ApplyAssignment(kb.state, kKeyCount, Keys(KeyKind::Single, {0x42}));  // no such key
  EXPECT_EQ(kb.records, before.records);
  EXPECT_EQ(kb.image, before.image);
}

TEST(ApplyAssignment, MacroRefreshesTheSlotsOnlyWhenOneIsChosen) {
  Keyboard kb;
  SetMacroName(kb.macros[0], u"Macro_001");
  SetMacroName(kb.macros[1], u"Macro_002");
  SetLoopCount(kb.macros[1], 3);
  kb.image.macroSlots[1].fill(0xAA);

  ApplyAssignment(kb.state, kKeyA, Macro(kNoMacro));
  EXPECT_EQ(kb.image.macroSlots[1][0], 0xAA);
  EXPECT_EQ(Bytes(kb.Entry(kKeyA)), (std::vector<int>{0, 0, 0x04, 0}));
  EXPECT_EQ(kb.assigned[kKeyA], 0);

  ApplyAssignment(kb.state, kKeyA, Macro(1));
  EXPECT_EQ(kb.image.macroSlots[1], MacroSlotOf(kb.macros[1]));
  EXPECT_EQ(Bytes(kb.Entry(kKeyA)), (std::vector<int>{4, 1, 1, 0}));
}

TEST(ApplyAssignment, RestoringGivesTheFactoryEntryAndEnablesTheKey) {
  struct Case {
    const char* what;
    std::size_t key;
    AssignmentResult result;
  };
  const Case cases[] = {
      {"Default", kKeyA, DefaultPressed(true)},
      {"Default while the Disable toggle is on", kKeyA, DefaultPressed(false)},
      {"kind 8 (macro page without a macro)", kKeyA, Kind(8)},
      {"a media key stays a consumer key", kMediaKey, DefaultPressed(true)},
      {"\\ keeps its factory usage", kBackslash, DefaultPressed(true)},
      {"\\ on itself", kBackslash, Keys(KeyKind::Single, {0xDC})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Keyboard kb;
    testsupport::TempDir dir;
    CommitAssignment(kb.state, c.key, Action(KeyKind::OpenFile, u"C:\\notes.txt"), dir / "keymap.bin");
    AssignmentResult disable = Keys(KeyKind::Combination, {0xA2, 0x43});
    disable.enabled = false;
    CommitAssignment(kb.state, c.key, disable, dir / "keymap.bin");
    ASSERT_FALSE(kb.Enabled(c.key));

    EXPECT_TRUE(CommitAssignment(kb.state, c.key, c.result, dir / "keymap.bin"));
    const std::size_t position = PositionOfKey(c.key);
    EXPECT_EQ(kb.Entry(c.key), DefaultKeyTable()[position]);
    EXPECT_TRUE(kb.Enabled(c.key));
    EXPECT_EQ(kb.records[c.key].kind, 0);
    EXPECT_EQ(kb.records[c.key].count, 0);
    EXPECT_EQ(DataHead(kb.records[c.key]), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(kb.records[c.key].ownVk, VkOfKey(c.key));
    EXPECT_EQ(kb.assigned[c.key], 0);
    AssignedFlags recomputed{};
    RecomputeAssignedFlags(kb.image, kb.records, recomputed);
    EXPECT_EQ(recomputed[c.key], 0);
  }
}

TEST(CommitAssignment, DisableMarksTheKeyAndWritesTheFile) {
  Keyboard kb;
  testsupport::TempDir dir;
  AssignmentResult result = Keys(KeyKind::Single, {0x41});  // its own key, but disabled
  result.enabled = false;
  EXPECT_TRUE(CommitAssignment(kb.state, kKeyA, result, dir / "keymap.bin"));
  EXPECT_FALSE(kb.Enabled(kKeyA));
  EXPECT_EQ(kb.assigned[kKeyA], 1);

  DeviceImage saved = ZeroDeviceImage();
  KeyRecordTable savedRecords = ZeroKeyRecordTable();
  ASSERT_EQ(LoadKeymapFile(dir / "keymap.bin", saved, savedRecords, KeymapImage::Load).status, FileReadStatus::Read);
  EXPECT_EQ(saved, kb.image);
  EXPECT_EQ(savedRecords, kb.records);

  // The flag is cleared before each apply: re-enabling the default key unmarks it.
  result.enabled = true;
  CommitAssignment(kb.state, kKeyA, result, dir / "keymap.bin");
  EXPECT_EQ(kb.assigned[kKeyA], 0);
  EXPECT_TRUE(kb.Enabled(kKeyA));
}

TEST(RecomputeAssignedFlags, EachConditionMarksTheKey) {
  struct Case {
    const char* what;
    std::size_t key;
    void (*change)(Keyboard&, std::size_t key);
    bool marked;
  };
  const Case cases[] = {
      {"factory state", kKeyA, [](Keyboard&, std::size_t) {}, false},
      {"entry byte 2 differs", kKeyA,
       [](Keyboard& kb, std::size_t k) { KeyEntryAt(kb.image, PositionOfKey(k)).b2 = 5; }, true},
      {"only byte 2 is compared", kKeyA,
       [](Keyboard& kb, std::size_t k) {
         KeyTableEntry& e = KeyEntryAt(kb.image, PositionOfKey(k));
         e.kind = 3;
         e.b1 = 9;
         e.b3 = 9;
       },
       false},
      {"record kind not 0", kKeyA, [](Keyboard& kb, std::size_t k) { kb.records[k].kind = 255; }, true},
      {"a single other key", kKeyA,
       [](Keyboard& kb, std::size_t k) {
         kb.records[k].data[0] = 0x42;
         kb.records[k].count = 1;
       },
       true},
      {"other key but count 2", kKeyA,
       [](Keyboard& kb, std::size_t k) {
         kb.records[k].data[0] = 0x42;
         kb.records[k].count = 2;
       },
       false},
      {"disabled", kKeyA, [](Keyboard& kb, std::size_t k) { SetKeyEnabled(kb.image, PositionOfKey(k), false); }, true},
      {"Windows key disabled (the picture hides it, not the rule)", 96,
       [](Keyboard& kb, std::size_t k) { SetKeyEnabled(kb.image, PositionOfKey(k), false); }, true},
      {"Fn is never marked", kFn,
       [](Keyboard& kb, std::size_t k) {
         kb.records[k].kind = 3;
         SetKeyEnabled(kb.image, PositionOfKey(k), false);
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Keyboard kb;
    c.change(kb, c.key);
    kb.assigned.fill(1);
    RecomputeAssignedFlags(kb.image, kb.records, kb.assigned);
    for (std::size_t key = 0; key < kKeyCount; ++key) {
      EXPECT_EQ(kb.assigned[key], key == c.key && c.marked ? 1 : 0) << "key " << key;
    }
  }
}

}  // namespace
}  // namespace kav
