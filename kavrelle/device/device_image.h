#pragma once
// The device image: a byte-for-byte model of the keyboard's settings. It is also the
// first block of keymap.bin and of every profile file, so its layout is a file format.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace kav {

inline constexpr std::size_t kKeyPositionCount = 126;  // 6 x column + row
inline constexpr std::size_t kKeyTableEntries = 128;   // positions 126 and 127 belong to no key
inline constexpr std::size_t kMacroSlotCount = 32;
inline constexpr std::size_t kMacroSlotSize = 192;
inline constexpr std::size_t kColourSlotCount = 7;
inline constexpr std::size_t kKeyEnableBytes = 21;
inline constexpr std::size_t kKeyBitsPerEnableByte = 6;
inline constexpr std::size_t kCustomColourTableCount = 5;
inline constexpr std::size_t kCustomColourTableSize = 512;

// Key table entry kinds (byte 0).
enum class KeyEntryKind : std::uint8_t {
  Keys = 0,      // up to three keyboard usages sent together
  Consumer = 3,  // consumer-control usage, low byte then high byte
  Macro = 4,     // byte 1 = 1, byte 2 = macro slot
  HostAction = 10,  // keyboard reports the key's own VK on the event channel
};

struct KeyTableEntry {
  std::uint8_t kind;
  std::uint8_t b1;
  std::uint8_t b2;
  std::uint8_t b3;
  friend bool operator==(const KeyTableEntry&, const KeyTableEntry&) = default;
};
static_assert(sizeof(KeyTableEntry) == 4);

struct Rgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
static_assert(sizeof(Rgb) == 3);

// One entry of a custom colour table: 0, red, green, blue.
struct CustomColourEntry {
  std::uint8_t zero;
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
  friend bool operator==(const CustomColourEntry&, const CustomColourEntry&) = default;
};
static_assert(sizeof(CustomColourEntry) == 4);

using KeyTable = std::array<KeyTableEntry, kKeyTableEntries>;
using MacroSlot = std::array<std::uint8_t, kMacroSlotSize>;
using KeyEnableBits = std::array<std::uint8_t, kKeyEnableBytes>;
using CustomColourTable = std::array<CustomColourEntry, kKeyTableEntries>;
static_assert(sizeof(KeyTable) == 512);
static_assert(sizeof(CustomColourTable) == kCustomColourTableSize);

// Lighting block: the five values SetLighting carries. Speed is kept as shown (0 = slow).
struct LightingBlock {
  std::uint8_t effect;
  std::uint8_t speed;
  std::uint8_t brightness;
  std::uint8_t colourChoice;  // 1-7 = colour slot choice - 1; 8 = multi-colour
  std::uint8_t direction;     // 1 = L, 2 = R, 3 = T, 4 = B
  friend bool operator==(const LightingBlock&, const LightingBlock&) = default;
};
static_assert(sizeof(LightingBlock) == 5);

inline constexpr std::uint8_t kMaxSpeed = 9;
inline constexpr std::uint8_t kMaxBrightness = 50;
inline constexpr std::uint8_t kColourChoiceMulti = 8;
inline constexpr std::uint8_t kSpeedWireBase = 10;  // the wire carries 10 - speed

struct DeviceImage {
  std::array<std::uint8_t, 11> reserved0;
  std::uint8_t reportRate;  // 0-3, left to right on the report-rate scale
  std::array<std::uint8_t, 780> reserved1;
  KeyTable keyTable;
  std::array<MacroSlot, kMacroSlotCount> macroSlots;
  std::uint8_t reserved2;
  std::uint8_t responseTime;  // 1-10, 2 x value ms
  LightingBlock lighting;
  std::array<Rgb, kColourSlotCount> colourSlots;
  std::uint8_t gameMode;
  KeyEnableBits keyEnableBits;
  std::uint8_t windowsKeyLock;  // kept by the program; reaches the keyboard through enable-bits byte 1 bit 0
  std::array<CustomColourTable, kCustomColourTableCount> customColourTables;
  std::uint8_t reserved3;

  friend bool operator==(const DeviceImage&, const DeviceImage&) = default;
};

