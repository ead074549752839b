// The real SetupAPI/HID discovery and channel opening, run under Wine (no keyboard attached).

#include <windows.h>

#include <gtest/gtest.h>

#include "kavrelle/device/device_link.h"
#include "kavrelle/device/win32_hid.h"

namespace kav {
namespace {

TEST(Win32Hid, WithoutTheKeyboardNothingMatchesAndBothOpensFail) {
  Win32HidBus bus;
  int seen = 0;
  bus.Enumerate([&](const HidInterface& candidate) {
    ++seen;
    EXPECT_FALSE(candidate.path.empty());
    return false;
  });
  std::printf("HID interfaces present: %d\n", seen);

  DeviceLink link(bus);
  EXPECT_FALSE(link.FindDevicePath(kCommandChannelSubstring));
  EXPECT_FALSE(link.OpenCommandChannel());
  EXPECT_FALSE(link.OpenEventChannel());
  EXPECT_TRUE(link.DevicePath().empty());
  EXPECT_FALSE(link.CommandChannelOpen());
  EXPECT_FALSE(link.EventChannelOpen());
}

TEST(Win32Hid, OpeningAPathThatIsNotThereFails) {
  Win32HidBus bus;
  const std::u16string missing = u"\\\\?\\hid#vid_04d9&pid_a125&mi_03#0&0&0&0#{4d1e55b2-f16f-11cf-88cb-001111000030}";
  EXPECT_EQ(bus.OpenCommandInterface(missing), nullptr);
  EXPECT_EQ(bus.OpenEventInterface(missing), nullptr);
}

}  // namespace
}  // namespace kav
