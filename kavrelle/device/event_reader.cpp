#include "kavrelle/device/event_reader.h"

namespace kav {

void StopSignal::Set() {
  {
    std::lock_guard lock(mutex_);
    set_.store(true);
  }
  changed_.notify_all();
}

bool StopSignal::WaitFor(std::uint32_t ms) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(ms), [&] { return set_.load(); });
}

EventReader::Slice EventReader::RunSlice(std::uint32_t ms) {
  if (!outstanding_) {
    window_.DebugOut(kReaderPassDebugText);
    if (!channel_.BeginRead()) return Slice::Failed;
    outstanding_ = true;
  }
  EventReport report{};
  switch (channel_.Wait(ms, report)) {
    case EventWait::Pending:
      return Slice::Empty;
    case EventWait::Failed:
      outstanding_ = false;
      return Slice::Failed;
    case EventWait::Arrived:
      break;
  }
  outstanding_ = false;
  handle(report);
  return Slice::Handled;
}

void EventReader::Drain() {
  while (RunSlice(0) == Slice::Handled) {
  }
}

void EventReader::Cancel() {
  if (!outstanding_) return;
  channel_.CancelRead();
  outstanding_ = false;
}

void EventReader::Run(StopSignal& stop, std::uint32_t sliceMs) {
  while (!stop.IsSet()) {
    if (RunSlice(sliceMs) == Slice::Failed) stop.WaitFor(sliceMs);
  }
  Cancel();
}

void EventReader::handle(const EventReport& report) {
  if (report[kEventKindByte] == kEventKindAcknowledgement) {
    acknowledgement_.Set();
  } else {
    window_.Post(WM_DEVICE_KEY, report[kEventVkByte], 0);
  }
}

}  // namespace kav