inline constexpr std::size_t kDeviceImageSize = 10060;
static_assert(sizeof(DeviceImage) == kDeviceImageSize);
static_assert(offsetof(DeviceImage, reserved0) == 0);
static_assert(offsetof(DeviceImage, reportRate) == 11);
static_assert(offsetof(DeviceImage, reserved1) == 12);
static_assert(offsetof(DeviceImage, keyTable) == 792);
static_assert(offsetof(DeviceImage, macroSlots) == 1304);
static_assert(offsetof(DeviceImage, reserved2) == 7448);
static_assert(offsetof(DeviceImage, responseTime) == 7449);
static_assert(offsetof(DeviceImage, lighting) == 7450);
static_assert(offsetof(DeviceImage, lighting) + offsetof(LightingBlock, speed) == 7451);
static_assert(offsetof(DeviceImage, lighting) + offsetof(LightingBlock, brightness) == 7452);
static_assert(offsetof(DeviceImage, lighting) + offsetof(LightingBlock, colourChoice) == 7453);
static_assert(offsetof(DeviceImage, lighting) + offsetof(LightingBlock, direction) == 7454);
static_assert(offsetof(DeviceImage, colourSlots) == 7455);
static_assert(offsetof(DeviceImage, gameMode) == 7476);
static_assert(offsetof(DeviceImage, keyEnableBits) == 7477);
static_assert(offsetof(DeviceImage, windowsKeyLock) == 7498);
static_assert(offsetof(DeviceImage, customColourTables) == 7499);
static_assert(offsetof(DeviceImage, reserved3) == 10059);

// A zero-filled image (what a missing state file starts from).
DeviceImage ZeroDeviceImage();

// Addressing by key position p (0-125).
KeyTableEntry& KeyEntryAt(DeviceImage& image, std::size_t position);
const KeyTableEntry& KeyEntryAt(const DeviceImage& image, std::size_t position);
bool KeyEnabled(const DeviceImage& image, std::size_t position);
void SetKeyEnabled(DeviceImage& image, std::size_t position, bool enabled);
CustomColourEntry& CustomColourAt(DeviceImage& image, std::size_t table, std::size_t position);
const CustomColourEntry& CustomColourAt(const DeviceImage& image, std::size_t table, std::size_t position);

// The left Windows key (position 6) carries the lock: byte 1, bit 0 of the enable bits.
inline constexpr std::size_t kWindowsKeyLockByte = 1;
inline constexpr std::uint8_t kWindowsKeyLockBit = 0x01;
inline constexpr std::uint8_t kEnableByteKeyMask = 0x3F;  // bits 6-7 carry no key

// Rewrites enable-bits byte 1 from the lock: on -> ANDed with 0x3E, off -> bit 0 set.
void ApplyWindowsKeyLockRule(DeviceImage& image);
// The lock as read back from the keyboard: on when bit 0 of byte 1 is clear.
std::uint8_t WindowsKeyLockFromBits(const KeyEnableBits& bits);

// The 16 lighting effects, in the order of the lighting page's list.
inline constexpr std::size_t kEffectCount = 16;
inline constexpr std::array<std::uint8_t, kEffectCount> kEffectCodes = {
    0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x08, 0x0A,
    0x0B, 0x0C, 0x0D, 0x33, 0x34, 0x35, 0x36, 0x37};
inline constexpr std::uint8_t kFirstCustomEffect = 51;  // custom colour table t belongs to code 51 + t

// List row of an effect code, or nothing for a code the list does not offer.
std::optional<std::size_t> EffectRow(std::uint8_t code);
bool IsCustomEffect(std::uint8_t code);
// Custom colour table of a custom effect code (0-4), or nothing.
std::optional<std::size_t> CustomTableOfEffect(std::uint8_t code);

// Major and minor firmware version, kept beside the image: major, minor, 0, 0.
struct DeviceVersion {
  std::uint8_t major;
  std::uint8_t minor;
  std::uint8_t unused0;
  std::uint8_t unused1;
  friend bool operator==(const DeviceVersion&, const DeviceVersion&) = default;
};
static_assert(sizeof(DeviceVersion) == 4);

}  // namespace kav
