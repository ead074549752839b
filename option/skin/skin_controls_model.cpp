#include "option/skin/skin_controls_model.h"

#include <array>

namespace opt {
namespace {

constexpr std::uint32_t kVkBack = 0x08, kVkReturn = 0x0D, kVkEnd = 0x23, kVkHome = 0x24, kVkLeft = 0x25,
                        kVkRight = 0x27, kVkDelete = 0x2E, kVkOemComma = 0xBC, kVkOemPeriod = 0xBE;

}  // namespace

ButtonPicture ChooseSkinButtonPicture(const SkinButtonState& s) {
  if (s.toggleMode) {
    if (s.disabled) return ButtonPicture::Disabled;
    if (s.checked) return ButtonPicture::Down;
    if (s.hover) return ButtonPicture::Over;
    return ButtonPicture::Normal;
  }
  if (s.checked && !s.disabled) return ButtonPicture::Down;
  if (s.pressed) return ButtonPicture::Down;
  if (s.hover) return ButtonPicture::Over;
  if (s.disabled) return ButtonPicture::Disabled;
  return ButtonPicture::Normal;
}

const ui::Picture* ButtonPictures::get(ButtonPicture which) const {
  switch (which) {
    case ButtonPicture::Over:
      return over;
    case ButtonPicture::Down:
      return down;
    case ButtonPicture::Disabled:
      return disabled;
    case ButtonPicture::Normal:
      break;
  }
  return normal;
}

void DrawSkinButtonFace(ui::Canvas& canvas, ui::Size size, const ui::Picture* picture, std::u16string_view caption,
                        bool trademark) {
  if (picture) canvas.drawPicture(*picture, ui::Point{0, 0});
  if (caption.empty()) return;
  const ui::Size text = canvas.measureText(caption, kSkinButtonCaptionFont);
  const int y = (size.height - text.height) / 2;
  canvas.drawText(caption, {kSkinButtonCaptionX, y}, kSkinButtonCaptionFont, ui::kWhite);
  if (trademark)
    canvas.drawText(kTrademarkMark, {kSkinButtonCaptionX + text.width, y}, kSkinButtonTrademarkFont, ui::kWhite);
}

int ShapedStateForPaint(int state, bool enabled) {
  if (!enabled) return kShapedDisabled;
  return state == kShapedDisabled ? kShapedNormal : state;
}

ButtonPicture ChooseShapedButtonPicture(bool checked, int state) {
  if (checked) return ButtonPicture::Down;
  switch (state) {
    case kShapedOver:
      return ButtonPicture::Over;
    case kShapedDown:
      return ButtonPicture::Down;
    case kShapedDisabled:
      return ButtonPicture::Disabled;
    default:
      return ButtonPicture::Normal;
  }
}

bool IsNumericCharacter(char16_t c) { return (c >= u'0' && c <= u'9') || c == u',' || c == u'.'; }

std::u16string FilterNumericText(std::u16string_view text) {
  std::u16string kept;
  for (char16_t c : text)
    if (IsNumericCharacter(c)) kept += c;
  return kept;
}

bool NumericEditKeyPasses(std::uint32_t vk) {
  if (vk >= '0' && vk <= '9') return true;
  constexpr std::array passing{kVkBack,  kVkReturn, kVkEnd,      kVkHome,     kVkLeft,
                               kVkRight, kVkDelete, kVkOemComma, kVkOemPeriod};
  for (std::uint32_t p : passing)
    if (vk == p) return true;
  return false;
}

}  // namespace opt
