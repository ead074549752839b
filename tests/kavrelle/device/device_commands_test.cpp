#include "kavrelle/device/device_commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "kavrelle/device/device_link.h"
#include "kavrelle/device/simulated_keyboard.h"
#include "kavrelle/device/wire_trace.h"

namespace kav {
namespace {

using Trace = std::vector<std::string>;

Trace repeat(int times, const Trace& part) {
  Trace out;
  for (int i = 0; i < times; ++i) out.insert(out.end(), part.begin(), part.end());
  return out;
}

Trace operator+(Trace a, const Trace& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A keyboard whose memory differs from the factory in every field a command touches.
DeviceImage distinctiveMemory() {
  DeviceImage m = SimulatedKeyboard::FactoryMemory(KeyTable{});
  m.reportRate = 2;
  m.responseTime = 7;
  m.lighting = LightingBlock{0x0B, 4, 33, 5, 2};
  m.gameMode = 1;
  for (std::size_t i = 0; i < kKeyTableEntries; ++i) m.keyTable[i] = KeyTableEntry{0, 0, std::uint8_t(i), 0};
  m.keyEnableBits.fill(0x2D);
  m.macroSlots[5].fill(0x55);
  m.customColourTables[2][10] = CustomColourEntry{0, 1, 2, 3};
  m.colourSlots[3] = Rgb{9, 8, 7};
  return m;
}

struct Fixture {
  WireTrace trace;
  TracingClock clock{&trace};
  SimulatedKeyboard keyboard{SimulatedKeyboard::Options{.trace = &trace}};
  DeviceLink link{keyboard.Bus()};
  DeviceCommands commands{[this]() -> CommandChannel& {
                            link.OpenCommandChannel();
                            return link.Command();
                          }(),
                          clock};
  DeviceImage image = ZeroDeviceImage();
  DeviceVersion version{};
};

struct CommandCase {
  const char* name;
  std::function<void(Fixture&)> run;
  Trace wire;
  std::function<void(Fixture&)> check;
};

TEST(DeviceCommands, EachCommandSendsExactlyItsReportsAndPauses) {
  const DeviceImage source = distinctiveMemory();
  const Trace dataOut8 = repeat(8, {"data>"});
  const CommandCase cases[] = {
      {"GetFirmwareVersion", [](Fixture& f) { f.commands.GetFirmwareVersion(f.version); },
       {"set 80 00 00 00 00 00 00", "sleep 10", "get", "sleep 10"},
       [](Fixture& f) { EXPECT_EQ(f.version, (DeviceVersion{1, 2, 0, 0})); }},
      {"SetReportRate", [](Fixture& f) { f.commands.SetReportRate(2); },
       {"set 01 02 00 00 00 00 00", "ack", "sleep 10"},
       [](Fixture& f) { EXPECT_EQ(f.keyboard.Memory().reportRate, 2); }},
      {"GetReportRate", [](Fixture& f) { f.commands.GetReportRate(f.image); },
       {"set 81 00 00 00 00 00 00", "sleep 10", "get", "sleep 10"},
       [](Fixture& f) { EXPECT_EQ(f.image.reportRate, 2); }},
      {"SetResponseTime", [](Fixture& f) { f.commands.SetResponseTime(9); },
       {"set 04 09 00 00 00 00 00", "ack", "sleep 10"},
       [](Fixture& f) { EXPECT_EQ(f.keyboard.Memory().responseTime, 9); }},
      {"GetResponseTime", [](Fixture& f) { f.commands.GetResponseTime(f.image); },
       {"set 84 00 00 00 00 00 00", "sleep 10", "get", "sleep 10"},
       [](Fixture& f) { EXPECT_EQ(f.image.responseTime, 7); }},
      {"SetLighting Wave begin", [](Fixture& f) { f.commands.SetLighting(LightingPhase::Begin, {0x03, 0, 50, 8, 3}); },
       {"set 08 01 03 0A 32 08 03", "ack", "sleep 10"},
       [](Fixture& f) { EXPECT_EQ(f.keyboard.Memory().lighting, (LightingBlock{0x03, 0, 50, 8, 3})); }},
      {"SetLighting end", [](Fixture& f) { f.commands.SetLighting(LightingPhase::End, {0x33, 9, 0, 1, 4}); },
       {"set 08 02 33 01 00 01 04", "ack", "sleep 10"}, nullptr},
      {"GetLighting", [](Fixture& f) { f.commands.GetLighting(f.image); },
       {"set 88 00 00 00 00 00 00", "sleep 10", "get"},
       [](Fixture& f) { EXPECT_EQ(f.image.lighting, (LightingBlock{0x0B, 4, 33, 5, 2})); }},
      {"SetGameMode", [](Fixture& f) { f.commands.SetGameMode(1); },
       {"set 09 01 00 00 00 00 00", "ack", "sleep 20"},
       [](Fixture& f) { EXPECT_EQ(f.keyboard.Memory().gameMode, 1); }},
      {"GetGameMode", [](Fixture& f) { f.commands.GetGameMode(f.image); },
       {"set 89 00 00 00 00 00 00", "sleep 5", "get"},
       [](Fixture& f) { EXPECT_EQ(f.image.gameMode, 1); }},
      {"WriteKeyTable", [&](Fixture& f) { f.commands.WriteKeyTable(source.keyTable); },
       Trace{"set 0D 00 00 08 00 00 00", "sleep 50"} + dataOut8 + Trace{"ack", "sleep 60"},
       [&](Fixture& f) { EXPECT_EQ(f.keyboard.Memory().keyTable, source.keyTable); }},
      {"ReadKeyTable", [](Fixture& f) { f.commands.ReadKeyTable(f.image); },
       Trace{"set 8D 00 00 00 00 00 00", "get"} + repeat(8, {"data<"}),
       [&](Fixture& f) { EXPECT_EQ(f.image.keyTable, source.keyTable); }},
      {"WriteKeyFlags", [&](Fixture& f) { f.commands.WriteKeyFlags(source.keyEnableBits); },
       {"set 0E 00 00 15 00 00 00", "sleep 10", "data>", "ack"},
       [&](Fixture& f) { EXPECT_EQ(f.keyboard.Memory().keyEnableBits, source.keyEnableBits); }},
      {"ReadKeyFlags", [](Fixture& f) { f.commands.ReadKeyFlags(f.image); },
       {"set 8E 00 00 15 00 00 00", "get", "data<"},
       [&](Fixture& f) {
         EXPECT_EQ(f.image.keyEnableBits, source.keyEnableBits);
         EXPECT_EQ(f.image.windowsKeyLock, 0);  // 0x2D has bit 0 set
       }},
      {"WriteMacro", [&](Fixture& f) { f.commands.WriteMacro(5, source.macroSlots[5]); },
       {"set 11 00 05 03 00 00 00", "sleep 1", "data>", "sleep 0", "data>", "sleep 0", "data>", "ack"},
       [&](Fixture& f) { EXPECT_EQ(f.keyboard.Memory().macroSlots[5], source.macroSlots[5]); }},
      {"ReadMacro", [](Fixture& f) { f.commands.ReadMacro(5, f.image); },
       {"set 91 00 05 00 00 00 00", "get", "data<", "data<", "data<"},
       [&](Fixture& f) { EXPECT_EQ(f.image.macroSlots[5], source.macroSlots[5]); }},
      {"WriteColourTable", [&](Fixture& f) { f.commands.WriteColourTable(2, source.customColourTables[2]); },
       Trace{"set 12 00 02 08 00 00 00", "sleep 5"} + repeat(7, {"data>", "sleep 5"}) +
           Trace{"data>", "ack", "sleep 5"},
       [&](Fixture& f) { EXPECT_EQ(f.keyboard.Memory().customColourTables[2], source.customColourTables[2]); }},
      {"ReadColourTable", [](Fixture& f) { f.commands.ReadColourTable(2, f.image); },
       Trace{"set 92 00 02 08 00 00 00", "sleep 5", "get", "sleep 5"} + repeat(8, {"data<", "sleep 5"}),
       [&](Fixture& f) { EXPECT_EQ(f.image.customColourTables[2], source.customColourTables[2]); }},
      {"FactoryReset", [](Fixture& f) { f.commands.FactoryReset(); },
       {"set 13 FF 00 00 00 00 00", "ack"},
       [](Fixture& f) { EXPECT_EQ(f.keyboard.Memory(), SimulatedKeyboard::FactoryMemory(KeyTable{})); }},
      {"SetColour", [](Fixture& f) { f.commands.SetColour(6, Rgb{0xFF, 0x80, 0x00}); },
       {"set 14 00 06 FF 80 00 00", "ack", "sleep 20"},
       [](Fixture& f) { EXPECT_EQ(f.keyboard.Memory().colourSlots[6], (Rgb{0xFF, 0x80, 0x00})); }},
      {"GetColour", [](Fixture& f) { f.commands.GetColour(3, f.image); },
       {"set 94 00 03 00 00 00 00", "sleep 1", "get", "sleep 1"},
       [](Fixture& f) { EXPECT_EQ(f.image.colourSlots[3], (Rgb{9, 8, 7})); }},
  };
  for (const CommandCase& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    f.keyboard.SetMemory(source);
    f.trace.Clear();
    c.run(f);
    EXPECT_EQ(f.trace.Entries(), c.wire);
    if (c.check) c.check(f);
  }
}

// A command channel that answers with prepared replies and can fail chosen transfers.
class ScriptedChannel final : public CommandChannel {
 public:
  FeatureReport reply{};
  std::vector<std::array<std::uint8_t, kDataPayloadSize>> reads;
  int failReadNumber = -1;  // 0-based data read that fails
  bool failGet = false;
  std::vector<std::uint8_t> written;  // every byte that left the host

  bool SetFeature(const FeatureReport& r) override {
    written.insert(written.end(), r.begin(), r.end());
    return true;
  }
  bool GetFeature(FeatureReport& r) override {
    if (failGet) {
      r.fill(0);
      return false;
    }
    r = reply;
    return true;
  }
  bool WriteData(const DataReport& r) override {
    written.insert(written.end(), r.begin(), r.end());
    return true;
  }
  bool ReadData(DataReport& r) override {
    r.fill(0);
    const int number = readCount++;
    if (number == failReadNumber || number >= int(reads.size())) return false;
    std::memcpy(r.data() + 1, reads[number].data(), kDataPayloadSize);
    return true;
  }

 private:
  int readCount = 0;
};

TEST(DeviceCommands, SpeedIsTurnedOverOnTheWire) {
  struct Case {
    std::uint8_t wire, shown;
  };
  for (const Case c : {Case{10, 0}, Case{1, 9}, Case{5, 5}}) {
    ScriptedChannel channel;
    TracingClock clock;
    channel.reply = FeatureReport{0, 0x88, 0, 0x02, c.wire, 20, 3, 1, 0};
    DeviceImage image = ZeroDeviceImage();
    DeviceCommands(channel, clock).GetLighting(image);
    EXPECT_EQ(image.lighting.speed, c.shown) << int(c.wire);
    EXPECT_EQ(image.lighting.effect, 0x02);
  }
}

TEST(DeviceCommands, ReadKeyFlagsRecomputesTheWindowsKeyLock) {
  struct Case {
    std::uint8_t byte1, lock;
  };
  for (const Case c : {Case{0xFE, 1}, Case{0xFF, 0}}) {
    ScriptedChannel channel;
    TracingClock clock;
    channel.reads.push_back({});
    channel.reads[0][1] = c.byte1;
    DeviceImage image = ZeroDeviceImage();
    image.windowsKeyLock = c.lock ? 0 : 1;
    DeviceCommands(channel, clock).ReadKeyFlags(image);
    EXPECT_EQ(image.keyEnableBits[1], c.byte1);
    EXPECT_EQ(image.windowsKeyLock, c.lock);
  }
}

TEST(DeviceCommands, FailedTransferLeavesTheImageUntouched) {
  DeviceImage before = distinctiveMemory();
  struct Case {
    std::function<void(DeviceCommands&, DeviceImage&)> read;
    int failingDataRead;  // -1: only the get-feature fails
  };
  const Case cases[] = {
      {[](DeviceCommands& c, DeviceImage& i) { c.GetLighting(i); }, -1},
      {[](DeviceCommands& c, DeviceImage& i) { c.GetReportRate(i); }, -1},
      {[](DeviceCommands& c, DeviceImage& i) { c.GetColour(2, i); }, -1},
      {[](DeviceCommands& c, DeviceImage& i) { c.ReadKeyFlags(i); }, 0},
      {[](DeviceCommands& c, DeviceImage& i) { c.ReadKeyTable(i); }, 7},  // the last piece goes missing
      {[](DeviceCommands& c, DeviceImage& i) { c.ReadMacro(5, i); }, 1},
      {[](DeviceCommands& c, DeviceImage& i) { c.ReadColourTable(2, i); }, 3},
  };
  for (const Case& c : cases) {
    ScriptedChannel channel;
    TracingClock clock;
    channel.failGet = true;
    channel.reads.assign(8, {});
    for (auto& chunk : channel.reads) chunk.fill(0xEE);
    channel.failReadNumber = c.failingDataRead;
    DeviceImage image = before;
    DeviceCommands commands(channel, clock);
    c.read(commands, image);
    EXPECT_EQ(image, before) << c.failingDataRead;
  }
  DeviceVersion version{3, 4, 0, 0};
  ScriptedChannel channel;
  channel.failGet = true;
  TracingClock clock;
  DeviceCommands(channel, clock).GetFirmwareVersion(version);
  EXPECT_EQ(version, (DeviceVersion{3, 4, 0, 0}));
}

TEST(DeviceCommands, ReservedImageRangesAreNeverSent) {
  // Every field that a write carries is 0 here; only the reserved ranges hold a marker.
  DeviceImage image = ZeroDeviceImage();
  image.reserved0.fill(0xA5);
  image.reserved1.fill(0xA5);
  image.reserved2 = 0xA5;
  image.reserved3 = 0xA5;
  image.windowsKeyLock = 0;
  ScriptedChannel channel;
  TracingClock clock;
  DeviceCommands c(channel, clock);
  c.SetReportRate(image.reportRate);
  c.SetResponseTime(image.responseTime);
  c.SetLighting(LightingPhase::Begin, LightingBlock{0, kSpeedWireBase, 0, 0, 0});
  c.SetGameMode(image.gameMode);
  c.WriteKeyTable(image.keyTable);
  c.WriteKeyFlags(image.keyEnableBits);
  for (std::size_t s = 0; s < kMacroSlotCount; ++s) c.WriteMacro(s, image.macroSlots[s]);
  for (std::size_t t = 0; t < kCustomColourTableCount; ++t) c.WriteColourTable(t, image.customColourTables[t]);
  for (std::size_t s = 0; s < kColourSlotCount; ++s) c.SetColour(s, image.colourSlots[s]);
  EXPECT_THAT(channel.written, ::testing::Not(::testing::Contains(0xA5)));
}

}  // namespace
}  // namespace kav
