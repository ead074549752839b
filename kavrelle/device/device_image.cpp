#include "kavrelle/device/device_image.h"

#include <algorithm>
#include <cassert>

namespace kav {

DeviceImage ZeroDeviceImage() {
  DeviceImage image;
  std::fill_n(reinterpret_cast<std::uint8_t*>(&image), sizeof image, std::uint8_t{0});
  return image;
}

KeyTableEntry& KeyEntryAt(DeviceImage& image, std::size_t position) {
  assert(position < kKeyTableEntries);
  return image.keyTable[position];
}

const KeyTableEntry& KeyEntryAt(const DeviceImage& image, std::size_t position) {
  assert(position < kKeyTableEntries);
  return image.keyTable[position];
}

bool KeyEnabled(const DeviceImage& image, std::size_t position) {
  assert(position < kKeyPositionCount);
  const std::uint8_t byte = image.keyEnableBits[position / kKeyBitsPerEnableByte];
  return (byte >> (position % kKeyBitsPerEnableByte)) & 1u;
}

void SetKeyEnabled(DeviceImage& image, std::size_t position, bool enabled) {
  assert(position < kKeyPositionCount);
  std::uint8_t& byte = image.keyEnableBits[position / kKeyBitsPerEnableByte];
  const auto bit = static_cast<std::uint8_t>(1u << (position % kKeyBitsPerEnableByte));
  byte = enabled ? static_cast<std::uint8_t>(byte | bit) : static_cast<std::uint8_t>(byte & ~bit);
}

CustomColourEntry& CustomColourAt(DeviceImage& image, std::size_t table, std::size_t position) {
  assert(table < kCustomColourTableCount && position < kKeyTableEntries);
  return image.customColourTables[table][position];
}

const CustomColourEntry& CustomColourAt(const DeviceImage& image, std::size_t table, std::size_t position) {
  assert(table < kCustomColourTableCount && position < kKeyTableEntries);
  return image.customColourTables[table][position];
}

void ApplyWindowsKeyLockRule(DeviceImage& image) {
  std::uint8_t& byte = image.keyEnableBits[kWindowsKeyLockByte];
  if (image.windowsKeyLock != 0) {
    byte &= static_cast<std::uint8_t>(kEnableByteKeyMask & ~kWindowsKeyLockBit);
  } else {
    byte |= kWindowsKeyLockBit;
  }
}

std::uint8_t WindowsKeyLockFromBits(const KeyEnableBits& bits) {
  return (bits[kWindowsKeyLockByte] & kWindowsKeyLockBit) == 0 ? 1 : 0;
}

std::optional<std::size_t> EffectRow(std::uint8_t code) {
  const auto* it = std::find(kEffectCodes.begin(), kEffectCodes.end(), code);
  if (it == kEffectCodes.end()) return std::nullopt;
  return static_cast<std::size_t>(it - kEffectCodes.begin());
}

bool IsCustomEffect(std::uint8_t code) { return code > 50; }

std::optional<std::size_t> CustomTableOfEffect(std::uint8_t code) {
  if (code < kFirstCustomEffect || code >= kFirstCustomEffect + kCustomColourTableCount) return std::nullopt;
  return static_cast<std::size_t>(code - kFirstCustomEffect);
}

}  // namespace kav
