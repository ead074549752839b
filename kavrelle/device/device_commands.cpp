#include "kavrelle/device/device_commands.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace kav {
namespace {

std::uint8_t u8(std::size_t value) { return static_cast<std::uint8_t>(value); }

}  // namespace

void DeviceCommands::send(std::uint8_t code, std::initializer_list<FeatureParam> params) {
  channel_.SetFeature(MakeFeatureReport(code, params));
}

std::optional<FeatureReport> DeviceCommands::get() {
  FeatureReport reply{};
  if (!channel_.GetFeature(reply)) return std::nullopt;
  return reply;
}

void DeviceCommands::sendPayload(const std::uint8_t* bytes, std::size_t length) {
  DataReport report{};
  std::memcpy(report.data() + 1, bytes, std::min(length, kDataPayloadSize));
  channel_.WriteData(report);
}

bool DeviceCommands::readPayload(std::uint8_t* bytes) {
  DataReport report{};
  if (!channel_.ReadData(report)) return false;
  std::memcpy(bytes, report.data() + 1, kDataPayloadSize);
  return true;
}

void DeviceCommands::GetFirmwareVersion(DeviceVersion& version) {
  send(command::GetFirmwareVersion);
  sleep(10);
  const auto reply = get();
  sleep(10);
  if (reply) version = DeviceVersion{(*reply)[2], (*reply)[3], 0, 0};
}

void DeviceCommands::SetReportRate(std::uint8_t rate) {
  send(command::SetReportRate, {{2, rate}});
  sleep(10);
}

void DeviceCommands::GetReportRate(DeviceImage& image) {
  send(command::GetReportRate);
  sleep(10);
  const auto reply = get();
  sleep(10);
  if (reply) image.reportRate = (*reply)[2];
}

void DeviceCommands::SetResponseTime(std::uint8_t responseTime) {
  send(command::SetResponseTime, {{2, responseTime}});
  sleep(10);
}

void DeviceCommands::GetResponseTime(DeviceImage& image) {
  send(command::GetResponseTime);
  sleep(10);
  const auto reply = get();
  sleep(10);
  if (reply) image.responseTime = (*reply)[2];
}

void DeviceCommands::SetLighting(LightingPhase phase, const LightingBlock& lighting) {
  send(command::SetLighting, {{2, static_cast<std::uint8_t>(phase)},
                              {3, lighting.effect},
                              {4, static_cast<std::uint8_t>(kSpeedWireBase - lighting.speed)},
                              {5, lighting.brightness},
                              {6, lighting.colourChoice},
                              {7, lighting.direction}});
  sleep(10);
}

void DeviceCommands::GetLighting(DeviceImage& image) {
  send(command::GetLighting);
  sleep(10);
  const auto reply = get();
  if (!reply) return;
  image.lighting.effect = (*reply)[3];
  image.lighting.speed = static_cast<std::uint8_t>(kSpeedWireBase - (*reply)[4]);
  image.lighting.brightness = (*reply)[5];
  image.lighting.colourChoice = (*reply)[6];
  image.lighting.direction = (*reply)[7];
}

void DeviceCommands::SetGameMode(std::uint8_t gameMode) {
  send(command::SetGameMode, {{2, gameMode}});
  sleep(20);
}

void DeviceCommands::GetGameMode(DeviceImage& image) {
  send(command::GetGameMode);
  sleep(5);
  const auto reply = get();
  if (reply) image.gameMode = (*reply)[2];
}

void DeviceCommands::WriteKeyTable(const KeyTable& table) {
  send(command::WriteKeyTable, {{4, command::kKeyTableReports}});
  sleep(50);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(table.data());
  for (std::size_t i = 0; i < command::kKeyTableReports; ++i) sendPayload(bytes + i * kDataPayloadSize, kDataPayloadSize);
  sleep(60);
}

