#include "kavrelle/device/reports.h"

#include <gtest/gtest.h>

namespace kav {
namespace {

struct ChecksumCase {
  const char* what;
  FeatureReport report;
  std::uint8_t checksum;
};

TEST(FeatureReport, ChecksumIsComplementOfByteSumModulo256) {
  const ChecksumCase cases[] = {
      {"firmware version", MakeFeatureReport(0x80), 0x7F},
      {"game mode on", MakeFeatureReport(0x09, {{2, 1}}), 0xF5},
      {"factory reset", MakeFeatureReport(0x13, {{2, 0xFF}}), 0xED},
      {"colour slot 6 wraps past 255", MakeFeatureReport(0x14, {{3, 6}, {4, 0xFF}, {5, 0x80}, {6, 0x00}}), 0x66},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.report[8], c.checksum);
    EXPECT_EQ(FeatureChecksum(c.report), c.checksum);
    EXPECT_TRUE(FeatureChecksumValid(c.report));
    EXPECT_EQ(c.report[0], 0);
  }
}

TEST(FeatureReport, UnusedParameterBytesAreZeroAndOutOfRangeBytesIgnored) {
  const FeatureReport report = MakeFeatureReport(0x11, {{3, 5}, {4, 3}, {0, 9}, {8, 9}, {9, 9}});
  EXPECT_EQ(report, (FeatureReport{0x00, 0x11, 0x00, 0x05, 0x03, 0x00, 0x00, 0x00,
                                   static_cast<std::uint8_t>(0xFF - 0x11 - 5 - 3)}));
}

TEST(FeatureReport, ChangedByteInvalidatesChecksum) {
  FeatureReport report = MakeFeatureReport(0x01, {{2, 3}});
  report[2] = 2;
  EXPECT_FALSE(FeatureChecksumValid(report));
}

}  // namespace
}  // namespace kav
