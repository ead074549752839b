#include "kavrelle/device/device_link.h"

namespace kav {
namespace {

class ClosedCommandChannel final : public CommandChannel {
 public:
  bool SetFeature(const FeatureReport&) override { return false; }
  bool GetFeature(FeatureReport&) override { return false; }
  bool WriteData(const DataReport&) override { return false; }
  bool ReadData(DataReport&) override { return false; }
};

ClosedCommandChannel& closedChannel() {
  static ClosedCommandChannel channel;
  return channel;
}

}  // namespace

bool InterfaceMatches(const HidInterface& candidate, std::u16string_view substring) {
  return candidate.attributesRead && candidate.vendorId == kKeyboardVendorId &&
         candidate.productId == kKeyboardProductId &&
         candidate.path.size() <= kMaxDevicePathLength &&
         candidate.path.find(substring) != std::u16string::npos;
}

DeviceLink::DeviceLink(HidBus& bus) : bus_(bus) {}
DeviceLink::~DeviceLink() = default;

bool DeviceLink::FindDevicePath(std::u16string_view substring) {
  bool found = false;
  bus_.Enumerate([&](const HidInterface& candidate) {
    if (!InterfaceMatches(candidate, substring)) return false;
    devicePath_ = candidate.path;
    found = true;
    return true;
  });
  return found;
}

bool DeviceLink::OpenCommandChannel() {
  FindDevicePath(kCommandChannelSubstring);
  if (devicePath_.empty()) return false;
  command_ = bus_.OpenCommandInterface(devicePath_);
  return command_ != nullptr;
}

bool DeviceLink::OpenEventChannel() {
  FindDevicePath(kEventChannelSubstring);
  if (devicePath_.empty()) return false;
  event_ = bus_.OpenEventInterface(devicePath_);
  return event_ != nullptr;
}

void DeviceLink::CloseCommandChannel() { command_.reset(); }
void DeviceLink::CloseEventChannel() { event_.reset(); }

void DeviceLink::CloseChannels() {
  CloseCommandChannel();
  CloseEventChannel();
}

CommandChannel& DeviceLink::Command() {
  return command_ ? *command_ : closedChannel();
}

}  // namespace kav
