#include "option/store/monitor_link.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "option/store/settings_store.h"
#include "tests/option/store/fake_monitor.h"

namespace opt {
namespace {

using testing::FakeMonitorPort;
using testing::Log;

std::unique_ptr<KeyboardSettings> factoryRecord() {
  auto record = std::make_unique<KeyboardSettings>();
  factoryDefaults(*record);
  return record;
}

TEST(MonitorLink, OpeningWhatTheMonitorCreated) {
  struct Case {
    const char* name;
    bool mappingExists;
    bool viewMaps;
    std::size_t mappingBytes;
    bool available;
    bool message;
  };
  const Case cases[] = {
      {"no monitor", false, false, sizeof(KeyboardSettings), false, false},
      {"view cannot be mapped", true, false, sizeof(KeyboardSettings), false, true},
      {"mapping of 1000 bytes", true, true, 1000, false, true},
      {"one byte short", true, true, sizeof(KeyboardSettings) - 1, false, true},
      {"exactly the record", true, true, sizeof(KeyboardSettings), true, false},
      {"larger than the record", true, true, 81920, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Log log;
    FakeMonitorPort port(log);
    port.mappingExists = c.mappingExists;
    port.viewMaps = c.viewMaps;
    port.memory.assign(c.mappingBytes, 0xA5);
    MonitorLink link(port);
    link.openMutex();
    link.openLink();
    EXPECT_EQ(link.available(), c.available);
    EXPECT_EQ(port.messages.size(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(port.messages[0], u"Could not map view of file.");
    }

    auto record = factoryRecord();
    EXPECT_EQ(link.readRecord(*record), c.available);
    EXPECT_EQ(link.writeRecord(*record), c.available);
    if (!c.available) {
      EXPECT_EQ(port.memory, std::vector<std::uint8_t>(c.mappingBytes, 0xA5));
    }
  }
}

TEST(MonitorLink, CopiesTheWholeRecordUnderTheMutex) {
  Log log;
  FakeMonitorPort port(log);
  port.memory.assign(sizeof(KeyboardSettings) + 16, 0xEE);
  MonitorLink link(port);
  link.openMutex();
  link.openLink();
  ASSERT_TRUE(link.available());

  auto sent = factoryRecord();
  sent->changes.allReset = 1;
  log.clear();
  ASSERT_TRUE(link.writeRecord(*sent));
  EXPECT_EQ(log, (Log{"wait 10000", "release"}));
  EXPECT_EQ(std::memcmp(port.memory.data(), sent.get(), sizeof(KeyboardSettings)), 0);
  EXPECT_EQ(port.memory.back(), 0xEE);  // nothing past the record

  port.record().CurrentProfile = 4;
  auto received = std::make_unique<KeyboardSettings>();
  ASSERT_TRUE(link.readRecord(*received));
  EXPECT_EQ(std::memcmp(port.memory.data(), received.get(), sizeof(KeyboardSettings)), 0);
  EXPECT_EQ(port.mutexHeld, 0);
}

TEST(MonitorLink, AWaitThatDoesNotSucceedCopiesNothing) {
  struct Case {
    const char* name;
    bool mutexExists;
    MonitorPort::WaitResult wait;
    Log expectedLog;
  };
  const Case cases[] = {
      {"no mutex", false, MonitorPort::WaitResult::Acquired, {}},
      {"abandoned: taken, so given back", true, MonitorPort::WaitResult::Abandoned, {"wait 10000", "release"}},
      {"timed out", true, MonitorPort::WaitResult::TimedOut, {"wait 10000"}},
      {"failed", true, MonitorPort::WaitResult::Failed, {"wait 10000"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Log log;
    FakeMonitorPort port(log);
    port.mutexExists = c.mutexExists;
    port.nextWait = c.wait;
    port.record().CurrentProfile = 3;
    MonitorLink link(port);
    link.openMutex();
    link.openLink();
    ASSERT_TRUE(link.available());

    auto record = factoryRecord();
    log.clear();
    EXPECT_FALSE(link.readRecord(*record));
    EXPECT_EQ(record->CurrentProfile, 0);
    EXPECT_EQ(log, c.expectedLog);
    EXPECT_FALSE(link.writeRecord(*record));
    EXPECT_EQ(port.record().CurrentProfile, 3);
    EXPECT_EQ(port.mutexHeld, 0);
  }
}

TEST(MonitorLink, NotifyPostsTheApplyModeToTheMonitorWindow) {
  Log log;
  FakeMonitorPort port(log);
  MonitorLink link(port);
  EXPECT_TRUE(link.notifyMonitor(ApplyMode::Normal));
  EXPECT_TRUE(link.notifyMonitor(ApplyMode::FactoryReset));
  EXPECT_EQ(log, (Log{"post 1224 0 0", "post 1224 1 0"}));
  port.monitorWindow = false;
  EXPECT_FALSE(link.notifyMonitor(ApplyMode::Normal));
}

TEST(MonitorLink, CloseReleasesWhatWasOpenedOnce) {
  Log log;
  FakeMonitorPort port(log);
  {
    MonitorLink link(port);
    link.openMutex();
    link.openLink();
    log.clear();
    link.closeLink();
    EXPECT_EQ(log, (Log{"closeMapping", "closeMutex"}));
    EXPECT_FALSE(link.available());
    auto record = factoryRecord();
    EXPECT_FALSE(link.readRecord(*record));
  }
  EXPECT_EQ(log, (Log{"closeMapping", "closeMutex"}));
}

}  // namespace
}  // namespace opt
