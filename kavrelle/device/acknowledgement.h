#pragma once
// The acknowledgement flag: set by the reader thread when the keyboard acknowledges a
// configuration write, cleared and polled by apply.

#include <atomic>
#include <cstdint>

#include "kavrelle/device/ports.h"

namespace kav {

inline constexpr std::uint32_t kAcknowledgementPollMs = 10;
// An acknowledgement normally comes within a few milliseconds; after this long it is not coming
// (keyboard pulled out, event channel closed).
inline constexpr std::uint32_t kAcknowledgementTimeoutMs = 1000;

class Acknowledgement {
 public:
  void Clear() { flag_.store(0); }
  void Set() { flag_.store(1); }
  bool IsSet() const { return flag_.load() != 0; }

  // Sleeps 10 ms and checks, until the flag is set or the bound has passed on `clock`.
  // True when the acknowledgement came.
  bool Wait(Clock& clock) const;

 private:
  std::atomic<std::uint8_t> flag_{0};
};

}  // namespace kav
