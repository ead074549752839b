#include "kavrelle/device/simulated_keyboard.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "kavrelle/device/device_commands.h"
#include "kavrelle/device/device_link.h"
#include "ui/file_io.h"

namespace kav {
namespace {

// The host's HID driver buffers this many input reports; older ones are dropped.
constexpr std::size_t kEventQueueLimit = 32;
constexpr std::uint8_t kEventKindKey = 2;

std::uint8_t* bytesOf(DeviceImage& image) { return reinterpret_cast<std::uint8_t*>(&image); }

}  // namespace

const std::u16string SimulatedKeyboard::kCommandPath =
    u"\\\\?\\hid#vid_04d9&pid_a125&mi_03#8&2f5c1d0&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
const std::u16string SimulatedKeyboard::kEventPath =
    u"\\\\?\\hid#vid_04d9&pid_a125&mi_02&col04#8&1b7e22a&0&0003#{4d1e55b2-f16f-11cf-88cb-001111000030}";
const std::u16string SimulatedKeyboard::kOtherPath =
    u"\\\\?\\hid#vid_046d&pid_c077#7&3a1f0e&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

class SimulatedKeyboard::SimCommandChannel final : public CommandChannel {
 public:
  SimCommandChannel(SimulatedKeyboard& keyboard, unsigned generation) : kb_(keyboard), generation_(generation) {}
  bool SetFeature(const FeatureReport& report) override { return kb_.setFeature(generation_, report); }
  bool GetFeature(FeatureReport& report) override { return kb_.getFeature(generation_, report); }
  bool WriteData(const DataReport& report) override { return kb_.writeData(generation_, report); }
  bool ReadData(DataReport& report) override { return kb_.readData(generation_, report); }

 private:
  SimulatedKeyboard& kb_;
  unsigned generation_;
};

class SimulatedKeyboard::SimEventChannel final : public EventChannel {
 public:
  SimEventChannel(SimulatedKeyboard& keyboard, unsigned generation) : kb_(keyboard), generation_(generation) {}

  bool BeginRead() override {
    std::lock_guard lock(kb_.mutex_);
    if (!kb_.alive(generation_)) return false;
    reading_ = true;
    return true;
  }

  EventWait Wait(std::uint32_t ms, EventReport& report) override {
    std::unique_lock lock(kb_.mutex_);
    if (!reading_) return EventWait::Failed;
    kb_.eventArrived_.wait_for(lock, std::chrono::milliseconds(ms),
                               [&] { return !kb_.alive(generation_) || !kb_.events_.empty(); });
    if (!kb_.alive(generation_)) {
      reading_ = false;
      return EventWait::Failed;
    }
    if (kb_.events_.empty()) return EventWait::Pending;
    report = kb_.events_.front();
    kb_.events_.pop_front();
    reading_ = false;
    return EventWait::Arrived;
  }

  void CancelRead() override {
    std::lock_guard lock(kb_.mutex_);
    reading_ = false;
  }

 private:
  SimulatedKeyboard& kb_;
  unsigned generation_;
  bool reading_ = false;  // guarded by kb_.mutex_
};

class SimulatedKeyboard::SimBus final : public HidBus {
 public:
  explicit SimBus(SimulatedKeyboard& keyboard) : kb_(keyboard) {}

  void Enumerate(const std::function<bool(const HidInterface&)>& visit) override {
    if (visit(HidInterface{kOtherPath, true, 0x046D, 0xC077})) return;
    if (!kb_.Plugged()) return;
    if (visit(HidInterface{kEventPath, true, kKeyboardVendorId, kKeyboardProductId})) return;
    visit(HidInterface{kCommandPath, true, kKeyboardVendorId, kKeyboardProductId});
  }

  std::unique_ptr<CommandChannel> OpenCommandInterface(const std::u16string& path) override {
    const auto generation = openable(path);
    if (!generation) return nullptr;
    return std::make_unique<SimCommandChannel>(kb_, *generation);
  }

