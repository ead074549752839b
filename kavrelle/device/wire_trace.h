#pragma once
// A record of what crossed the wire and every pause, for comparing a sequence with the
// exact reports and waits it must produce. Entries read like:
//   "set 08 01 03 0A 32 08 03"   feature report, bytes 1-7 (checksum checked by the keyboard)
//   "get"                        get-feature
//   "data>" / "data<"            one 64-byte data report written / read
//   "ack" / "key 3A"             event report sent by the keyboard
//   "sleep 10"                   a pause of the caller
// A transfer attempted while the keyboard is unplugged is prefixed with "lost ".

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "kavrelle/device/ports.h"

namespace kav {

class WireTrace {
 public:
  void Add(std::string entry);
  std::vector<std::string> Entries() const;
  // Entries added since the last Take, and clears them.
  std::vector<std::string> Take();
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> entries_;
};

// A clock that never sleeps: time advances by each pause, and each pause is traced.
class TracingClock final : public Clock {
 public:
  explicit TracingClock(WireTrace* trace = nullptr) : trace_(trace) {}
  void Sleep(std::uint32_t ms) override;
  std::uint64_t NowMs() override;

 private:
  WireTrace* trace_;
  std::mutex mutex_;
  std::uint64_t now_ = 0;
};

// Hex bytes separated by blanks, upper case: "08 01 03".
std::string HexBytes(const std::uint8_t* bytes, std::size_t count);

}  // namespace kav