void DeviceCommands::ReadKeyTable(DeviceImage& image) {
  send(command::ReadKeyTable);
  get();
  std::array<std::uint8_t, sizeof(KeyTable)> incoming{};
  bool complete = true;
  for (std::size_t i = 0; i < command::kKeyTableReports; ++i) {
    complete = readPayload(incoming.data() + i * kDataPayloadSize) && complete;
  }
  if (complete) std::memcpy(image.keyTable.data(), incoming.data(), incoming.size());
}

void DeviceCommands::WriteKeyFlags(const KeyEnableBits& bits) {
  send(command::WriteKeyFlags, {{4, command::kKeyFlagsLength}});
  sleep(10);
  sendPayload(bits.data(), bits.size());
}

void DeviceCommands::ReadKeyFlags(DeviceImage& image) {
  send(command::ReadKeyFlags, {{4, command::kKeyFlagsLength}});
  get();
  std::array<std::uint8_t, kDataPayloadSize> incoming{};
  if (!readPayload(incoming.data())) return;
  std::memcpy(image.keyEnableBits.data(), incoming.data(), image.keyEnableBits.size());
  image.windowsKeyLock = WindowsKeyLockFromBits(image.keyEnableBits);
}

void DeviceCommands::WriteMacro(std::size_t slot, const MacroSlot& data) {
  send(command::WriteMacro, {{3, u8(slot)}, {4, command::kMacroSlotReports}});
  sleep(1);
  for (std::size_t i = 0; i < command::kMacroSlotReports; ++i) {
    if (i > 0) sleep(0);
    sendPayload(data.data() + i * kDataPayloadSize, kDataPayloadSize);
  }
}

void DeviceCommands::ReadMacro(std::size_t slot, DeviceImage& image) {
  send(command::ReadMacro, {{3, u8(slot)}});
  get();
  MacroSlot incoming{};
  bool complete = true;
  for (std::size_t i = 0; i < command::kMacroSlotReports; ++i) {
    complete = readPayload(incoming.data() + i * kDataPayloadSize) && complete;
  }
  if (complete && slot < kMacroSlotCount) image.macroSlots[slot] = incoming;
}

void DeviceCommands::WriteColourTable(std::size_t table, const CustomColourTable& data) {
  send(command::WriteColourTable, {{3, u8(table)}, {4, command::kColourTableReports}});
  sleep(5);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
  for (std::size_t i = 0; i < command::kColourTableReports; ++i) {
    sendPayload(bytes + i * kDataPayloadSize, kDataPayloadSize);
    sleep(5);
  }
}

void DeviceCommands::ReadColourTable(std::size_t table, DeviceImage& image) {
  send(command::ReadColourTable, {{3, u8(table)}, {4, command::kColourTableReports}});
  sleep(5);
  get();
  sleep(5);
  std::array<std::uint8_t, kCustomColourTableSize> incoming{};
  bool complete = true;
  for (std::size_t i = 0; i < command::kColourTableReports; ++i) {
    complete = readPayload(incoming.data() + i * kDataPayloadSize) && complete;
    sleep(5);
  }
  if (complete && table < kCustomColourTableCount) {
    std::memcpy(image.customColourTables[table].data(), incoming.data(), incoming.size());
  }
}

void DeviceCommands::FactoryReset() {
  send(command::FactoryReset, {{2, command::kFactoryResetParam}});
}

void DeviceCommands::SetColour(std::size_t slot, const Rgb& colour) {
  send(command::SetColour, {{3, u8(slot)}, {4, colour.red}, {5, colour.green}, {6, colour.blue}, {7, 0}});
  sleep(20);
}

void DeviceCommands::GetColour(std::size_t slot, DeviceImage& image) {
  send(command::GetColour, {{3, u8(slot)}});
  sleep(1);
  const auto reply = get();
  sleep(1);
  if (reply && slot < kColourSlotCount) image.colourSlots[slot] = Rgb{(*reply)[4], (*reply)[5], (*reply)[6]};
}

}  // namespace kav
