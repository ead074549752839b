#include "kavrelle/app/win32_splash.h"

#include "ui/win32_canvas.h"
#include "ui/win32_gdi.h"

namespace kav {
namespace {
constexpr UINT_PTR kSplashTimer = 1;
constexpr UINT kTickMs = 20;
constexpr int kLastTick = 50;  // the dialog ends on the tick after the counter passed this
// Kept for the life of the process, as the splash is shown once.
int tickCounter = 0;
}  // namespace

std::wstring SplashPicturePath(const std::wstring& programFolder, bool chinese) {
  return programFolder + (chinese ? L"\\png\\chinese\\SplashScreen.png" : L"\\png\\english\\SplashScreen.png");
}

INT_PTR CSplashScreen::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG: {
      if (const auto picture = loader_.load(path_)) {
        width_ = picture->size().width;
        height_ = picture->size().height;
        SetWindowPos(hwnd(), nullptr, 0, 0, width_, height_, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        // Keep it centred on the screen at its new size.
        RECT work;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        SetWindowPos(hwnd(), nullptr, work.left + (work.right - work.left - width_) / 2,
                     work.top + (work.bottom - work.top - height_) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      SetTimer(hwnd(), kSplashTimer, kTickMs, nullptr);
      return TRUE;
    }
    case WM_ERASEBKGND:
      return TRUE;
    case WM_PAINT: {
      ui::PaintScope scope(hwnd());
      RECT client;
      GetClientRect(hwnd(), &client);
      ui::OffscreenCanvas canvas(scope.get(), ui::Rect{0, 0, client.right, client.bottom});
      canvas.fillRect(ui::Rect{0, 0, client.right, client.bottom}, ui::Colour{14, 16, 19});
      if (const auto picture = loader_.load(path_)) canvas.drawPicture(*picture, ui::Point{0, 0});
      return TRUE;
    }
    case WM_TIMER:
      if (wp == kSplashTimer) {
        if (tickCounter > kLastTick) endDialog(IDOK);
        ++tickCounter;
      }
      return TRUE;
    case WM_DESTROY:
      KillTimer(hwnd(), kSplashTimer);
      return FALSE;
    default:
      return ui::Dialog::handle(msg, wp, lp);
  }
}

}  // namespace kav
