#pragma once
// The change flags tell the monitor what differs from the last applied state.

#include "option/store/keyboard_settings.h"

namespace opt {

// Compares the applied copy with the working copy and stores the result in the working
// copy's flags. Names, GameFile, MediaOption, PollingRate, ReportDelay, FnStatus and RightWin
// set no flag; profileImported is left as it is; the reset flags become 0.
void computeChangeFlags(const KeyboardSettings& applied, KeyboardSettings& working);
// After a reset to factory values: every key, lighting, key table and reset flag and
// profileSwitched become 1; keyOptionsChanged, profileImported and hddKeyboardChanged stay.
void markAllChanged(KeyboardSettings& record);
// Every flag 0 except hddKeyboardChanged, which stays as it is.
void clearChangeFlags(KeyboardSettings& record);

}  // namespace opt
