// How close the start-up read and a full apply come to the pauses the protocol prescribes,
// on real time against a simulated keyboard that acknowledges at once. The prescribed sum is
// the fake time of the same sequence on a tracing clock (each acknowledgement wait counts its
// one 10 ms check). Prints both times and the ratio; exits 1 when a ratio is above 1.1.

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <mutex>

#include "kavrelle/device/device_session.h"
#include "kavrelle/device/simulated_keyboard.h"
#include "kavrelle/device/system_clock.h"
#include "kavrelle/device/wire_trace.h"

namespace {

using namespace kav;
constexpr double kLimit = 1.1;
constexpr int kRuns = 3;

// Remembers WM_DEVICE_LOADED; everything else is dropped.
class BenchWindow final : public DeviceWindowPort {
 public:
  void Post(std::uint32_t message, std::uintptr_t, std::intptr_t) override {
    if (message != WM_DEVICE_LOADED) return;
    {
      std::lock_guard lock(mutex_);
      loaded_ = true;
    }
    changed_.notify_all();
  }
  void SetSliderPosition(int, int) override {}
  void ShowMessageBox(std::u16string_view) override {}
  void DebugOut(std::u16string_view) override {}
  bool RegisterDeviceNotifications() override { return true; }
  void UnregisterDeviceNotifications() override {}

  void WaitLoaded() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return loaded_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool loaded_ = false;
};

// Every group different: the lighting, all colour slots, game mode, report rate, response time,
// key table, key bits, all 32 macro slots and all 5 colour tables.
void changeEverything(DeviceImage& live) {
  live.lighting.effect = live.lighting.effect == 0x01 ? 0x02 : 0x01;
  for (Rgb& slot : live.colourSlots) slot.red ^= 0x55;
  live.gameMode ^= 1;
  live.reportRate = (live.reportRate + 1) % 4;
  live.responseTime = live.responseTime % 10 + 1;
  live.keyTable[0].b3 ^= 1;
  live.windowsKeyLock ^= 1;
  for (MacroSlot& slot : live.macroSlots) slot[0] ^= 0xA5;
  for (CustomColourTable& table : live.customColourTables) table[0].red ^= 0x5A;
}

struct Figures {
  double startupMs;
  double applyMs;
};

// One start-up and one full apply; `clock` decides whether time is real or traced.
Figures run(Clock& clock, DeviceSession::Mode mode, const std::function<double()>& now) {
  SimulatedKeyboard keyboard({});
  BenchWindow window;
  DeviceSession session(keyboard.Bus(), clock, window, mode);
  const double startStartup = now();
  session.OpenCommandChannel();
  window.WaitLoaded();
  const double startupMs = now() - startStartup;
  session.AdoptStartupRead();
  session.OpenEventChannel();
  changeEverything(session.Live());
  const double startApply = now();
  const ApplyResult result = session.Apply();
  const double applyMs = now() - startApply;
  if (!result.Succeeded()) std::printf("warning: the apply was not acknowledged completely\n");
  return {startupMs, applyMs};
}

}  // namespace

int main() {
  TracingClock traced;
  const Figures prescribed =
      run(traced, DeviceSession::Mode::Inline, [&] { return static_cast<double>(traced.NowMs()); });

  SystemClock real;
  const auto origin = std::chrono::steady_clock::now();
  const auto realNow = [&] {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - origin).count();
  };
  bool within = true;
  const auto report = [&](const char* what, double measured, double pauses) {
    const double ratio = measured / pauses;
    within = within && ratio <= kLimit;
    std::printf("%-28s %8.1f ms   prescribed pauses %6.0f ms   ratio %.3f%s\n", what, measured, pauses, ratio,
                ratio <= kLimit ? "" : "   (above 1.1)");
  };
  for (int i = 0; i < kRuns; ++i) {
    const Figures measured = run(real, DeviceSession::Mode::Background, realNow);
    report("StartupRead", measured.startupMs, prescribed.startupMs);
    report("Apply, every group changed", measured.applyMs, prescribed.applyMs);
  }
  return within ? 0 : 1;
}
