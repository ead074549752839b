#include "option/store/settings_session.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "option/store/change_flags.h"
#include "tests/option/store/fake_monitor.h"
#include "tests/support/temp_dir.h"

namespace opt {
namespace {

using testing::FakeHost;
using testing::FakeMonitorPort;
using testing::Log;

constexpr std::uint32_t kNow = 86400;

// A program folder with its config folder, a monitor (unless switched off) and a session.
class SessionTest : public ::testing::Test {
 protected:
  SessionTest() {
    std::filesystem::create_directory(dir_ / "config");
    factoryDefaults(port_.record());
  }

  const std::filesystem::path& folder() const { return dir_.path(); }
  void noMonitor() {
    port_.mutexExists = false;
    port_.mappingExists = false;
    port_.monitorWindow = false;
  }
  void startUp() {
    session_.startUp();
    log_.clear();
  }
  KeyboardSettings& shared() { return port_.record(); }
  KeyboardSettings& working() { return session_.working(); }
  bool sameAsShared(const KeyboardSettings& record) {
    return std::memcmp(&record, port_.memory.data(), sizeof record) == 0;
  }

  testsupport::TempDir dir_;
  Log log_;
  FakeMonitorPort port_{log_};
  MonitorLink link_{port_};
  FakeHost host_{log_};
  SettingsSession session_{dir_.path(), link_, host_, [] { return kNow; }};
};

TEST_F(SessionTest, WithoutTheMonitorSettingsComeFromTheFilesAndApplyEndsAtOnce) {
  noMonitor();
  ProfileSettings fromFile;
  defaultProfile(fromFile, 0);
  setFieldText(fromFile.ProFileName, "From the file");
  ASSERT_TRUE(saveProfile(fromFile, profileSlotPath(folder(), 1)));

  session_.startUp();
  EXPECT_TRUE(port_.messages.empty());
  EXPECT_EQ(fieldText(session_.applied().profiles[1].ProFileName), "From the file");
  EXPECT_EQ(fieldText(working().profiles[2].ProFileName), "Profile #3");
  EXPECT_EQ(working().CurrentProfile, 0);
  EXPECT_EQ(session_.firmwareText(), "1.00");

  log_.clear();
  working().profiles[0].LtControl = 8;
  EXPECT_FALSE(session_.apply(ApplyMode::Normal));
  EXPECT_EQ(log_, (Log{"enterWait", "saveMacros", "leaveWait"}));
  EXPECT_FALSE(session_.waitingForMonitor());
  ProfileSettings saved{};
  ASSERT_TRUE(loadProfile(saved, profileSlotPath(folder(), 0)));
  EXPECT_EQ(saved.LtControl, 8);
  const IniFile config(configIniPath(folder()));
  EXPECT_EQ(config.readInt("Setting", "CurrentProfile", -1), 0);
  EXPECT_EQ(config.readString("HidAccessCode", "Code", ""), "80510100" + std::string(24, '0') + "D2");
  EXPECT_TRUE(config.hasKey("OSDSetting", "config"));
  EXPECT_EQ(working().changes, ChangeFlags{});
}

TEST_F(SessionTest, WithTheMonitorSettingsComeFromSharedMemoryAndTheFilesAreNotRead) {
  ProfileSettings fromFile;
  defaultProfile(fromFile, 0);
  setFieldText(fromFile.ProFileName, "From the file");
  ASSERT_TRUE(saveProfile(fromFile, profileSlotPath(folder(), 0)));
  setFieldText(shared().profiles[0].ProFileName, "From the monitor");
  shared().CurrentProfile = 2;
  shared().reserved = 77;
  markAllChanged(shared());
  shared().changes.hddKeyboardChanged = 1;

  session_.startUp();
  EXPECT_EQ(fieldText(working().profiles[0].ProFileName), "From the monitor");
  EXPECT_EQ(working().CurrentProfile, 2);
  EXPECT_EQ(working().reserved, 0);
  ChangeFlags onlyHdd{};
  onlyHdd.hddKeyboardChanged = 1;
  EXPECT_EQ(working().changes, onlyHdd);
  EXPECT_EQ(std::memcmp(&working(), &session_.applied(), sizeof(KeyboardSettings)), 0);
}

TEST_F(SessionTest, ApplyWithoutEditsSendsNoFlagsAndWaitsForTheMonitor) {
  startUp();
  EXPECT_TRUE(session_.apply(ApplyMode::Normal));
  EXPECT_EQ(log_, (Log{"enterWait", "wait 10000", "release", "post 1224 0 0", "saveMacros"}));
  EXPECT_TRUE(session_.waitingForMonitor());
  EXPECT_EQ(shared().changes, ChangeFlags{});

  log_.clear();
  EXPECT_EQ(session_.handleMonitorMessage(kMsgApplyFinished), 0);
  EXPECT_EQ(log_, (Log{"leaveWait"}));
  EXPECT_FALSE(session_.waitingForMonitor());
}

TEST_F(SessionTest, ReportDelayAloneSetsNoFlagButReachesTheMonitor) {
  startUp();
  working().profiles[0].ReportDelay = 1;
  session_.apply(ApplyMode::Normal);
  EXPECT_EQ(shared().profiles[0].ReportDelay, 1);
  EXPECT_EQ(shared().changes, ChangeFlags{});
}

TEST_F(SessionTest, EditsReachTheMonitorWithTheirFlagsWhichAreThenCleared) {
  startUp();
  working().CurrentProfile = 2;
  working().profiles[2].standardkey[10] = 0x04;
  session_.apply(ApplyMode::Normal);
  EXPECT_EQ(shared().CurrentProfile, 2);
  EXPECT_EQ(shared().changes.profileSwitched, 1);
  EXPECT_EQ(shared().changes.standardKeysChanged[2], 1);
  EXPECT_EQ(working().changes, ChangeFlags{});
  EXPECT_EQ(std::memcmp(&working(), &session_.applied(), sizeof(KeyboardSettings)), 0);
}

TEST_F(SessionTest, ResetSendsEveryFlagWithMode1) {
  startUp();
  working().CurrentProfile = 3;
  working().RightWin = 0;
  setFieldText(working().profiles[1].ProFileName, "Mine");
  EXPECT_TRUE(session_.resetToFactory());
  EXPECT_EQ(log_, (Log{"refreshPages", "enterWait", "wait 10000", "release", "post 1224 1 0", "saveMacros"}));
  EXPECT_EQ(shared().CurrentProfile, 0);
  EXPECT_EQ(shared().RightWin, 1);
  EXPECT_EQ(fieldText(shared().profiles[1].ProFileName), "Profile #2");
  const ChangeFlags& sent = shared().changes;
  EXPECT_EQ(sent.allReset, 1);
  EXPECT_EQ(sent.profileSwitched, 1);
  for (int p = 0; p < kProfileCount; ++p) {
    EXPECT_EQ(sent.profileReset[p], 1);
    EXPECT_EQ(sent.lightingChanged[p], 1);
    EXPECT_EQ(sent.standardKeysChanged[p], 1);
    for (int k = 0; k < kMacroKeyCount; ++k) EXPECT_EQ(sent.keyChanged[p][k], 1);
  }
}

TEST_F(SessionTest, AMappedRecordThatCannotBeReadFallsBackToTheFiles) {
  port_.mutexExists = false;
  setFieldText(shared().profiles[0].ProFileName, "From the monitor");
  session_.startUp();
  EXPECT_EQ(working().CurrentProfile, 0);
  EXPECT_EQ(fieldText(working().profiles[0].ProFileName), "Profile #1");
  // An apply now saves real profiles, never an empty record.
  session_.apply(ApplyMode::Normal);
  ProfileSettings saved{};
  ASSERT_TRUE(loadProfile(saved, profileSlotPath(folder(), 4)));
  EXPECT_EQ(fieldText(saved.ProFileName), "Profile #5");
}

TEST_F(SessionTest, KeyboardProfileChangeKeepsUnappliedEditsElsewhere) {
  startUp();
  working().profiles[3].LtControl = 9;  // unapplied edit in another profile
  working().profiles[1].LtSwitch = 0;   // unapplied edit in the new current profile
  working().changes.profileImported[1] = 1;
  shared().CurrentProfile = 1;
  shared().profiles[1].FnStatus = 1;
  shared().profiles[1].LtPulsation = 2;
  shared().profiles[3].LtControl = 5;

  EXPECT_EQ(session_.handleMonitorMessage(kMsgKeyboardChangedProfile), 0);
  EXPECT_EQ(log_, (Log{"wait 10000", "release", "refreshPages"}));
  EXPECT_EQ(working().CurrentProfile, 1);
  EXPECT_EQ(working().profiles[1].FnStatus, 1);
  EXPECT_EQ(working().profiles[1].LtPulsation, 2);
  EXPECT_EQ(working().profiles[1].LtSwitch, 0);
  EXPECT_EQ(working().profiles[3].LtControl, 9);
  EXPECT_EQ(working().changes.profileImported[1], 0);
  EXPECT_TRUE(sameAsShared(session_.applied()));
}

TEST_F(SessionTest, KeyboardProfileChangeToANonexistentSlotTouchesNoProfile) {
  startUp();
  shared().CurrentProfile = 9;
  working().profiles[0].LtPulsation = 4;
  session_.onKeyboardChangedProfile();
  EXPECT_EQ(working().CurrentProfile, 9);
  EXPECT_EQ(working().profiles[0].LtPulsation, 4);
  EXPECT_EQ(&currentProfile(working()), &working().profiles[0]);
}

TEST_F(SessionTest, ReloadSettingsDiscardsUnappliedEdits) {
  startUp();
  working().profiles[2].LtControl = 9;
  shared().profiles[4].Tab = 0;
  EXPECT_EQ(session_.handleMonitorMessage(kMsgReloadSettings), 0);
  EXPECT_EQ(working().profiles[2].LtControl, 1);
  EXPECT_EQ(working().profiles[4].Tab, 0);
  EXPECT_TRUE(sameAsShared(working()));
  EXPECT_EQ(log_, (Log{"wait 10000", "release", "refreshPages"}));
}

TEST_F(SessionTest, ReloadAllRereadsTheFirmwareVersionWithTheLowerBoundOnly) {
  std::ofstream(configIniPath(folder()), std::ios::binary) << "[Setting]\r\nFWVersion=501\r\n";
  startUp();
  EXPECT_EQ(session_.firmwareText(), "N/A");
  working().profiles[0].LtControl = 9;
  shared().changes.keyChanged[0][0] = 1;
  EXPECT_EQ(session_.handleMonitorMessage(kMsgReloadAll), 0);
  EXPECT_EQ(session_.firmwareText(), "5.01");
  EXPECT_EQ(log_,
            (Log{"firmwareVersionChanged", "wait 10000", "release", "refreshPages", "mergeKeyMacros", "saveMacros"}));
  EXPECT_EQ(working().profiles[0].LtControl, 1);
  EXPECT_EQ(working().changes, ChangeFlags{});
}

TEST_F(SessionTest, ReloadWithAFailedReadKeepsTheAppliedCopy) {
  startUp();
  working().profiles[0].LtControl = 9;
  port_.nextWait = MonitorPort::WaitResult::TimedOut;
  shared().profiles[0].Tab = 0;
  session_.onReloadSettings();
  EXPECT_EQ(working().profiles[0].LtControl, 1);
  EXPECT_EQ(working().profiles[0].Tab, 1);
}

TEST_F(SessionTest, OtherMessagesAreLeftToTheWindow) {
  startUp();
  EXPECT_EQ(session_.handleMonitorMessage(kMsgIgnored), 0);
  EXPECT_EQ(session_.handleMonitorMessage(kMsgSkinHover), 0);
  EXPECT_EQ(session_.handleMonitorMessage(kMsgApplyRecord), std::nullopt);
  EXPECT_EQ(session_.handleMonitorMessage(0x0111), std::nullopt);
  EXPECT_TRUE(log_.empty());
}

}  // namespace
}  // namespace opt
