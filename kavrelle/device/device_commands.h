#pragma once
// Every command of the keyboard, with its report bytes and its fixed pauses.
//
// Transfers are not checked against a protocol: a command always runs all of its steps.
// A read whose transfer fails or comes back short leaves the image fields it would have
// filled unchanged (never half-written); a bulk read commits only when every piece arrived.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "kavrelle/device/device_image.h"
#include "kavrelle/device/ports.h"

namespace kav {

namespace command {
inline constexpr std::uint8_t kReadFlag = 0x80;
inline constexpr std::uint8_t SetReportRate = 0x01;
inline constexpr std::uint8_t SetResponseTime = 0x04;
inline constexpr std::uint8_t SetLighting = 0x08;
inline constexpr std::uint8_t SetGameMode = 0x09;
inline constexpr std::uint8_t WriteKeyTable = 0x0D;
inline constexpr std::uint8_t WriteKeyFlags = 0x0E;
inline constexpr std::uint8_t WriteMacro = 0x11;
inline constexpr std::uint8_t WriteColourTable = 0x12;
inline constexpr std::uint8_t FactoryReset = 0x13;
inline constexpr std::uint8_t SetColour = 0x14;
inline constexpr std::uint8_t GetFirmwareVersion = 0x80;
inline constexpr std::uint8_t GetReportRate = 0x81;
inline constexpr std::uint8_t GetResponseTime = 0x84;
inline constexpr std::uint8_t GetLighting = 0x88;
inline constexpr std::uint8_t GetGameMode = 0x89;
inline constexpr std::uint8_t ReadKeyTable = 0x8D;
inline constexpr std::uint8_t ReadKeyFlags = 0x8E;
inline constexpr std::uint8_t ReadMacro = 0x91;
inline constexpr std::uint8_t ReadColourTable = 0x92;
inline constexpr std::uint8_t GetColour = 0x94;

inline constexpr std::uint8_t kFactoryResetParam = 0xFF;
inline constexpr std::uint8_t kKeyTableReports = 8;
inline constexpr std::uint8_t kKeyFlagsLength = 21;
inline constexpr std::uint8_t kMacroSlotReports = 3;
inline constexpr std::uint8_t kColourTableReports = 8;
}  // namespace command

enum class LightingPhase : std::uint8_t { Begin = 1, End = 2 };

class DeviceCommands {
 public:
  DeviceCommands(CommandChannel& channel, Clock& clock) : channel_(channel), clock_(clock) {}

  void GetFirmwareVersion(DeviceVersion& version);
  void SetReportRate(std::uint8_t rate);
  void GetReportRate(DeviceImage& image);
  void SetResponseTime(std::uint8_t responseTime);
  void GetResponseTime(DeviceImage& image);
  void SetLighting(LightingPhase phase, const LightingBlock& lighting);
  void GetLighting(DeviceImage& image);
  void SetGameMode(std::uint8_t gameMode);
  void GetGameMode(DeviceImage& image);
  void WriteKeyTable(const KeyTable& table);
  void ReadKeyTable(DeviceImage& image);
  void WriteKeyFlags(const KeyEnableBits& bits);
  // Also recomputes the Windows-key lock from the bits read.
  void ReadKeyFlags(DeviceImage& image);
  void WriteMacro(std::size_t slot, const MacroSlot& data);
  void ReadMacro(std::size_t slot, DeviceImage& image);
  void WriteColourTable(std::size_t table, const CustomColourTable& data);
  void ReadColourTable(std::size_t table, DeviceImage& image);
  void FactoryReset();
  void SetColour(std::size_t slot, const Rgb& colour);
  void GetColour(std::size_t slot, DeviceImage& image);

 private:
  void send(std::uint8_t code, std::initializer_list<FeatureParam> params = {});
  // The reply of the last command, or nothing when the transfer failed.
  std::optional<FeatureReport> get();
  void sendPayload(const std::uint8_t* bytes, std::size_t length);
  bool readPayload(std::uint8_t* bytes);
  void sleep(std::uint32_t ms) { clock_.Sleep(ms); }

  CommandChannel& channel_;
  Clock& clock_;
};

}  // namespace kav
