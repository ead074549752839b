#pragma once
// The decisions of the skinned controls that do not need Windows: which state picture a
// button shows, how a caption is laid out, which keys and characters a numeric edit keeps.

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/canvas.h"

namespace opt {

enum class ButtonPicture { Normal, Over, Down, Disabled };

struct SkinButtonState {
  bool toggleMode = false;
  bool checked = false;
  bool hover = false;
  bool pressed = false;   // held down (owner-draw "selected")
  bool disabled = false;  // owner-draw "disabled"
};

ButtonPicture ChooseSkinButtonPicture(const SkinButtonState& state);

// The four state pictures of a button, any of them possibly missing.
struct ButtonPictures {
  const ui::Picture* normal = nullptr;
  const ui::Picture* over = nullptr;
  const ui::Picture* down = nullptr;
  const ui::Picture* disabled = nullptr;
  const ui::Picture* get(ButtonPicture which) const;
};

inline const ui::Font kSkinButtonCaptionFont{u"Arial", 14, 6, 400};
inline const ui::Font kSkinButtonTrademarkFont{u"Arial", 8, 0, 400};
inline constexpr int kSkinButtonCaptionX = 5;
inline constexpr char16_t kTrademarkMark[] = u"TM";

// The picture at (0, 0), then the caption in white at x 5, centred vertically, and "TM"
// right after it when asked for.
void DrawSkinButtonFace(ui::Canvas& canvas, ui::Size size, const ui::Picture* picture, std::u16string_view caption,
                        bool trademark);

// Shaped buttons keep a state number: 0 normal, 1 over, 2 down, 3 disabled.
enum ShapedState : int { kShapedNormal = 0, kShapedOver = 1, kShapedDown = 2, kShapedDisabled = 3 };
// The state after the enabled flag is looked at when painting.
int ShapedStateForPaint(int state, bool enabled);
ButtonPicture ChooseShapedButtonPicture(bool checked, int state);

// Numeric edits keep 0 to 9, comma and full stop, in their order.
bool IsNumericCharacter(char16_t c);
std::u16string FilterNumericText(std::u16string_view text);
// Keys a numeric edit lets through (Windows virtual-key codes): the main-keyboard digits,
// Backspace, Enter, End, Home, Left, Right, Delete, comma and full stop. Keypad digits do not.
bool NumericEditKeyPasses(std::uint32_t virtualKey);

}  // namespace opt
