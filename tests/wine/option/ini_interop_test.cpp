// Files written by IniFile read by the Windows private-profile functions, and the reverse.

#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "option/store/ini_file.h"
#include "tests/support/temp_dir.h"

namespace opt {
namespace {

using testsupport::TempDir;

constexpr DWORD kBufferChars = 2048;

std::string windowsString(const std::filesystem::path& file, const std::string& section, const std::string& key,
                          const char* defaultValue = "<default>") {
  std::vector<char> buffer(kBufferChars);
  const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue, buffer.data(), kBufferChars,
                                                file.string().c_str());
  return std::string(buffer.data(), length);
}

int windowsInt(const std::filesystem::path& file, const std::string& section, const std::string& key,
               int defaultValue) {
  return static_cast<int>(GetPrivateProfileIntA(section.c_str(), key.c_str(), defaultValue, file.string().c_str()));
}

bool windowsStruct(const std::filesystem::path& file, const std::string& section, const std::string& key,
                   std::vector<std::uint8_t>& buffer) {
  return GetPrivateProfileStructA(section.c_str(), key.c_str(), buffer.data(), static_cast<UINT>(buffer.size()),
                                  file.string().c_str()) != FALSE;
}

// Every kind of value the settings store writes.
const int kInts[] = {0, 1, -1, 4, 50, 100, 501, INT_MAX, INT_MIN};
const std::string kStrings[] = {
    "Profile #1",
    "Profile  with   blanks",
    "",
    std::string(249, 'n'),
    "C:\\Program Files\\Games\\race.exe",
    "  blanks at both ends  ",
    "\"quoted\"",
    "caf\xE9",
};
const std::size_t kStructSizes[] = {16, 104, 220, 340, 452};

std::vector<std::uint8_t> randomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::uint8_t> bytes(size);
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
  return bytes;
}

TEST(IniInterop, WindowsReadsWhatIniFileWrote) {
  TempDir dir;
  const auto file = dir / "ours.gkp";
  IniFile ini(file);
  for (std::size_t i = 0; i < std::size(kInts); ++i)
    ASSERT_TRUE(ini.writeInt("Setting", "Int" + std::to_string(i), kInts[i]));
  for (std::size_t i = 0; i < std::size(kStrings); ++i) {
    ASSERT_TRUE(ini.writeString("Setting", "Text" + std::to_string(i), kStrings[i]));
  }
  for (const std::size_t size : kStructSizes) {
    ASSERT_TRUE(ini.writeStruct("Setting", "Block" + std::to_string(size), randomBytes(size, size)));
  }
  ASSERT_TRUE(ini.save());

  for (std::size_t i = 0; i < std::size(kInts); ++i) {
    EXPECT_EQ(windowsInt(file, "SETTING", "int" + std::to_string(i), 12345), kInts[i]) << i;
  }
  for (std::size_t i = 0; i < std::size(kStrings); ++i) {
    EXPECT_EQ(windowsString(file, "setting", "TEXT" + std::to_string(i)), kStrings[i]) << i;
  }
  for (const std::size_t size : kStructSizes) {
    std::vector<std::uint8_t> read(size);
    ASSERT_TRUE(windowsStruct(file, "sEtTiNg", "block" + std::to_string(size), read)) << size;
    EXPECT_EQ(read, randomBytes(size, size)) << size;
  }
}

TEST(IniInterop, IniFileReadsWhatWindowsWrote) {
  TempDir dir;
  const auto file = dir / "theirs.gkp";
  const std::string path = file.string();
  for (std::size_t i = 0; i < std::size(kInts); ++i) {
    ASSERT_TRUE(WritePrivateProfileStringA("Setting", ("Int" + std::to_string(i)).c_str(),
                                           std::to_string(kInts[i]).c_str(), path.c_str()));
  }
  for (std::size_t i = 0; i < std::size(kStrings); ++i) {
    ASSERT_TRUE(
        WritePrivateProfileStringA("Setting", ("Text" + std::to_string(i)).c_str(), kStrings[i].c_str(), path.c_str()));
  }
  for (const std::size_t size : kStructSizes) {
    auto bytes = randomBytes(size, size);
    ASSERT_TRUE(WritePrivateProfileStructA("Setting", ("Block" + std::to_string(size)).c_str(), bytes.data(),
                                           static_cast<UINT>(size), path.c_str()));
  }

  const IniFile ini(file);
  ASSERT_TRUE(ini.loaded());
  for (std::size_t i = 0; i < std::size(kInts); ++i) {
    EXPECT_EQ(ini.readInt("SETTING", "int" + std::to_string(i), 12345), kInts[i]) << i;
  }
  for (std::size_t i = 0; i < std::size(kStrings); ++i) {
    // The Windows writer may drop blanks at the ends; whatever it stored, both readers agree on.
    const std::string key = "TEXT" + std::to_string(i);
    EXPECT_EQ(ini.readString("setting", key, "<default>"), windowsString(file, "Setting", key)) << i;
  }
  EXPECT_EQ(ini.readString("setting", "text1", ""), kStrings[1]);
  for (const std::size_t size : kStructSizes) {
    std::vector<std::uint8_t> read(size);
    ASSERT_TRUE(ini.readStruct("sEtTiNg", "block" + std::to_string(size), read)) << size;
    EXPECT_EQ(read, randomBytes(size, size)) << size;
  }
}

