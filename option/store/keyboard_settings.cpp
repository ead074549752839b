#include "option/store/keyboard_settings.h"

namespace opt {

int currentSlot(const KeyboardSettings& record) {
  return (record.CurrentProfile >= 0 && record.CurrentProfile < kProfileCount) ? record.CurrentProfile : 0;
}

ProfileSettings& currentProfile(KeyboardSettings& record) { return record.profiles[currentSlot(record)]; }

const ProfileSettings& currentProfile(const KeyboardSettings& record) { return record.profiles[currentSlot(record)]; }

}  // namespace opt
