// The device session with its real threads (also run under ThreadSanitizer). Time is fake;
// where a sequence must see the reader's work, the clock waits for the reader thread to
// have handled every report the keyboard sent before a pause ends, so nothing depends on
// how the threads are scheduled.

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "kavrelle/device/device_session.h"
#include "tests/kavrelle/device/device_test_support.h"

namespace kav {
namespace {

using namespace kav::testing;
constexpr auto kGenerous = std::chrono::seconds(30);  // only turns a hang into a failure

// Counts the event reports the reader has finished handling: a report counts once the
// reader comes back for the next read.
class HandledReports {
 public:
  void Add() {
    {
      std::lock_guard lock(mutex_);
      ++handled_;
    }
    changed_.notify_all();
  }
  bool WaitFor(std::size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kGenerous, [&] { return handled_ >= count; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t handled_ = 0;
};

class CountingEvents final : public EventChannel {
 public:
  CountingEvents(std::unique_ptr<EventChannel> inner, HandledReports& handled)
      : inner_(std::move(inner)), handled_(handled) {}
  bool BeginRead() override {
    if (arrived_) handled_.Add();
    arrived_ = false;
    return inner_->BeginRead();
  }
  EventWait Wait(std::uint32_t ms, EventReport& report) override {
    const EventWait result = inner_->Wait(ms, report);
    arrived_ = result == EventWait::Arrived;
    return result;
  }
  void CancelRead() override { inner_->CancelRead(); }

 private:
  std::unique_ptr<EventChannel> inner_;
  HandledReports& handled_;
  bool arrived_ = false;  // reader thread only
};

class CountingBus final : public HidBus {
 public:
  CountingBus(HidBus& inner, HandledReports& handled) : inner_(inner), handled_(handled) {}
  void Enumerate(const std::function<bool(const HidInterface&)>& visit) override { inner_.Enumerate(visit); }
  std::unique_ptr<CommandChannel> OpenCommandInterface(const std::u16string& path) override {
    return inner_.OpenCommandInterface(path);
  }
  std::unique_ptr<EventChannel> OpenEventInterface(const std::u16string& path) override {
    auto channel = inner_.OpenEventInterface(path);
    if (!channel) return nullptr;
    return std::make_unique<CountingEvents>(std::move(channel), handled_);
  }

 private:
  HidBus& inner_;
  HandledReports& handled_;
};

// Fake time; once handshaking, each pause ends only when the reader thread has handled every
// report the keyboard has sent so far (the "ack" and "key" entries of the trace).
class HandshakeClock final : public Clock {
 public:
  HandshakeClock(WireTrace& trace, HandledReports& handled) : trace_(trace), inner_(&trace), handled_(handled) {}
  void Sleep(std::uint32_t ms) override {
    inner_.Sleep(ms);
    if (!handshaking.load()) return;
    std::size_t sent = 0;
    for (const std::string& entry : trace_.Entries()) sent += entry == "ack" || entry.rfind("key ", 0) == 0;
    EXPECT_TRUE(handled_.WaitFor(sent)) << "the reader thread did not handle " << sent << " reports";
  }
  std::uint64_t NowMs() override { return inner_.NowMs(); }
  std::atomic<bool> handshaking{false};

 private:
  WireTrace& trace_;
  TracingClock inner_;
  HandledReports& handled_;
};

struct ThreadedRig {
  WireTrace trace;
  HandledReports handled;
  HandshakeClock clock{trace, handled};
  SimulatedKeyboard keyboard{SimulatedKeyboard::Options{.trace = &trace}};
  CountingBus bus{keyboard.Bus(), handled};
  RecordingWindow window;
  DeviceSession session{bus, clock, window, DeviceSession::Mode::Background};

  void Start() {
    ASSERT_TRUE(session.OpenCommandChannel());
    ASSERT_TRUE(window.WaitForPost({WM_DEVICE_LOADED, 0, 0}));
    ASSERT_TRUE(session.AdoptStartupRead());
    ASSERT_TRUE(session.OpenEventChannel());
    ASSERT_TRUE(session.ReaderRunning());
    clock.handshaking = true;
  }
};

TEST(DeviceThreads, ApplyWaitsForAcknowledgementsFromTheReaderThread) {
  const auto edit = [](DeviceImage& live) {
    live.lighting.effect = 0x0C;
    live.colourSlots[0] = Rgb{1, 1, 1};
    live.gameMode = 0;
    live.reportRate = 0;
    live.responseTime = 10;
    live.keyTable[0].b2 = 0x29;
    live.windowsKeyLock = 1;
    live.macroSlots[0][0] = 1;
    live.macroSlots[31][0] = 1;
    live.customColourTables[2][0].red = 1;
  };
  InlineRig reference;  // the same save without threads gives the expected trace
  reference.Start();
  edit(reference.session.Live());
  ASSERT_TRUE(reference.session.Apply().Succeeded());

  ThreadedRig rig;
  rig.Start();
  const std::size_t before = rig.trace.Entries().size();  // the handshake counts from the start
  edit(rig.session.Live());
  const ApplyResult result = rig.session.Apply();
  EXPECT_TRUE(result.Succeeded());
  const Trace entries = rig.trace.Entries();
  EXPECT_EQ(Trace(entries.begin() + before, entries.end()), reference.trace.Entries());
  EXPECT_FALSE(FindChanges(rig.keyboard.Memory(), rig.session.Live()).Any());
  EXPECT_FALSE(FindChanges(rig.session.Applied(), rig.session.Live()).Any());
  EXPECT_EQ(rig.window.TakePosts(), std::vector<Posted>{});  // acknowledgements post nothing
  rig.session.ShutdownDeviceLink();
}

TEST(DeviceThreads, ReaderThreadFollowsUnplugAndReplug) {
  WireTrace trace;
  TracingClock clock(&trace);
  SimulatedKeyboard keyboard({.trace = &trace});
  RecordingWindow window;
  DeviceSession session(keyboard.Bus(), clock, window);
  ASSERT_TRUE(session.OpenCommandChannel());
  ASSERT_TRUE(session.OpenEventChannel());
  ASSERT_TRUE(window.WaitForPost({WM_DEVICE_LOADED, 0, 0}));
  session.AdoptStartupRead();

  keyboard.PressKey(0x3A);
  EXPECT_TRUE(window.WaitForPost({WM_DEVICE_KEY, 0x3A, 0}));

  keyboard.Unplug();
  session.OnDeviceChange(kDeviceRemoveComplete);
  EXPECT_FALSE(session.ReaderRunning());
  EXPECT_FALSE(session.EventChannelOpen());
  EXPECT_FALSE(session.CommandChannelOpen());

  keyboard.Plug();
  session.OnDeviceChange(kDeviceArrival);
  EXPECT_TRUE(session.ReaderRunning());
  EXPECT_TRUE(window.WaitForPost({WM_DEVICE_LOADED, 0, 0}));
  keyboard.PressKey(0x5B);
  EXPECT_TRUE(window.WaitForPost({WM_DEVICE_KEY, 0x5B, 0}));

  session.ShutdownDeviceLink();
  EXPECT_FALSE(session.ReaderRunning());
  EXPECT_FALSE(session.EventChannelOpen());
}

// Fake time whose first pause on another thread waits at a gate until the test opens it.
class GateClock final : public Clock {
 public:
  explicit GateClock(WireTrace& trace) : inner_(&trace) {}
  void Sleep(std::uint32_t ms) override {
    if (std::this_thread::get_id() != owner_) {
      std::unique_lock lock(mutex_);
      reached_ = true;
      changed_.notify_all();
      changed_.wait_for(lock, kGenerous, [&] { return open_; });
    }
    inner_.Sleep(ms);
  }
  std::uint64_t NowMs() override { return inner_.NowMs(); }
  void OpenWhenReached() {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, kGenerous, [&] { return reached_; });
    open_ = true;
    changed_.notify_all();
  }

 private:
  TracingClock inner_;
  const std::thread::id owner_ = std::this_thread::get_id();
  std::mutex mutex_;
  std::condition_variable changed_;
  bool reached_ = false;
  bool open_ = false;
};

TEST(DeviceThreads, SaveAskedForDuringTheStartupReadWaitsForIt) {
  WireTrace trace;
  GateClock clock(trace);
  SimulatedKeyboard keyboard({.trace = &trace});
  RecordingWindow window;
  DeviceSession session(keyboard.Bus(), clock, window);
  ASSERT_TRUE(session.OpenCommandChannel());  // the start-up read stops at its first pause
  std::thread opener([&] { clock.OpenWhenReached(); });

  session.Live().lighting.brightness = 7;  // replaced by what the keyboard holds
  const ApplyResult result = session.Apply();
  opener.join();

  EXPECT_EQ(trace.Entries(), StartupReadTrace());  // one whole sequence, nothing interleaved
  EXPECT_FALSE(result.changed.Any());
  EXPECT_EQ(session.Live().lighting.brightness, 50);
  EXPECT_FALSE(session.AdoptStartupRead());
  EXPECT_TRUE(window.WaitForPost({WM_DEVICE_LOADED, 0, 0}));
  session.ShutdownDeviceLink();
}

}  // namespace
}  // namespace kav
