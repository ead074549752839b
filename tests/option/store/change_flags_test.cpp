#include "option/store/change_flags.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>

#include "option/store/settings_store.h"

namespace opt {
namespace {

// The flags that are set, by name, e.g. "keyChanged[2][7]".
std::set<std::string> setFlags(const ChangeFlags& flags) {
  std::set<std::string> names;
  const auto add = [&](const std::string& name, std::int32_t value) {
    if (value != 0) names.insert(name);
  };
  for (int p = 0; p < kProfileCount; ++p) {
    const std::string at = "[" + std::to_string(p) + "]";
    for (int k = 0; k < kMacroKeyCount; ++k)
      add("keyChanged" + at + "[" + std::to_string(k) + "]", flags.keyChanged[p][k]);
    add("lightingChanged" + at, flags.lightingChanged[p]);
    add("standardKeysChanged" + at, flags.standardKeysChanged[p]);
    add("keyOptionsChanged" + at, flags.keyOptionsChanged[p]);
    add("profileImported" + at, flags.profileImported[p]);
    add("profileReset" + at, flags.profileReset[p]);
  }
  add("profileSwitched", flags.profileSwitched);
  add("hddKeyboardChanged", flags.hddKeyboardChanged);
  add("allReset", flags.allReset);
  return names;
}

std::unique_ptr<KeyboardSettings> factoryRecord() {
  auto record = std::make_unique<KeyboardSettings>();
  factoryDefaults(*record);
  return record;
}

TEST(ChangeFlags, EachEditSetsTheFlagsOfItsGroup) {
  struct Case {
    const char* edit;
    std::function<void(KeyboardSettings&)> change;
    std::set<std::string> expected;
  };
  const Case cases[] = {
      {"nothing", [](KeyboardSettings&) {}, {}},
      {"ReportDelay", [](KeyboardSettings& w) { w.profiles[0].ReportDelay = 1; }, {}},
      {"PollingRate, FnStatus, MediaOption",
       [](KeyboardSettings& w) {
         w.profiles[1].PollingRate = 8;
         w.profiles[1].FnStatus = 1;
         w.profiles[1].MediaOption = 2;
       },
       {}},
      {"names, game file, RightWin",
       [](KeyboardSettings& w) {
         setFieldText(w.profiles[2].ProFileName, "Race");
         setFieldText(w.profiles[2].GameFile, "race.exe");
         w.RightWin = 0;
       },
       {}},
      {"LtControl", [](KeyboardSettings& w) { w.profiles[2].LtControl = 8; }, {"lightingChanged[2]"}},
      {"every lighting field",
       [](KeyboardSettings& w) {
         w.profiles[0].LtSwitch = 0;
         w.profiles[1].LtColor = 1;
         w.profiles[2].LtSaving = 1;
         w.profiles[3].LtPulsation = 1;
       },
       {"lightingChanged[0]", "lightingChanged[1]", "lightingChanged[2]", "lightingChanged[3]"}},
      {"LeftWin", [](KeyboardSettings& w) { w.profiles[4].LeftWin = 0; }, {"keyOptionsChanged[4]"}},
      {"Context, CapsLock, Tab",
       [](KeyboardSettings& w) {
         w.profiles[0].Context = 0;
         w.profiles[1].CapsLock = 0;
         w.profiles[2].Tab = 0;
       },
       {"keyOptionsChanged[0]", "keyOptionsChanged[1]", "keyOptionsChanged[2]"}},
      {"one standard key",
       [](KeyboardSettings& w) { w.profiles[3].standardkey[43] = 0x04; },
       {"standardKeysChanged[3]"}},
      {"two key entries",
       [](KeyboardSettings& w) {
         w.profiles[1].macroKeys[0].kind = 3;
         w.profiles[1].macroKeys[31].programPath[259] = 'x';
       },
       {"keyChanged[1][0]", "keyChanged[1][31]"}},
      {"HDDKeyboard in two profiles",
       [](KeyboardSettings& w) {
         w.profiles[0].HDDKeyboard = 0;
         w.profiles[4].HDDKeyboard = 0;
       },
       {"hddKeyboardChanged"}},
      {"CurrentProfile", [](KeyboardSettings& w) { w.CurrentProfile = 2; }, {"profileSwitched"}},
  };
  for (const Case& c : cases) {
    const auto applied = factoryRecord();
    auto working = factoryRecord();
    c.change(*working);
    computeChangeFlags(*applied, *working);
    EXPECT_EQ(setFlags(working->changes), c.expected) << c.edit;
  }
}

TEST(ChangeFlags, ComputingReplacesOldResultsButKeepsImports) {
  const auto applied = factoryRecord();
  auto working = factoryRecord();
  markAllChanged(*working);
  working->changes.profileImported[3] = 1;
  working->changes.keyOptionsChanged[1] = 1;
  working->changes.hddKeyboardChanged = 1;
  computeChangeFlags(*applied, *working);
  EXPECT_EQ(setFlags(working->changes), std::set<std::string>{"profileImported[3]"});
}

TEST(ChangeFlags, MarkAllAndClearLeaveTheFlagsTheyDoNotOwn) {
  auto record = factoryRecord();
  record->changes.keyOptionsChanged[2] = 1;
  record->changes.profileImported[4] = 1;
  record->changes.hddKeyboardChanged = 1;
  markAllChanged(*record);
  const std::set<std::string> marked = setFlags(record->changes);
  EXPECT_EQ(marked.size(), 5u * 32 + 5 + 5 + 5 + 1 + 1 + 3);
  for (const char* name :
       {"allReset", "profileSwitched", "profileReset[0]", "standardKeysChanged[4]", "lightingChanged[2]",
        "keyChanged[4][31]", "keyOptionsChanged[2]", "profileImported[4]", "hddKeyboardChanged"}) {
    EXPECT_TRUE(marked.contains(name)) << name;
  }
  EXPECT_FALSE(marked.contains("keyOptionsChanged[0]"));
  EXPECT_FALSE(marked.contains("profileImported[0]"));

  clearChangeFlags(*record);
  EXPECT_EQ(setFlags(record->changes), std::set<std::string>{"hddKeyboardChanged"});
}

}  // namespace
}  // namespace opt
