#include "kavrelle/app/program_files.h"

#include <gtest/gtest.h>

#include <string>

namespace kav {
namespace {

std::span<const std::uint8_t> bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(ProgramFolder, EveryOccurrenceOfTheExecutableNameIsRemoved) {
  EXPECT_EQ(ProgramFolderFrom(u"C:\\Games\\Kavrelle.exe"), u"C:\\Games\\");
  EXPECT_EQ(ProgramFolderFrom(u"C:\\Kavrelle.exe\\Kavrelle.exe"), u"C:\\\\");
  EXPECT_EQ(ProgramFolderFrom(u"C:\\Games\\Renamed.exe"), u"C:\\Games\\Renamed.exe");
  EXPECT_EQ(ImageFolder(u"C:\\K\\", kChinese), u"C:\\K\\png\\chinese\\");
  EXPECT_EQ(ImageFolder(u"C:\\K\\", kEnglish), u"C:\\K\\png\\english\\");
}

TEST(VersionFile, DigitsAtBytesFiveAndSeven) {
  struct Case {
    std::string content;
    FileVersion version;
  };
  const Case cases[] = {
      {"Ver: 1.1\r\n", {1, 1}},
      {"Ver: 2.3", {2, 3}},
      {"Ver: 1", {0, 0}},       // too short
      {"", {0, 0}},             // missing or empty
      {"Ver: x.1", {0, 0}},     // not a digit
      {"Ver: 9.0 extra", {9, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseVersionFile(bytes(c.content)), c.version) << c.content;
}

TEST(VersionFile, UpdateOfferedOnlyForNewerFirmware) {
  struct Case {
    FileVersion file;
    std::uint8_t deviceMajor, deviceMinor;
    bool offered;
  };
  const Case cases[] = {
      {{1, 1}, 1, 0, true},
      {{1, 1}, 1, 1, false},
      {{1, 9}, 2, 0, false},
      {{1, 0}, 0, 9, true},
      {{0, 0}, 0, 0, false},  // no VER.bin
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FirmwareUpdateOffered(c.file, c.deviceMajor, c.deviceMinor), c.offered)
        << int(c.file.major) << "." << int(c.file.minor) << " vs " << int(c.deviceMajor) << "." << int(c.deviceMinor);
  }
}

TEST(WebAddress, FirstLineOfTheFileWhenItIsAWebAddress) {
  EXPECT_EQ(WebAddressFrom(std::nullopt), kDefaultWebAddress);
  EXPECT_EQ(WebAddressFrom("https://maker.example/support\r\nmore"), u"https://maker.example/support");
  EXPECT_EQ(WebAddressFrom("\xEF\xBB\xBF  http://a.example/  \n"), u"http://a.example/");
  EXPECT_EQ(WebAddressFrom("C:\\Windows\\System32\\cmd.exe"), kDefaultWebAddress);
  EXPECT_EQ(WebAddressFrom("https://a.example/ with blanks"), kDefaultWebAddress);
  EXPECT_EQ(WebAddressFrom(""), kDefaultWebAddress);
}

TEST(StartOptions, RecognisesTheTwoSwitches) {
  EXPECT_FALSE(ParseStartOptions(u"").simulateKeyboard);
  const StartOptions both = ParseStartOptions(u"  --english --simulate-keyboard");
  EXPECT_TRUE(both.simulateKeyboard);
  EXPECT_TRUE(both.english);
  EXPECT_FALSE(ParseStartOptions(u"--simulate-keyboardx").simulateKeyboard);
}

}  // namespace
}  // namespace kav
