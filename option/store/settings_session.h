#pragma once
// The two settings copies of a run of Option and what changes them: the start-up load, apply,
// reset, import and the messages from the monitor. The main window supplies what it owns
// (cursor, capture, buttons, pages, macro list) through SessionHost.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "option/store/keyboard_settings.h"
#include "option/store/monitor_link.h"
#include "option/store/settings_store.h"

namespace opt {

class SessionHost {
 public:
  virtual ~SessionHost() = default;
  // Capture the mouse, show the wait cursor, disable and redraw OK and Apply.
  virtual void enterApplyWait() = 0;
  // Enable and redraw OK and Apply, restore the arrow cursor, release the mouse capture.
  virtual void leaveApplyWait() = 0;
  // Redraw every page from the working copy.
  virtual void refreshPages() = 0;
  // The firmware version text changed: repaint the version line.
  virtual void firmwareVersionChanged() = 0;
  // Bring the macro list up to date with the macros held by key entries.
  virtual void mergeKeyMacros(const KeyboardSettings& working) = 0;
  virtual void saveMacros() = 0;
};

class SettingsSession {
 public:
  SettingsSession(std::filesystem::path programFolder, MonitorLink& link, SessionHost& host,
                  std::function<std::uint32_t()> clock = secondsSince1970Now);

  // Clears the applied copy, opens the mutex, builds the firmware text, opens the link and
  // takes the record from the shared memory (or the files), reads the OSD block, zeroes the
  // reserved int and copies applied to working. The caller then loads and merges the macro
  // list and refreshes the pages.
  void startUp();
  // Sends the working copy to the monitor and saves every file. True when the monitor was
  // told and the window waits for kMsgApplyFinished.
  bool apply(ApplyMode mode);
  // After the user confirmed: factory values in the working copy, every flag set, pages
  // refreshed, then apply with mode FactoryReset.
  bool resetToFactory();
  TransferResult exportCurrentProfile(ProfileFileDialogs& dialogs);
  // Refreshes the pages after a successful import.
  TransferResult importCurrentProfile(ProfileFileDialogs& dialogs);

  // The monitor's messages; each handler's result is 0.
  void onReloadAll();
  void onReloadSettings();
  void onApplyFinished();
  void onKeyboardChangedProfile();
  // Runs the handler of a monitor message (1254-1258, 1125) and gives its result; nothing
  // for any other message.
  std::optional<std::intptr_t> handleMonitorMessage(std::uint32_t message);

  // When the main window is destroyed.
  void shutDown() { link_.closeLink(); }

  KeyboardSettings& working() { return *working_; }
  const KeyboardSettings& working() const { return *working_; }
  const KeyboardSettings& applied() const { return *applied_; }
  const OsdSettingBlock& osd() const { return osd_; }
  const std::string& firmwareText() const { return firmwareText_; }
  bool waitingForMonitor() const { return waiting_; }
  const std::filesystem::path& programFolder() const { return programFolder_; }

 private:
  std::filesystem::path programFolder_;
  MonitorLink& link_;
  SessionHost& host_;
  std::function<std::uint32_t()> clock_;
  // 77644 bytes each: kept off the stack.
  std::unique_ptr<KeyboardSettings> applied_;
  std::unique_ptr<KeyboardSettings> working_;
  OsdSettingBlock osd_{};
  std::string firmwareText_;
  bool waiting_ = false;
};

}  // namespace opt
