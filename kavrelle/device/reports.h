#pragma once
// The three report formats of the keyboard's HID interfaces.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace kav {

inline constexpr std::size_t kFeatureReportSize = 9;
inline constexpr std::size_t kDataReportSize = 65;
inline constexpr std::size_t kDataPayloadSize = 64;
inline constexpr std::size_t kEventReportSize = 4;

// Feature report: byte 0 report ID 0, byte 1 command, bytes 2-7 parameters, byte 8 checksum.
using FeatureReport = std::array<std::uint8_t, kFeatureReportSize>;
// Data report: byte 0 report ID 0, bytes 1-64 payload.
using DataReport = std::array<std::uint8_t, kDataReportSize>;
// Event report: byte 0 report ID 4, byte 1 kind, byte 2 the key's VK for a key event.
using EventReport = std::array<std::uint8_t, kEventReportSize>;

inline constexpr std::size_t kFeatureCommandByte = 1;
inline constexpr std::size_t kFeatureChecksumByte = 8;

inline constexpr std::uint8_t kEventReportId = 4;
inline constexpr std::uint8_t kEventKindAcknowledgement = 4;
inline constexpr std::size_t kEventKindByte = 1;
inline constexpr std::size_t kEventVkByte = 2;

// (0xFF - (byte1 + ... + byte7)) mod 256.
std::uint8_t FeatureChecksum(const FeatureReport& report);

// One parameter of a feature report: its byte position (2-7) and value.
struct FeatureParam {
  std::size_t byte;
  std::uint8_t value;
};

// A complete, check-summed feature report; parameters not given stay 0.
FeatureReport MakeFeatureReport(std::uint8_t command, std::initializer_list<FeatureParam> params = {});

bool FeatureChecksumValid(const FeatureReport& report);

}  // namespace kav
