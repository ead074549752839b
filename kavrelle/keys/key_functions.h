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

inline constexpr std::uint16_t kUiLanguageChinese = 4;  // any other value selects English

enum class FunctionGroup : std::uint8_t { Top, Media, Shortcut, Windows };

struct KeyFunction {
  FunctionGroup group;
  std::u16string_view chinese;
  std::u16string_view english;
  KeyTableEntry code;
};

inline constexpr std::size_t kKeyFunctionCount = 23;
std::span<const KeyFunction, kKeyFunctionCount> KeyFunctions();

// The tree's group items: "多媒体"/"Media", "快捷健"/"Shortcut", "Windows" (Top has no item).
std::u16string_view FunctionGroupName(FunctionGroup group, std::uint16_t uiLanguage);

std::u16string_view FunctionName(const KeyFunction& function, std::uint16_t uiLanguage);

// The function whose name in the given UI language is `name`; nullptr when there is none.
const KeyFunction* FindFunctionByName(std::u16string_view name, std::uint16_t uiLanguage);
// The function with this code; nullptr when there is none.
const KeyFunction* FindFunctionByCode(const KeyTableEntry& code);

// The name the dialog selects for a key: the function of a kind-3 record, else empty.
std::u16string_view FunctionNameOfRecord(const KeyRecord& record, std::uint16_t uiLanguage);

}  // namespace kav
