// Apply against the simulated keyboard: the exact reports and waits of each kind of change,
// what the applied image takes, and what happens when acknowledgements stop coming.

#include <gtest/gtest.h>

#include <functional>

#include "kavrelle/device/device_sequences.h"
#include "tests/kavrelle/device/device_test_support.h"

namespace kav {
namespace {

using namespace kav::testing;

struct ApplyScenario {
  const char* name;
  std::function<void(SimulatedKeyboard&)> prepareKeyboard;  // before the start-up read
  std::function<void(DeviceImage&)> edit;                   // the user's edits to the live image
  std::function<Trace(const LightingBlock&)> wire;          // given the live lighting
  std::function<void(InlineRig&)> check;
};

Trace nothing(const LightingBlock&) { return {}; }

TEST(Apply, SendsExactlyTheChangedGroupsInOrderWithOneWaitPerStep) {
  const ApplyScenario scenarios[] = {
      {"no change after the start-up read", nullptr, [](DeviceImage&) {}, nothing, nullptr},
      {"an edit undone before saving", nullptr,
       [](DeviceImage& live) {
         live.lighting.brightness = 20;
         live.lighting.brightness = 50;
       },
       nothing, nullptr},
      {"a locked keyboard reporting 0xFE, saved at once",
       [](SimulatedKeyboard& kb) {
         DeviceImage m = kb.Memory();
         m.keyEnableBits[1] = 0xFE;
         kb.SetMemory(m);
       },
       [](DeviceImage&) {}, nothing, [](InlineRig& rig) { EXPECT_EQ(rig.session.Live().windowsKeyLock, 1); }},
      {"only the brightness", nullptr, [](DeviceImage& live) { live.lighting.brightness = 20; },
       [](const LightingBlock& l) { return Begin(l) + End(l); }, nullptr},
      {"colour slot 3", nullptr,
       [](DeviceImage& live) {
         live.colourSlots[3] = Rgb{0x11, 0x22, 0x33};
       },
       [](const LightingBlock& l) {
         return Begin(l) +
                Trace{Set({0x14, 0, 0, 0xFF, 0x00, 0x00}),
                      "ack",
                      "sleep 20",
                      Set({0x14, 0, 1, 0xFF, 0x80, 0x00}),
                      "ack",
                      "sleep 20",
                      Set({0x14, 0, 2, 0xFF, 0xFF, 0x00}),
                      "ack",
                      "sleep 20",
                      Set({0x14, 0, 3, 0x11, 0x22, 0x33}),
                      "ack",
                      "sleep 20",
                      Set({0x14, 0, 4, 0x00, 0xFF, 0xFF}),
                      "ack",
                      "sleep 20",
                      Set({0x14, 0, 5, 0x00, 0x00, 0xFF}),
                      "ack",
                      "sleep 20",
                      Set({0x14, 0, 6, 0xA0, 0x00, 0xFF}),
                      "ack",
                      "sleep 20",
                      "sleep 10"} +
                End(l);
       },
       nullptr},
      {"macro 5 and colour table 2", nullptr,
       [](DeviceImage& live) {
         live.macroSlots[5][100] = 0x42;
         live.customColourTables[2][10].red ^= 0xFF;
       },
       [](const LightingBlock& l) { return Begin(l) + WriteMacro(5) + WriteColourTable(2) + End(l); }, nullptr},
      {"Windows-key lock turned on", nullptr, [](DeviceImage& live) { live.windowsKeyLock = 1; },
       [](const LightingBlock& l) {
         return Begin(l) + Trace{Set({0x0E, 0, 0, 21}), "sleep 10", "data>", "ack", "sleep 10"} + End(l);
       },
       [](InlineRig& rig) {
         EXPECT_EQ(rig.keyboard.Memory().keyEnableBits[1], 0x3E);  // bit 0 clear
         EXPECT_TRUE(KeyEnabled(rig.keyboard.Memory(), 7));
       }},
      {"Windows-key lock turned off on a locked keyboard",
       [](SimulatedKeyboard& kb) {
         DeviceImage m = kb.Memory();
         m.keyEnableBits[1] = 0xFE;
         kb.SetMemory(m);
       },
       [](DeviceImage& live) { live.windowsKeyLock = 0; },
       [](const LightingBlock& l) {
         return Begin(l) + Trace{Set({0x0E, 0, 0, 21}), "sleep 10", "data>", "ack", "sleep 10"} + End(l);
       },
       [](InlineRig& rig) { EXPECT_EQ(rig.keyboard.Memory().keyEnableBits[1], 0xFF); }},
      {"every group, macro slots and colour tables in ascending order", nullptr,
       [](DeviceImage& live) {
         live.lighting.effect = 0x05;
         live.colourSlots[6] = Rgb{1, 2, 3};
         live.gameMode = 0;
         live.reportRate = 1;
         live.responseTime = 4;
         live.keyTable[10] = KeyTableEntry{3, 0, 0xE9, 0x00};
         SetKeyEnabled(live, 20, false);
         live.macroSlots[7][0] = 1;
         live.macroSlots[2][191] = 2;
         live.customColourTables[4][0].blue = 9;
         live.customColourTables[0][125].green = 9;
       },
       [](const LightingBlock& l) {
         Trace colours;
         const Rgb slots[] = {{255, 0, 0},   {255, 128, 0}, {255, 255, 0}, {0, 255, 0},
                              {0, 255, 255}, {0, 0, 255},   {1, 2, 3}};
         for (int s = 0; s < 7; ++s) {
           colours = colours + Trace{Set({0x14, 0, s, slots[s].red, slots[s].green, slots[s].blue}), "ack", "sleep 20"};
         }
         return Begin(l) + colours + Trace{"sleep 10"} +                                //
                Trace{Set({0x09, 0}), "ack", "sleep 20", "sleep 10"} +                  // game mode
                Trace{Set({0x01, 1}), "ack", "sleep 10", "sleep 10"} +                  // report rate
                Trace{Set({0x04, 4}), "ack", "sleep 10", "sleep 10"} +                  // response time
                Trace{Set({0x0D, 0, 0, 8}), "sleep 50"} + Repeat(8, {"data>"}) +        //
                Trace{"ack", "sleep 60", "sleep 10"} +                                  // key table
                Trace{Set({0x0E, 0, 0, 21}), "sleep 10", "data>", "ack", "sleep 10"} +  // key flags
                WriteMacro(2) + WriteMacro(7) + WriteColourTable(0) + WriteColourTable(4) + End(l);
       },
       nullptr},
  };
  for (const ApplyScenario& s : scenarios) {
    SCOPED_TRACE(s.name);
    InlineRig rig(s.prepareKeyboard);
    rig.Start();
    s.edit(rig.session.Live());
    const ApplyResult result = rig.session.Apply();
    EXPECT_EQ(rig.trace.Entries(), s.wire(rig.session.Live().lighting));
    EXPECT_TRUE(result.Succeeded());
    EXPECT_FALSE(FindChanges(rig.session.Live(), rig.session.Applied()).Any());
    EXPECT_FALSE(FindChanges(rig.keyboard.Memory(), rig.session.Live()).Any());
    if (s.check) s.check(rig);
  }
}

TEST(Apply, ReportsWhichGroupsChangedAndWereAcknowledged) {
  InlineRig rig;
  rig.Start();
  rig.session.Live().gameMode = 0;
  rig.session.Live().macroSlots[31][0] = 7;
  const ApplyResult result = rig.session.Apply();
  ChangeSet expected;
  expected.gameMode = true;
  expected.macroSlots[31] = true;
  EXPECT_EQ(result.changed, expected);
  EXPECT_EQ(result.acknowledged, expected);
  EXPECT_FALSE(result.Pending().Any());
}

TEST(Apply, KeyboardUnpluggedMidwayEndsWithinTheBoundAndKeepsTheRestPending) {
  InlineRig rig;
  rig.Start();
  const DeviceImage before = rig.session.Applied();
  DeviceImage& live = rig.session.Live();
  live.lighting.brightness = 10;
  live.gameMode = 0;
  live.keyTable[3] = KeyTableEntry{0, 0, 0x04, 0};
  live.macroSlots[3][0] = 0x99;
  live.windowsKeyLock = 1;
  rig.clock.beforePause = [&](const std::string& last) {
    if (last == Set({0x0D, 0, 0, 8})) rig.keyboard.Unplug();
  };
  const std::uint64_t start = rig.clock.NowMs();
  const ApplyResult result = rig.session.Apply();

  const LightingBlock l = live.lighting;
  const Trace expected = Begin(l) + Trace{Set({0x09, 0}), "ack", "sleep 20", "sleep 10"} +
                         Trace{Set({0x0D, 0, 0, 8}), "sleep 50"} + Repeat(8, {"lost data>"}) + Trace{"sleep 60"} +
                         Repeat(kAcknowledgementTimeoutMs / 10, {"sleep 10"}) +
                         Trace{"lost " + Lighting(2, l), "sleep 10"};
  EXPECT_EQ(rig.trace.Entries(), expected);
  // Begin 20 + game mode 30 + key table 110 + the expired wait + end 10.
  EXPECT_EQ(rig.clock.NowMs() - start, 20 + 30 + 110 + kAcknowledgementTimeoutMs + 10);

  EXPECT_FALSE(result.Succeeded());
  ChangeSet acknowledged;
  acknowledged.gameMode = true;
  EXPECT_EQ(result.acknowledged, acknowledged);
  ChangeSet pending;
  pending.lighting = true;
  pending.keyTable = true;
  pending.keyEnableBits = true;
  pending.macroSlots[3] = true;
  EXPECT_EQ(result.Pending(), pending);

  const DeviceImage& applied = rig.session.Applied();
  EXPECT_EQ(applied.gameMode, 0);
  EXPECT_EQ(applied.lighting, before.lighting);
  EXPECT_EQ(applied.keyTable, before.keyTable);
  EXPECT_EQ(applied.macroSlots[3], before.macroSlots[3]);
  EXPECT_EQ(applied.keyEnableBits, before.keyEnableBits);
  EXPECT_EQ(applied.windowsKeyLock, 0);  // the lock was never taken either
  EXPECT_EQ(FindChanges(live, applied), pending);
}

TEST(Apply, GroupsLeftPendingGoOutWithTheNextSave) {
  InlineRig rig;
  rig.Start();
  DeviceImage& live = rig.session.Live();
  live.responseTime = 9;
  live.customColourTables[1][0].red = 1;
  live.customColourTables[3][0].red = 1;
  // The keyboard takes colour table 1 but its acknowledgement never comes.
  rig.clock.beforePause = [&](const std::string& last) {
    if (last == Set({0x12, 0, 1, 8})) rig.keyboard.SetAcknowledgeWrites(false);
  };
  const ApplyResult first = rig.session.Apply();
  EXPECT_FALSE(first.Succeeded());
  EXPECT_TRUE(first.acknowledged.responseTime);
  EXPECT_EQ(first.Pending().colourTables.to_ulong(), 0b01010u);

  rig.clock.beforePause = nullptr;
  rig.keyboard.SetAcknowledgeWrites(true);
  rig.trace.Clear();
  const ApplyResult second = rig.session.Apply();
  EXPECT_TRUE(second.Succeeded());
  const LightingBlock l = live.lighting;
  EXPECT_EQ(rig.trace.Entries(), Begin(l) + WriteColourTable(1) + WriteColourTable(3) + End(l));
  EXPECT_FALSE(FindChanges(live, rig.session.Applied()).Any());
}

TEST(Apply, TheLightingCountsAsTakenOnlyWhenTheWholeBracketWent) {
  struct Case {
    const char* name;
    bool acknowledgeBegin;
    std::string stopAcksAfter;  // a bulk write whose acknowledgement never comes
    bool lightingTaken;
  };
  const Case cases[] = {
      {"every step acknowledged", true, "", true},
      {"begin not acknowledged", false, "", false},
      {"a later step not acknowledged", true, Set({0x11, 0, 0, 3}), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    InlineRig rig;
    rig.Start();
    rig.session.Live().lighting.brightness = 20;
    rig.session.Live().macroSlots[0][0] = 1;
    rig.keyboard.SetAcknowledgeWrites(c.acknowledgeBegin);
    rig.clock.beforePause = [&](const std::string& last) {
      if (!c.stopAcksAfter.empty() && last == c.stopAcksAfter) rig.keyboard.SetAcknowledgeWrites(false);
    };
    const ApplyResult result = rig.session.Apply();
    EXPECT_TRUE(result.changed.lighting);
    EXPECT_EQ(result.acknowledged.lighting, c.lightingTaken);
    EXPECT_EQ(rig.session.Applied().lighting.brightness, c.lightingTaken ? 20 : 50);
    // The bracket is closed in every case.
    const auto entries = rig.trace.Entries();
    EXPECT_NE(std::find(entries.begin(), entries.end(), Lighting(2, rig.session.Live().lighting)), entries.end());
  }
}

TEST(Apply, WithTheCommandChannelClosedSendsNothingAndTakesNothing) {
  InlineRig rig;
  rig.Start();
  rig.session.OnDeviceChange(kDeviceRemoveComplete);
  rig.session.Live().gameMode = 0;
  rig.trace.Clear();
  const ApplyResult result = rig.session.Apply();
  EXPECT_EQ(rig.trace.Entries(), Trace{});
  EXPECT_FALSE(result.Succeeded());
  EXPECT_TRUE(result.Pending().gameMode);
  EXPECT_EQ(rig.session.Applied().gameMode, 1);
}

TEST(FindChanges, KeyEnableBitsDifferOnlyInBitsThatCarryKeys) {
  DeviceImage a = ZeroDeviceImage();
  DeviceImage b = a;
  b.keyEnableBits[4] = 0xC0;  // bits 6 and 7 carry no key
  EXPECT_FALSE(FindChanges(a, b).Any());
  b.keyEnableBits[20] = 0x20;  // key position 125
  EXPECT_TRUE(FindChanges(a, b).keyEnableBits);
  // Nothing outside the groups counts: reserved bytes and the lock byte itself.
  DeviceImage c = a;
  c.reserved1[5] = 1;
  c.windowsKeyLock = 1;
  EXPECT_FALSE(FindChanges(a, c).Any());
}

}  // namespace
}  // namespace kav
