#include "kavrelle/device/reports.h"

namespace kav {

std::uint8_t FeatureChecksum(const FeatureReport& report) {
  unsigned sum = 0;
  for (std::size_t i = 1; i < kFeatureChecksumByte; ++i) sum += report[i];
  return static_cast<std::uint8_t>(0xFFu - sum);
}

FeatureReport MakeFeatureReport(std::uint8_t command, std::initializer_list<FeatureParam> params) {
  FeatureReport report{};
  report[kFeatureCommandByte] = command;
  for (const FeatureParam& p : params) {
    if (p.byte >= 2 && p.byte < kFeatureChecksumByte) report[p.byte] = p.value;
  }
  report[kFeatureChecksumByte] = FeatureChecksum(report);
  return report;
}

bool FeatureChecksumValid(const FeatureReport& report) {
  return report[kFeatureChecksumByte] == FeatureChecksum(report);
}

}  // namespace kav
