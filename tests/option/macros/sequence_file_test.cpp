// config\sequence.dat: what saveMacros writes, what loadMacros makes of good and damaged files.

#include "option/macros/sequence_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/option/macros/macro_test_support.h"
#include "tests/support/temp_dir.h"

namespace opt {
namespace {

using testing_support::macro;
using testing_support::Settings;
using testing_support::someEvents;

// The private-profile struct encoding, written independently of the code under test.
std::string structValue(const void* data, std::size_t size) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  unsigned sum = 0;
  for (std::size_t i = 0; i < size; ++i) {
    const auto byte = static_cast<const std::uint8_t*>(data)[i];
    text += digits[byte >> 4];
    text += digits[byte & 15];
    sum += byte;
  }
  text += digits[(sum >> 4) & 15];
  text += digits[sum & 15];
  return text;
}

class SequenceFile : public testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directory(folder_ / "config"); }

  std::string fileText() const {
    std::ifstream in(macroFilePath(folder_.path()), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void writeFile(const std::string& text) const {
    std::ofstream(macroFilePath(folder_.path()), std::ios::binary) << text;
  }
  // The key names of the file, in file order.
  std::vector<std::string> keys() const {
    std::vector<std::string> names;
    std::istringstream lines(fileText());
    for (std::string line; std::getline(lines, line);)
      if (const auto equals = line.find('='); equals != std::string::npos) names.push_back(line.substr(0, equals));
    return names;
  }

  testsupport::TempDir folder_;
};

TEST_F(SequenceFile, AnEmptyListIsSavedAsNumberZeroAlone) {
  writeFile("[Macros]\r\nnumber=2\r\n0=00\r\n1=00\r\n[Other]\r\nkept=no\r\n");
  ASSERT_TRUE(saveMacros(MacroList(), folder_.path()));
  EXPECT_EQ(keys(), (std::vector<std::string>{"number"}));
  EXPECT_NE(fileText().find("[Macros]"), std::string::npos);
  EXPECT_NE(fileText().find("number=0"), std::string::npos);
}

TEST_F(SequenceFile, SavingAfterDeletingLeavesNoKeysOfTheDeletedMacros) {
  MacroList list;
  for (int i = 0; i < 5; ++i) list.push_back(macro("M" + std::to_string(i), someEvents(i + 1, i)));
  ASSERT_TRUE(saveMacros(list, folder_.path()));
  EXPECT_EQ(keys(), (std::vector<std::string>{"number", "0", "1", "2", "3", "4"}));

  list.erase(list.begin() + 1, list.begin() + 4);
  ASSERT_TRUE(saveMacros(list, folder_.path()));
  EXPECT_EQ(keys(), (std::vector<std::string>{"number", "0", "1"}));
  MacroList loaded;
  loadMacros(loaded, folder_.path());
  ASSERT_EQ(loaded.size(), 2u);
  EXPECT_EQ(macroName(*loaded[0]), "M0");
  EXPECT_EQ(macroName(*loaded[1]), "M4");
}

TEST_F(SequenceFile, RecordsComeBackByteForByteAndAreAppended) {
  MacroList list;
  list.push_back(macro("Burst", someEvents(4, 1), 255));
  list.push_back(macro("", {}));
  list.push_back(macro("Full", someEvents(kMaxMacroEvents, 2), 1));
  // Bytes after the name's terminator and events past the count are kept as they are.
  std::memcpy(list[0]->name + 6, "left over", 9);
  list[0]->name[51] = 'z';
  list[0]->events[39] = {0xF4, kMacroRelease, kMaxMacroDelayMs};
  ASSERT_TRUE(saveMacros(list, folder_.path()));

  MacroList loaded;
  loaded.push_back(macro("Already there", {}));
  loadMacros(loaded, folder_.path());
  ASSERT_EQ(loaded.size(), 1 + list.size());
  EXPECT_EQ(macroName(*loaded[0]), "Already there");
  for (std::size_t i = 0; i < list.size(); ++i)
    EXPECT_EQ(std::memcmp(loaded[i + 1].get(), list[i].get(), sizeof(MacroRecord)), 0) << i;
}

TEST_F(SequenceFile, MissingOrDamagedRecordsLoadAsUnnamedEmptyMacros) {
  const auto good = macro("Good", someEvents(4, 1), 2);
  const std::string goodValue = structValue(good.get(), sizeof(MacroRecord));
  std::string badChecksum = goodValue;
  badChecksum.back() = badChecksum.back() == '0' ? '1' : '0';

  struct Case {
    const char* what;
    std::string file;
    std::vector<bool> expectGood;  // one per loaded macro
  };
  const Case cases[] = {
      {"key 1 missing", "[Macros]\nnumber=3\n0=" + goodValue + "\n2=" + goodValue + "\n", {true, false, true}},
      {"wrong checksum", "[Macros]\nnumber=2\n0=" + badChecksum + "\n1=" + goodValue + "\n", {false, true}},
      {"too short", "[Macros]\nnumber=2\n0=" + goodValue.substr(2) + "\n1=" + goodValue + "\n", {false, true}},
      {"too long", "[Macros]\nNUMBER=1\n0=00" + goodValue + "\n", {false}},
      {"more keys than number", "[macros]\nnumber=1\n0=" + goodValue + "\n1=" + goodValue + "\n", {true}},
      {"number 0", "[Macros]\nnumber=0\n0=" + goodValue + "\n", {}},
      {"number negative", "[Macros]\nnumber=-4\n0=" + goodValue + "\n", {}},
      {"no number", "[Macros]\n0=" + goodValue + "\n", {}},
      {"other section", "[Macro]\nnumber=1\n0=" + goodValue + "\n", {}},
      {"empty file", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeFile(c.file);
    MacroList loaded;
    loadMacros(loaded, folder_.path());
    ASSERT_EQ(loaded.size(), c.expectGood.size());
    for (std::size_t i = 0; i < loaded.size(); ++i) {
      const MacroRecord expected = c.expectGood[i] ? *good : MacroRecord{};
      EXPECT_EQ(std::memcmp(loaded[i].get(), &expected, sizeof(MacroRecord)), 0) << i;
    }
  }
}

TEST_F(SequenceFile, NoFileLoadsNothing) {
  MacroList loaded;
  loadMacros(loaded, folder_.path());
  EXPECT_TRUE(loaded.empty());
}

TEST_F(SequenceFile, StoredRecordsNeverClaimMoreThanTheyHold) {
  auto record = macro("", someEvents(kMaxMacroEvents, 3));
  record->eventCount = 41;
  std::memset(record->name, 'N', kMacroNameBytes);  // no terminator
  // An absurd count gives macros up to what a file could hold, not an allocation without bound.
  writeFile("[Macros]\nnumber=2147483647\n0=" + structValue(record.get(), sizeof(MacroRecord)) + "\n");
  MacroList loaded;
  loadMacros(loaded, folder_.path());
  ASSERT_FALSE(loaded.empty());
  EXPECT_LT(loaded.size(), 10000u);
  EXPECT_EQ(loaded[0]->eventCount, kMaxMacroEvents);
  EXPECT_EQ(macroName(*loaded[0]), std::string(kMacroNameBytes - 1, 'N'));
  EXPECT_EQ(std::memcmp(loaded[0]->events, record->events, sizeof record->events), 0);
}

TEST_F(SequenceFile, AFailedSaveIsReportedAndLeavesNothingBehind) {
  MacroList list;
  list.push_back(macro("Kept", someEvents(2, 1)));
  // A folder where the file should be: nothing can replace it.
  std::filesystem::create_directory(macroFilePath(folder_.path()));
  EXPECT_FALSE(saveMacros(list, folder_.path()));
  EXPECT_TRUE(std::filesystem::is_directory(macroFilePath(folder_.path())));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_ / "config"), {}), 1);
  // The config folder is part of the installation and never created.
  EXPECT_FALSE(saveMacros(list, folder_ / "missing"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "missing"));
}

// Start-up without a macro file: load, merge the keys' macros, save.
TEST_F(SequenceFile, StartUpPutsAKeysMacroIntoTheNewFile) {
  Settings settings;
  settings.setEntry(0, 2, kMacroKeyKind, "Burst", someEvents(4, 1));
  MacroList list;
  loadMacros(list, folder_.path());
  mergeKeyMacros(list, settings.record(), SingleByteCodePage());
  ASSERT_TRUE(saveMacros(list, folder_.path()));

  MacroList loaded;
  loadMacros(loaded, folder_.path());
  ASSERT_EQ(loaded.size(), 1u);
  EXPECT_EQ(macroName(*loaded[0]), "Burst");
  EXPECT_EQ(loaded[0]->repeatCount, 0u);
  EXPECT_EQ(loaded[0]->eventCount, 4u);
}

}  // namespace
}  // namespace opt
