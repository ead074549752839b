#pragma once
// The system's HID interfaces through SetupAPI and the HID library.

#include "kavrelle/device/ports.h"

namespace kav {

class Win32HidBus final : public HidBus {
 public:
  void Enumerate(const std::function<bool(const HidInterface&)>& visit) override;
  std::unique_ptr<CommandChannel> OpenCommandInterface(const std::u16string& path) override;
  std::unique_ptr<EventChannel> OpenEventInterface(const std::u16string& path) override;
};

class Win32Clock final : public Clock {
 public:
  void Sleep(std::uint32_t ms) override;
  std::uint64_t NowMs() override;
};

}  // namespace kav
