#pragma once
// The 23 predefined functions of the key assignment dialog's Basic page, in the order of its
// tree. One table serves both directions: name -> code when a function is assigned, code ->
// name when the dialog reopens on a kind-3 key. The code is stored in record data bytes 0-3
// and copied unchanged into the key table entry.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "kavrelle/device/device_image.h"
#include "kavrelle/keys/key_records.h"

namespace kav {

enum class FunctionGroup : std::uint8_t { Top, Media, Shortcut, Windows };

struct BilingualName {
  std::u16string_view chinese;
  std::u16string_view english;
};

struct KeyFunction {
  FunctionGroup group;
  BilingualName name;
  KeyTableEntry code;
};

inline constexpr std::size_t kKeyFunctionCount = 23;
std::span<const KeyFunction, kKeyFunctionCount> KeyFunctions();

// The tree's group items: "多媒体"/"Media", "快捷健"/"Shortcut", "Windows" (Top has none: empty).
BilingualName FunctionGroupName(FunctionGroup group);

// The function with this name in either language (no name appears in both columns, so the
// UI language does not matter); nullptr for any other text, such as a group item.
const KeyFunction* FindFunctionByName(std::u16string_view name);
// The function with this code; nullptr when there is none.
const KeyFunction* FindFunctionByCode(const KeyTableEntry& code);

// The function the dialog selects when it opens on a key: that of a kind-3 record whose data
// bytes 0-3 hold a known code, else nullptr.
const KeyFunction* FunctionOfRecord(const KeyRecord& record);

}  // namespace kav
