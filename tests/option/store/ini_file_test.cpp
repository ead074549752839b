#include "option/store/ini_file.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <climits>
#include <cstdint>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace opt {
namespace {

using testsupport::TempDir;

void writeText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::string readText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

IniFile fileWith(const TempDir& dir, const std::string& text) {
  writeText(dir / "test.ini", text);
  return IniFile(dir / "test.ini");
}

TEST(IniFileRead, FindsValuesTheWayThePrivateProfileReaderDoes) {
  TempDir dir;
  const IniFile ini = fileWith(dir,
                               "orphan=before any section\r\n"
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
                               "[ Padded\t]\r\np=1\r\n"
                               "[other]\n"
                               "lf=unix line\n"
                               "[setting]\r\n"
                               "OnlyInSecondCopy=1\r\n"
                               "[Old]\rcr=mac line\r"
                               "[Last]\r\n"
                               "NoNewline=end");
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  };
  const Case cases[] = {
      {"Setting", "Plain", "value"},
      {"SETTING", "plain", "value"},
      {" Setting ", " Plain ", "value"},
      {"Setting", "spaced name", "with  inner  blanks"},
      {"Setting", "Double", "  quoted  "},
      {"Setting", "Single", "x"},
      {"Setting", "Unmatched", "\"open"},
      {"Setting", "Lone", "\""},
      {"Setting", "Empty", ""},
      {"Setting", "NoEquals", "<default>"},
      {"Setting", "Twice", "first"},
      {"Setting", "OnlyInSecondCopy", "<default>"},
      {"Setting", "Missing", "<default>"},
      {"Missing", "Plain", "<default>"},
      {"Setting", "orphan", "<default>"},
      {"padded", "p", "1"},
      {"Other", "LF", "unix line"},
      {"Old", "cr", "mac line"},
      {"Last", "NoNewline", "end"},
      {"", "Plain", "<default>"},
      {"Setting", "", "<default>"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ini.readString(c.section, c.key, "<default>"), c.expected) << c.section << "/" << c.key;
  }
}

TEST(IniFileRead, LongValuesAreCutTo2047CharactersAndTheByteOrderMarkIsSkipped) {
  TempDir dir;
  const IniFile ini = fileWith(dir, "\xEF\xBB\xBF[S]\r\nlong=" + std::string(5000, 'a') + "\r\n");
  EXPECT_EQ(ini.readString("S", "long", ""), std::string(IniFile::kMaxStringChars, 'a'));
}

TEST(IniFileRead, IntegersConvertLikeGetPrivateProfileInt) {
  TempDir dir;
  const IniFile ini = fileWith(dir,
                               "[S]\r\n"
                               "zero=0\r\nminusOne=-1\r\nmax=2147483647\r\nmin=-2147483648\r\nplus=+12\r\n"
                               "padded=   7   \r\ntrailing=12abc\r\nletters=abc\r\nempty=\r\nquoted=\"5\"\r\n"
                               "hex=0x1F\r\nbinary=0b101\r\noctal=0o17\r\nwraps=4294967295\r\n"
                               "longZeros=00000000000000000000000000000001\r\n");
  struct Case {
    const char* key;
    int expected;
  };
  const Case cases[] = {
      {"zero", 0},      {"minusOne", -1}, {"max", INT_MAX}, {"min", INT_MIN}, {"plus", 12},  {"padded", 7},
      {"trailing", 12}, {"letters", 0},   {"empty", 99},    {"missing", 99},  {"quoted", 5}, {"hex", 31},
      {"binary", 5},    {"octal", 15},    {"wraps", -1},    {"longZeros", 0},  // only the first 29 characters are
                                                                               // converted
  };
  for (const Case& c : cases) EXPECT_EQ(ini.readInt("S", c.key, 99), c.expected) << c.key;
}

TEST(IniFileStruct, RoundTripsEverySizeTheStoreUses) {
  TempDir dir;
  std::mt19937 random(7);
  IniFile ini(dir / "s.ini");
  std::vector<std::vector<std::uint8_t>> blocks;
  for (const std::size_t size : {1u, 16u, 104u, 220u, 340u, 452u}) {
    std::vector<std::uint8_t> data(size);
    for (auto& byte : data) byte = static_cast<std::uint8_t>(random());
    ASSERT_TRUE(ini.writeStruct("Blocks", "b" + std::to_string(size), data));
    blocks.push_back(data);
  }
  ASSERT_TRUE(ini.save());

  const IniFile again(dir / "s.ini");
  for (const auto& data : blocks) {
    std::vector<std::uint8_t> read(data.size());
    ASSERT_TRUE(again.readStruct("blocks", "B" + std::to_string(data.size()), read));
    EXPECT_EQ(read, data);
  }
}

TEST(IniFileStruct, WritesUppercaseHexFollowedByTheChecksum) {
  TempDir dir;
  IniFile ini = IniFile::Empty(dir / "s.ini");
  const std::array<std::uint8_t, 5> data{0x80, 0x51, 0x01, 0x00, 0xAB};
  ASSERT_TRUE(ini.writeStruct("S", "k", data));
  EXPECT_EQ(ini.text(), "[S]\r\nk=80510100AB7D\r\n");
}

