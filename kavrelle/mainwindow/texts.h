#pragma once
// Every text the main window draws or shows, in Chinese and English.

#include <string_view>

#include "kavrelle/app/program_files.h"

namespace kav {

struct Text {
  std::u16string_view chinese;
  std::u16string_view english;
  std::u16string_view In(UiLanguage language) const { return IsChinese(language) ? chinese : english; }
};

namespace text {
inline constexpr Text kProfile{u"配置", u"Profile"};
inline constexpr Text kRestore{u"恢复", u"Return"};
inline constexpr Text kCancel{u"取消", u"Cancel"};
inline constexpr Text kSave{u"保存", u"Save"};
inline constexpr Text kMacroManagement{u"宏管理器", u"Macro Management"};
inline constexpr Text kUpdateFirmware{u"驱动更新", u"Update Firmware"};
inline constexpr std::u16string_view kVersionLine = u"Ver: 1.1";

inline constexpr Text kLight{u"灯光", u"Light"};
inline constexpr Text kEffect{u"效果", u"Effect"};
inline constexpr Text kSpeed{u"速度", u"Speed"};
inline constexpr Text kSlow{u"慢", u"Slow"};
inline constexpr Text kFast{u"快", u"Fast"};
inline constexpr Text kBrightness{u"亮度", u"Brightness"};
inline constexpr Text kDark{u"黑", u"Dark"};
inline constexpr Text kBright{u"亮", u"Bright"};
inline constexpr std::u16string_view kDirection = u"方向";  // the same in both languages
inline constexpr std::u16string_view kKeymap = u"Keymap";
inline constexpr std::u16string_view kDiy = u"DIY";

inline constexpr Text kGameMode{u"游戏模式", u"Game Mode"};
inline constexpr Text kWinLockTitleCollapsed{u"", u"Win Lock"};
inline constexpr Text kWinLockTitle{u"Win Lock模式", u"Win Lock"};
inline constexpr Text kGameModeOn{u"开取", u"ON"};
inline constexpr Text kGameModeOff{u"关闭", u"OFF"};
inline constexpr Text kWinLockOn{u"开启", u"ON"};
inline constexpr Text kWinLockOff{u"关闭", u"OFF"};
inline constexpr Text kResponseTime{u"按键响应时间", u"Response Time"};
inline constexpr Text kReportRate{u"USB报告率", u"USB Report Rate"};

inline constexpr Text kFactoryQuestion{u"确认恢复至出厂设置吗？", u"Confirm to return Factory Setting?"};
inline constexpr Text kFactoryCaption{u"出厂设置", u"Factory Setting"};
inline constexpr Text kFirmwareQuestion{u"更新到新的固件吗？", u"Update new firmware？"};
inline constexpr Text kFirmwareCaption{u"固件更新", u"Firmware Update"};
inline constexpr Text kTrayExit{u"退出", u"Exit"};
inline constexpr std::u16string_view kNoKeyboardBalloon = u"No Gaming Keyboard Detected!";
inline constexpr std::u16string_view kNoKeyboardTitle = u"Warning";
inline constexpr std::u16string_view kRegistrationFailed = u"Cannot register for Wdm2 class device notification";
inline constexpr std::u16string_view kAppName = u"Kavrelle";

// Save could not reach the keyboard (our own message: the keyboard did not acknowledge).
inline constexpr Text kSaveFailed{u"键盘没有确认全部设置，未保存的设置将在下次保存时重新发送。",
                                  u"The keyboard did not confirm all settings. The settings it did not take "
                                  u"stay pending and are sent again with the next save."};
inline constexpr Text kSaveFailedCaption{u"保存", u"Save"};
}  // namespace text

}  // namespace kav
