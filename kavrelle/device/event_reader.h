#pragma once
// The reader of the event channel: acknowledgements set the acknowledgement flag, any other
// report goes to the window as WM_DEVICE_KEY. The reader thread runs EventReader::Run; tests
// and the inline mode of DeviceSession drive it one slice at a time.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "kavrelle/device/acknowledgement.h"
#include "kavrelle/device/device_window_port.h"
#include "kavrelle/device/ports.h"

namespace kav {

inline constexpr std::uint32_t kEventWaitSliceMs = 200;
inline constexpr std::u16string_view kReaderPassDebugText = u"Slave Read\n";

// The reader stop flag, with a wake-up for a reader that waits out a failed read.
class StopSignal {
 public:
  void Set();
  void Clear() { set_.store(false); }
  bool IsSet() const { return set_.load(); }
  // Waits until the flag is set or `ms` have passed; true when it is set.
  bool WaitFor(std::uint32_t ms);

 private:
  std::atomic<bool> set_{false};
  std::mutex mutex_;
  std::condition_variable changed_;
};

class EventReader {
 public:
  enum class Slice {
    Handled,  // a report arrived and was handled
    Empty,    // the slice ended without data; the same read stays outstanding
    Failed,   // the read failed (at once or while waiting); none is outstanding
  };

  EventReader(EventChannel& channel, Acknowledgement& acknowledgement, DeviceWindowPort& window)
      : channel_(channel), acknowledgement_(acknowledgement), window_(window) {}

  // One wait slice: starts a read when none is outstanding (each read is one pass of the
  // loop, announced with "Slave Read\n"), waits up to `ms` for it and handles what arrived.
  Slice RunSlice(std::uint32_t ms);
  // Handles every report that has already arrived, without waiting.
  void Drain();
  // Cancels the outstanding read, if any.
  void Cancel();

  // The reader thread's loop: slices of `sliceMs` until `stop` is set, then cancels the read.
  // A failed read counts as a slice without data: the reader waits out the slice (ending at
  // once when stop is set) and starts a new read, instead of spinning on a dead channel.
  void Run(StopSignal& stop, std::uint32_t sliceMs = kEventWaitSliceMs);

 private:
  void handle(const EventReport& report);

  EventChannel& channel_;
  Acknowledgement& acknowledgement_;
  DeviceWindowPort& window_;
  bool outstanding_ = false;
};

}  // namespace kav