TEST(IniFileStruct, AnInvalidValueFailsAndLeavesTheBufferAlone) {
  TempDir dir;
  // 0x12 + 0x34 = 0x46
  const IniFile ini = fileWith(dir,
                               "[S]\r\n"
                               "good=123446\r\nlower=ab01ac\r\n"
                               "badSum=123447\r\nshort=1234\r\nlong=12340046\r\nodd=1234460\r\n"
                               "notHex=12G446\r\nquoted=\"123446\"\r\nempty=\r\n");
  struct Case {
    const char* key;
    bool valid;
    std::array<std::uint8_t, 2> expected;
  };
  const Case cases[] = {
      {"good", true, {0x12, 0x34}},     {"lower", true, {0xAB, 0x01}},   {"badSum", false, {0xEE, 0xEE}},
      {"short", false, {0xEE, 0xEE}},   {"long", false, {0xEE, 0xEE}},   {"odd", false, {0xEE, 0xEE}},
      {"notHex", false, {0xEE, 0xEE}},  {"quoted", false, {0xEE, 0xEE}}, {"empty", false, {0xEE, 0xEE}},
      {"missing", false, {0xEE, 0xEE}},
  };
  for (const Case& c : cases) {
    std::array<std::uint8_t, 2> buffer{0xEE, 0xEE};
    EXPECT_EQ(ini.readStruct("S", c.key, buffer), c.valid) << c.key;
    EXPECT_EQ(buffer, c.expected) << c.key;
  }
}

TEST(IniFileWrite, KeepsEveryOtherLineAsItWas) {
  TempDir dir;
  IniFile ini = fileWith(dir,
                         "; written by hand\r\n"
                         "[Setting]\r\n"
                         "  CurrentProfile = 3\r\n"
                         "Other=keep me\r\n"
                         "\r\n"
                         "[Extra]\n"
                         "x=1\n"
                         "[Last]\r\n"
                         "y=2");
  ASSERT_TRUE(ini.writeInt("setting", "currentprofile", 1));
  ASSERT_TRUE(ini.writeInt("Setting", "RightWin", 1));
  ASSERT_TRUE(ini.writeString("Last", "z", "new"));
  ASSERT_TRUE(ini.writeString("FileName", "Profile3", "race"));
  ASSERT_TRUE(ini.save());
  EXPECT_EQ(readText(dir / "test.ini"),
            "; written by hand\r\n"
            "[Setting]\r\n"
            "  CurrentProfile=1\r\n"
            "Other=keep me\r\n"
            "RightWin=1\r\n"
            "\r\n"
            "[Extra]\n"
            "x=1\n"
            "[Last]\r\n"
            "y=2\r\n"
            "z=new\r\n"
            "\r\n"
            "[FileName]\r\n"
            "Profile3=race\r\n");
}

TEST(IniFileWrite, StringsComeBackExactlyAsWritten) {
  TempDir dir;
  const std::string values[] = {
      "Profile #1", "  leading and trailing  ", "\"quoted\"", "'single'", "\"", "", "C:\\Games\\race.exe", "a=b",
  };
  IniFile ini(dir / "s.ini");
  for (std::size_t i = 0; i < std::size(values); ++i)
    ASSERT_TRUE(ini.writeString("S", "k" + std::to_string(i), values[i]));
  ASSERT_TRUE(ini.save());
  const IniFile again(dir / "s.ini");
  for (std::size_t i = 0; i < std::size(values); ++i)
    EXPECT_EQ(again.readString("S", "k" + std::to_string(i), "?"), values[i]);
}

TEST(IniFileWrite, ALineBreakCannotInjectAnotherKey) {
  TempDir dir;
  IniFile ini(dir / "s.ini");
  ASSERT_TRUE(ini.writeString("S", "name", "first line\r\nInjected=1"));
  EXPECT_EQ(ini.readString("S", "name", ""), "first line");
  EXPECT_FALSE(ini.hasKey("S", "Injected"));
}

TEST(IniFileWrite, RefusesNamesThatCannotBeStored) {
  TempDir dir;
  IniFile ini(dir / "s.ini");
  EXPECT_FALSE(ini.writeString("", "k", "v"));
  EXPECT_FALSE(ini.writeString("S", "", "v"));
  EXPECT_FALSE(ini.writeString("S", "a=b", "v"));
  EXPECT_FALSE(ini.writeString("S", "[k", "v"));
  EXPECT_FALSE(ini.writeString("S\r\n[T]", "k", "v"));
  EXPECT_FALSE(ini.writeString("S", "k\nx", "v"));
  EXPECT_EQ(ini.text(), "");
}

