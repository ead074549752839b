#include "option/store/settings_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>

#include "tests/support/temp_dir.h"

namespace opt {
namespace {

using testsupport::TempDir;

std::string readText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

void writeText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::unique_ptr<KeyboardSettings> emptyRecord() { return std::make_unique<KeyboardSettings>(); }

bool sameBytes(const ProfileSettings& a, const ProfileSettings& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A program folder with its config folder, as installed.
struct Installation {
  TempDir dir;
  Installation() { std::filesystem::create_directory(dir / "config"); }
  const std::filesystem::path& folder() const { return dir.path(); }
};

// Every byte random, the two names set as the store keeps text fields.
ProfileSettings randomProfile(unsigned seed) {
  std::mt19937 random(seed);
  ProfileSettings profile;
  auto* bytes = reinterpret_cast<std::uint8_t*>(&profile);
  for (std::size_t i = 0; i < sizeof profile; ++i) bytes[i] = static_cast<std::uint8_t>(random());
  setFieldText(profile.ProFileName, "  Race  #" + std::to_string(seed) + " ");
  setFieldText(profile.GameFile, "C:\\Games\\Race\\race.exe");
  return profile;
}

TEST(SettingsStore, AFreshInstallationGivesFiveFactoryProfilesWithTheFirstCurrent) {
  Installation install;
  auto record = emptyRecord();
  record->CurrentProfile = 3;
  loadFromFiles(*record, install.folder());

  EXPECT_EQ(record->CurrentProfile, 0);
  EXPECT_EQ(record->RightWin, -1);
  for (int slot = 0; slot < kProfileCount; ++slot) {
    const ProfileSettings& profile = record->profiles[slot];
    EXPECT_EQ(fieldText(profile.ProFileName), "Profile #" + std::to_string(slot + 1));
    EXPECT_EQ(fieldText(profile.GameFile), "");
    EXPECT_EQ(profile.HDDKeyboard, 1);
    EXPECT_EQ(profile.LtPulsation, 3);
    EXPECT_EQ(profile.LtColor, 4);
    EXPECT_EQ(profile.LtSaving, 50);
    EXPECT_EQ(profile.PollingRate, 4);
    EXPECT_EQ(profile.ReportDelay, 4);
    EXPECT_EQ(profile.MediaOption, 0);
    EXPECT_EQ(profile.FnStatus, 0);
    EXPECT_EQ(profile.standardkey.front(), 0x29);  // Escape
    EXPECT_EQ(profile.standardkey.back(), 0x58);   // keypad Enter
    EXPECT_EQ(profile.standardkey, kFactoryStandardKeys);
  }
  // Factory key entries: kind, byte 2 and code of entries 0..13, every other byte zero.
  MacroKeyInfo entry5{};
  entry5.kind = 2;
  entry5.code = 0x4B;
  EXPECT_EQ(record->profiles[4].macroKeys[5], entry5);
  MacroKeyInfo entry0{};
  entry0.kind = 4;
  entry0.modifiers = 1;
  EXPECT_EQ(record->profiles[0].macroKeys[0], entry0);
  EXPECT_EQ(record->profiles[0].macroKeys[13].code, 0xB0);
  EXPECT_EQ(record->profiles[0].macroKeys[14], MacroKeyInfo{});
  EXPECT_EQ(record->profiles[0].macroKeys[31], MacroKeyInfo{});
}

TEST(SettingsStore, CurrentProfileOutsideTheSlotsStartsOnTheFirst) {
  for (const char* value : {"-1", "5", "12345"}) {
    Installation install;
    writeText(configIniPath(install.folder()),
              std::string("[Setting]\r\nCurrentProfile=") + value + "\r\nRightWin=0\r\n");
    auto record = emptyRecord();
    loadFromFiles(*record, install.folder());
    EXPECT_EQ(record->CurrentProfile, 0) << value;
    EXPECT_EQ(record->RightWin, 0);
  }
}

TEST(SettingsStore, AProfileFileComesBackByteForByte) {
  TempDir dir;
  const ProfileSettings saved = randomProfile(1);
  ASSERT_TRUE(saveProfile(saved, dir / "race.gkp"));
  ProfileSettings loaded = randomProfile(2);
  ASSERT_TRUE(loadProfile(loaded, dir / "race.gkp"));
  EXPECT_TRUE(sameBytes(loaded, saved));
}

TEST(SettingsStore, AProfileFileHoldsItsKeysInTheirOrder) {
  TempDir dir;
  ProfileSettings profile;
  defaultProfile(profile, 0);
  ASSERT_TRUE(saveProfile(profile, dir / "p.gkp"));
  std::istringstream lines(readText(dir / "p.gkp"));
  std::vector<std::string> keys;
  for (std::string line; std::getline(lines, line);) keys.push_back(line.substr(0, line.find('=')));
  std::vector<std::string> expected = {"[Setting]\r", "ProFileName", "GameFile",   "MediaOption", "HDDKeyboard",
                                       "LtSwitch",    "LtColor",     "LtControl",  "LtSaving",    "LtPulsation",
                                       "Context",     "CapsLock",    "Tab",        "FnStatus",    "PollingRate",
                                       "ReportDelay", "LeftWin",     "standardkey"};
  for (int i = 0; i < kMacroKeyCount; ++i) expected.push_back("MacroKeyInfo" + std::to_string(i));
  EXPECT_EQ(keys, expected);
  EXPECT_NE(readText(dir / "p.gkp").find("\r\nProFileName=Profile #1\r\nGameFile=\r\nMediaOption=0\r\n"),
            std::string::npos);
}

TEST(SettingsStore, MissingOrDamagedKeysOfAProfileFile) {
  TempDir dir;
  const std::filesystem::path file = dir / "hand.gkp";
  const ProfileSettings previous = randomProfile(3);
  ProfileSettings source;
  defaultProfile(source, 1);

  struct Case {
    const char* name;
    std::string fileText;
    std::function<void(const ProfileSettings&)> check;
  };
  const auto fileOf = [&](const std::function<void(IniFile&)>& edit) {
    IniFile ini = IniFile::Empty(file);
    saveProfile(source, ini);
    edit(ini);
    return ini.text();
  };
  const auto tableDigits = [&] {
    IniFile ini = IniFile::Empty(file);
    ini.writeStruct("S", "k", source.standardkey);
    return ini.readString("S", "k", "");
  }();
  std::string badChecksum = tableDigits;
  badChecksum.back() = badChecksum.back() == '0' ? '1' : '0';

  const Case cases[] = {
      {"table checksum edited by hand",
       fileOf([&](IniFile& ini) { ini.writeString("Setting", "standardkey", badChecksum); }),
       [&](const ProfileSettings& p) {
         EXPECT_EQ(p.standardkey, previous.standardkey);
         EXPECT_EQ(p.macroKeys[3], source.macroKeys[3]);
       }},
      {"table key in capitals", "[Setting]\r\nSTANDARDKEY=" + tableDigits + "\r\n",
       [&](const ProfileSettings& p) { EXPECT_EQ(p.standardkey, kFactoryStandardKeys); }},
      {"one key entry too short", fileOf([&](IniFile& ini) { ini.writeString("Setting", "MacroKeyInfo7", "0000"); }),
       [&](const ProfileSettings& p) {
         EXPECT_EQ(p.macroKeys[7], previous.macroKeys[7]);
         EXPECT_EQ(p.macroKeys[6], source.macroKeys[6]);
       }},
      {"only a name", "[Setting]\r\nProFileName=Only a name\r\n",
       [&](const ProfileSettings& p) {
         EXPECT_EQ(fieldText(p.ProFileName), "Only a name");
         EXPECT_EQ(fieldText(p.GameFile), "");
         for (const std::int32_t value :
              {p.MediaOption, p.HDDKeyboard, p.LtSwitch, p.LtColor, p.LtControl, p.LtSaving, p.LtPulsation, p.Context,
               p.CapsLock, p.Tab, p.FnStatus, p.PollingRate, p.ReportDelay, p.LeftWin}) {
           EXPECT_EQ(value, -1);
         }
         EXPECT_EQ(p.standardkey, previous.standardkey);
         EXPECT_EQ(p.macroKeys, previous.macroKeys);
       }},
      {"names longer than their fields",
       "[Setting]\r\nProFileName=" + std::string(300, 'n') + "\r\nGameFile=" + std::string(600, 'g') + "\r\n",
       [&](const ProfileSettings& p) {
         EXPECT_EQ(fieldText(p.ProFileName), std::string(249, 'n'));
         EXPECT_EQ(fieldText(p.GameFile), std::string(501, 'g'));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    writeText(file, c.fileText);
    ProfileSettings profile = previous;
    ASSERT_TRUE(loadProfile(profile, file));
    c.check(profile);
  }
}

TEST(SettingsStore, AProfileFileThatCannotBeReadChangesNothing) {
  TempDir dir;
  ProfileSettings profile = randomProfile(4);
  const ProfileSettings before = profile;
  EXPECT_FALSE(loadProfile(profile, dir / "missing.gkp"));
  EXPECT_TRUE(sameBytes(profile, before));
}

TEST(SettingsStore, SaveAllWritesConfigAndFiveSlotsAndLoadAllReadsThemBack) {
  Installation install;
  writeText(configIniPath(install.folder()), "[Setting]\r\nFWVersion=102\r\n[FileName]\r\nProfile1=race\r\n");
  auto saved = emptyRecord();
  factoryDefaults(*saved);
  saved->CurrentProfile = 3;
  saved->RightWin = 0;
  for (int slot = 0; slot < kProfileCount; ++slot) saved->profiles[slot] = randomProfile(10 + slot);
  ASSERT_TRUE(saveAll(*saved, install.folder()));

  auto loaded = emptyRecord();
  loadFromFiles(*loaded, install.folder());
  EXPECT_EQ(loaded->CurrentProfile, 3);
  EXPECT_EQ(loaded->RightWin, 0);
  for (int slot = 0; slot < kProfileCount; ++slot) {
    EXPECT_TRUE(sameBytes(loaded->profiles[slot], saved->profiles[slot])) << slot;
    EXPECT_TRUE(std::filesystem::exists(install.folder() / "config" / ("Default" + std::to_string(slot) + ".gkp")));
  }
  EXPECT_EQ(readText(configIniPath(install.folder())),
            "[Setting]\r\nFWVersion=102\r\nCurrentProfile=3\r\nRightWin=0\r\n[FileName]\r\nProfile1=race\r\n");
}

TEST(SettingsStore, SaveAllWithoutTheConfigFolderStillWritesConfigIni) {
  TempDir dir;
  auto record = emptyRecord();
  factoryDefaults(*record);
  EXPECT_FALSE(saveAll(*record, dir.path()));
  EXPECT_EQ(IniFile(configIniPath(dir.path())).readInt("Setting", "CurrentProfile", -1), 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "config"));
}

TEST(SettingsStore, FactoryDefaultsAndClearRecordTouchOnlyTheirFields) {
  auto record = emptyRecord();
  record->RightWin = 7;
  record->reserved = 9;
  record->changes.allReset = 1;
  record->changes.hddKeyboardChanged = 1;
  factoryDefaults(*record);
  EXPECT_EQ(record->CurrentProfile, 0);
  EXPECT_EQ(record->RightWin, 1);
  EXPECT_EQ(record->reserved, 9);
  EXPECT_EQ(record->changes.allReset, 1);
  EXPECT_EQ(fieldText(record->profiles[2].ProFileName), "Profile #3");

  record->RightWin = 7;
  clearRecord(*record);
  EXPECT_EQ(record->CurrentProfile, -1);
  EXPECT_EQ(record->RightWin, 7);
  EXPECT_EQ(record->reserved, 0);
  EXPECT_EQ(record->changes, ChangeFlags{});
  EXPECT_TRUE(sameBytes(record->profiles[4], ProfileSettings{}));
}

TEST(SettingsStore, FirmwareVersionText) {
  struct Case {
    const char* stored;  // nullptr: no config.ini
    const char* atStartUp;
    const char* afterNotice;
  };
  const Case cases[] = {
      {nullptr, "1.00", "1.00"}, {"99", "N/A", "N/A"},    {"100", "1.00", "1.00"},
      {"102", "1.02", "1.02"},   {"500", "5.00", "5.00"}, {"501", "N/A", "5.01"},
      {"1234", "N/A", "1.234"},  {"-1", "N/A", "-.1"},    {"0", "N/A", "N/A"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    if (c.stored) writeText(configIniPath(dir.path()), std::string("[Setting]\r\nFWVersion=") + c.stored + "\r\n");
    const int version = readFirmwareVersion(dir.path());
    EXPECT_EQ(firmwareVersionText(version, VersionRule::StartUp), c.atStartUp) << (c.stored ? c.stored : "missing");
    EXPECT_EQ(firmwareVersionText(version, VersionRule::ChangeNotice), c.afterNotice)
        << (c.stored ? c.stored : "missing");
  }
}

TEST(SettingsStore, AccessStampAtOneDayAfter1970) {
  TempDir dir;
  ASSERT_TRUE(writeAccessStamp(dir.path(), 86400));
  EXPECT_EQ(readText(configIniPath(dir.path())), "[HidAccessCode]\r\nCode=80510100" + std::string(24, '0') + "D2\r\n");
}

TEST(SettingsStore, OsdBlockIsCarriedUnchangedAndZeroWhenDamaged) {
  TempDir dir;
  OsdSettingBlock block;
  for (std::size_t i = 0; i < block.bytes.size(); ++i) block.bytes[i] = static_cast<std::uint8_t>(i * 7);
  ASSERT_TRUE(writeOsd(block, dir.path()));
  OsdSettingBlock read{};
  ASSERT_TRUE(readOsd(read, dir.path()));
  EXPECT_EQ(read.bytes, block.bytes);

  writeText(configIniPath(dir.path()), "[OSDSetting]\r\nconfig=0102\r\n");
  EXPECT_FALSE(readOsd(read, dir.path()));
  EXPECT_EQ(read.bytes, OsdSettingBlock{}.bytes);
}

class FakeDialogs : public ProfileFileDialogs {
 public:
  std::optional<std::filesystem::path> exportChoice;
  std::optional<std::filesystem::path> importChoice;
  std::vector<ProfileDialogRequest> requests;

  std::optional<std::filesystem::path> chooseExportFile(const ProfileDialogRequest& request) override {
    requests.push_back(request);
    return exportChoice;
  }
  std::optional<std::filesystem::path> chooseImportFile(const ProfileDialogRequest& request) override {
    requests.push_back(request);
    return importChoice;
  }
  std::string toIniText(const std::filesystem::path& name) override { return name.string(); }
};

TEST(ProfileTransfer, ExportWritesTheFileItsNameAndACopyInTheConfigFolder) {
  Installation install;
  TempDir elsewhere;
  writeText(elsewhere / "race.gkp", "[Setting]\r\nStale=1\r\n");
  auto working = emptyRecord();
  factoryDefaults(*working);
  working->CurrentProfile = 2;
  working->profiles[2] = randomProfile(5);
  const ChangeFlags flagsBefore = working->changes;
  FakeDialogs dialogs;
  dialogs.exportChoice = elsewhere / "race.gkp";

  EXPECT_EQ(exportCurrentProfile(*working, install.folder(), dialogs), TransferResult::Done);

  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_EQ(dialogs.requests[0].defaultExtension, u"gkp");
  EXPECT_EQ(dialogs.requests[0].initialFile, install.folder() / "config" / ".gkp");
  EXPECT_EQ(dialogs.requests[0].filter, u"Gaming Keyboard Profile(*.gkp)|*.GKP|");
  EXPECT_EQ(IniFile(configIniPath(install.folder())).readString("FileName", "Profile3", ""), "race");
  EXPECT_FALSE(IniFile(elsewhere / "race.gkp").hasKey("Setting", "Stale"));
  EXPECT_EQ(readText(install.folder() / "config" / "race.gkp"), readText(elsewhere / "race.gkp"));
  ProfileSettings exported{};
  ASSERT_TRUE(loadProfile(exported, elsewhere / "race.gkp"));
  EXPECT_TRUE(sameBytes(exported, working->profiles[2]));
  EXPECT_EQ(working->changes, flagsBefore);
}

TEST(ProfileTransfer, ExportIntoTheConfigFolderItselfNeedsNoCopy) {
  Installation install;
  auto working = emptyRecord();
  factoryDefaults(*working);
  FakeDialogs dialogs;
  dialogs.exportChoice = install.folder() / "config" / "mine.gkp";
  EXPECT_EQ(exportCurrentProfile(*working, install.folder(), dialogs), TransferResult::Done);
  EXPECT_EQ(IniFile(install.folder() / "config" / "mine.gkp").readString("Setting", "ProFileName", ""), "Profile #1");
}

TEST(ProfileTransfer, ImportLoadsTheCurrentSlotKeepsACopyAndFlagsTheSlot) {
  Installation install;
  TempDir elsewhere;
  const ProfileSettings imported = randomProfile(6);
  ASSERT_TRUE(saveProfile(imported, elsewhere / "race.gkp"));
  auto working = emptyRecord();
  factoryDefaults(*working);
  working->CurrentProfile = 1;
  const ProfileSettings otherSlot = working->profiles[0];
  FakeDialogs dialogs;
  dialogs.importChoice = elsewhere / "race.gkp";

  EXPECT_EQ(importCurrentProfile(*working, install.folder(), dialogs), TransferResult::Done);

  EXPECT_TRUE(sameBytes(working->profiles[1], imported));
  EXPECT_TRUE(sameBytes(working->profiles[0], otherSlot));
  EXPECT_EQ(readText(install.folder() / "race.gkp"), readText(elsewhere / "race.gkp"));
  ChangeFlags expected{};
  expected.keyChanged[1].fill(1);
  expected.lightingChanged[1] = 1;
  expected.standardKeysChanged[1] = 1;
  expected.keyOptionsChanged[1] = 1;
  expected.profileImported[1] = 1;
  EXPECT_EQ(working->changes, expected);
}

TEST(ProfileTransfer, ImportStillReadsTheChosenFileWhenTheCopyCannotBeWritten) {
  Installation install;
  TempDir elsewhere;
  const ProfileSettings imported = randomProfile(7);
  ASSERT_TRUE(saveProfile(imported, elsewhere / "race.gkp"));
  // An older copy that cannot be replaced must not be what gets loaded.
  std::filesystem::create_directory(install.folder() / "race.gkp");
  auto working = emptyRecord();
  factoryDefaults(*working);
  FakeDialogs dialogs;
  dialogs.importChoice = elsewhere / "race.gkp";
  EXPECT_EQ(importCurrentProfile(*working, install.folder(), dialogs), TransferResult::Done);
  EXPECT_TRUE(sameBytes(working->profiles[0], imported));
}

TEST(ProfileTransfer, CancelOrAnUnreadableFileChangesNothing) {
  Installation install;
  TempDir elsewhere;
  struct Case {
    const char* name;
    std::optional<std::filesystem::path> choice;
    TransferResult result;
  };
  const Case cases[] = {
      {"cancelled", std::nullopt, TransferResult::Cancelled},
      {"missing file", elsewhere / "gone.gkp", TransferResult::Failed},
  };
  for (const Case& c : cases) {
    auto working = emptyRecord();
    factoryDefaults(*working);
    auto before = std::make_unique<KeyboardSettings>(*working);
    FakeDialogs dialogs;
    dialogs.importChoice = c.choice;
    dialogs.exportChoice = std::nullopt;
    EXPECT_EQ(importCurrentProfile(*working, install.folder(), dialogs), c.result) << c.name;
    EXPECT_EQ(exportCurrentProfile(*working, install.folder(), dialogs), TransferResult::Cancelled) << c.name;
    EXPECT_EQ(std::memcmp(working.get(), before.get(), sizeof(KeyboardSettings)), 0) << c.name;
    EXPECT_FALSE(std::filesystem::exists(configIniPath(install.folder()))) << c.name;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(install.folder()), {}), 1) << c.name;
  }
}

}  // namespace
}  // namespace opt
