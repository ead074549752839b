// The device session in inline mode: the start-up read and its hand-over, the read-back and
// factory reset sequences, hot-plug, registration and shutdown, with exact wire traces.

#include "kavrelle/device/device_session.h"

#include <gtest/gtest.h>

#include "tests/kavrelle/device/device_test_support.h"

namespace kav {
namespace {

using namespace kav::testing;

// A keyboard whose memory differs from the factory state in every group.
DeviceImage distinctiveMemory() {
  DeviceImage m = SimulatedKeyboard::FactoryMemory(KeyTable{});
  m.reportRate = 1;
  m.responseTime = 6;
  m.lighting = LightingBlock{0x34, 2, 7, 3, 4};
  m.colourSlots[5] = Rgb{5, 6, 7};
  m.keyTable[40] = KeyTableEntry{4, 1, 9, 0};
  m.keyEnableBits[1] = 0x3E;  // Windows-key lock on
  m.macroSlots[30].fill(0x30);
  m.customColourTables[3][3] = CustomColourEntry{0, 3, 3, 3};
  return m;
}

// The groups of `image` equal those of `memory`, except the game mode that every read turns on.
void expectKeyboardGroups(const DeviceImage& image, const DeviceImage& memory) {
  DeviceImage expected = memory;
  expected.gameMode = 1;
  EXPECT_FALSE(FindChanges(image, expected).Any());
}

TEST(StartupRead, ReadsIntoItsOwnImageAndHandsItOverOnce) {
  InlineRig rig([](SimulatedKeyboard& kb) { kb.SetMemory(distinctiveMemory()); });
  DeviceImage loaded = ZeroDeviceImage();  // as keymap.bin left it
  loaded.reserved0[3] = 0xAB;
  loaded.reserved3 = 0xCD;
  loaded.lighting.brightness = 44;
  rig.session.Live() = loaded;
  rig.session.Applied() = loaded;

  ASSERT_TRUE(rig.session.OpenCommandChannel());
  EXPECT_EQ(rig.trace.Entries(), StartupReadTrace());
  EXPECT_EQ(rig.window.TakePosts(), (std::vector<Posted>{{WM_DEVICE_LOADED, 0, 0}}));
  // Nothing the window paints changes until the window takes the result over.
  EXPECT_EQ(rig.session.Live(), loaded);
  EXPECT_EQ(rig.session.Applied(), loaded);

  ASSERT_TRUE(rig.session.AdoptStartupRead());
  const DeviceImage& live = rig.session.Live();
  EXPECT_EQ(live, rig.session.Applied());
  expectKeyboardGroups(live, distinctiveMemory());
  EXPECT_EQ(live.windowsKeyLock, 1);
  EXPECT_EQ(live.reserved0[3], 0xAB);  // bytes no command carries keep what the file held
  EXPECT_EQ(live.reserved3, 0xCD);
  EXPECT_EQ(rig.session.Version(), (DeviceVersion{1, 2, 0, 0}));
  EXPECT_FALSE(rig.session.AdoptStartupRead());

  // A second open at start-up does not read again.
  rig.trace.Clear();
  EXPECT_TRUE(rig.session.OpenCommandChannel());
  EXPECT_EQ(rig.trace.Entries(), Trace{});
}

TEST(StartupRead, ASequenceThatRunsFirstTakesTheResultOverItself) {
  InlineRig rig([](SimulatedKeyboard& kb) { kb.SetMemory(distinctiveMemory()); });
  ASSERT_TRUE(rig.session.OpenCommandChannel());
  ASSERT_TRUE(rig.session.OpenEventChannel());
  rig.trace.Clear();
  // Saved before WM_DEVICE_LOADED was handled: the images are the keyboard's, nothing to send.
  const ApplyResult result = rig.session.Apply();
  EXPECT_TRUE(result.Succeeded());
  EXPECT_FALSE(result.changed.Any());
  EXPECT_EQ(rig.trace.Entries(), Trace{});
  expectKeyboardGroups(rig.session.Applied(), distinctiveMemory());
  EXPECT_FALSE(rig.session.AdoptStartupRead());
}

TEST(StartupRead, WithoutAKeyboardNothingOpensAndNothingIsRead) {
  InlineRig rig([](SimulatedKeyboard& kb) { kb.Unplug(); });
  EXPECT_FALSE(rig.session.OpenCommandChannel());
  EXPECT_FALSE(rig.session.OpenEventChannel());
  EXPECT_FALSE(rig.session.ReaderRunning());
  EXPECT_EQ(rig.trace.Entries(), Trace{});
  EXPECT_EQ(rig.window.TakePosts(), std::vector<Posted>{});
  EXPECT_FALSE(rig.session.AdoptStartupRead());
}

TEST(Sequences, FullReadBackAndFactoryResetSendTheirCommandsAndLeaveTheAppliedImage) {
  struct Case {
    const char* name;
    void (DeviceSession::*run)();
    Trace wire;
    DeviceImage keyboardAfter;
  };
  const Case cases[] = {
      {"full read-back", &DeviceSession::FullReadBack, FullReadBackTrace(), distinctiveMemory()},
      {"factory reset", &DeviceSession::FactoryResetSequence,
       Trace{Set({0x13, 0xFF}), "ack", "sleep 300"} + GameModeOn() + Trace{"sleep 300"} + GameModeOn() +
           Trace{"sleep 300"} + FullReadBackTrace(),
       SimulatedKeyboard::FactoryMemory(KeyTable{})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    InlineRig rig;
    rig.Start();
    rig.keyboard.SetMemory(distinctiveMemory());  // changed behind the program's back
    const DeviceImage applied = rig.session.Applied();
    (rig.session.*c.run)();
    EXPECT_EQ(rig.trace.Entries(), c.wire);
    expectKeyboardGroups(rig.session.Live(), c.keyboardAfter);
    EXPECT_EQ(rig.session.Applied(), applied);
  }
}

TEST(HotPlug, RemovalOfAnyDeviceClosesBothChannelsAndArrivalReopensAndReadsBack) {
  InlineRig rig;
  rig.Start();
  const DeviceImage applied = rig.session.Applied();

  // Another USB device goes away: the keyboard is still there, both channels close all the same.
  EXPECT_TRUE(rig.session.OnDeviceChange(kDeviceRemoveComplete));
  EXPECT_EQ(rig.trace.Entries(), (Trace{"sleep 500", "sleep 200"}));
  EXPECT_FALSE(rig.session.CommandChannelOpen());
  EXPECT_FALSE(rig.session.EventChannelOpen());
  EXPECT_FALSE(rig.session.ReaderRunning());
  EXPECT_EQ(rig.window.Debug().back(), kRemovalDebugText);

  DeviceImage memory = distinctiveMemory();
  rig.keyboard.SetMemory(memory);
  rig.trace.Clear();
  EXPECT_TRUE(rig.session.OnDeviceChange(kDeviceArrival));
  EXPECT_EQ(rig.trace.Entries(), Trace{"sleep 2000"} + FullReadBackTrace() + ReadColourTable(0) + ReadColourTable(1) +
                                     ReadColourTable(2) + ReadColourTable(3) + ReadColourTable(4) + FirmwareVersion());
  EXPECT_TRUE(rig.session.CommandChannelOpen());
  EXPECT_TRUE(rig.session.EventChannelOpen());
  EXPECT_TRUE(rig.session.ReaderRunning());
  expectKeyboardGroups(rig.session.Live(), memory);
  EXPECT_EQ(rig.session.Applied(), applied);
  EXPECT_EQ(rig.window.sliders, (std::vector<std::pair<int, int>>{
                                    {kBrightnessSliderId, 7}, {kSpeedSliderId, 2}, {kReportRateSliderId, 1}}));
  EXPECT_EQ(rig.window.TakePosts(), (std::vector<Posted>{{WM_DEVICE_LOADED, 0, 0}}));

  // The restarted reader delivers key events.
  rig.keyboard.PressKey(0x3A);
  rig.session.PumpEvents();
  EXPECT_EQ(rig.window.TakePosts(), (std::vector<Posted>{{WM_DEVICE_KEY, 0x3A, 0}}));
}

TEST(HotPlug, ArrivalWithBothChannelsOpenOnlyPauses) {
  InlineRig rig;
  rig.Start();
  EXPECT_TRUE(rig.session.OnDeviceChange(kDeviceArrival));
  EXPECT_EQ(rig.trace.Entries(), Trace{"sleep 2000"});
  EXPECT_EQ(rig.window.TakePosts(), std::vector<Posted>{});
  EXPECT_TRUE(rig.window.sliders.empty());
  EXPECT_TRUE(rig.session.ReaderRunning());
}

TEST(HotPlug, ArrivalOfAnotherDeviceWhileTheKeyboardIsAwayLeavesItDisconnected) {
  InlineRig rig;
  rig.Start();
  rig.keyboard.Unplug();
  rig.session.OnDeviceChange(kDeviceRemoveComplete);
  rig.trace.Clear();
  EXPECT_TRUE(rig.session.OnDeviceChange(kDeviceArrival));
  EXPECT_EQ(rig.trace.Entries(), Trace{"sleep 2000"});
  EXPECT_FALSE(rig.session.CommandChannelOpen());
  EXPECT_FALSE(rig.session.EventChannelOpen());
  EXPECT_EQ(rig.window.TakePosts(), std::vector<Posted>{});

  rig.keyboard.Plug();
  rig.session.OnDeviceChange(kDeviceArrival);
  EXPECT_TRUE(rig.session.CommandChannelOpen());
  EXPECT_TRUE(rig.session.EventChannelOpen());
  EXPECT_EQ(rig.window.TakePosts(), (std::vector<Posted>{{WM_DEVICE_LOADED, 0, 0}}));
}

TEST(HotPlug, OtherDeviceChangeEventsDoNothing) {
  InlineRig rig;
  rig.Start();
  EXPECT_TRUE(rig.session.OnDeviceChange(0x0007));  // DBT_DEVNODES_CHANGED
  EXPECT_TRUE(rig.session.OnDeviceChange(0x8001));  // DBT_DEVICEQUERYREMOVE
  EXPECT_EQ(rig.trace.Entries(), Trace{});
  EXPECT_TRUE(rig.session.CommandChannelOpen());
}

TEST(DeviceSession, RegistrationFailureShowsTheMessageAndStartUpGoesOn) {
  for (const bool works : {true, false}) {
    SCOPED_TRACE(works);
    InlineRig rig;
    rig.window.registrationWorks = works;
    rig.session.RegisterForDeviceChanges();
    EXPECT_EQ(rig.window.registrations, 1);
    EXPECT_EQ(rig.window.messageBoxes, works ? std::vector<std::u16string>{}
                                             : std::vector<std::u16string>{std::u16string(kRegistrationFailedText)});
    rig.Start();
    EXPECT_TRUE(rig.session.CommandChannelOpen());
    rig.session.ShutdownDeviceLink();
    EXPECT_EQ(rig.window.unregistrations, works ? 1 : 0);
  }
}

TEST(DeviceSession, ShutdownStopsTheReaderAndClosesBothChannelsOnce) {
  InlineRig rig;
  rig.session.RegisterForDeviceChanges();
  rig.Start();
  rig.session.ShutdownDeviceLink();
  EXPECT_EQ(rig.trace.Entries(), Trace{"sleep 500"});
  EXPECT_EQ(rig.window.unregistrations, 1);
  EXPECT_FALSE(rig.session.ReaderRunning());
  EXPECT_FALSE(rig.session.CommandChannelOpen());
  EXPECT_FALSE(rig.session.EventChannelOpen());

  // Late notifications and a second shutdown find nothing to do.
  rig.session.OnDeviceChange(kDeviceArrival);
  rig.session.ShutdownDeviceLink();
  EXPECT_EQ(rig.trace.Entries(), Trace{"sleep 500"});
  EXPECT_EQ(rig.window.unregistrations, 1);
  EXPECT_FALSE(rig.session.CommandChannelOpen());
}

TEST(DeviceSession, GetLightingRefreshesOnlyTheLiveLighting) {
  InlineRig rig;
  rig.Start();
  DeviceImage memory = rig.keyboard.Memory();
  memory.lighting = LightingBlock{0x0A, 9, 1, 2, 3};
  rig.keyboard.SetMemory(memory);
  rig.session.GetLighting();
  EXPECT_EQ(rig.trace.Entries(), (Trace{Set({0x88}), "sleep 10", "get"}));
  EXPECT_EQ(rig.session.Live().lighting, memory.lighting);
  EXPECT_NE(rig.session.Applied().lighting, memory.lighting);
}

}  // namespace
}  // namespace kav
