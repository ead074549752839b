#pragma once
// Turning an assignment into what the keyboard understands: a key record, the key's 4-byte
// entry in the key table of the live device image and its key enable bit. Nothing here talks
// to the keyboard; the main window's save sends the key table and the enable bits.
//
// Key table entries written here (byte 0 is the type):
//   00 u0 u1 u2   up to three keyboard usages sent together (00 00 u 00 for a single key)
//   03 00 lo hi   a consumer usage
//   04 01 m  00   plays macro slot m
//   0A 00 vk 00   reports the key to the computer, which runs the key's action

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "kavrelle/device/device_image.h"
#include "kavrelle/keys/key_records.h"
#include "kavrelle/macros/macro_table.h"

namespace kav {

// The process-wide state an assignment touches. The application object owns the objects;
// this only bundles references to them.
struct KeyState {
  DeviceImage& image;  // the live image
  KeyRecordTable& records;
  AssignedFlags& assigned;
  const MacroTable& macros;  // for refreshing the macro slots on a macro assignment
};

// The keyboard's factory key table, in the layout of the device image's key table: 00 00 u 00
// with u = UsageOfVk of the key's VK, except the four media keys (16-19: consumer entries),
// key 54 "\" (usage 0x31) and key 100 "Fn" (02 00 00 00). Positions without a key are zero.
const KeyTable& DefaultKeyTable();

// The key's factory meaning: record k becomes kind 0, count 0, data zero (own VK and action
// path untouched); its entry becomes the default entry; its enable bit is set.
void RestoreKey(DeviceImage& image, KeyRecordTable& records, std::size_t keyIndex);

// Applies the dialog's result to key k, by result kind:
//   Default pressed (count 255)  RestoreKey
//   0 single     count 1: record data[0] = VK, entry 00 00 u 00; the four media usages 0x83,
//                0xCD, 0xE9, 0xEA become consumer entries (03 00 83 01, 03 00 u 00). The key's
//                own VK restores the key and leaves it unmarked. Other counts change the record only.
//   1 combination  entry 00 u0 u1 u2; marked when more than one key
//   2 macro      record 04 01 m 00; with a macro chosen, the entry too, and the macro slots are
//                refreshed from the macro table
//   3 function   the code of the named function (either language) into record and entry;
//                an unknown name changes nothing
//   4-7 action   record 03 00 23 02 and the action path, entry 0A 00 vk 00 (vk = own VK)
//   8            RestoreKey
//   255, other   nothing changes
// Sets assigned flag k where the kind marks the key; never clears it (the caller clears it
// before). Returns whether the key is to be enabled: result.enabled, or true after Default.
// The enable bit itself and the file are the caller's: see CommitAssignment.
bool ApplyAssignment(KeyState& state, std::size_t keyIndex, const AssignmentResult& result);

// What the main window does when the key assignment dialog closes with OK: clears assigned
// flag k, applies the result, sets or clears the key's enable bit (a disabled key is marked),
// then writes keymap.bin. Returns false when the file could not be written (memory is updated)
// or when there is no such key (nothing changes).
bool CommitAssignment(KeyState& state, std::size_t keyIndex, const AssignmentResult& result,
                      const std::filesystem::path& keymapFile);

// The marking rule of the keyboard picture: key k is marked when byte 2 of its live entry
// differs from the default table's, its record kind is not 0, its record holds a single key
// other than its own VK, or it is disabled. Flag 100 ("Fn") is always cleared. Sets flags 0-107.
void RecomputeAssignedFlags(const DeviceImage& image, const KeyRecordTable& records, AssignedFlags& assigned);

}  // namespace kav
