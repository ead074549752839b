#include "kavrelle/device/device_image.h"

#include <gtest/gtest.h>

#include <cstring>

namespace kav {
namespace {

std::size_t byteOffsetIn(const DeviceImage& image, const void* field) {
  return static_cast<std::size_t>(static_cast<const std::uint8_t*>(field) -
                                  reinterpret_cast<const std::uint8_t*>(&image));
}

TEST(DeviceImage, KeysAreAddressedByPosition) {
  DeviceImage image = ZeroDeviceImage();
  struct Case {
    std::size_t position, table, entryOffset, enableByte;
    std::uint8_t enableBit;
  };
  const Case cases[] = {
      {0, 0, 792, 7477, 0x01},
      {5, 1, 792 + 20, 7477, 0x20},
      {6, 2, 792 + 24, 7478, 0x01},  // the left Windows key: carries the lock
      {125, 4, 792 + 500, 7477 + 20, 0x20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    EXPECT_EQ(byteOffsetIn(image, &KeyEntryAt(image, c.position)), c.entryOffset);
    EXPECT_EQ(byteOffsetIn(image, &CustomColourAt(image, c.table, c.position)),
              7499 + 512 * c.table + 4 * c.position);

    SetKeyEnabled(image, c.position, true);
    EXPECT_TRUE(KeyEnabled(image, c.position));
    const auto* raw = reinterpret_cast<const std::uint8_t*>(&image);
    EXPECT_EQ(raw[c.enableByte], c.enableBit);
    SetKeyEnabled(image, c.position, false);
    EXPECT_FALSE(KeyEnabled(image, c.position));
    EXPECT_EQ(raw[c.enableByte], 0);
  }
}

TEST(DeviceImage, WindowsKeyLockRuleRewritesOnlyBitZeroOfByteOne) {
  struct Case {
    std::uint8_t lock, before, after;
  };
  const Case cases[] = {
      {1, 0xFF, 0x3E},  // bit 0 and the two keyless bits cleared
      {1, 0x3F, 0x3E},
      {1, 0x20, 0x20},
      {0, 0x3E, 0x3F},
      {0, 0x00, 0x01},
  };
  for (const Case& c : cases) {
    DeviceImage image = ZeroDeviceImage();
    image.windowsKeyLock = c.lock;
    image.keyEnableBits[0] = 0x15;
    image.keyEnableBits[1] = c.before;
    image.keyEnableBits[2] = 0x2A;
    ApplyWindowsKeyLockRule(image);
    EXPECT_EQ(image.keyEnableBits[1], c.after) << int(c.lock) << " " << int(c.before);
    EXPECT_EQ(image.keyEnableBits[0], 0x15);
    EXPECT_EQ(image.keyEnableBits[2], 0x2A);
  }
}

TEST(DeviceImage, LockIsOnWhenBitZeroOfByteOneIsClear) {
  KeyEnableBits bits{};
  bits[1] = 0xFE;
  EXPECT_EQ(WindowsKeyLockFromBits(bits), 1);
  bits[1] = 0xFF;
  EXPECT_EQ(WindowsKeyLockFromBits(bits), 0);
  bits[0] = 0x00;  // other bytes do not matter
  bits[1] = 0x01;
  EXPECT_EQ(WindowsKeyLockFromBits(bits), 0);
}

TEST(DeviceImage, EffectCodesMapToListRowsAndCustomTables) {
  EXPECT_EQ(EffectRow(0x01), 0u);
  EXPECT_EQ(EffectRow(0x08), 6u);
  EXPECT_EQ(EffectRow(0x0A), 7u);
  EXPECT_EQ(EffectRow(0x37), 15u);
  EXPECT_FALSE(EffectRow(0x07));
  EXPECT_FALSE(EffectRow(0x09));
  EXPECT_FALSE(EffectRow(0x00));

  EXPECT_FALSE(IsCustomEffect(0x0D));
  EXPECT_TRUE(IsCustomEffect(0x33));
  EXPECT_EQ(CustomTableOfEffect(0x33), 0u);
  EXPECT_EQ(CustomTableOfEffect(0x37), 4u);
  EXPECT_FALSE(CustomTableOfEffect(0x38));
  EXPECT_FALSE(CustomTableOfEffect(0x32));
}

TEST(DeviceImage, ZeroImageIsAllZeroBytes) {
  const DeviceImage image = ZeroDeviceImage();
  const auto* raw = reinterpret_cast<const std::uint8_t*>(&image);
  for (std::size_t i = 0; i < sizeof image; ++i) ASSERT_EQ(raw[i], 0) << i;
}

}  // namespace
}  // namespace kav
