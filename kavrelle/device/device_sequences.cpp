#include "kavrelle/device/device_sequences.h"

namespace kav {
namespace {

constexpr std::uint8_t kGameModeOn = 1;
constexpr std::uint32_t kAfterGameModeOnMs = 10;     // full read-back, after the game-mode command
constexpr std::uint32_t kAfterFactoryResetMs = 300;  // after the reset and after each game-mode command

bool keyBitsDiffer(const KeyEnableBits& a, const KeyEnableBits& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (((a[i] ^ b[i]) & kEnableByteKeyMask) != 0) return true;
  }
  return false;
}

}  // namespace

bool ChangeSet::Any() const {
  return lighting || colourSlots || gameMode || reportRate || responseTime || keyTable || keyEnableBits ||
         macroSlots.any() || colourTables.any();
}

ChangeSet ChangeSet::Without(const ChangeSet& other) const {
  ChangeSet rest;
  rest.lighting = lighting && !other.lighting;
  rest.colourSlots = colourSlots && !other.colourSlots;
  rest.gameMode = gameMode && !other.gameMode;
  rest.reportRate = reportRate && !other.reportRate;
  rest.responseTime = responseTime && !other.responseTime;
  rest.keyTable = keyTable && !other.keyTable;
  rest.keyEnableBits = keyEnableBits && !other.keyEnableBits;
  rest.macroSlots = macroSlots & ~other.macroSlots;
  rest.colourTables = colourTables & ~other.colourTables;
  return rest;
}

ChangeSet FindChanges(const DeviceImage& a, const DeviceImage& b) {
  ChangeSet changes;
  changes.lighting = a.lighting != b.lighting;
  changes.colourSlots = a.colourSlots != b.colourSlots;
  changes.gameMode = a.gameMode != b.gameMode;
  changes.reportRate = a.reportRate != b.reportRate;
  changes.responseTime = a.responseTime != b.responseTime;
  changes.keyTable = a.keyTable != b.keyTable;
  changes.keyEnableBits = keyBitsDiffer(a.keyEnableBits, b.keyEnableBits);
  for (std::size_t k = 0; k < kMacroSlotCount; ++k) changes.macroSlots[k] = a.macroSlots[k] != b.macroSlots[k];
  for (std::size_t t = 0; t < kCustomColourTableCount; ++t) {
    changes.colourTables[t] = a.customColourTables[t] != b.customColourTables[t];
  }
  return changes;
}

void CopyGroups(const DeviceImage& from, DeviceImage& to, const ChangeSet& groups) {
  if (groups.lighting) to.lighting = from.lighting;
  if (groups.colourSlots) to.colourSlots = from.colourSlots;
  if (groups.gameMode) to.gameMode = from.gameMode;
  if (groups.reportRate) to.reportRate = from.reportRate;
  if (groups.responseTime) to.responseTime = from.responseTime;
  if (groups.keyTable) to.keyTable = from.keyTable;
  if (groups.keyEnableBits) {
    to.keyEnableBits = from.keyEnableBits;
    to.windowsKeyLock = from.windowsKeyLock;  // the lock reaches the keyboard through the bits
  }
  for (std::size_t k = 0; k < kMacroSlotCount; ++k) {
    if (groups.macroSlots[k]) to.macroSlots[k] = from.macroSlots[k];
  }
  for (std::size_t t = 0; t < kCustomColourTableCount; ++t) {
    if (groups.colourTables[t]) to.customColourTables[t] = from.customColourTables[t];
  }
}

void DeviceSequences::gameModeOn(DeviceImage& image) {
  commands_.SetGameMode(kGameModeOn);
  ApplyWindowsKeyLockRule(image);
}

void DeviceSequences::readSettings(DeviceImage& image) {
  commands_.GetLighting(image);
  for (std::size_t slot = 0; slot < kColourSlotCount; ++slot) commands_.GetColour(slot, image);
  commands_.GetGameMode(image);
  commands_.GetReportRate(image);
  commands_.GetResponseTime(image);
  commands_.ReadKeyTable(image);
  commands_.ReadKeyFlags(image);
  for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot) {
    commands_.ReadMacro(slot, image);
    clock_.Sleep(0);  // yield: the read of all slots is long
  }
  for (std::size_t table = 0; table < kCustomColourTableCount; ++table) commands_.ReadColourTable(table, image);
}

void DeviceSequences::StartupRead(DeviceImage& image, DeviceVersion& version) {
  gameModeOn(image);
  commands_.GetFirmwareVersion(version);
  readSettings(image);
}

void DeviceSequences::FullReadBack(DeviceImage& live) {
  gameModeOn(live);
  clock_.Sleep(kAfterGameModeOnMs);
  readSettings(live);
}

template <typename Send>
bool DeviceSequences::step(Send&& send) {
  acknowledgement_.Clear();
  send();
  return acknowledgement_.Wait(clock_);
}

ApplyResult DeviceSequences::Apply(DeviceImage& live, DeviceImage& applied) {
  ApplyWindowsKeyLockRule(live);
  ApplyResult result;
  result.changed = FindChanges(live, applied);
  if (!result.changed.Any()) return result;

  const ChangeSet& changed = result.changed;
  ChangeSet& acked = result.acknowledged;
  // The first step the keyboard does not acknowledge ends the sending.
  bool going = step([&] { commands_.SetLighting(LightingPhase::Begin, live.lighting); });
  const auto group = [&](bool differs, const auto& send) {
    if (going && differs) going = step(send);
    return going && differs;
  };
  acked.colourSlots = group(changed.colourSlots, [&] {
    for (std::size_t slot = 0; slot < kColourSlotCount; ++slot) commands_.SetColour(slot, live.colourSlots[slot]);
  });
  acked.gameMode = group(changed.gameMode, [&] {
    commands_.SetGameMode(live.gameMode);
    ApplyWindowsKeyLockRule(live);
  });
  acked.reportRate = group(changed.reportRate, [&] { commands_.SetReportRate(live.reportRate); });
  acked.responseTime = group(changed.responseTime, [&] { commands_.SetResponseTime(live.responseTime); });
  acked.keyTable = group(changed.keyTable, [&] { commands_.WriteKeyTable(live.keyTable); });
  acked.keyEnableBits = group(changed.keyEnableBits, [&] { commands_.WriteKeyFlags(live.keyEnableBits); });
  for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot) {
    acked.macroSlots[slot] =
        group(changed.macroSlots[slot], [&] { commands_.WriteMacro(slot, live.macroSlots[slot]); });
  }
  for (std::size_t table = 0; table < kCustomColourTableCount; ++table) {
    acked.colourTables[table] =
        group(changed.colourTables[table], [&] { commands_.WriteColourTable(table, live.customColourTables[table]); });
  }
  commands_.SetLighting(LightingPhase::End, live.lighting);
  acked.lighting = going && changed.lighting;

  DeviceImage next = live;
  CopyGroups(applied, next, result.Pending());
  applied = next;
  return result;
}

void DeviceSequences::FactoryResetSequence(DeviceImage& live) {
  commands_.FactoryReset();
  clock_.Sleep(kAfterFactoryResetMs);
  gameModeOn(live);
  clock_.Sleep(kAfterFactoryResetMs);
  gameModeOn(live);
  clock_.Sleep(kAfterFactoryResetMs);
  FullReadBack(live);
}

}  // namespace kav
