#pragma once
// The link to the monitor process that owns the keyboard: one KeyboardSettings record in
// named shared memory, guarded by a named mutex, and window messages both ways. Option only
// opens these objects; without them it works on its files.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "option/store/keyboard_settings.h"

namespace opt {

inline constexpr std::u16string_view kSharedMemoryName = u"Morvek-RQ418_Gaming_Keyboard_Share_Data";
inline constexpr std::u16string_view kMonitorMutexName = u"Morvek-RQ418_Gaming_Keyboard_Mutex_Object";
inline constexpr std::u16string_view kMonitorWindowTitle = u"Morvek-RQ418 GamingKeyboardMonitor";
inline constexpr std::u16string_view kOptionWindowTitle = u"Gaming Keyboard Option";
inline constexpr std::u16string_view kMapViewFailedText = u"Could not map view of file.";

// Window messages (WM_USER = 1024).
inline constexpr std::uint32_t kMsgApplyRecord = 1224;             // Option -> monitor, wParam = apply mode
inline constexpr std::uint32_t kMsgReloadAll = 1254;               // reload everything and the firmware version
inline constexpr std::uint32_t kMsgReloadSettings = 1255;          // reload the settings
inline constexpr std::uint32_t kMsgApplyFinished = 1256;           // the apply has finished
inline constexpr std::uint32_t kMsgKeyboardChangedProfile = 1257;  // current profile, Fn state or pulsation
inline constexpr std::uint32_t kMsgIgnored = 1258;                 // accepted and ignored
inline constexpr std::uint32_t kMsgSkinHover = 1125;               // accepted and ignored (skin buttons post it)

enum class ApplyMode : std::uintptr_t {
  Normal = 0,        // change flags computed by comparison
  FactoryReset = 1,  // change flags set by markAllChanged
};

// A copy holds the mutex this long at most; a monitor that keeps it longer is taken as hung.
inline constexpr std::uint32_t kMutexWaitMilliseconds = 10000;

// The system objects behind the link (Win32MonitorPort in the Windows build).
class MonitorPort {
 public:
  enum class MapResult { NoMapping, NoView, Mapped };
  enum class WaitResult { Acquired, Abandoned, TimedOut, Failed };

  virtual ~MonitorPort() = default;
  virtual bool openMutex(std::u16string_view name) = 0;
  // Opens the mapping for reading and writing and maps a view of all of it.
  virtual MapResult openMapping(std::u16string_view name) = 0;
  // The mapped view as far as the system says it reaches.
  virtual std::span<std::uint8_t> view() = 0;
  virtual void closeMapping() = 0;
  virtual void closeMutex() = 0;
  virtual WaitResult waitForMutex(std::uint32_t milliseconds) = 0;
  virtual void releaseMutex() = 0;
  // Posts to the top-level window with this title; false when there is none.
  virtual bool postToWindow(std::u16string_view title, std::uint32_t message, std::uintptr_t wParam,
                            std::intptr_t lParam) = 0;
  virtual void showMessage(std::u16string_view text) = 0;
};

class MonitorLink {
 public:
  explicit MonitorLink(MonitorPort& port) : port_(port) {}
  ~MonitorLink() { closeLink(); }
  MonitorLink(const MonitorLink&) = delete;
  MonitorLink& operator=(const MonitorLink&) = delete;

  // Silent when the mutex does not exist; every copy then fails.
  void openMutex();
  // Silent when there is no mapping. A mapping whose view cannot be mapped, or whose view
  // is too small for the record, shows "Could not map view of file.". Either way the link
  // stays unavailable.
  void openLink();
  bool available() const { return mapped_; }
  bool mutexOpen() const { return mutexOpen_; }

  // One whole-record copy under the mutex. False, with nothing copied, when the link is
  // unavailable or the mutex could not be taken.
  bool readRecord(KeyboardSettings& destination);
  bool writeRecord(const KeyboardSettings& source);
  // Posts 1224 with the mode to the monitor window; false when there is no such window.
  bool notifyMonitor(ApplyMode mode);
  void closeLink();

 private:
  bool lock();

  MonitorPort& port_;
  bool mutexOpen_ = false;
  bool mappingOpen_ = false;
  bool mapped_ = false;
};

}  // namespace opt
