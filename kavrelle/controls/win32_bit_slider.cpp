#include "kavrelle/controls/win32_bit_slider.h"

#include <commctrl.h>

#include "kavrelle/controls/bit_slider.h"
#include "kavrelle/device/device_window_port.h"
#include "ui/win32_canvas.h"
#include "ui/win32_picture.h"

namespace kav {
namespace {
constexpr int kTrackBitmap = 139;
constexpr int kFilledBitmap = 140;
constexpr int kToolTipDelayMs = 50;
}  // namespace

bool CBitSlider::SetUp(HWND dialog, int controlId, HINSTANCE resources, ui::PictureLoader& loader,
                       std::filesystem::path thumbPicture) {
  HWND trackbar = GetDlgItem(dialog, controlId);
  if (!trackbar || !attach(trackbar)) return false;
  id_ = controlId;
  loader_ = &loader;
  thumbPicture_ = std::move(thumbPicture);
  if (HWND tip = reinterpret_cast<HWND>(SendMessageW(trackbar, TBM_GETTOOLTIPS, 0, 0))) {
    SendMessageW(tip, TTM_SETDELAYTIME, TTDT_INITIAL, kToolTipDelayMs);
  }
  track_ = ui::PictureFromBitmapResource(resources, kTrackBitmap);
  filled_ = ui::PictureFromBitmapResource(resources, kFilledBitmap);
  if (filled_) {
    const ui::Size size = filled_->size();
    SetWindowPos(trackbar, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SendMessageW(trackbar, TBM_SETLINESIZE, 0, 1);
  SendMessageW(trackbar, TBM_SETPAGESIZE, 0, 1);
  return true;
}

void CBitSlider::SetRange(int min, int max) { SendMessageW(hwnd(), TBM_SETRANGE, TRUE, MAKELPARAM(min, max)); }

void CBitSlider::SetPosition(int position) { SendMessageW(hwnd(), TBM_SETPOS, TRUE, position); }

int CBitSlider::Position() const { return static_cast<int>(SendMessageW(hwnd(), TBM_GETPOS, 0, 0)); }

void CBitSlider::notifyOwner() { SendMessageW(GetParent(hwnd()), WM_SLIDER_MOVED, static_cast<WPARAM>(id_), 0); }

void CBitSlider::paint() {
  ui::PaintScope scope(hwnd());
  RECT client;
  GetClientRect(hwnd(), &client);
  RECT thumb{};
  SendMessageW(hwnd(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  const ui::Size size{client.right, client.bottom};
  ui::OffscreenCanvas canvas(scope.get(), ui::Rect{0, 0, size.width, size.height});
  canvas.fillRect(ui::Rect{0, 0, size.width, size.height}, ui::Colour{35, 38, 45});
  const auto thumbPicture = loader_ ? loader_->load(thumbPicture_) : nullptr;
  const int left = ThumbPictureLeft(thumb.left, thumb.right, size.width);
  const int top = std::max(0, (size.height - kThumbHeight) / 2 - 1);
  DrawBitSlider(canvas, track_.get(), filled_.get(), thumbPicture.get(), size, left, top,
                id_ == kReportRateSliderId && Position() == 0);
}

LRESULT CBitSlider::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN: {
      const LRESULT result = callPrevious(msg, wp, lp);
      RECT channel{}, client{};
      SendMessageW(hwnd(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
      GetClientRect(hwnd(), &client);
      const int min = static_cast<int>(SendMessageW(hwnd(), TBM_GETRANGEMIN, 0, 0));
      const int max = static_cast<int>(SendMessageW(hwnd(), TBM_GETRANGEMAX, 0, 0));
      const int x = static_cast<short>(LOWORD(lp));
      SetPosition(SliderValueAtClick(min, max, channel.left, channel.right, client.left, x));
      notifyOwner();
      return result;
    }
    case WM_MOUSEWHEEL:
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      paint();
      notifyOwner();
      return 0;
    case WM_MOUSEMOVE: {
      const LRESULT result = callPrevious(msg, wp, lp);
      InvalidateRect(hwnd(), nullptr, FALSE);
      notifyOwner();
      return result;
    }
    default:
      return callPrevious(msg, wp, lp);
  }
}

}  // namespace kav