  std::unique_ptr<EventChannel> OpenEventInterface(const std::u16string& path) override {
    const auto generation = openable(path);
    if (!generation) return nullptr;
    return std::make_unique<SimEventChannel>(kb_, *generation);
  }

 private:
  // Both interfaces open either way round: which one is used for what is the caller's choice.
  std::optional<unsigned> openable(const std::u16string& path) {
    std::lock_guard lock(kb_.mutex_);
    if (!kb_.plugged_ || (path != kCommandPath && path != kEventPath)) return std::nullopt;
    return kb_.generation_;
  }

  SimulatedKeyboard& kb_;
};

SimulatedKeyboard::SimulatedKeyboard(Options options)
    : options_(std::move(options)), bus_(std::make_unique<SimBus>(*this)), memory_(FactoryMemory(options_.factoryKeyTable)) {
  if (options_.memoryFile) {
    const auto bytes = ui::ReadFileBytes(*options_.memoryFile, kDeviceImageSize);
    if (bytes && bytes->size() == kDeviceImageSize) {
      std::memcpy(bytesOf(memory_), bytes->data(), kDeviceImageSize);
    } else {
      persist();
    }
  }
}

SimulatedKeyboard::~SimulatedKeyboard() = default;

HidBus& SimulatedKeyboard::Bus() { return *bus_; }

DeviceImage SimulatedKeyboard::FactoryMemory(const KeyTable& factoryKeyTable) {
  DeviceImage image = ZeroDeviceImage();
  image.reportRate = 3;
  image.keyTable = factoryKeyTable;
  image.responseTime = 1;
  image.lighting = LightingBlock{0x03, 5, kMaxBrightness, kColourChoiceMulti, 1};
  image.colourSlots = {Rgb{255, 0, 0},   Rgb{255, 128, 0}, Rgb{255, 255, 0}, Rgb{0, 255, 0},
                       Rgb{0, 255, 255}, Rgb{0, 0, 255},   Rgb{160, 0, 255}};
  image.gameMode = 0;
  image.keyEnableBits.fill(kEnableByteKeyMask);
  image.windowsKeyLock = 0;
  // Each table a rainbow across the key columns (position / 6), shifted per table.
  for (std::size_t t = 0; t < kCustomColourTableCount; ++t) {
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
      const std::size_t hue = ((p / 6) * 360 / 21 + t * 72) % 360;
      const auto ramp = [](std::size_t h) -> std::uint8_t {
        h %= 360;
        if (h < 60) return 255;
        if (h < 120) return static_cast<std::uint8_t>(255 - (h - 60) * 255 / 60);
        if (h < 240) return 0;
        if (h < 300) return static_cast<std::uint8_t>((h - 240) * 255 / 60);
        return 255;
      };
      image.customColourTables[t][p] = CustomColourEntry{0, ramp(hue), ramp(hue + 240), ramp(hue + 120)};
    }
  }
  return image;
}

void SimulatedKeyboard::Unplug() {
  {
    std::lock_guard lock(mutex_);
    plugged_ = false;
    ++generation_;
    pending_ = PendingWrite{};
    readQueue_.clear();
    events_.clear();
  }
  eventArrived_.notify_all();
}

void SimulatedKeyboard::Plug() {
  std::lock_guard lock(mutex_);
  plugged_ = true;
}

bool SimulatedKeyboard::Plugged() const {
  std::lock_guard lock(mutex_);
  return plugged_;
}

void SimulatedKeyboard::PressKey(std::uint8_t vk) {
  {
    std::lock_guard lock(mutex_);
    if (!plugged_) return;
    pushEvent(EventReport{kEventReportId, kEventKindKey, vk, 0});
  }
  if (options_.trace) options_.trace->Add("key " + HexBytes(&vk, 1));
}

void SimulatedKeyboard::SetAcknowledgeWrites(bool acknowledge) {
  std::lock_guard lock(mutex_);
  options_.acknowledgeWrites = acknowledge;
}

