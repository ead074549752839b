#include "kavrelle/device/acknowledgement.h"

namespace kav {

bool Acknowledgement::Wait(Clock& clock) const {
  const std::uint64_t start = clock.NowMs();
  for (;;) {
    clock.Sleep(kAcknowledgementPollMs);
    if (IsSet()) return true;
    if (clock.NowMs() - start >= kAcknowledgementTimeoutMs) return false;
  }
}

}  // namespace kav
