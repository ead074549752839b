#include "option/store/change_flags.h"

namespace opt {
namespace {

std::int32_t flag(bool value) { return value ? 1 : 0; }

bool lightingDiffers(const ProfileSettings& a, const ProfileSettings& b) {
  return a.LtSwitch != b.LtSwitch || a.LtColor != b.LtColor || a.LtControl != b.LtControl || a.LtSaving != b.LtSaving ||
         a.LtPulsation != b.LtPulsation;
}

bool keyOptionsDiffer(const ProfileSettings& a, const ProfileSettings& b) {
  return a.LeftWin != b.LeftWin || a.Context != b.Context || a.CapsLock != b.CapsLock || a.Tab != b.Tab;
}

}  // namespace

void computeChangeFlags(const KeyboardSettings& applied, KeyboardSettings& working) {
  ChangeFlags& flags = working.changes;
  bool hddKeyboardDiffers = false;
  for (int p = 0; p < kProfileCount; ++p) {
    const ProfileSettings& a = applied.profiles[p];
    const ProfileSettings& w = working.profiles[p];
    hddKeyboardDiffers = hddKeyboardDiffers || a.HDDKeyboard != w.HDDKeyboard;
    flags.standardKeysChanged[p] = flag(a.standardkey != w.standardkey);
    for (int k = 0; k < kMacroKeyCount; ++k) flags.keyChanged[p][k] = flag(a.macroKeys[k] != w.macroKeys[k]);
    flags.lightingChanged[p] = flag(lightingDiffers(a, w));
    flags.keyOptionsChanged[p] = flag(keyOptionsDiffer(a, w));
    flags.profileReset[p] = 0;
  }
  flags.hddKeyboardChanged = flag(hddKeyboardDiffers);
  flags.profileSwitched = flag(applied.CurrentProfile != working.CurrentProfile);
  flags.allReset = 0;
}

void markAllChanged(KeyboardSettings& record) {
  ChangeFlags& flags = record.changes;
  for (auto& row : flags.keyChanged) row.fill(1);
  flags.lightingChanged.fill(1);
  flags.standardKeysChanged.fill(1);
  flags.profileReset.fill(1);
  flags.profileSwitched = 1;
  flags.allReset = 1;
}

void clearChangeFlags(KeyboardSettings& record) {
  const std::int32_t hddKeyboardChanged = record.changes.hddKeyboardChanged;
  record.changes = ChangeFlags{};
  record.changes.hddKeyboardChanged = hddKeyboardChanged;
}

}  // namespace opt
