#pragma once
// ShapedButton: a button of window class "Rgn Button" whose outline is a built-in shape;
// clicks count only inside the shape.

#include <windows.h>

#include "option/skin/shapes.h"
#include "option/skin/win32_skin_window.h"
#include "ui/win32_gdi.h"
#include "ui/win32_window.h"

namespace opt {

inline constexpr wchar_t kShapedButtonClass[] = L"Rgn Button";
inline constexpr int kShapedButtonDefaultNotifyId = 342;

class ShapedButton : public ui::Window {
 public:
  void setShape(ShapeId shape) { shape_ = shape; }  // before create
  bool create(const wchar_t* text, ui::Rect rect, HWND parent, int id);
  void setPictures(const SkinScreen& screen, ui::Rect rect);
  void setChecked(bool checked);
  bool checked() const { return checked_; }
  void setToggleMode(bool on) { toggleMode_ = on; }
  void setNotifyId(int id) { notifyId_ = id; }
  int state() const { return state_; }

 protected:
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  bool inside(LPARAM lp) const;
  void redraw() {
    if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
  }
  void notifyHover(bool on) { PostMessageW(GetParent(hwnd()), kMsgButtonHover, on ? 1 : 0, notifyId_); }

  ShapeId shape_ = ShapeId::PageTab;
  ui::Region hitRegion_;  // a copy of the window's shape, for hit tests
  CutPictures pictures_;
  int state_ = kShapedNormal;
  bool pressed_ = false;
  bool toggleMode_ = false;
  bool checked_ = false;
  int notifyId_ = kShapedButtonDefaultNotifyId;
};

}  // namespace opt
