#include "kavrelle/device/system_clock.h"

#include <chrono>
#include <thread>

namespace kav {

void SystemClock::Sleep(std::uint32_t ms) {
  if (ms == 0) {
    std::this_thread::yield();
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
}

std::uint64_t SystemClock::NowMs() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace kav
