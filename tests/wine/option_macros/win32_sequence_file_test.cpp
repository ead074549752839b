// config\sequence.dat against the Windows private-profile functions, in both directions.

#include <gtest/gtest.h>
#include <windows.h>

#include "option/macros/sequence_file.h"
#include "tests/option/macros/macro_test_support.h"
#include "tests/support/temp_dir.h"

namespace opt {
namespace {

using testing_support::macro;
using testing_support::someEvents;

MacroList sampleMacros() {
  MacroList list;
  list.push_back(macro("Burst", someEvents(4, 1), 3));
  list.push_back(macro("", {}));
  list.push_back(macro("Full", someEvents(kMaxMacroEvents, 2), 255));
  std::memcpy(list[0]->name + 8, "after the end", 13);
  return list;
}

class SequenceFileOnWindows : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(folder_ / "config");
    path_ = macroFilePath(folder_.path()).string();
  }
  testsupport::TempDir folder_;
  std::string path_;
};

TEST_F(SequenceFileOnWindows, WindowsReadsWhatWeWrite) {
  const MacroList list = sampleMacros();
  ASSERT_TRUE(saveMacros(list, folder_.path()));

  EXPECT_EQ(GetPrivateProfileIntA("macros", "NUMBER", -1, path_.c_str()), 3);
  for (std::size_t i = 0; i < list.size(); ++i) {
    MacroRecord read{};
    ASSERT_TRUE(GetPrivateProfileStructA("Macros", std::to_string(i).c_str(), &read, sizeof read, path_.c_str())) << i;
    EXPECT_EQ(std::memcmp(&read, list[i].get(), sizeof read), 0) << i;
  }
  char value[8];
  EXPECT_EQ(GetPrivateProfileStringA("Macros", "3", "none", value, sizeof value, path_.c_str()), 4u);
  EXPECT_STREQ(value, "none");
}

TEST_F(SequenceFileOnWindows, WeReadWhatWindowsWrites) {
  const MacroList list = sampleMacros();
  ASSERT_TRUE(WritePrivateProfileStringA("Macros", "number", "3", path_.c_str()));
  for (std::size_t i = 0; i < list.size(); ++i)
    ASSERT_TRUE(WritePrivateProfileStructA("MACROS", std::to_string(i).c_str(), list[i].get(), sizeof(MacroRecord),
                                           path_.c_str()));
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());  // flush the profile cache

  MacroList loaded;
  loadMacros(loaded, folder_.path());
  ASSERT_EQ(loaded.size(), list.size());
  for (std::size_t i = 0; i < list.size(); ++i)
    EXPECT_EQ(std::memcmp(loaded[i].get(), list[i].get(), sizeof(MacroRecord)), 0) << i;
}

}  // namespace
}  // namespace opt
