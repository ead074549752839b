#include "option/skin/win32_shaped_button.h"

#include <windowsx.h>

#include "ui/win32_canvas.h"

namespace opt {

bool ShapedButton::create(const wchar_t* text, ui::Rect rect, HWND parent, int id) {
  ui::RegisterWindowClass(kShapedButtonClass, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW));
  return Window::create(kShapedButtonClass, text, WS_CHILD | WS_VISIBLE, 0, rect, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void ShapedButton::setPictures(const SkinScreen& screen, ui::Rect rect) {
  pictures_ = screen.cut(rect);
  redraw();
}

void ShapedButton::setChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  redraw();
}

bool ShapedButton::inside(LPARAM lp) const {
  return hitRegion_ && PtInRegion(hitRegion_.get(), GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
}

LRESULT ShapedButton::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: {
      const ShapeDefinition& shape = Shape(shape_);
      const std::vector<std::uint32_t> pixels = ShapeMaskPixels(shape);
      ui::Region region = BuildMaskRegion({shape.size.width, shape.size.height, pixels});
      hitRegion_.reset(CreateRectRgn(0, 0, 0, 0));
      CombineRgn(hitRegion_.get(), region.get(), nullptr, RGN_COPY);
      if (SetWindowRgn(hwnd(), region.get(), TRUE)) region.release();  // the window owns it now
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      ui::PaintScope paint(hwnd());
      state_ = ShapedStateForPaint(state_, IsWindowEnabled(hwnd()) != FALSE);
      const ui::Picture* picture = pictures_.view().get(ChooseShapedButtonPicture(checked_, state_));
      if (picture) ui::DcCanvas(paint.get()).drawPicture(*picture, ui::Point{0, 0});
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = true;
      SetCapture(hwnd());
      if (inside(lp)) state_ = kShapedDown;
      redraw();
      return 0;
    case WM_LBUTTONUP: {
      pressed_ = false;
      if (toggleMode_ && state_ == kShapedDown) checked_ = !checked_;
      state_ = kShapedNormal;
      notifyHover(false);
      ReleaseCapture();
      redraw();
      if (inside(lp))
        SendMessageW(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd()), BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd()));
      return 0;
    }
    case WM_MOUSEMOVE:
      if (wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) return 0;
      if (GetCapture() != hwnd()) {
        state_ = kShapedOver;
        notifyHover(true);
        SetCapture(hwnd());
        redraw();
      } else {
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(hwnd(), &p);
        if (WindowFromPoint(p) != hwnd()) {
          state_ = kShapedNormal;
          notifyHover(false);
          redraw();
          ReleaseCapture();
        }
      }
      return 0;
    case WM_DESTROY:
      pictures_ = CutPictures{};
      hitRegion_.reset();
      break;
    default:
      break;
  }
  return Window::handle(msg, wp, lp);
}

}  // namespace opt
