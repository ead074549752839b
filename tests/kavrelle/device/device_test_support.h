#pragma once
// Shared by the device sequence, session and thread tests: a recording window, the wire
// traces of the read sequences, and a session in inline mode on a simulated keyboard.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "kavrelle/device/device_session.h"
#include "kavrelle/device/device_window_port.h"
#include "kavrelle/device/simulated_keyboard.h"
#include "kavrelle/device/wire_trace.h"

namespace kav::testing {

using Trace = std::vector<std::string>;

inline Trace operator+(Trace a, const Trace& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline Trace Repeat(int times, const Trace& part) {
  Trace out;
  for (int i = 0; i < times; ++i) out = out + part;
  return out;
}

// "set" with report bytes 1-7; bytes not given are 0.
inline std::string Set(std::initializer_list<int> bytes) {
  std::string line = "set";
  std::size_t count = 0;
  char hex[4];
  for (int b : bytes) {
    std::snprintf(hex, sizeof hex, " %02X", b & 0xFF);
    line += hex;
    ++count;
  }
  for (; count < 7; ++count) line += " 00";
  return line;
}

inline Trace GameModeOn() { return {Set({0x09, 1}), "ack", "sleep 20"}; }
inline Trace FirmwareVersion() { return {Set({0x80}), "sleep 10", "get", "sleep 10"}; }
inline Trace ReadColourTable(int table) {
  return Trace{Set({0x92, 0, table, 8}), "sleep 5", "get", "sleep 5"} + Repeat(8, {"data<", "sleep 5"});
}
// Lighting, colour slots, game mode, report rate, response time, key table, key flags,
// macro slots, colour tables: what the start-up read and the full read-back share.
inline Trace ReadSettings() {
  Trace t{Set({0x88}), "sleep 10", "get"};
  for (int slot = 0; slot < 7; ++slot) t = t + Trace{Set({0x94, 0, slot}), "sleep 1", "get", "sleep 1"};
  t = t + Trace{Set({0x89}), "sleep 5", "get"};
  t = t + Trace{Set({0x81}), "sleep 10", "get", "sleep 10"};
  t = t + Trace{Set({0x84}), "sleep 10", "get", "sleep 10"};
  t = t + Trace{Set({0x8D}), "get"} + Repeat(8, {"data<"});
  t = t + Trace{Set({0x8E, 0, 0, 21}), "get", "data<"};
  for (int slot = 0; slot < 32; ++slot) {
    t = t + Trace{Set({0x91, 0, slot}), "get", "data<", "data<", "data<", "sleep 0"};
  }
  for (int table = 0; table < 5; ++table) t = t + ReadColourTable(table);
  return t;
}
inline Trace StartupReadTrace() { return GameModeOn() + FirmwareVersion() + ReadSettings(); }
inline Trace FullReadBackTrace() { return GameModeOn() + Trace{"sleep 10"} + ReadSettings(); }

inline std::string Lighting(int phase, const LightingBlock& l) {
  return Set({0x08, phase, l.effect, 10 - l.speed, l.brightness, l.colourChoice, l.direction});
}
// The begin report acknowledged, its pause and the first 10 ms check of the wait.
inline Trace Begin(const LightingBlock& l) { return {Lighting(1, l), "ack", "sleep 10", "sleep 10"}; }
inline Trace End(const LightingBlock& l) { return {Lighting(2, l), "ack", "sleep 10"}; }
inline Trace WriteMacro(int slot) {
  return {Set({0x11, 0, slot, 3}), "sleep 1", "data>", "sleep 0", "data>", "sleep 0", "data>", "ack", "sleep 10"};
}
inline Trace WriteColourTable(int table) {
  return Trace{Set({0x12, 0, table, 8}), "sleep 5"} + Repeat(7, {"data>", "sleep 5"}) +
         Trace{"data>", "ack", "sleep 5", "sleep 10"};
}

struct Posted {
  std::uint32_t message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
  friend bool operator==(const Posted&, const Posted&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const Posted& p) {
  return out << "{" << p.message << ", " << p.wParam << ", " << p.lParam << "}";
}

// Records what the device link asks of the window; posts may come from any thread.
class RecordingWindow final : public DeviceWindowPort {
 public:
  bool registrationWorks = true;
  int registrations = 0;
  int unregistrations = 0;
  std::vector<std::pair<int, int>> sliders;  // window thread only
  std::vector<std::u16string> messageBoxes;  // window thread only

  void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
    {
      std::lock_guard lock(mutex_);
      posts_.push_back({message, wParam, lParam});
    }
    posted_.notify_all();
  }
  void SetSliderPosition(int controlId, int position) override { sliders.emplace_back(controlId, position); }
  void ShowMessageBox(std::u16string_view text) override { messageBoxes.emplace_back(text); }
  void DebugOut(std::u16string_view text) override {
    std::lock_guard lock(mutex_);
    debug_.emplace_back(text);
  }
  bool RegisterDeviceNotifications() override {
    ++registrations;
    return registrationWorks;
  }
  void UnregisterDeviceNotifications() override { ++unregistrations; }

  std::vector<Posted> TakePosts() {
    std::lock_guard lock(mutex_);
    return std::exchange(posts_, {});
  }
  std::vector<std::u16string> Debug() const {
    std::lock_guard lock(mutex_);
    return debug_;
  }
  // Waits until `wanted` has been posted (and takes everything posted up to then). The bound
  // is generous: it only turns a hang into a failure.
  bool WaitForPost(const Posted& wanted) {
    std::unique_lock lock(mutex_);
    const bool seen = posted_.wait_for(lock, std::chrono::seconds(30),
                                       [&] { return std::find(posts_.begin(), posts_.end(), wanted) != posts_.end(); });
    posts_.clear();
    return seen;
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable posted_;
  std::vector<Posted> posts_;
  std::vector<std::u16string> debug_;
};

// A fake clock; `beforePause` sees the last entry of the trace before each pause, so a test
// can pull the plug or stop the acknowledgements right after a chosen report.
class HookedClock final : public Clock {
 public:
  explicit HookedClock(WireTrace& trace) : trace_(trace), inner_(&trace) {}
  std::function<void(const std::string& lastEntry)> beforePause;

  void Sleep(std::uint32_t ms) override {
    if (beforePause) {
      const auto entries = trace_.Entries();
      beforePause(entries.empty() ? std::string() : entries.back());
    }
    inner_.Sleep(ms);
  }
  std::uint64_t NowMs() override { return inner_.NowMs(); }

 private:
  WireTrace& trace_;
  TracingClock inner_;
};

// A session in inline mode on a simulated keyboard with a fake clock.
struct InlineRig {
  explicit InlineRig(const std::function<void(SimulatedKeyboard&)>& prepareKeyboard = nullptr) {
    if (prepareKeyboard) prepareKeyboard(keyboard);
  }

  // Start-up as the window does it, then forgets what that sent and posted.
  void Start() {
    EXPECT_TRUE(session.OpenCommandChannel());
    EXPECT_TRUE(session.OpenEventChannel());
    EXPECT_TRUE(session.AdoptStartupRead());
    session.PumpEvents();
    trace.Clear();
    window.TakePosts();
  }

  WireTrace trace;
  HookedClock clock{trace};
  SimulatedKeyboard keyboard{SimulatedKeyboard::Options{.trace = &trace}};
  RecordingWindow window;
  DeviceSession session{keyboard.Bus(), clock, window, DeviceSession::Mode::Inline};
};

}  // namespace kav::testing
