#include "option/skin/win32_skin_button.h"

#include <commctrl.h>

#include "ui/win32_canvas.h"
#include "ui/win32_text.h"

namespace opt {
namespace {

bool cursorOver(HWND hwnd) {
  POINT p{};
  GetCursorPos(&p);
  return WindowFromPoint(p) == hwnd;
}

}  // namespace

bool SkinButton::create(HWND parent, const SkinItem& item, int id, SkinContext* context) {
  context_ = context;
  if (!Control::create(L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, item.rect, parent, id)) return false;
  // A tooltip holds the hint text but stays deactivated, so none is ever shown.
  tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  setHintText(item.text);
  if (tooltip_) SendMessageW(tooltip_, TTM_ACTIVATE, FALSE, 0);
  return true;
}

void SkinButton::setPictures(const SkinScreen& screen, ui::Rect rect) { setPictures(screen.cut(rect)); }

void SkinButton::setPictures(CutPictures pictures) {
  pictures_ = std::move(pictures);
  redraw();
}

void SkinButton::setChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  redraw();
}

void SkinButton::setCaption(std::u16string caption) {
  caption_ = std::move(caption);
  redraw();
}

void SkinButton::setTrademark(bool on) {
  trademark_ = on;
  redraw();
}

void SkinButton::setHintText(std::u16string text) {
  hint_ = std::move(text);
  if (!tooltip_) return;
  std::wstring wide = ui::Wide(hint_);
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = GetParent(hwnd());
  info.uId = reinterpret_cast<UINT_PTR>(hwnd());
  info.lpszText = wide.data();
  SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void SkinButton::setHover(bool hover) {
  if (hover_ == hover) return;
  hover_ = hover;
  redraw();
}

void SkinButton::redraw() {
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void SkinButton::publishHover(bool hover) {
  PostMessageW(GetParent(hwnd()), kMsgButtonHover, hover ? 1 : 0, notifyId_);
  if (context_) {
    context_->hoverText = hover ? hint_ : std::u16string();
    if (context_->mainWindow) PostMessageW(context_->mainWindow, kMsgHoverToMain, hover ? 1 : 0, 0);
  }
}

void SkinButton::drawItem(const DRAWITEMSTRUCT& item) {
  SkinButtonState state;
  state.toggleMode = toggleMode_;
  state.checked = checked_;
  state.hover = hover_;
  state.pressed = (item.itemState & ODS_SELECTED) != 0;
  state.disabled = (item.itemState & ODS_DISABLED) != 0;
  const ui::Picture* picture = pictures_.view().get(ChooseSkinButtonPicture(state));
  const ui::Rect area = ui::FromRECT(item.rcItem);
  if (caption_.empty()) {
    if (picture) ui::DcCanvas(item.hDC).drawPicture(*picture, ui::Point{area.left, area.top});
    return;
  }
  ui::OffscreenCanvas canvas(item.hDC, area);
  DrawSkinButtonFace(canvas, {area.width(), area.height()}, picture, caption_, trademark_);
}

LRESULT SkinButton::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_MOUSEMOVE: {
      const bool captured = GetCapture() == hwnd();
      if (!captured && GetAncestor(hwnd(), GA_ROOT)) {
        hover_ = true;
        publishHover(true);
        SetCapture(hwnd());
        redraw();
      } else if (captured && !cursorOver(hwnd())) {
        hover_ = false;
        publishHover(false);
        redraw();
        if (!(wp & MK_LBUTTON)) ReleaseCapture();
      }
      break;
    }
    case WM_CAPTURECHANGED:
      if (hover_) {
        // Losing the capture elsewhere must not leave the button drawn as hovered.
        if (!cursorOver(hwnd())) {
          hover_ = false;
          publishHover(false);
        }
        redraw();
      }
      break;
    case WM_KILLFOCUS:
      hover_ = false;
      publishHover(false);
      redraw();
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      HWND top = GetAncestor(hwnd(), GA_ROOT);
      if (top && GetActiveWindow() != top) SetActiveWindow(top);
      // A quick second click is a click like the first, not a double-click notification.
      return Control::handle(WM_LBUTTONDOWN, wp, lp);
    }
    case WM_LBUTTONUP:
      if (toggleMode_) {
        checked_ = !checked_;
        if (GetCapture() == hwnd()) ReleaseCapture();
        SendMessageW(hwnd(), BM_SETSTATE, FALSE, 0);
        redraw();
        SendMessageW(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd()), BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd()));
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (handCursor_) {
        HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kHandCursorResource));
        SetCursor(hand ? hand : LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_DESTROY:
      if (tooltip_) {
        DestroyWindow(tooltip_);
        tooltip_ = nullptr;
      }
      pictures_ = CutPictures{};
      break;
    default:
      break;
  }
  return Control::handle(msg, wp, lp);
}

}  // namespace opt
