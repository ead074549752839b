#include "option/store/settings_session.h"

#include <utility>

#include "option/store/change_flags.h"

namespace opt {

SettingsSession::SettingsSession(std::filesystem::path programFolder, MonitorLink& link, SessionHost& host,
                                 std::function<std::uint32_t()> clock)
    : programFolder_(std::move(programFolder)),
      link_(link),
      host_(host),
      clock_(std::move(clock)),
      applied_(std::make_unique<KeyboardSettings>()),
      working_(std::make_unique<KeyboardSettings>()) {}

void SettingsSession::startUp() {
  clearRecord(*applied_);
  link_.openMutex();
  firmwareText_ = firmwareVersionText(readFirmwareVersion(programFolder_), VersionRule::StartUp);
  link_.openLink();
  // A mapped record that cannot be read (no mutex) would leave an empty record, which the
  // next apply would write over every profile file: take the files instead.
  if (link_.available() && link_.readRecord(*applied_)) {
    clearChangeFlags(*applied_);
  } else {
    loadFromFiles(*applied_, programFolder_);
  }
  readOsd(osd_, programFolder_);
  applied_->reserved = 0;
  *working_ = *applied_;
}

bool SettingsSession::apply(ApplyMode mode) {
  host_.enterApplyWait();
  if (mode != ApplyMode::FactoryReset) computeChangeFlags(*applied_, *working_);
  link_.writeRecord(*working_);
  writeOsd(osd_, programFolder_);
  const bool notified = link_.notifyMonitor(mode);
  saveAll(*working_, programFolder_);
  writeAccessStamp(programFolder_, clock_());
  clearChangeFlags(*working_);
  *applied_ = *working_;
  host_.saveMacros();
  waiting_ = notified;
  if (!notified) host_.leaveApplyWait();
  return notified;
}

bool SettingsSession::resetToFactory() {
  factoryDefaults(*working_);
  markAllChanged(*working_);
  host_.refreshPages();
  return apply(ApplyMode::FactoryReset);
}

TransferResult SettingsSession::exportCurrentProfile(ProfileFileDialogs& dialogs) {
  return opt::exportCurrentProfile(*working_, programFolder_, dialogs);
}

TransferResult SettingsSession::importCurrentProfile(ProfileFileDialogs& dialogs) {
  const TransferResult result = opt::importCurrentProfile(*working_, programFolder_, dialogs);
  if (result == TransferResult::Done) host_.refreshPages();
  return result;
}

// A failed readRecord leaves the applied copy as it was; it is copied on all the same.

void SettingsSession::onReloadAll() {
  firmwareText_ = firmwareVersionText(readFirmwareVersion(programFolder_), VersionRule::ChangeNotice);
  host_.firmwareVersionChanged();
  link_.readRecord(*applied_);
  clearChangeFlags(*applied_);
  *working_ = *applied_;
  host_.refreshPages();
  host_.mergeKeyMacros(*working_);
  host_.saveMacros();
}

void SettingsSession::onReloadSettings() {
  link_.readRecord(*applied_);
  *working_ = *applied_;
  host_.refreshPages();
}

void SettingsSession::onApplyFinished() {
  waiting_ = false;
  host_.leaveApplyWait();
}

void SettingsSession::onKeyboardChangedProfile() {
  link_.readRecord(*applied_);
  const int current = applied_->CurrentProfile;
  working_->CurrentProfile = current;
  // The value comes from the monitor: only a slot that exists is touched.
  const bool slotExists = current >= 0 && current < kProfileCount;
  if (slotExists) {
    working_->profiles[current].FnStatus = applied_->profiles[current].FnStatus;
    working_->profiles[current].LtPulsation = applied_->profiles[current].LtPulsation;
  }
  host_.refreshPages();
  if (slotExists) working_->changes.profileImported[current] = 0;
}

std::optional<std::intptr_t> SettingsSession::handleMonitorMessage(std::uint32_t message) {
  switch (message) {
    case kMsgReloadAll:
      onReloadAll();
      return 0;
    case kMsgReloadSettings:
      onReloadSettings();
      return 0;
    case kMsgApplyFinished:
      onApplyFinished();
      return 0;
    case kMsgKeyboardChangedProfile:
      onKeyboardChangedProfile();
      return 0;
    case kMsgIgnored:
    case kMsgSkinHover:
      return 0;
    default:
      return std::nullopt;
  }
}

}  // namespace opt
