#pragma once
// What the device link needs from the platform. The Win32 adapters live in win32_hid.*;
// the simulated keyboard implements the same ports for tests and the demo mode.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "kavrelle/device/reports.h"

namespace kav {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual void Sleep(std::uint32_t ms) = 0;
  virtual std::uint64_t NowMs() = 0;
};

// The "mi_03" interface: feature reports and 64-byte data reports, synchronous.
class CommandChannel {
 public:
  virtual ~CommandChannel() = default;
  virtual bool SetFeature(const FeatureReport& report) = 0;
  // Called with byte 0 = 0; on success the reply is in the buffer.
  virtual bool GetFeature(FeatureReport& report) = 0;
  virtual bool WriteData(const DataReport& report) = 0;
  // Called with byte 0 = 0; on success the report is in the buffer.
  virtual bool ReadData(DataReport& report) = 0;
};

enum class EventWait {
  Arrived,  // a report is in the buffer; the read is over
  Pending,  // the slice ended without data; the same read is still outstanding
  Failed,   // the read failed; no read is outstanding
};

// The "ol04" interface: 4-byte input reports, read overlapped with at most one read outstanding.
class EventChannel {
 public:
  virtual ~EventChannel() = default;
  // Starts one read with byte 0 = 4 and byte 2 = 0. False when it fails at once.
  virtual bool BeginRead() = 0;
  // Waits up to `ms` for the outstanding read.
  virtual EventWait Wait(std::uint32_t ms, EventReport& report) = 0;
  virtual void CancelRead() = 0;
};

// One HID interface seen by discovery, with the result of its probe open.
struct HidInterface {
  std::u16string path;
  bool attributesRead = false;  // false: the probe open or the attribute query failed
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
};

// The system's HID interfaces: enumeration in system order, and opening a path.
class HidBus {
 public:
  virtual ~HidBus() = default;
  // Calls `visit` for each present HID interface in enumeration order until it returns true.
  virtual void Enumerate(const std::function<bool(const HidInterface&)>& visit) = 0;
  // Nothing when the open fails.
  virtual std::unique_ptr<CommandChannel> OpenCommandInterface(const std::u16string& path) = 0;
  virtual std::unique_ptr<EventChannel> OpenEventInterface(const std::u16string& path) = 0;
};

}  // namespace kav
