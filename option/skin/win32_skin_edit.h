#pragma once
// SkinEdit: a single-line edit with fixed colours and font, and optional numeric filtering.

#include <windows.h>

#include <string>

#include "ui/canvas.h"
#include "ui/geometry.h"
#include "ui/win32_gdi.h"
#include "ui/win32_window.h"

namespace opt {

inline const ui::Font kSkinEditFont{u"Arial", 14, 5, 400};
inline constexpr ui::Colour kSkinEditText{36, 36, 36};
inline constexpr ui::Colour kSkinEditBackground{255, 255, 255};

class SkinEdit : public ui::Control {
 public:
  bool create(HWND parent, ui::Rect rect, int id, DWORD extraStyle = 0);
  void setNumericOnly(bool on) { numericOnly_ = on; }
  void setFont(const ui::Font& font);
  void setColours(ui::Colour text, ui::Colour background);
  std::u16string text() const;
  void setText(const std::u16string& text);

  HBRUSH controlColour(HDC dc) override;

 protected:
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void textMayHaveChanged();
  ui::FontHandle font_;
  ui::Brush brush_;
  ui::Colour textColour_ = kSkinEditText;
  ui::Colour background_ = kSkinEditBackground;
  std::u16string lastText_;
  bool numericOnly_ = false;
  bool swallowChar_ = false;
  bool filtering_ = false;
};

}  // namespace opt
