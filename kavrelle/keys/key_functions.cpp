#include "kavrelle/keys/key_functions.h"

namespace kav {
namespace {

constexpr KeyTableEntry Keys(std::uint8_t a, std::uint8_t b, std::uint8_t c) { return {0x00, a, b, c}; }
constexpr KeyTableEntry Consumer(std::uint16_t usage) {
  return {0x03, 0x00, static_cast<std::uint8_t>(usage & 0xFF), static_cast<std::uint8_t>(usage >> 8)};
}

using G = FunctionGroup;
constexpr std::array<KeyFunction, kKeyFunctionCount> kFunctions = {{
    {G::Top, {u"搜索", u"Search"}, Keys(0xE3, 0x09, 0x00)},  // left Windows + F
    {G::Top, {u"运行", u"Run"}, Keys(0xE3, 0x15, 0x00)},     // left Windows + R
    {G::Media, {u"多媒体播放器", u"Media Player"}, Consumer(0x0183)},
    {G::Media, {u"上一曲", u"Prev"}, Consumer(0x00B6)},
    {G::Media, {u"下一曲", u"Next"}, Consumer(0x00B5)},
    {G::Media, {u"停止-播放", u"Stop/Play"}, Consumer(0x00CD)},
    {G::Media, {u"暂停", u"Pause"}, Consumer(0x00B7)},
    {G::Media, {u"音量+", u"Vol+"}, Consumer(0x00E9)},
    {G::Media, {u"音量-", u"Vol-"}, Consumer(0x00EA)},
    {G::Media, {u"静音", u"Mute"}, Consumer(0x00E2)},
    {G::Shortcut, {u"新建", u"New"}, Keys(0xE0, 0x11, 0x00)},  // left Ctrl + N
    {G::Shortcut, {u"剪切", u"Cut"}, Keys(0xE0, 0x1B, 0x00)},
    {G::Shortcut, {u"复制", u"Copy"}, Keys(0xE0, 0x06, 0x00)},
    {G::Shortcut, {u"粘贴", u"Paste"}, Keys(0xE0, 0x19, 0x00)},
    {G::Shortcut, {u"保存", u"Save"}, Keys(0xE0, 0x16, 0x00)},
    {G::Shortcut, {u"打印", u"Print"}, Keys(0xE0, 0x13, 0x00)},
    {G::Shortcut, {u"全选", u"Select All"}, Keys(0xE0, 0x04, 0x00)},
    {G::Windows, {u"最大化", u"Max"}, Keys(0xE2, 0x2C, 0x1B)},  // left Alt + Space + X
    {G::Windows, {u"最小化", u"Min"}, Keys(0xE2, 0x2C, 0x11)},  // left Alt + Space + N
    {G::Top, {u"我的电脑", u"Computer"}, Consumer(0x0194)},
    {G::Top, {u"任务管理器", u"Task Management"}, Keys(0xE0, 0xE2, 0x4C)},  // Ctrl + Alt + Delete
    {G::Top, {u"浏览器-主页", u"Homepage"}, Consumer(0x0223)},
    {G::Top, {u"关闭窗口", u"Close"}, Keys(0xE2, 0x3D, 0x00)},  // left Alt + F4
}};

}  // namespace

std::span<const KeyFunction, kKeyFunctionCount> KeyFunctions() { return kFunctions; }

BilingualName FunctionGroupName(FunctionGroup group) {
  switch (group) {
    case FunctionGroup::Media:
      return {u"多媒体", u"Media"};
    case FunctionGroup::Shortcut:
      return {u"快捷健", u"Shortcut"};
    case FunctionGroup::Windows:
      return {u"Windows", u"Windows"};
    case FunctionGroup::Top:
      break;
  }
  return {};
}

const KeyFunction* FindFunctionByName(std::u16string_view name) {
  if (name.empty()) return nullptr;
  for (const KeyFunction& function : kFunctions) {
    if (function.name.chinese == name || function.name.english == name) return &function;
  }
  return nullptr;
}

const KeyFunction* FindFunctionByCode(const KeyTableEntry& code) {
  for (const KeyFunction& function : kFunctions) {
    if (function.code == code) return &function;
  }
  return nullptr;
}

const KeyFunction* FunctionOfRecord(const KeyRecord& record) {
  if (record.kind != static_cast<std::uint8_t>(KeyKind::Function)) return nullptr;
  return FindFunctionByCode({record.data[0], record.data[1], record.data[2], record.data[3]});
}

}  // namespace kav
