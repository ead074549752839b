#pragma once
// Discovery of the keyboard's two interfaces and the process-wide link state.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "kavrelle/device/ports.h"

namespace kav {

inline constexpr std::uint16_t kKeyboardVendorId = 0x04D9;
inline constexpr std::uint16_t kKeyboardProductId = 0xA125;
inline constexpr std::u16string_view kCommandChannelSubstring = u"mi_03";
inline constexpr std::u16string_view kEventChannelSubstring = u"ol04";
// The device path field holds 256 UTF-16 units including the terminator.
inline constexpr std::size_t kMaxDevicePathLength = 255;

// Whether an interface is the keyboard's interface named by `substring` (case-sensitive).
// A path too long for the device path field never matches.
bool InterfaceMatches(const HidInterface& candidate, std::u16string_view substring);

class DeviceLink {
 public:
  explicit DeviceLink(HidBus& bus);
  ~DeviceLink();
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  // First matching interface in enumeration order; on a match the device path takes its
  // path. Without a match the device path keeps what it held.
  bool FindDevicePath(std::u16string_view substring);
  bool OpenCommandChannel();
  bool OpenEventChannel();
  void CloseCommandChannel();
  void CloseEventChannel();
  void CloseChannels();

  bool CommandChannelOpen() const { return command_ != nullptr; }
  bool EventChannelOpen() const { return event_ != nullptr; }
  // The open command channel, or a channel on which every transfer fails.
  CommandChannel& Command();
  // The open event channel, or nothing.
  EventChannel* Event() { return event_.get(); }

  const std::u16string& DevicePath() const { return devicePath_; }

 private:
  HidBus& bus_;
  std::u16string devicePath_;
  std::unique_ptr<CommandChannel> command_;
  std::unique_ptr<EventChannel> event_;
};

}  // namespace kav
