#pragma once
// Real time for the portable build (the benchmark, native demos); the program uses Win32Clock.

#include "kavrelle/device/ports.h"

namespace kav {

class SystemClock final : public Clock {
 public:
  // A zero-length sleep yields the processor.
  void Sleep(std::uint32_t ms) override;
  std::uint64_t NowMs() override;
};

}  // namespace kav