DeviceImage SimulatedKeyboard::Memory() const {
  std::lock_guard lock(mutex_);
  return memory_;
}

void SimulatedKeyboard::SetMemory(const DeviceImage& memory) {
  std::lock_guard lock(mutex_);
  memory_ = memory;
  persist();
}

bool SimulatedKeyboard::alive(unsigned generation) const { return plugged_ && generation == generation_; }

void SimulatedKeyboard::trace(std::string entry, unsigned generation) {
  if (!options_.trace) return;
  bool live;
  {
    std::lock_guard lock(mutex_);
    live = alive(generation);
  }
  options_.trace->Add(live ? std::move(entry) : "lost " + entry);
}

bool SimulatedKeyboard::setFeature(unsigned generation, const FeatureReport& report) {
  trace("set " + HexBytes(report.data() + 1, 7) + (FeatureChecksumValid(report) ? "" : " bad-checksum"), generation);
  std::unique_lock lock(mutex_);
  if (!alive(generation)) return false;
  if (report[0] != 0 || !FeatureChecksumValid(report)) return true;  // the device drops it
  takeCommand(report);
  const bool acked = !events_.empty();
  lock.unlock();
  if (acked) eventArrived_.notify_all();
  return true;
}

bool SimulatedKeyboard::getFeature(unsigned generation, FeatureReport& report) {
  trace("get", generation);
  std::lock_guard lock(mutex_);
  if (!alive(generation)) {
    report.fill(0);
    return false;
  }
  report = reply_;
  return true;
}

bool SimulatedKeyboard::writeData(unsigned generation, const DataReport& report) {
  trace("data>", generation);
  std::unique_lock lock(mutex_);
  if (!alive(generation)) return false;
  if (pending_.expected == 0) return true;  // no bulk write under way: the device ignores it
  pending_.bytes.insert(pending_.bytes.end(), report.begin() + 1, report.end());
  ++pending_.received;
  if (pending_.received == pending_.expected) {
    completeWrite();
    pending_ = PendingWrite{};
    lock.unlock();
    eventArrived_.notify_all();
  }
  return true;
}

bool SimulatedKeyboard::readData(unsigned generation, DataReport& report) {
  trace("data<", generation);
  std::lock_guard lock(mutex_);
  report.fill(0);
  if (!alive(generation)) return false;
  if (!readQueue_.empty()) {
    std::memcpy(report.data() + 1, readQueue_.front().data(), kDataPayloadSize);
    readQueue_.pop_front();
  }
  return true;
}

