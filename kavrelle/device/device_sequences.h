#pragma once
// The four command sequences that make the keyboard and the program agree: the start-up
// read, the full read-back, apply and the factory reset. Each sends exactly its commands and
// pauses; none takes a lock (DeviceSession holds the sequence lock around them).

#include <bitset>
#include <cstdint>

#include "kavrelle/device/acknowledgement.h"
#include "kavrelle/device/device_commands.h"
#include "kavrelle/device/device_image.h"
#include "kavrelle/device/ports.h"

namespace kav {

// The groups of the device image that apply compares and sends separately.
struct ChangeSet {
  bool lighting = false;  // effect, speed, brightness, colour choice, direction
  bool colourSlots = false;
  bool gameMode = false;
  bool reportRate = false;
  bool responseTime = false;
  bool keyTable = false;
  bool keyEnableBits = false;
  std::bitset<kMacroSlotCount> macroSlots;
  std::bitset<kCustomColourTableCount> colourTables;

  bool Any() const;
  // The groups of this set that are not in `other`.
  ChangeSet Without(const ChangeSet& other) const;
  friend bool operator==(const ChangeSet&, const ChangeSet&) = default;
};

// The groups in which the two images differ. Key enable bits are compared on the bits that
// carry keys only (bits 6 and 7 of each byte carry none, and the Windows-key lock rule clears
// them): a keyboard that reports them set does not make its own bits look changed.
ChangeSet FindChanges(const DeviceImage& a, const DeviceImage& b);
// Copies the listed groups from one image into another; the Windows-key lock goes with the
// key enable bits.
void CopyGroups(const DeviceImage& from, DeviceImage& to, const ChangeSet& groups);

struct ApplyResult {
  ChangeSet changed;       // the groups that differed between the live and the applied image
  ChangeSet acknowledged;  // the groups the keyboard took; the applied image holds exactly these

  // Everything that differed was acknowledged (also when nothing differed).
  bool Succeeded() const { return acknowledged == changed; }
  // The groups the next apply sends again.
  ChangeSet Pending() const { return changed.Without(acknowledged); }
};

class DeviceSequences {
 public:
  DeviceSequences(CommandChannel& channel, Clock& clock, Acknowledgement& acknowledgement)
      : commands_(channel, clock), clock_(clock), acknowledgement_(acknowledgement) {}

  // The start-up read without its hand-over: game mode on, version, lighting, colour slots,
  // game mode, report rate, response time, key table, key flags, macro slots, colour tables.
  void StartupRead(DeviceImage& image, DeviceVersion& version);
  // After a factory reset and a re-plug: the start-up read without the version. Fills `live`;
  // the applied image is the caller's business.
  void FullReadBack(DeviceImage& live);
  // Sends what differs between the two images, group by group inside the lighting bracket,
  // waiting for the keyboard's acknowledgement after each step. A wait that expires stops
  // the sending; the bracket is closed either way. Afterwards the applied image equals the
  // live image except for the groups that were not acknowledged.
  //
  // The lighting group is sent by the bracket itself: it counts as acknowledged only when
  // the begin report was acknowledged and the bracket closed after a complete apply. After
  // a failure the keyboard may have been pulled out before the end report, so the lighting
  // stays pending and goes out again with the next apply.
  ApplyResult Apply(DeviceImage& live, DeviceImage& applied);
  // The factory reset command, the two game-mode commands with their pauses, then the full
  // read-back into `live`.
  void FactoryResetSequence(DeviceImage& live);

  DeviceCommands& Commands() { return commands_; }

 private:
  void gameModeOn(DeviceImage& image);
  void readSettings(DeviceImage& image);
  // Clears the flag, runs `send`, waits. True when acknowledged.
  template <typename Send>
  bool step(Send&& send);

  DeviceCommands commands_;
  Clock& clock_;
  Acknowledgement& acknowledgement_;
};

}  // namespace kav
