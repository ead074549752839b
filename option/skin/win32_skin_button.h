#pragma once
// SkinButton: an owner-drawn push or toggle button painted from four state pictures, with
// an optional caption, hover publishing and a hand cursor.

#include <windows.h>

#include <string>

#include "option/skin/skin_controls_model.h"
#include "option/skin/skin_item.h"
#include "option/skin/win32_skin_window.h"
#include "ui/win32_window.h"

namespace opt {

inline constexpr int kHandCursorResource = 328;

class SkinButton : public ui::Control {
 public:
  // A visible child at the item's rectangle, with the item's text as hint text.
  bool create(HWND parent, const SkinItem& item, int id, SkinContext* context);
  // Cuts the four state pictures of `rect` out of the screen pictures.
  void setPictures(const SkinScreen& screen, ui::Rect rect);
  void setPictures(CutPictures pictures);

  void setChecked(bool checked);
  bool checked() const { return checked_; }
  void setCaption(std::u16string caption);
  void setTrademark(bool on);
  void setToggleMode(bool on) { toggleMode_ = on; }
  void setHintText(std::u16string text);
  void setHover(bool hover);
  bool hover() const { return hover_; }
  void setNotifyId(int id) { notifyId_ = id; }
  void setHandCursor(bool on) { handCursor_ = on; }

  void drawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void publishHover(bool hover);
  void redraw();
  CutPictures pictures_;
  SkinContext* context_ = nullptr;
  std::u16string caption_;
  std::u16string hint_;
  bool checked_ = false;
  bool toggleMode_ = false;
  bool hover_ = false;
  bool trademark_ = false;
  bool handCursor_ = false;
  int notifyId_ = 0;
  HWND tooltip_ = nullptr;
};

}  // namespace opt