void SimulatedKeyboard::takeCommand(const FeatureReport& r) {
  const std::uint8_t code = r[kFeatureCommandByte];
  reply_ = FeatureReport{};
  reply_[kFeatureCommandByte] = code;
  DeviceImage& m = memory_;
  const auto startWrite = [&](std::size_t index, std::size_t reports) {
    pending_ = PendingWrite{code, index, reports, 0, {}};
  };
  switch (code) {
    case command::GetFirmwareVersion:
      reply_[2] = options_.firmware.major;
      reply_[3] = options_.firmware.minor;
      break;
    case command::SetReportRate: m.reportRate = r[2]; completeWrite(); break;
    case command::GetReportRate: reply_[2] = m.reportRate; break;
    case command::SetResponseTime: m.responseTime = r[2]; completeWrite(); break;
    case command::GetResponseTime: reply_[2] = m.responseTime; break;
    case command::SetLighting:
      m.lighting = LightingBlock{r[3], static_cast<std::uint8_t>(kSpeedWireBase - r[4]), r[5], r[6], r[7]};
      completeWrite();
      break;
    case command::GetLighting:
      reply_[3] = m.lighting.effect;
      reply_[4] = static_cast<std::uint8_t>(kSpeedWireBase - m.lighting.speed);
      reply_[5] = m.lighting.brightness;
      reply_[6] = m.lighting.colourChoice;
      reply_[7] = m.lighting.direction;
      break;
    case command::SetGameMode: m.gameMode = r[2]; completeWrite(); break;
    case command::GetGameMode: reply_[2] = m.gameMode; break;
    case command::WriteKeyTable: startWrite(0, command::kKeyTableReports); break;
    case command::ReadKeyTable:
      readQueue_.clear();
      queueRead(reinterpret_cast<const std::uint8_t*>(m.keyTable.data()), sizeof m.keyTable);
      break;
    case command::WriteKeyFlags: startWrite(0, 1); break;
    case command::ReadKeyFlags:
      readQueue_.clear();
      queueRead(m.keyEnableBits.data(), m.keyEnableBits.size());
      break;
    case command::WriteMacro:
      if (r[3] < kMacroSlotCount) startWrite(r[3], command::kMacroSlotReports);
      break;
    case command::ReadMacro:
      readQueue_.clear();
      if (r[3] < kMacroSlotCount) queueRead(m.macroSlots[r[3]].data(), kMacroSlotSize);
      break;
    case command::WriteColourTable:
      if (r[3] < kCustomColourTableCount) startWrite(r[3], command::kColourTableReports);
      break;
    case command::ReadColourTable:
      readQueue_.clear();
      if (r[3] < kCustomColourTableCount) {
        queueRead(reinterpret_cast<const std::uint8_t*>(m.customColourTables[r[3]].data()), kCustomColourTableSize);
      }
      break;
    case command::FactoryReset:
      if (r[2] == command::kFactoryResetParam) {
        m = FactoryMemory(options_.factoryKeyTable);
        completeWrite();
      }
      break;
    case command::SetColour:
      if (r[3] < kColourSlotCount) {
        m.colourSlots[r[3]] = Rgb{r[4], r[5], r[6]};
        completeWrite();
      }
      break;
    case command::GetColour:
      if (r[3] < kColourSlotCount) {
        reply_[3] = r[3];
        reply_[4] = m.colourSlots[r[3]].red;
        reply_[5] = m.colourSlots[r[3]].green;
        reply_[6] = m.colourSlots[r[3]].blue;
      }
      break;
    default:
      break;
  }
}

void SimulatedKeyboard::completeWrite() {
  DeviceImage& m = memory_;
  const std::vector<std::uint8_t>& b = pending_.bytes;
  switch (pending_.command) {
    case command::WriteKeyTable:
      std::memcpy(m.keyTable.data(), b.data(), sizeof m.keyTable);
      break;
    case command::WriteKeyFlags:
      std::memcpy(m.keyEnableBits.data(), b.data(), m.keyEnableBits.size());
      break;
    case command::WriteMacro:
      std::memcpy(m.macroSlots[pending_.index].data(), b.data(), kMacroSlotSize);
      break;
    case command::WriteColourTable:
      std::memcpy(m.customColourTables[pending_.index].data(), b.data(), kCustomColourTableSize);
      break;
    default:
      break;  // a single-report command: already in memory
  }
  persist();
  acknowledge();
}

void SimulatedKeyboard::queueRead(const std::uint8_t* bytes, std::size_t length) {
  for (std::size_t offset = 0; offset < length; offset += kDataPayloadSize) {
    std::array<std::uint8_t, kDataPayloadSize> chunk{};
    std::memcpy(chunk.data(), bytes + offset, std::min(kDataPayloadSize, length - offset));
    readQueue_.push_back(chunk);
  }
}

void SimulatedKeyboard::acknowledge() {
  if (!options_.acknowledgeWrites) return;
  pushEvent(EventReport{kEventReportId, kEventKindAcknowledgement, 0, 0});
  if (options_.trace) options_.trace->Add("ack");
}

void SimulatedKeyboard::pushEvent(const EventReport& report) {
  events_.push_back(report);
  while (events_.size() > kEventQueueLimit) events_.pop_front();
}

void SimulatedKeyboard::persist() {
  if (!options_.memoryFile) return;
  ui::WriteFileAtomically(*options_.memoryFile,
                          std::span<const std::uint8_t>(bytesOf(memory_), kDeviceImageSize));
}

}  // namespace kav
