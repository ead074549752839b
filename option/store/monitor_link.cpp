#include "option/store/monitor_link.h"

#include <cstring>

namespace opt {

void MonitorLink::openMutex() {
  if (!mutexOpen_) mutexOpen_ = port_.openMutex(kMonitorMutexName);
}

void MonitorLink::openLink() {
  if (mappingOpen_) return;
  const MonitorPort::MapResult result = port_.openMapping(kSharedMemoryName);
  if (result == MonitorPort::MapResult::NoMapping) return;
  mappingOpen_ = true;
  // A mapping smaller than the record would let the copies run past its end.
  if (result == MonitorPort::MapResult::NoView || port_.view().size() < sizeof(KeyboardSettings)) {
    port_.closeMapping();
    mappingOpen_ = false;
    port_.showMessage(kMapViewFailedText);
    return;
  }
  mapped_ = true;
}

bool MonitorLink::lock() {
  if (!mutexOpen_) return false;
  switch (port_.waitForMutex(kMutexWaitMilliseconds)) {
    case MonitorPort::WaitResult::Acquired:
      return true;
    case MonitorPort::WaitResult::Abandoned:
      // The wait made us the owner of a mutex whose holder died mid-copy: the record may be
      // torn, so copy nothing, but give the mutex back so the monitor is not locked out.
      port_.releaseMutex();
      return false;
    case MonitorPort::WaitResult::TimedOut:
    case MonitorPort::WaitResult::Failed:
      return false;
  }
  return false;
}

bool MonitorLink::readRecord(KeyboardSettings& destination) {
  if (!mapped_ || !lock()) return false;
  std::memcpy(&destination, port_.view().data(), sizeof destination);
  port_.releaseMutex();
  return true;
}

bool MonitorLink::writeRecord(const KeyboardSettings& source) {
  if (!mapped_ || !lock()) return false;
  std::memcpy(port_.view().data(), &source, sizeof source);
  port_.releaseMutex();
  return true;
}

bool MonitorLink::notifyMonitor(ApplyMode mode) {
  return port_.postToWindow(kMonitorWindowTitle, kMsgApplyRecord, static_cast<std::uintptr_t>(mode), 0);
}

void MonitorLink::closeLink() {
  if (mappingOpen_) port_.closeMapping();
  if (mutexOpen_) port_.closeMutex();
  mappingOpen_ = mapped_ = mutexOpen_ = false;
}

}  // namespace opt