TEST(IniFileFile, AMissingFileStartsEmptyAndSaveCreatesIt) {
  TempDir dir;
  IniFile ini(dir / "new.ini");
  EXPECT_EQ(ini.loadState(), IniFile::LoadState::Missing);
  EXPECT_EQ(ini.readInt("Setting", "CurrentProfile", -1), -1);
  ASSERT_TRUE(ini.writeInt("Setting", "CurrentProfile", 2));
  ASSERT_TRUE(ini.save());
  EXPECT_EQ(readText(dir / "new.ini"), "[Setting]\r\nCurrentProfile=2\r\n");
  // Nothing but the file itself is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(IniFileFile, SavingIntoAMissingFolderFails) {
  TempDir dir;
  IniFile ini(dir / "config" / "Default0.gkp");
  ASSERT_TRUE(ini.writeInt("Setting", "Tab", 1));
  EXPECT_FALSE(ini.save());
  EXPECT_FALSE(std::filesystem::exists(dir / "config"));
}

TEST(IniFileFile, AFileThatCannotBeLoadedIsNeitherReadNorOverwritten) {
  TempDir dir;
  const std::string huge = "[S]\r\nk=1\r\n" + std::string(IniFile::kMaxFileBytes, 'x');
  const std::string utf16("\xFF\xFE[\0S\0]\0", 8);
  for (const std::string& content : {huge, utf16}) {
    writeText(dir / "bad.ini", content);
    IniFile ini(dir / "bad.ini");
    EXPECT_EQ(ini.loadState(), IniFile::LoadState::Unreadable);
    EXPECT_EQ(ini.readInt("S", "k", -1), -1);
    ASSERT_TRUE(ini.writeInt("S", "k", 2));
    EXPECT_FALSE(ini.save());
    EXPECT_EQ(readText(dir / "bad.ini"), content);

    ini.clear();
    ASSERT_TRUE(ini.writeInt("S", "k", 2));
    EXPECT_TRUE(ini.save());
    EXPECT_EQ(readText(dir / "bad.ini"), "[S]\r\nk=2\r\n");
  }
  std::filesystem::create_directory(dir / "folder.ini");
  EXPECT_EQ(IniFile(dir / "folder.ini").loadState(), IniFile::LoadState::Unreadable);
}

TEST(IniFileFile, AFileThatNoWriteChangedIsNotWrittenAgain) {
  TempDir dir;
  const auto file = dir / "p.gkp";
  writeText(file, "[Setting]\r\nTab=1\r\nName=x\r\n");
  const auto old = std::filesystem::last_write_time(file) - std::chrono::hours(24);
  std::filesystem::last_write_time(file, old);

  IniFile same(file);
  ASSERT_TRUE(same.writeInt("setting", "tab", 1));
  ASSERT_TRUE(same.writeString("Setting", "Name", "x"));
  ASSERT_TRUE(same.save());
  EXPECT_EQ(std::filesystem::last_write_time(file), old);

  IniFile changed(file);
  ASSERT_TRUE(changed.writeInt("Setting", "Tab", 0));
  ASSERT_TRUE(changed.save());
  EXPECT_NE(std::filesystem::last_write_time(file), old);
  EXPECT_EQ(readText(file), "[Setting]\r\nTab=0\r\nName=x\r\n");
}

TEST(IniFileFile, EmptyReplacesTheWholeFile) {
  TempDir dir;
  writeText(dir / "p.gkp", "[Setting]\r\nStale=1\r\n");
  IniFile ini = IniFile::Empty(dir / "p.gkp");
  ASSERT_TRUE(ini.writeInt("Setting", "Tab", 0));
  ASSERT_TRUE(ini.save());
  EXPECT_EQ(readText(dir / "p.gkp"), "[Setting]\r\nTab=0\r\n");
}

TEST(IniFileFile, KeepsAByteOrderMarkAndLinesWithoutNewline) {
  TempDir dir;
  IniFile ini = fileWith(dir, "\xEF\xBB\xBF[S]\r\na=1");
  ASSERT_TRUE(ini.writeInt("S", "b", 2));
  EXPECT_EQ(ini.text(), "\xEF\xBB\xBF[S]\r\na=1\r\nb=2\r\n");
}

TEST(IniFileFile, DamagedContentReadsSafely) {
  TempDir dir;
  std::mt19937 random(11);
  const std::string alphabet(
      "[]=;\"' \t\r\n\0\x1A"
      "abcAB01",
      20);
  for (int round = 0; round < 200; ++round) {
    std::string content(random() % 400, '\0');
    for (char& c : content)
      c = (random() % 4 == 0) ? static_cast<char>(random()) : alphabet[random() % alphabet.size()];
    IniFile ini = fileWith(dir, content);
    std::array<std::uint8_t, 2> buffer{};
    (void)ini.readString("a", "b", "");
    (void)ini.readInt("A", "a", 0);
    (void)ini.readStruct("b", "a", buffer);
    ASSERT_TRUE(ini.writeString("a", "b", "v"));
    EXPECT_EQ(ini.readString("A", "B", ""), "v");
  }
}

}  // namespace
}  // namespace opt
