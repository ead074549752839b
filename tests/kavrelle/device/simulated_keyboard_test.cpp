#include "kavrelle/device/simulated_keyboard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "kavrelle/device/device_commands.h"
#include "kavrelle/device/device_link.h"
#include "tests/support/temp_dir.h"
#include "ui/file_io.h"

namespace kav {
namespace {

namespace fs = std::filesystem;

class SimulatedKeyboardTest : public ::testing::Test {
 protected:
  WireTrace trace;
  TracingClock clock{&trace};
  SimulatedKeyboard keyboard{SimulatedKeyboard::Options{.trace = &trace}};
  DeviceLink link{keyboard.Bus()};

  void SetUp() override {
    ASSERT_TRUE(link.OpenCommandChannel());
    ASSERT_TRUE(link.OpenEventChannel());
    trace.Clear();
  }

  // The next event report, waiting at most one slice.
  std::optional<EventReport> nextEvent() {
    EventChannel* events = link.Event();
    if (!events || !events->BeginRead()) return std::nullopt;
    EventReport report{};
    if (events->Wait(0, report) != EventWait::Arrived) {
      events->CancelRead();
      return std::nullopt;
    }
    return report;
  }
};

TEST_F(SimulatedKeyboardTest, AcknowledgesABulkWriteOnlyWhenItsLastPieceArrives) {
  DataReport piece{};
  link.Command().SetFeature(MakeFeatureReport(command::WriteMacro, {{3, 1}, {4, 3}}));
  link.Command().WriteData(piece);
  link.Command().WriteData(piece);
  EXPECT_FALSE(nextEvent());
  link.Command().WriteData(piece);
  const auto ack = nextEvent();
  ASSERT_TRUE(ack);
  EXPECT_EQ(*ack, (EventReport{4, 4, 0, 0}));
  EXPECT_FALSE(nextEvent());
}

TEST_F(SimulatedKeyboardTest, ReportsHostActionKeysAsKeyEvents) {
  keyboard.PressKey(0x3A);
  const auto report = nextEvent();
  ASSERT_TRUE(report);
  EXPECT_EQ((*report)[1], 2);
  EXPECT_EQ((*report)[2], 0x3A);
  EXPECT_EQ(trace.Entries(), std::vector<std::string>{"key 3A"});
}

TEST_F(SimulatedKeyboardTest, DropsAReportWithABadChecksum) {
  FeatureReport report = MakeFeatureReport(command::SetGameMode, {{2, 1}});
  report[8] ^= 1;
  link.Command().SetFeature(report);
  EXPECT_EQ(keyboard.Memory().gameMode, 0);
  EXPECT_FALSE(nextEvent());
  EXPECT_EQ(trace.Entries(), std::vector<std::string>{"set 09 01 00 00 00 00 00 bad-checksum"});
}

TEST_F(SimulatedKeyboardTest, UnplugKillsOpenChannelsUntilTheyAreOpenedAgain) {
  EventChannel* events = link.Event();
  ASSERT_TRUE(events->BeginRead());
  keyboard.Unplug();
  EventReport report{};
  EXPECT_EQ(events->Wait(1000, report), EventWait::Failed);  // wakes at once
  EXPECT_FALSE(link.Command().SetFeature(MakeFeatureReport(command::SetGameMode, {{2, 1}})));
  FeatureReport reply{};
  reply.fill(0x77);
  EXPECT_FALSE(link.Command().GetFeature(reply));
  EXPECT_EQ(reply, FeatureReport{});  // a failed read hands back zeros

  link.CloseChannels();
  EXPECT_FALSE(link.OpenCommandChannel());  // old path kept, but nothing there

  keyboard.Plug();
  ASSERT_TRUE(link.OpenCommandChannel());
  EXPECT_TRUE(link.Command().SetFeature(MakeFeatureReport(command::SetGameMode, {{2, 1}})));
  EXPECT_EQ(keyboard.Memory().gameMode, 1);
  const auto entries = trace.Entries();
  EXPECT_EQ(entries.front(), "lost set 09 01 00 00 00 00 00");
}

TEST(SimulatedKeyboardMemory, PersistsAsOneDeviceImageAndReloads) {
  testsupport::TempDir dir;
  const fs::path file = dir / "SimulatedKeyboard.bin";
  {
    SimulatedKeyboard keyboard({.memoryFile = file});
    EXPECT_EQ(fs::file_size(file), kDeviceImageSize);  // created with the factory state
    DeviceLink link(keyboard.Bus());
    ASSERT_TRUE(link.OpenCommandChannel());
    TracingClock clock;
    DeviceCommands(link.Command(), clock).SetLighting(LightingPhase::End, {0x34, 2, 10, 3, 4});
  }
  SimulatedKeyboard reloaded({.memoryFile = file});
  EXPECT_EQ(reloaded.Memory().lighting, (LightingBlock{0x34, 2, 10, 3, 4}));
  const auto bytes = ui::ReadFileBytes(file, 1 << 20);
  ASSERT_TRUE(bytes);
  DeviceImage fromFile;
  std::memcpy(&fromFile, bytes->data(), sizeof fromFile);
  EXPECT_EQ(fromFile, reloaded.Memory());

  // A damaged (short) file is replaced by the factory state.
  std::ofstream(file, std::ios::binary | std::ios::trunc) << "short";
  SimulatedKeyboard fresh({.memoryFile = file});
  EXPECT_EQ(fresh.Memory(), SimulatedKeyboard::FactoryMemory(KeyTable{}));
  EXPECT_EQ(fs::file_size(file), kDeviceImageSize);
}

TEST(SimulatedKeyboardMemory, FactoryStateEnablesEveryKeyAndUsesTheGivenKeyTable) {
  KeyTable table{};
  table[63] = KeyTableEntry{0, 0, 0x04, 0};
  const DeviceImage m = SimulatedKeyboard::FactoryMemory(table);
  EXPECT_EQ(m.keyTable, table);
  for (std::size_t p = 0; p < kKeyPositionCount; ++p) EXPECT_TRUE(KeyEnabled(m, p)) << p;
  EXPECT_EQ(WindowsKeyLockFromBits(m.keyEnableBits), 0);
  EXPECT_LE(m.lighting.speed, kMaxSpeed);
  EXPECT_LE(m.lighting.brightness, kMaxBrightness);
  EXPECT_TRUE(EffectRow(m.lighting.effect));
}

}  // namespace
}  // namespace kav
