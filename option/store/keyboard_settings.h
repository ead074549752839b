#pragma once
// The settings record Option exchanges with the monitor process. The shared memory holds
// exactly these bytes, so every offset below is part of the wire format.

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace opt {

static_assert(std::endian::native == std::endian::little, "the record is little-endian");

inline constexpr int kProfileCount = 5;
inline constexpr int kMacroKeyCount = 32;
inline constexpr std::size_t kStandardKeyCount = 104;
inline constexpr std::size_t kProfileNameSize = 250;
inline constexpr std::size_t kGameFileSize = 502;
inline constexpr std::size_t kMacroNameSize = 20;
inline constexpr std::size_t kMacroKeyEventCount = 40;
inline constexpr std::size_t kMacroEventSize = 4;
inline constexpr std::size_t kProgramPathSize = 260;
inline constexpr std::size_t kOsdSettingSize = 340;

// One programmable key's assignment. The kinds and their fields are defined where keys are
// assigned; the store carries the bytes.
struct MacroKeyInfo {
  std::uint8_t index;      // entry index 0..31
  std::uint8_t kind;       // 0 = none
  std::uint8_t modifiers;  // key combination: 1 Ctrl, 2 Shift, 4 Alt, 8 Win; other kinds: a kind-specific number
  std::uint8_t zero;
  std::uint16_t code;  // key or function code
  std::array<char, kMacroNameSize> macroName;
  std::uint16_t eventCount;   // 0..40
  std::uint32_t repeatCount;  // 0 = no repetition
  std::array<std::uint8_t, kMacroKeyEventCount * kMacroEventSize> events;
  std::array<char, kProgramPathSize> programPath;

  friend bool operator==(const MacroKeyInfo&, const MacroKeyInfo&) = default;
};
static_assert(sizeof(MacroKeyInfo) == 452);
static_assert(offsetof(MacroKeyInfo, index) == 0);
static_assert(offsetof(MacroKeyInfo, kind) == 1);
static_assert(offsetof(MacroKeyInfo, modifiers) == 2);
static_assert(offsetof(MacroKeyInfo, zero) == 3);
static_assert(offsetof(MacroKeyInfo, code) == 4);
static_assert(offsetof(MacroKeyInfo, macroName) == 6);
static_assert(offsetof(MacroKeyInfo, eventCount) == 26);
static_assert(offsetof(MacroKeyInfo, repeatCount) == 28);
static_assert(offsetof(MacroKeyInfo, events) == 32);
static_assert(offsetof(MacroKeyInfo, programPath) == 192);

using StandardKeyTable = std::array<std::uint8_t, kStandardKeyCount>;

struct ProfileSettings {
  std::array<char, kProfileNameSize> ProFileName;  // display name, zero-terminated
  std::array<char, kGameFileSize> GameFile;        // program tied to the profile
  std::int32_t MediaOption;
  std::int32_t HDDKeyboard;
  std::int32_t LtSwitch;
  std::int32_t LtPulsation;
  std::int32_t LtControl;  // brightness step
  std::int32_t LtColor;
  std::int32_t LtSaving;
  std::int32_t LeftWin;
  std::int32_t Context;
  std::int32_t CapsLock;
  std::int32_t Tab;
  std::int32_t PollingRate;
  std::int32_t ReportDelay;      // report delay step
  StandardKeyTable standardkey;  // HID usage each of the 104 key positions sends
  std::array<MacroKeyInfo, kMacroKeyCount> macroKeys;
  std::int32_t FnStatus;
};
static_assert(sizeof(ProfileSettings) == 15376);
static_assert(offsetof(ProfileSettings, ProFileName) == 0);
static_assert(offsetof(ProfileSettings, GameFile) == 250);
static_assert(offsetof(ProfileSettings, MediaOption) == 752);
static_assert(offsetof(ProfileSettings, HDDKeyboard) == 756);
static_assert(offsetof(ProfileSettings, LtSwitch) == 760);
static_assert(offsetof(ProfileSettings, LtPulsation) == 764);
static_assert(offsetof(ProfileSettings, LtControl) == 768);
static_assert(offsetof(ProfileSettings, LtColor) == 772);
static_assert(offsetof(ProfileSettings, LtSaving) == 776);
static_assert(offsetof(ProfileSettings, LeftWin) == 780);
static_assert(offsetof(ProfileSettings, Context) == 784);
static_assert(offsetof(ProfileSettings, CapsLock) == 788);
static_assert(offsetof(ProfileSettings, Tab) == 792);
static_assert(offsetof(ProfileSettings, PollingRate) == 796);
static_assert(offsetof(ProfileSettings, ReportDelay) == 800);
static_assert(offsetof(ProfileSettings, standardkey) == 804);
static_assert(offsetof(ProfileSettings, macroKeys) == 908);
static_assert(offsetof(ProfileSettings, FnStatus) == 15372);

// What differs from the last applied state; set just before the record goes to the
// monitor, never stored in files. Entries are 0 or 1.
struct ChangeFlags {
  std::array<std::array<std::int32_t, kMacroKeyCount>, kProfileCount> keyChanged;  // [profile][entry]
  std::array<std::int32_t, kProfileCount> lightingChanged;
  std::int32_t profileSwitched;
  std::array<std::int32_t, kProfileCount> standardKeysChanged;
  std::array<std::int32_t, kProfileCount> keyOptionsChanged;  // LeftWin, Context, CapsLock or Tab
  std::array<std::int32_t, kProfileCount> profileImported;
  std::int32_t hddKeyboardChanged;  // one flag for all profiles
  std::array<std::int32_t, kProfileCount> profileReset;
  std::int32_t allReset;

  friend bool operator==(const ChangeFlags&, const ChangeFlags&) = default;
};
static_assert(sizeof(ChangeFlags) == 752);

struct KeyboardSettings {
  std::int32_t CurrentProfile;  // 0..4
  std::int32_t RightWin;        // carried; only a factory reset sets it (to 1)
  std::int32_t reserved;        // 0 at start-up, otherwise carried
  std::array<ProfileSettings, kProfileCount> profiles;
  ChangeFlags changes;
};
static_assert(sizeof(KeyboardSettings) == 77644);
static_assert(offsetof(KeyboardSettings, CurrentProfile) == 0);
static_assert(offsetof(KeyboardSettings, RightWin) == 4);
static_assert(offsetof(KeyboardSettings, reserved) == 8);
static_assert(offsetof(KeyboardSettings, profiles) == 12);
static_assert(offsetof(KeyboardSettings, changes) == 76892);
static_assert(offsetof(KeyboardSettings, changes) + offsetof(ChangeFlags, keyChanged) == 76892);
static_assert(offsetof(KeyboardSettings, changes) + offsetof(ChangeFlags, lightingChanged) == 77532);
static_assert(offsetof(KeyboardSettings, changes) + offsetof(ChangeFlags, profileSwitched) == 77552);
static_assert(offsetof(KeyboardSettings, changes) + offsetof(ChangeFlags, standardKeysChanged) == 77556);
static_assert(offsetof(KeyboardSettings, changes) + offsetof(ChangeFlags, keyOptionsChanged) == 77576);
static_assert(offsetof(KeyboardSettings, changes) + offsetof(ChangeFlags, profileImported) == 77596);
static_assert(offsetof(KeyboardSettings, changes) + offsetof(ChangeFlags, hddKeyboardChanged) == 77616);
static_assert(offsetof(KeyboardSettings, changes) + offsetof(ChangeFlags, profileReset) == 77620);
static_assert(offsetof(KeyboardSettings, changes) + offsetof(ChangeFlags, allReset) == 77640);

// Kept in config.ini for the monitor; Option never looks inside.
struct OsdSettingBlock {
  std::array<std::uint8_t, kOsdSettingSize> bytes;
};
static_assert(sizeof(OsdSettingBlock) == 340);

// The factory values.
inline constexpr StandardKeyTable kFactoryStandardKeys = {
    0x29, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48,  //
    0x35, 0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x2D, 0x2E, 0x2A, 0x2B, 0x14,  //
    0x1A, 0x08, 0x15, 0x17, 0x1C, 0x18, 0x0C, 0x12, 0x13, 0x2F, 0x30, 0x28, 0x39, 0x04, 0x16, 0x07,  //
    0x09, 0x0A, 0x0B, 0x0D, 0x0E, 0x0F, 0x33, 0x34, 0x31, 0xE1, 0x1D, 0x1B, 0x06, 0x19, 0x05, 0x11,  //
    0x10, 0x36, 0x37, 0x38, 0xE5, 0xE0, 0xE3, 0xE2, 0x2C, 0xE6, 0xE7, 0x65, 0xE4, 0x49, 0x4C, 0x50,  //
    0x4A, 0x4D, 0x52, 0x51, 0x4B, 0x4E, 0x4F, 0x53, 0x5F, 0x5C, 0x59, 0x62, 0x54, 0x60, 0x5D, 0x5A,  //
    0x55, 0x61, 0x5E, 0x5B, 0x63, 0x56, 0x57, 0x58,
};

// The factory entries 0..13; every other byte of them, and entries 14..31, are zero.
struct FactoryMacroKey {
  std::uint8_t kind;
  std::uint8_t modifiers;
  std::uint16_t code;
};
inline constexpr std::array<FactoryMacroKey, 14> kFactoryMacroKeys = {{
    {4, 1, 0},
    {1, 0, 0},
    {1, 0, 0},
    {2, 0, 0x49},
    {2, 0, 0x4A},
    {2, 0, 0x4B},
    {2, 0, 0x4C},
    {2, 0, 0x4D},
    {2, 0, 0x4E},
    {6, 0, 0xBA},
    {6, 0, 0xB8},
    {6, 0, 0xB1},
    {6, 0, 0xB2},
    {6, 0, 0xB0},
}};

struct FactoryProfileValues {
  std::int32_t MediaOption = 0;
  std::int32_t HDDKeyboard = 1;
  std::int32_t LtSwitch = 1;
  std::int32_t LtPulsation = 3;
  std::int32_t LtControl = 1;
  std::int32_t LtColor = 4;
  std::int32_t LtSaving = 50;
  std::int32_t LeftWin = 1;
  std::int32_t Context = 1;
  std::int32_t CapsLock = 1;
  std::int32_t Tab = 1;
  std::int32_t PollingRate = 4;
  std::int32_t ReportDelay = 4;
  std::int32_t FnStatus = 0;
};
inline constexpr FactoryProfileValues kFactoryProfile{};
inline constexpr std::int32_t kFactoryRightWin = 1;

// Profile number n (0-based) is named "Profile #<n+1>".
inline constexpr const char* kProfileNameFormat = "Profile #%d";

// The slot `CurrentProfile` names, or 0 when it names none (it indexes the profiles).
int currentSlot(const KeyboardSettings& record);
ProfileSettings& currentProfile(KeyboardSettings& record);
const ProfileSettings& currentProfile(const KeyboardSettings& record);

// The text of a zero-terminated field; a field without terminator ends at its size.
template <std::size_t N>
std::string_view fieldText(const std::array<char, N>& field) {
  const std::string_view all(field.data(), N);
  return all.substr(0, all.find('\0'));
}
// Stores `text` cut to N - 1 characters and fills the rest of the field with zeros.
template <std::size_t N>
void setFieldText(std::array<char, N>& field, std::string_view text) {
  field.fill('\0');
  text = text.substr(0, N - 1);
  std::copy(text.begin(), text.end(), field.begin());
}

}  // namespace opt
