#pragma once
// The process-wide device state of Kavrelle and the threads around it: the live and the
// applied image, the device version, the link (both channels), the acknowledgement flag,
// the sequence lock, the start-up read thread, the reader thread and hot-plug.
//
// Threads
//   window thread     every member function below, and the images (Live, Applied, Version)
//   start-up read     runs the start-up read once into an image of its own, hands it over
//                     and posts WM_DEVICE_LOADED; never touches the images above
//   reader            reads the event channel: acknowledgements set the flag, any other
//                     report is posted as WM_DEVICE_KEY (never waits for the window)
// One lock covers each whole command sequence. A sequence asked for on the window thread
// while the start-up read runs waits until it has finished (show the busy cursor around
// Apply and FactoryResetSequence), then first takes over the start-up read's result.
//
// What the window calls, in order
//   initialisation  RegisterForDeviceChanges(); load keymap.bin into Live() and Applied();
//                   OpenCommandChannel(); OpenEventChannel() (hide the window if either fails)
//   WM_DEVICE_LOADED, lParam 0   AdoptStartupRead(), then the window's own refresh (sliders,
//                   GetLighting(), state file, firmware check against Version())
//   WM_DEVICECHANGE return OnDeviceChange(wParam)
//   save            result = Apply(); the applied image is already updated by Apply, so copy
//                   only the key records; write the state file; tell the user when
//                   !result.Succeeded()
//   factory reset   FactoryResetSequence(), then the window's steps (sliders, key bits, records,
//                   copy live to applied, state file)
//   cancel          Applied() copied over Live() by the window
//   WM_DESTROY      ShutdownDeviceLink()
//
// Mode::Inline is for deterministic tests with a fake clock: no thread is started; the
// start-up read runs inside OpenCommandChannel, and the event channel is read on the calling
// thread during every pause of a sequence (so acknowledgements arrive while apply waits)
// and by PumpEvents.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "kavrelle/device/acknowledgement.h"
#include "kavrelle/device/device_image.h"
#include "kavrelle/device/device_link.h"
#include "kavrelle/device/device_sequences.h"
#include "kavrelle/device/device_window_port.h"
#include "kavrelle/device/event_reader.h"
#include "kavrelle/device/ports.h"

namespace kav {

inline constexpr std::uint32_t kArrivalSettleMs = 2000;  // before reopening after an arrival
inline constexpr std::uint32_t kReaderStopMs = 500;      // after asking the reader to stop
inline constexpr std::uint32_t kAfterRemovalMs = 200;    // after closing the channels on removal
inline constexpr std::u16string_view kRemovalDebugText = u"DBT_DEVICEREMOVECOMPLETE\n";

class DeviceSession {
 public:
  enum class Mode { Background, Inline };

  DeviceSession(HidBus& bus, Clock& clock, DeviceWindowPort& window, Mode mode = Mode::Background);
  // Ends both threads without the shutdown pauses; ShutdownDeviceLink is the orderly way.
  ~DeviceSession();
  DeviceSession(const DeviceSession&) = delete;
  DeviceSession& operator=(const DeviceSession&) = delete;

  // The two device images and the device version. Window thread only.
  DeviceImage& Live() { return live_; }
  DeviceImage& Applied() { return applied_; }
  const DeviceImage& Live() const { return live_; }
  const DeviceImage& Applied() const { return applied_; }
  const DeviceVersion& Version() const { return version_; }

  bool CommandChannelOpen() const { return link_.CommandChannelOpen(); }
  bool EventChannelOpen() const { return link_.EventChannelOpen(); }
  bool ReaderRunning() const;

  // Registers the window for USB device-interface notifications; on failure shows
  // "Cannot register for Wdm2 class device notification" and goes on without hot-plug.
  void RegisterForDeviceChanges();

  // Start-up: opens the command channel (if not open) and, the first time it is open, starts
  // the start-up read from a copy of the live image (fields no command carries keep their
  // loaded values). False when it did not open.
  bool OpenCommandChannel();
  // Start-up: opens the event channel (if not open) and starts the reader. False when it did
  // not open.
  bool OpenEventChannel();

  // Copies a finished start-up read into the live and the applied image and the device
  // version. True when there was one to copy (each start-up read is taken over once; the
  // sequences below take it over themselves when they run first).
  bool AdoptStartupRead();

  // Sends what the user changed (see DeviceSequences::Apply) and updates the applied image to
  // exactly what the keyboard acknowledged. With the command channel closed nothing is sent
  // and nothing is acknowledged.
  ApplyResult Apply();
  // The factory reset commands and the read-back into the live image; the applied image is
  // left to the caller.
  void FactoryResetSequence();
  // Reads every setting back into the live image; the applied image is not touched.
  void FullReadBack();
  // Reads the lighting block into the live image.
  void GetLighting();

  // The window's WM_DEVICECHANGE handler; true for every event.
  //   arrival: pause; a closed command channel is reopened, read back (live image, colour
  //     tables, version) and the sliders are set from the live image; a closed event channel
  //     is reopened, the reader restarted and WM_DEVICE_LOADED (lParam 0) posted.
  //   removal (of any device): the reader is stopped and both channels closed.
  bool OnDeviceChange(std::uint32_t event);

  // Clears the stop flag and starts the reader on the open event channel, unless one runs.
  void StartReader();
  // The window is being destroyed: unregisters the notification, stops the reader and the
  // start-up read, closes both channels.
  void ShutdownDeviceLink();

  // Mode::Inline only: handles every event report that has arrived.
  void PumpEvents();

 private:
  // Forwards to the clock; in Mode::Inline reads the event channel during each pause.
  class PausingClock final : public Clock {
   public:
    explicit PausingClock(DeviceSession& session) : session_(session) {}
    void Sleep(std::uint32_t ms) override;
    std::uint64_t NowMs() override { return session_.clock_.NowMs(); }

   private:
    DeviceSession& session_;
  };

  struct StartupResult {
    DeviceImage image;
    DeviceVersion version;
  };

  // Waits for the start-up read, takes the sequence lock and takes over the start-up result.
  std::unique_lock<std::mutex> beginSequence();
  DeviceSequences sequences() { return DeviceSequences(link_.Command(), pausing_, acknowledgement_); }
  void runStartupRead(DeviceImage image, DeviceVersion version);
  void stopReader();
  void closeChannels();
  void onArrival();
  void onRemoval();

  HidBus& bus_;
  Clock& clock_;
  DeviceWindowPort& window_;
  const Mode mode_;
  PausingClock pausing_{*this};

  DeviceLink link_;  // opened and closed on the window thread, under the sequence lock for the command channel
  DeviceImage live_ = ZeroDeviceImage();
  DeviceImage applied_ = ZeroDeviceImage();
  DeviceVersion version_{};
  Acknowledgement acknowledgement_;
  std::mutex sequenceLock_;

  bool startupReadStarted_ = false;
  std::thread startupThread_;
  std::mutex handoverMutex_;
  std::optional<StartupResult> handover_;  // guarded by handoverMutex_

  StopSignal stop_;
  std::unique_ptr<EventReader> reader_;
  std::thread readerThread_;
  std::atomic<bool> readerRunning_{false};

  bool registered_ = false;
  bool shutDown_ = false;
};

}  // namespace kav
