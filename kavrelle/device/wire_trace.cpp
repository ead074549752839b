#include "kavrelle/device/wire_trace.h"

#include <cstdio>

namespace kav {

void WireTrace::Add(std::string entry) {
  std::lock_guard lock(mutex_);
  entries_.push_back(std::move(entry));
}

std::vector<std::string> WireTrace::Entries() const {
  std::lock_guard lock(mutex_);
  return entries_;
}

std::vector<std::string> WireTrace::Take() {
  std::lock_guard lock(mutex_);
  std::vector<std::string> taken;
  taken.swap(entries_);
  return taken;
}

void WireTrace::Clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
}

void TracingClock::Sleep(std::uint32_t ms) {
  {
    std::lock_guard lock(mutex_);
    now_ += ms;
  }
  if (trace_) trace_->Add("sleep " + std::to_string(ms));
}

std::uint64_t TracingClock::NowMs() {
  std::lock_guard lock(mutex_);
  return now_;
}

std::string HexBytes(const std::uint8_t* bytes, std::size_t count) {
  std::string text;
  char buffer[4];
  for (std::size_t i = 0; i < count; ++i) {
    std::snprintf(buffer, sizeof buffer, "%02X", bytes[i]);
    if (i) text += ' ';
    text += buffer;
  }
  return text;
}

}  // namespace kav
