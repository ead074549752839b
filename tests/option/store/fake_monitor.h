#pragma once
// A monitor port over memory, and a session host, both writing what they are asked to do
// into one shared log so tests can check the order of the steps.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "option/store/monitor_link.h"
#include "option/store/settings_session.h"

namespace opt::testing {

using Log = std::vector<std::string>;

class FakeMonitorPort : public MonitorPort {
 public:
  explicit FakeMonitorPort(Log& log) : log_(log) {}

  // What the "monitor" created.
  bool mutexExists = true;
  bool mappingExists = true;
  bool viewMaps = true;
  std::vector<std::uint8_t> memory = std::vector<std::uint8_t>(sizeof(KeyboardSettings));
  WaitResult nextWait = WaitResult::Acquired;
  bool monitorWindow = true;

  std::vector<std::u16string> messages;
  int mutexHeld = 0;

  KeyboardSettings& record() { return *reinterpret_cast<KeyboardSettings*>(memory.data()); }

  bool openMutex(std::u16string_view name) override {
    log_.push_back("openMutex");
    EXPECT_EQ(name, kMonitorMutexName);
    return mutexExists;
  }
  MapResult openMapping(std::u16string_view name) override {
    log_.push_back("openMapping");
    EXPECT_EQ(name, kSharedMemoryName);
    if (!mappingExists) return MapResult::NoMapping;
    mapped_ = viewMaps;
    return viewMaps ? MapResult::Mapped : MapResult::NoView;
  }
  std::span<std::uint8_t> view() override {
    EXPECT_TRUE(mapped_) << "view used while not mapped";
    return mapped_ ? std::span<std::uint8_t>(memory) : std::span<std::uint8_t>();
  }
  void closeMapping() override {
    log_.push_back("closeMapping");
    mapped_ = false;
  }
  void closeMutex() override { log_.push_back("closeMutex"); }
  WaitResult waitForMutex(std::uint32_t milliseconds) override {
    log_.push_back("wait " + std::to_string(milliseconds));
    if (nextWait == WaitResult::Acquired || nextWait == WaitResult::Abandoned) ++mutexHeld;
    return nextWait;
  }
  void releaseMutex() override {
    log_.push_back("release");
    EXPECT_GT(mutexHeld, 0) << "released a mutex not held";
    --mutexHeld;
  }
  bool postToWindow(std::u16string_view title, std::uint32_t message, std::uintptr_t wParam,
                    std::intptr_t lParam) override {
    EXPECT_EQ(title, kMonitorWindowTitle);
    if (!monitorWindow) return false;
    log_.push_back("post " + std::to_string(message) + " " + std::to_string(wParam) + " " + std::to_string(lParam));
    return true;
  }
  void showMessage(std::u16string_view text) override {
    log_.push_back("message");
    messages.emplace_back(text);
  }

 private:
  Log& log_;
  bool mapped_ = false;
};

class FakeHost : public SessionHost {
 public:
  explicit FakeHost(Log& log) : log_(log) {}
  void enterApplyWait() override { log_.push_back("enterWait"); }
  void leaveApplyWait() override { log_.push_back("leaveWait"); }
  void refreshPages() override { log_.push_back("refreshPages"); }
  void firmwareVersionChanged() override { log_.push_back("firmwareVersionChanged"); }
  void mergeKeyMacros(const KeyboardSettings&) override { log_.push_back("mergeKeyMacros"); }
  void saveMacros() override { log_.push_back("saveMacros"); }

 private:
  Log& log_;
};

}  // namespace opt::testing