// A file written by hand, with the oddities a user's editor may leave in it.
const char kHandWritten[] =
    "orphan=before any section\r\n"
    "; a comment\r\n"
    "[Setting]\r\n"
    "Plain=value\r\n"
    "  Spaced Name  =   with  inner  blanks   \r\n"
    "Double=\"  quoted  \"\r\n"
    "Single='x'\r\n"
    "Unmatched=\"open\r\n"
    "Lone=\"\r\n"
    "Empty=\r\n"
    "NoEquals\r\n"
    "Twice=first\r\n"
    "twice=second\r\n"
    "standardKey=123446\r\n"
    "lowerHex=ab01ac\r\n"
    "badSum=123447\r\n"
    "Number= -17 \r\n"
    "Hex=0x1F\r\n"
    "Trailing=12abc\r\n"
    "Letters=abc\r\n"
    "Tabbed\t=\tvalue\t\r\n"
    "[ Padded ]\r\n"
    "p=1\r\n"
    "[other]\n"
    "lf=unix line\n"
    "[setting]\r\n"
    "OnlyInSecondCopy=1\r\n"
    "[Open\r\n"
    "afterOpen=1\r\n"
    "[Old]\rcr=mac line\r"
    "[Last]\r\n"
    "NoNewline=end";

struct Probe {
  const char* section;
  const char* key;
};
const Probe kProbes[] = {
    {"Setting", "Plain"},    {"SETTING", "plain"},    {" Setting ", " Plain "}, {"Setting", "spaced name"},
    {"Setting", "Double"},   {"Setting", "Single"},   {"Setting", "Unmatched"}, {"Setting", "Lone"},
    {"Setting", "Empty"},    {"Setting", "NoEquals"}, {"Setting", "Twice"},     {"Setting", "standardkey"},
    {"Setting", "lowerHex"}, {"Setting", "badSum"},   {"Setting", "Number"},    {"Setting", "Hex"},
    {"Setting", "Trailing"}, {"Setting", "Letters"},  {"Setting", "Tabbed"},    {"Setting", "OnlyInSecondCopy"},
    {"Setting", "Missing"},  {"Setting", "orphan"},   {"Padded", "p"},          {" Padded ", "p"},
    {"Other", "LF"},         {"Old", "cr"},           {"Last", "NoNewline"},    {"Setting", "afterOpen"},
    {"Open", "afterOpen"},   {"Missing", "Plain"},
};

TEST(IniInterop, BothReadAHandWrittenFileAlike) {
  TempDir dir;
  const auto file = dir / "hand.ini";
  std::ofstream(file, std::ios::binary) << kHandWritten;
  const IniFile ini(file);
  for (const Probe& probe : kProbes) {
    SCOPED_TRACE(std::string(probe.section) + "/" + probe.key);
    EXPECT_EQ(ini.readString(probe.section, probe.key, "<default>"), windowsString(file, probe.section, probe.key));
    EXPECT_EQ(ini.readInt(probe.section, probe.key, 777), windowsInt(file, probe.section, probe.key, 777));
    std::vector<std::uint8_t> ours(2, 0xEE), theirs(2, 0xEE);
    const bool ourResult = ini.readStruct(probe.section, probe.key, ours);
    EXPECT_EQ(ourResult, windowsStruct(file, probe.section, probe.key, theirs));
    if (ourResult) {
      EXPECT_EQ(ours, theirs);
    }
  }
}

// Every key of every section as the Windows reader sees the file.
std::string windowsDump(const std::filesystem::path& file) {
  std::vector<char> names(65536);
  const DWORD length =
      GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), file.string().c_str());
  std::string dump;
  for (const char* name = names.data(); name < names.data() + length && *name; name += std::strlen(name) + 1) {
    std::vector<char> entries(65536);
    const DWORD size =
        GetPrivateProfileSectionA(name, entries.data(), static_cast<DWORD>(entries.size()), file.string().c_str());
    dump.append("[").append(name).append("]\n");
    for (const char* entry = entries.data(); entry < entries.data() + size && *entry; entry += std::strlen(entry) + 1) {
      dump += std::string(entry) + "\n";
    }
  }
  return dump;
}

TEST(IniInterop, WritingIntoAnExistingFileGivesTheSameContent) {
  TempDir dir;
  const char original[] =
      "; keep this\r\n"
      "[Setting]\r\n"
      "  CurrentProfile = 3\r\n"
      "Other=keep me\r\n"
      "\r\n"
      "[Extra]\n"
      "x=1\n"
      "[Last]\r\n"
      "y=2";
  const auto ours = dir / "ours.ini";
  const auto theirs = dir / "theirs.ini";
  std::ofstream(ours, std::ios::binary) << original;
  std::ofstream(theirs, std::ios::binary) << original;

  struct Write {
    const char* section;
    const char* key;
    const char* value;
  };
  const Write writes[] = {
      {"setting", "currentprofile", "1"}, {"Setting", "RightWin", "1"}, {"Last", "z", "new"},
      {"FileName", "Profile3", "race"},   {"EXTRA", "X", "2"},
  };
  IniFile ini(ours);
  for (const Write& write : writes) {
    ASSERT_TRUE(ini.writeString(write.section, write.key, write.value));
    ASSERT_TRUE(WritePrivateProfileStringA(write.section, write.key, write.value, theirs.string().c_str()));
  }
  ASSERT_TRUE(ini.save());
  EXPECT_EQ(windowsDump(ours), windowsDump(theirs));
  std::ifstream in(ours, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(text.starts_with("; keep this\r\n[Setting]\r\n")) << text;
}

}  // namespace
}  // namespace opt
