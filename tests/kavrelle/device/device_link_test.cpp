#include "kavrelle/device/device_link.h"

#include <gtest/gtest.h>

#include <vector>

namespace kav {
namespace {

const std::u16string kCommand = u"\\\\?\\hid#vid_04d9&pid_a125&mi_03#1";
const std::u16string kEvent = u"\\\\?\\hid#vid_04d9&pid_a125&mi_02&col04#1";

HidInterface keyboard(std::u16string path) { return HidInterface{std::move(path), true, 0x04D9, 0xA125}; }

class NullCommand final : public CommandChannel {
 public:
  bool SetFeature(const FeatureReport&) override { return true; }
  bool GetFeature(FeatureReport&) override { return true; }
  bool WriteData(const DataReport&) override { return true; }
  bool ReadData(DataReport&) override { return true; }
};

class NullEvent final : public EventChannel {
 public:
  bool BeginRead() override { return true; }
  EventWait Wait(std::uint32_t, EventReport&) override { return EventWait::Pending; }
  void CancelRead() override {}
};

// Interfaces in a given order; opens succeed for the paths listed as openable.
class FakeHidBus final : public HidBus {
 public:
  std::vector<HidInterface> interfaces;
  std::vector<std::u16string> openable;
  std::vector<std::u16string> opened;
  int visited = 0;

  void Enumerate(const std::function<bool(const HidInterface&)>& visit) override {
    for (const auto& candidate : interfaces) {
      ++visited;
      if (visit(candidate)) return;
    }
  }
  std::unique_ptr<CommandChannel> OpenCommandInterface(const std::u16string& path) override {
    opened.push_back(path);
    if (!canOpen(path)) return nullptr;
    return std::make_unique<NullCommand>();
  }
  std::unique_ptr<EventChannel> OpenEventInterface(const std::u16string& path) override {
    opened.push_back(path);
    if (!canOpen(path)) return nullptr;
    return std::make_unique<NullEvent>();
  }

 private:
  bool canOpen(const std::u16string& path) const {
    return std::find(openable.begin(), openable.end(), path) != openable.end();
  }
};

TEST(Discovery, EachChannelFindsItsOwnInterfaceWhateverTheOrder) {
  for (bool eventFirst : {false, true}) {
    FakeHidBus bus;
    bus.interfaces = eventFirst ? std::vector{keyboard(kEvent), keyboard(kCommand)}
                                : std::vector{keyboard(kCommand), keyboard(kEvent)};
    bus.openable = {kCommand, kEvent};
    DeviceLink link(bus);
    ASSERT_TRUE(link.OpenCommandChannel());
    EXPECT_EQ(link.DevicePath(), kCommand);
    ASSERT_TRUE(link.OpenEventChannel());
    EXPECT_EQ(link.DevicePath(), kEvent);
    EXPECT_EQ(bus.opened, (std::vector{kCommand, kEvent}));
  }
}

TEST(Discovery, MatchNeedsIdsReadableAttributesAndTheExactSubstring) {
  struct Case {
    const char* what;
    HidInterface candidate;
    bool matches;
  };
  const Case cases[] = {
      {"keyboard command interface", keyboard(kCommand), true},
      {"other vendor", HidInterface{kCommand, true, 0x04DA, 0xA125}, false},
      {"other product", HidInterface{kCommand, true, 0x04D9, 0xA126}, false},
      {"probe failed", HidInterface{kCommand, false, 0x04D9, 0xA125}, false},
      {"substring in capitals", keyboard(u"\\\\?\\HID#VID_04D9&PID_A125&MI_03#1"), false},
      {"substring anywhere", keyboard(u"xmi_03"), true},
      {"longest path that fits", keyboard(std::u16string(250, u'x') + u"mi_03"), true},
      {"path too long for the field", keyboard(std::u16string(251, u'x') + u"mi_03"), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InterfaceMatches(c.candidate, kCommandChannelSubstring), c.matches) << c.what;
  }
}

TEST(Discovery, FirstMatchWinsAndEnumerationStops) {
  FakeHidBus bus;
  const std::u16string second = u"\\\\?\\hid#vid_04d9&pid_a125&mi_03#2";
  bus.interfaces = {HidInterface{u"mouse", true, 0x046D, 0xC077}, keyboard(kCommand), keyboard(second),
                    keyboard(kEvent)};
  DeviceLink link(bus);
  EXPECT_TRUE(link.FindDevicePath(kCommandChannelSubstring));
  EXPECT_EQ(link.DevicePath(), kCommand);
  EXPECT_EQ(bus.visited, 2);
}

TEST(Discovery, NoMatchKeepsThePreviousPath) {
  FakeHidBus bus;
  DeviceLink link(bus);

  // No keyboard at start-up: nothing found, the path stays empty and both opens fail
  // without trying to open anything.
  EXPECT_FALSE(link.OpenCommandChannel());
  EXPECT_FALSE(link.OpenEventChannel());
  EXPECT_TRUE(link.DevicePath().empty());
  EXPECT_TRUE(bus.opened.empty());

  bus.interfaces = {keyboard(kCommand)};
  bus.openable = {kCommand};
  ASSERT_TRUE(link.OpenCommandChannel());
  link.CloseChannels();

  // Unplugged: discovery finds nothing and the open falls back on the old path, which
  // succeeds only once that interface is back.
  bus.interfaces.clear();
  bus.openable.clear();
  EXPECT_FALSE(link.FindDevicePath(kCommandChannelSubstring));
  EXPECT_EQ(link.DevicePath(), kCommand);
  EXPECT_FALSE(link.OpenCommandChannel());
  bus.openable = {kCommand};
  EXPECT_TRUE(link.OpenCommandChannel());
  EXPECT_EQ(bus.opened.back(), kCommand);
}

TEST(DeviceLink, ClosedCommandChannelFailsEveryTransfer) {
  FakeHidBus bus;
  DeviceLink link(bus);
  EXPECT_FALSE(link.CommandChannelOpen());
  FeatureReport feature{};
  DataReport data{};
  EXPECT_FALSE(link.Command().SetFeature(feature));
  EXPECT_FALSE(link.Command().GetFeature(feature));
  EXPECT_FALSE(link.Command().WriteData(data));
  EXPECT_FALSE(link.Command().ReadData(data));
  EXPECT_EQ(link.Event(), nullptr);
}

}  // namespace
}  // namespace kav
