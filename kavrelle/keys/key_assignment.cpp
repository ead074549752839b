#include "kavrelle/keys/key_assignment.h"

#include <algorithm>

#include "kavrelle/keys/key_functions.h"
#include "kavrelle/keys/keymap_file.h"

namespace kav {
namespace {

constexpr std::uint8_t kFnEntryType = 0x02;
constexpr std::size_t kBackslashKey = 54;
constexpr std::uint8_t kBackslashFactoryUsage = 0x31;  // the keyboard's own; VK 0xDC sends 0x32
constexpr KeyTableEntry kMediaKeyEntries[] = {
    {0x03, 0x00, 0xEA, 0x00},  // 16 Volume DOWN
    {0x03, 0x00, 0x83, 0x01},  // 17 Media
    {0x03, 0x00, 0xCD, 0x00},  // 18 Play/Pause
    {0x03, 0x00, 0xE9, 0x00},  // 19 Volume UP
};

constexpr std::uint8_t kMacroEntryMark = 0x01;
constexpr std::uint8_t kActionRecordCode[4] = {0x03, 0x00, 0x23, 0x02};
constexpr std::size_t kMaxCombinationKeys = 3;

KeyTable BuildDefaultKeyTable() {
  KeyTable table{};
  for (std::size_t key = 0; key < kKeyCount; ++key) {
    table[PositionOfKey(key)] = {static_cast<std::uint8_t>(KeyEntryKind::Keys), 0, UsageOfVk(VkOfKey(key)), 0};
  }
  for (std::size_t i = 0; i < std::size(kMediaKeyEntries); ++i) {
    table[PositionOfKey(kFirstMediaKey + i)] = kMediaKeyEntries[i];
  }
  table[PositionOfKey(kBackslashKey)].b2 = kBackslashFactoryUsage;
  table[PositionOfKey(kFnKey)] = {kFnEntryType, 0, 0, 0};
  return table;
}

// The entry a single key sends: its usage on the keyboard page, or the consumer page for the
// four media usages (0x83 is the low byte of consumer 0x0183).
KeyTableEntry SingleKeyEntry(std::uint8_t vk) {
  const std::uint8_t usage = UsageOfVk(vk);
  const auto consumer = static_cast<std::uint8_t>(KeyEntryKind::Consumer);
  switch (usage) {
    case 0x83:
      return {consumer, 0x00, 0x83, 0x01};
    case 0xCD:
    case 0xE9:
    case 0xEA:
      return {consumer, 0x00, usage, 0x00};
    default:
      return {static_cast<std::uint8_t>(KeyEntryKind::Keys), 0x00, usage, 0x00};
  }
}

void ResetRecord(KeyRecord& record) {
  record.kind = static_cast<std::uint8_t>(KeyKind::Single);
  record.count = 0;
  record.data.fill(0);
}

// Kinds 2-7 hold four code bytes and no captured keys.
void SetRecordCode(KeyRecord& record, KeyKind kind, const std::uint8_t (&code)[4]) {
  record.kind = static_cast<std::uint8_t>(kind);
  record.count = 0;
  record.data.fill(0);
  std::copy(std::begin(code), std::end(code), record.data.begin());
}

}  // namespace

const KeyTable& DefaultKeyTable() {
  static const KeyTable table = BuildDefaultKeyTable();
  return table;
}

void RestoreKey(DeviceImage& image, KeyRecordTable& records, std::size_t keyIndex) {
  if (keyIndex >= kKeyCount) return;
  ResetRecord(records[keyIndex]);
  // The factory entry rather than one rebuilt from the VK: the media keys stay consumer keys,
  // "\" keeps its usage 0x31 and the restored key is no longer marked.
  const std::size_t position = PositionOfKey(keyIndex);
  KeyEntryAt(image, position) = DefaultKeyTable()[position];
  SetKeyEnabled(image, position, true);
}

bool ApplyAssignment(KeyState& state, std::size_t keyIndex, const AssignmentResult& result) {
  if (keyIndex >= kKeyCount) return result.enabled;
  if (result.count == kDefaultPressedCount) {
    RestoreKey(state.image, state.records, keyIndex);
    return true;
  }

  KeyRecord& record = state.records[keyIndex];
  const std::size_t position = PositionOfKey(keyIndex);
  KeyTableEntry& entry = KeyEntryAt(state.image, position);
  std::uint8_t& assigned = state.assigned[keyIndex];
  const std::uint8_t ownVk = VkOfKey(keyIndex);
  const auto count = static_cast<std::uint8_t>(std::clamp(result.count, 0, 255));
  record.ownVk = ownVk;

  switch (result.kind) {
    case static_cast<std::uint8_t>(KeyKind::Single):
      record.kind = result.kind;
      record.data = result.keys;
      record.count = count;
      if (result.count == 1) {
        if (result.keys[0] == ownVk) {
          ResetRecord(record);
          entry = DefaultKeyTable()[position];
        } else {
          assigned = 1;
          entry = SingleKeyEntry(result.keys[0]);
        }
      }
      break;

    case static_cast<std::uint8_t>(KeyKind::Combination): {
      record.kind = result.kind;
      record.data = result.keys;
      record.count = count;
      std::uint8_t usages[kMaxCombinationKeys] = {};
      for (std::size_t i = 0; i < kMaxCombinationKeys && result.keys[i] != 0; ++i)
        usages[i] = UsageOfVk(result.keys[i]);
      entry = {static_cast<std::uint8_t>(KeyEntryKind::Keys), usages[0], usages[1], usages[2]};
      if (result.count > 1) assigned = 1;
      break;
    }

    case static_cast<std::uint8_t>(KeyKind::Macro): {
      const auto macro = static_cast<std::uint8_t>(result.macroNumber & 0xFF);
      const std::uint8_t code[4] = {static_cast<std::uint8_t>(KeyEntryKind::Macro), kMacroEntryMark, macro, 0x00};
      SetRecordCode(record, KeyKind::Macro, code);
      if (result.macroNumber != kNoMacro) {
        entry = {code[0], code[1], code[2], code[3]};
        assigned = 1;
        FillMacroSlots(state.macros, state.image);
      }
      break;
    }

    case static_cast<std::uint8_t>(KeyKind::Function): {
      const KeyFunction* function = FindFunctionByName(result.functionName);
      if (!function) break;
      const std::uint8_t code[4] = {function->code.kind, function->code.b1, function->code.b2, function->code.b3};
      SetRecordCode(record, KeyKind::Function, code);
      entry = function->code;
      assigned = 1;
      break;
    }

    case static_cast<std::uint8_t>(KeyKind::PlaySound):
    case static_cast<std::uint8_t>(KeyKind::StartProgram):
    case static_cast<std::uint8_t>(KeyKind::OpenFile):
    case static_cast<std::uint8_t>(KeyKind::OpenFolder):
      SetRecordCode(record, static_cast<KeyKind>(result.kind), kActionRecordCode);
      SetActionPath(record, result.actionPath);
      entry = {static_cast<std::uint8_t>(KeyEntryKind::HostAction), 0x00, ownVk, 0x00};
      assigned = 1;
      break;

    case static_cast<std::uint8_t>(KeyKind::Restore):
      RestoreKey(state.image, state.records, keyIndex);
      break;

    default:  // 255: the advanced page without an action; nothing to apply
      break;
  }
  return result.enabled;
}

bool CommitAssignment(KeyState& state, std::size_t keyIndex, const AssignmentResult& result,
                      const std::filesystem::path& keymapFile) {
  if (keyIndex >= kKeyCount) return false;
  state.assigned[keyIndex] = 0;
  const bool enabled = ApplyAssignment(state, keyIndex, result);
  SetKeyEnabled(state.image, PositionOfKey(keyIndex), enabled);
  if (!enabled) state.assigned[keyIndex] = 1;
  return SaveKeymapFile(keymapFile, state.image, state.records);
}

void RecomputeAssignedFlags(const DeviceImage& image, const KeyRecordTable& records, AssignedFlags& assigned) {
  const KeyTable& defaults = DefaultKeyTable();
  for (std::size_t key = 0; key < kKeyCount; ++key) {
    const std::size_t position = PositionOfKey(key);
    const KeyRecord& record = records[key];
    const bool entryChanged = KeyEntryAt(image, position).b2 != defaults[position].b2;
    const bool reassigned = record.kind != static_cast<std::uint8_t>(KeyKind::Single);
    const bool otherSingleKey = record.data[0] != record.ownVk && record.count == 1;
    const bool disabled = !KeyEnabled(image, position);
    assigned[key] = (entryChanged || reassigned || otherSingleKey || disabled) ? 1 : 0;
  }
  assigned[kFnKey] = 0;
}

}  // namespace kav
