#pragma once
// The keyboard's side of the protocol, in software: used by the tests and by the
// program's demo mode (--simulate-keyboard).
//
// It keeps its memory in the device image layout, answers every read, takes every write,
// acknowledges each completed configuration write with an event report of kind 4, can
// report key presses, can be unplugged and plugged in again (channels opened before an
// unplug stay dead, as real handles do), and traces every report.
//
// Factory state (restored by FactoryReset): the key table given in Options (the keyboard's
// default key table), every key enable bit 1, effect Wave at speed 5 and full brightness in
// multi-colour from the left, the seven colour slots red, orange, yellow, green, cyan, blue
// and violet, report rate 3, response time 1 (2 ms), game mode off, rainbow custom colour
// tables, empty macro slots and firmware 1.2.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "kavrelle/device/device_image.h"
#include "kavrelle/device/ports.h"
#include "kavrelle/device/wire_trace.h"

namespace kav {

class SimulatedKeyboard {
 public:
  struct Options {
    KeyTable factoryKeyTable{};
    DeviceVersion firmware{1, 2, 0, 0};
    // Where the memory persists between runs (exactly one device image); none: memory only.
    std::optional<std::filesystem::path> memoryFile;
    // When false, configuration writes are taken but never acknowledged.
    bool acknowledgeWrites = true;
    WireTrace* trace = nullptr;
  };

  explicit SimulatedKeyboard(Options options);
  ~SimulatedKeyboard();
  SimulatedKeyboard(const SimulatedKeyboard&) = delete;
  SimulatedKeyboard& operator=(const SimulatedKeyboard&) = delete;

  // The HID interfaces of this keyboard (and of a plain mouse beside it).
  HidBus& Bus();

  void Unplug();
  void Plug();
  bool Plugged() const;

  // Sends an event report for a key that carries a host action (byte 1 = 2, byte 2 = vk).
  void PressKey(std::uint8_t vk);
  void SetAcknowledgeWrites(bool acknowledge);

  DeviceImage Memory() const;
  void SetMemory(const DeviceImage& memory);
  static DeviceImage FactoryMemory(const KeyTable& factoryKeyTable);

  // Interface paths as the system would list them.
  static const std::u16string kCommandPath;
  static const std::u16string kEventPath;
  static const std::u16string kOtherPath;

 private:
  class SimBus;
  class SimCommandChannel;
  class SimEventChannel;
  friend class SimCommandChannel;
  friend class SimEventChannel;

  // What the next data writes fill, after a bulk write command.
  struct PendingWrite {
    std::uint8_t command = 0;
    std::size_t index = 0;       // slot or table
    std::size_t expected = 0;    // data reports still to come
    std::size_t received = 0;
    std::vector<std::uint8_t> bytes;
  };

  bool setFeature(unsigned generation, const FeatureReport& report);
  bool getFeature(unsigned generation, FeatureReport& report);
  bool writeData(unsigned generation, const DataReport& report);
  bool readData(unsigned generation, DataReport& report);
  bool alive(unsigned generation) const;  // caller holds mutex_

  void takeCommand(const FeatureReport& report);    // caller holds mutex_
  void completeWrite();                             // caller holds mutex_
  void queueRead(const std::uint8_t* bytes, std::size_t length);  // caller holds mutex_
  void acknowledge();                               // caller holds mutex_
  void pushEvent(const EventReport& report);        // caller holds mutex_
  void persist();                                   // caller holds mutex_
  void trace(std::string entry, unsigned generation);

  Options options_;
  std::unique_ptr<SimBus> bus_;
  mutable std::mutex mutex_;
  std::condition_variable eventArrived_;
  DeviceImage memory_;
  bool plugged_ = true;
  unsigned generation_ = 1;
  FeatureReport reply_{};
  PendingWrite pending_;
  std::deque<std::array<std::uint8_t, kDataPayloadSize>> readQueue_;
  std::deque<EventReport> events_;
};

}  // namespace kav
