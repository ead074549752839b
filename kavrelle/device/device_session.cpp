#include "kavrelle/device/device_session.h"

namespace kav {

void DeviceSession::PausingClock::Sleep(std::uint32_t ms) {
  session_.clock_.Sleep(ms);
  if (session_.mode_ == Mode::Inline && session_.reader_) session_.reader_->Drain();
}

DeviceSession::DeviceSession(HidBus& bus, Clock& clock, DeviceWindowPort& window, Mode mode)
    : bus_(bus), clock_(clock), window_(window), mode_(mode), link_(bus_) {}

DeviceSession::~DeviceSession() {
  stopReader();
  if (startupThread_.joinable()) startupThread_.join();
}

bool DeviceSession::ReaderRunning() const { return mode_ == Mode::Inline ? reader_ != nullptr : readerRunning_.load(); }

void DeviceSession::RegisterForDeviceChanges() {
  registered_ = window_.RegisterDeviceNotifications();
  if (!registered_) window_.ShowMessageBox(kRegistrationFailedText);
}

bool DeviceSession::OpenCommandChannel() {
  bool open;
  {
    auto lock = beginSequence();
    open = link_.CommandChannelOpen() || link_.OpenCommandChannel();
  }
  if (open && !startupReadStarted_) {
    startupReadStarted_ = true;
    if (mode_ == Mode::Inline) {
      runStartupRead(live_, version_);
    } else {
      startupThread_ = std::thread([this, image = live_, version = version_] { runStartupRead(image, version); });
    }
  }
  return open;
}

bool DeviceSession::OpenEventChannel() {
  const bool open = link_.EventChannelOpen() || link_.OpenEventChannel();
  if (open) StartReader();
  return open;
}

void DeviceSession::runStartupRead(DeviceImage image, DeviceVersion version) {
  {
    std::lock_guard sequence(sequenceLock_);
    sequences().StartupRead(image, version);
    std::lock_guard handover(handoverMutex_);
    handover_ = StartupResult{image, version};
  }
  window_.Post(WM_DEVICE_LOADED, 0, kLoadedFromKeyboard);
}

bool DeviceSession::AdoptStartupRead() {
  std::optional<StartupResult> result;
  {
    std::lock_guard handover(handoverMutex_);
    result.swap(handover_);
  }
  if (!result) return false;
  live_ = result->image;
  applied_ = result->image;
  version_ = result->version;
  return true;
}

std::unique_lock<std::mutex> DeviceSession::beginSequence() {
  if (startupThread_.joinable()) startupThread_.join();
  std::unique_lock lock(sequenceLock_);
  AdoptStartupRead();
  return lock;
}

ApplyResult DeviceSession::Apply() {
  auto lock = beginSequence();
  if (!link_.CommandChannelOpen()) {
    ApplyWindowsKeyLockRule(live_);
    return ApplyResult{FindChanges(live_, applied_), {}};
  }
  return sequences().Apply(live_, applied_);
}

void DeviceSession::FactoryResetSequence() {
  auto lock = beginSequence();
  sequences().FactoryResetSequence(live_);
}

void DeviceSession::FullReadBack() {
  auto lock = beginSequence();
  sequences().FullReadBack(live_);
}

void DeviceSession::GetLighting() {
  auto lock = beginSequence();
  sequences().Commands().GetLighting(live_);
}

bool DeviceSession::OnDeviceChange(std::uint32_t event) {
  if (shutDown_) return true;
  if (event == kDeviceArrival) onArrival();
  if (event == kDeviceRemoveComplete) onRemoval();
  return true;
}

void DeviceSession::onArrival() {
  pausing_.Sleep(kArrivalSettleMs);
  bool readBack = false;
  {
    auto lock = beginSequence();
    if (!link_.CommandChannelOpen() && link_.OpenCommandChannel()) {
      DeviceSequences sequence = sequences();
      sequence.FullReadBack(live_);
      for (std::size_t table = 0; table < kCustomColourTableCount; ++table) {
        sequence.Commands().ReadColourTable(table, live_);
      }
      sequence.Commands().GetFirmwareVersion(version_);
      readBack = true;
    }
  }
  if (readBack) {
    window_.SetSliderPosition(kBrightnessSliderId, live_.lighting.brightness);
    window_.SetSliderPosition(kSpeedSliderId, live_.lighting.speed);
    window_.SetSliderPosition(kReportRateSliderId, live_.reportRate);
  }
  if (!link_.EventChannelOpen() && link_.OpenEventChannel()) {
    StartReader();
    window_.Post(WM_DEVICE_LOADED, 0, kLoadedFromKeyboard);
  }
}

void DeviceSession::onRemoval() {
  stop_.Set();
  pausing_.Sleep(kReaderStopMs);
  closeChannels();
  pausing_.Sleep(kAfterRemovalMs);
  window_.DebugOut(kRemovalDebugText);
}

void DeviceSession::StartReader() {
  EventChannel* channel = link_.Event();
  if (!channel || ReaderRunning()) return;
  stopReader();  // a reader that ended by itself is joined before the next one starts
  stop_.Clear();
  reader_ = std::make_unique<EventReader>(*channel, acknowledgement_, window_);
  if (mode_ == Mode::Inline) return;
  readerRunning_.store(true);
  readerThread_ = std::thread([this, reader = reader_.get()] {
    reader->Run(stop_);
    readerRunning_.store(false);
  });
}

void DeviceSession::stopReader() {
  stop_.Set();
  if (readerThread_.joinable()) readerThread_.join();
  if (reader_) reader_->Cancel();
  reader_.reset();
}

// The reader has ended before its channel goes: the 500 ms pause alone does not ensure it.
void DeviceSession::closeChannels() {
  {
    auto lock = beginSequence();
    link_.CloseCommandChannel();
  }
  stopReader();
  link_.CloseEventChannel();
}

void DeviceSession::ShutdownDeviceLink() {
  if (shutDown_) return;
  shutDown_ = true;
  if (registered_) window_.UnregisterDeviceNotifications();
  registered_ = false;
  stop_.Set();
  pausing_.Sleep(kReaderStopMs);
  closeChannels();
}

void DeviceSession::PumpEvents() {
  if (mode_ == Mode::Inline && reader_) reader_->Drain();
}

}  // namespace kav
