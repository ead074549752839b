#include "kavrelle/macros/macro_table.h"

#include <algorithm>
#include <cstring>

#include "kavrelle/keys/key_tables.h"

namespace kav {

MacroRecord ZeroMacroRecord() {
  MacroRecord record;
  std::memset(&record, 0, sizeof record);
  return record;
}

MacroTable ZeroMacroTable() {
  MacroTable table;
  std::memset(&table, 0, sizeof table);
  return table;
}

std::u16string MacroName(const MacroRecord& record) {
  const auto end = std::find(record.name.begin(), record.name.end(), u'\0');
  return std::u16string(record.name.begin(), end);
}

void SetMacroName(MacroRecord& record, std::u16string_view name) {
  record.name.fill(0);
  const std::size_t units = std::min(name.size(), kMacroNameUnits - 1);
  std::copy_n(name.begin(), units, record.name.begin());
}

bool MacroInUse(const MacroRecord& record) { return record.name[0] != 0; }

std::uint16_t LoopCount(const MacroRecord& record) {
  return static_cast<std::uint16_t>(record.loopCount[0] | (record.loopCount[1] << 8));
}

void SetLoopCount(MacroRecord& record, std::uint16_t count) {
  record.loopCount[0] = static_cast<std::uint8_t>(count & 0xFF);
  record.loopCount[1] = static_cast<std::uint8_t>(count >> 8);
}

bool InsertKeyEvent(MacroRecord& record, std::size_t position, bool release, std::uint8_t vk, std::uint32_t delayMs) {
  // A VK without a usage would put a 0 key byte into the keyboard stream and end it there.
  const std::uint8_t usage = UsageOfVk(vk);
  if (vk == 0 || usage == 0) return false;
  EventStream host = record.hostStream;
  EventStream keyboard = record.keyboardStream;
  if (!InsertEvent(host, position, {release, vk, delayMs})) return false;
  if (!InsertEvent(keyboard, position, {release, usage, delayMs})) return false;
  record.hostStream = host;
  record.keyboardStream = keyboard;
  return true;
}

MacroSlot MacroSlotOf(const MacroRecord& record) {
  MacroSlot slot{};
  const std::uint16_t loops = LoopCount(record);
  slot[0] = static_cast<std::uint8_t>(loops >> 8);
  slot[1] = static_cast<std::uint8_t>(loops & 0xFF);
  std::copy(record.keyboardStream.begin(), record.keyboardStream.end(), slot.begin() + 2);
  return slot;
}

std::size_t FillMacroSlots(const MacroTable& table, DeviceImage& image) {
  if (!MacroInUse(table[0])) return 0;
  std::size_t filled = 0;
  for (std::size_t i = 0; i < kMacroSlotCount; ++i) {
    image.macroSlots[i] = MacroSlotOf(table[i]);
    filled = i + 1;
    if (i + 1 >= table.size() || !MacroInUse(table[i + 1])) break;
  }
  return filled;
}

}  // namespace kav
