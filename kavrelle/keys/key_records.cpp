#include "kavrelle/keys/key_records.h"

#include <algorithm>
#include <cstring>

namespace kav {

KeyRecordTable ZeroKeyRecordTable() {
  KeyRecordTable table;
  std::memset(&table, 0, sizeof table);
  return table;
}

void RewriteOwnVks(KeyRecordTable& table) {
  for (std::size_t key = 0; key < kKeyCount; ++key) table[key].ownVk = VkOfKey(key);
}

std::u16string ActionPath(const KeyRecord& record) {
  const auto end = std::find(record.actionPath.begin(), record.actionPath.end(), u'\0');
  return std::u16string(record.actionPath.begin(), end);
}

void SetActionPath(KeyRecord& record, std::u16string_view path) {
  record.actionPath.fill(0);
  const std::size_t units = std::min(path.size(), kActionPathUnits - 1);
  std::copy_n(path.begin(), units, record.actionPath.begin());
}

}  // namespace kav
