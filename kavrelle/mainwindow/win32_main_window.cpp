#include "kavrelle/mainwindow/win32_main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include "kavrelle/app/resource.h"
#include "kavrelle/app/win32_splash.h"
#include "kavrelle/keys/key_tables.h"
#include "kavrelle/keys/keymap_file.h"
#include "kavrelle/macros/macro_file.h"
#include "kavrelle/macros/raw_file.h"
#include "kavrelle/mainwindow/texts.h"
#include "ui/file_io.h"
#include "ui/win32_canvas.h"
#include "ui/win32_debug.h"
#include "ui/win32_gdi.h"

namespace kav {
namespace {

constexpr UINT kAboutCommand = 16;
constexpr int kSliderInitialWidth = 30, kSliderInitialHeight = 10;
constexpr int kWindowCornerRadius = 20;
constexpr UINT kBalloonTimeoutMs = 100;

std::wstring wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

void copyInto(wchar_t* target, std::size_t capacity, std::u16string_view text) {
  const std::size_t n = std::min(capacity - 1, text.size());
  for (std::size_t i = 0; i < n; ++i) target[i] = static_cast<wchar_t>(text[i]);
  target[n] = L'\0';
}

}  // namespace

bool Win32ShellLauncher::Execute(std::u16string_view file, std::u16string_view parameters,
                                 std::u16string_view directory) {
  const std::wstring f = wide(file), p = wide(parameters), d = wide(directory);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_DEFAULT;
  info.lpFile = f.c_str();
  info.lpParameters = p.empty() ? nullptr : p.c_str();
  info.lpDirectory = d.empty() ? nullptr : d.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExW(&info)) return true;
  ui::ReportWin32Failure(L"ShellExecuteExW");
  return false;
}

CGameKeyboardDlg::CGameKeyboardDlg(MainWindowContext context)
    : context_(context),
      session_(context.bus, context.clock, deviceWindow_),
      model_(context.app, session_, MainWindowPorts{*this, dialogs_, shell_, context.pictures}) {
  icon_ = LoadIconW(context.instance, MAKEINTRESOURCEW(IDI_MAIN));
}

CGameKeyboardDlg::~CGameKeyboardDlg() = default;

CBitSlider* CGameKeyboardDlg::slider(int controlId) {
  switch (controlId) {
    case kSpeedSliderId: return &speed_;
    case kReportRateSliderId: return &reportRate_;
    case kBrightnessSliderId: return &brightness_;
    default: return nullptr;
  }
}

// The start-up sequence of the main window, in its fixed order.
void CGameKeyboardDlg::initialise() {
  AppState& app = context_.app;
  HWND window = hwnd();

  // 1. System menu: the About item.
  wchar_t about[128] = {};
  if (LoadStringW(context_.instance, IDS_ABOUTBOX, about, 128) > 0) {
    if (HMENU menu = GetSystemMenu(window, FALSE)) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      AppendMenuW(menu, MF_STRING, kAboutCommand, about);
    }
  }
  // 2. Icon, language, title.
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  GetSystemDefaultLangID();
  app.language = context_.options.english ? kEnglish : kChinese;
  SetWindowTextW(window, wide(text::kAppName).c_str());
  // 3. The sliders' places.
  const struct {
    int id, x, y;
  } places[] = {{kBrightnessSliderId, 28, 260}, {kSpeedSliderId, 28, 303}, {kReportRateSliderId, 28, 530}};
  for (const auto& p : places) {
    SetWindowPos(GetDlgItem(window, p.id), nullptr, p.x, p.y, kSliderInitialWidth, kSliderInitialHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // 4. Program folder and the element table.
  wchar_t module[kMaxModulePath + 1] = {};
  GetModuleFileNameW(nullptr, module, static_cast<DWORD>(kMaxModulePath + 1));
  const std::wstring modulePath(module);
  app.programFolder = ProgramFolderFrom(std::u16string(modulePath.begin(), modulePath.end()));
  // 5. VER.bin.
  std::array<std::uint8_t, kVersionFileReadLength> version{};
  const FileRead read = ReadFileHead(app.File(kVersionFileName), version);
  app.fileVersion = read.status == FileReadStatus::Read
                        ? ParseVersionFile(std::span<const std::uint8_t>(version.data(), read.bytes))
                        : FileVersion{};
  if (const auto url = ui::ReadFileBytes(app.File(kWebAddressFileName), 4096)) {
    app.webAddress = WebAddressFrom(std::string_view(reinterpret_cast<const char*>(url->data()), url->size()));
  }
  // 6. The window takes the size of main.png.
  if (const auto background = context_.pictures.load(app.Picture(u"main.png"))) {
    const ui::Size size = background->size();
    SetWindowPos(window, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowRgn(window, CreateRoundRectRgn(0, 0, size.width + 1, size.height + 1, kWindowCornerRadius,
                                            kWindowCornerRadius),
                 FALSE);
  }
  // 7. Assigned flags.
  app.assigned.fill(0);
  // 8. Device changes; the threads' window.
  deviceWindow_.Attach(window);
  session_.RegisterForDeviceChanges();
  // 9. Sections collapsed (and the rest of the view state).
  model_.Initialise();
  // 10, 11. Speed and brightness sliders.
  const std::filesystem::path thumb = app.Picture(u"Thumb.png");
  speed_.SetUp(window, kSpeedSliderId, context_.instance, context_.pictures, thumb);
  speed_.SetRange(0, kMaxSpeed);
  brightness_.SetUp(window, kBrightnessSliderId, context_.instance, context_.pictures, thumb);
  brightness_.SetRange(0, kMaxBrightness);
  brightness_.SetPosition(1);
  // 12. Splash screen.
  {
    const std::wstring folder = wide(app.programFolder);
    CSplashScreen splash(SplashPicturePath(folder, IsChinese(app.language)), context_.pictures);
    splash.runModal(nullptr, IDD_SPLASH, context_.instance);
  }
  // 13. Report-rate slider.
  reportRate_.SetUp(window, kReportRateSliderId, context_.instance, context_.pictures, thumb);
  reportRate_.SetRange(0, 3);
  reportRate_.SetPosition(1);
  // 14, 15, 16. Macro file, key names, state file.
  LoadMacroFile(app.MacroFile(), app.macros);
  KeyNames();
  LoadKeymapFile(app.StateFile(), session_.Live(), app.records, KeymapImage::Load);
  session_.Applied() = session_.Live();
  app.appliedRecords = app.records;
  model_.Initialise();
  const DeviceImage& live = session_.Live();
  SetSliderPosition(kBrightnessSliderId, live.lighting.brightness);
  SetSliderPosition(kSpeedSliderId, live.lighting.speed);
  SetSliderPosition(kReportRateSliderId, live.reportRate);
  // 17, 18. The channels; without both the window stays hidden in the tray.
  const bool command = session_.OpenCommandChannel();
  const bool events = session_.OpenEventChannel();
  keepHiddenOnStart(!command || !events);
  // 19. Tray icon.
  addTrayIcon();
}

void CGameKeyboardDlg::addTrayIcon() {
  tray_.cbSize = sizeof tray_;
  tray_.hWnd = hwnd();
  tray_.uID = 0;
  tray_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  tray_.uCallbackMessage = WM_TRAY_NOTIFY;
  tray_.hIcon = icon_;
  copyInto(tray_.szTip, std::size(tray_.szTip), text::kAppName);
  trayAdded_ = Shell_NotifyIconW(NIM_ADD, &tray_) != FALSE;
  if (!trayAdded_) ui::ReportWin32Failure(L"Shell_NotifyIconW");
}

void CGameKeyboardDlg::removeTrayIcon() {
  if (trayAdded_) Shell_NotifyIconW(NIM_DELETE, &tray_);
  trayAdded_ = false;
}

void CGameKeyboardDlg::showBalloon() {
  NOTIFYICONDATAW balloon = tray_;
  balloon.uFlags = NIF_INFO;
  copyInto(balloon.szInfo, std::size(balloon.szInfo), text::kNoKeyboardBalloon);
  copyInto(balloon.szInfoTitle, std::size(balloon.szInfoTitle), text::kNoKeyboardTitle);
  balloon.dwInfoFlags = NIIF_INFO;
  balloon.uTimeout = kBalloonTimeoutMs;
  Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

void CGameKeyboardDlg::showTrayMenu() {
  HMENU menu = LoadMenuW(context_.instance, MAKEINTRESOURCEW(IDR_TRAY_MENU));
  if (!menu) return;
  HMENU popup = GetSubMenu(menu, 0);
  const std::wstring exitText = wide(text::kTrayExit.In(context_.app.language));
  ModifyMenuW(popup, ID_TRAY_EXIT, MF_BYCOMMAND | MF_STRING, ID_TRAY_EXIT, exitText.c_str());
  POINT at;
  GetCursorPos(&at);
  SetForegroundWindow(hwnd());
  const UINT chosen =
      TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, hwnd(), nullptr);
  DestroyMenu(menu);
  if (chosen == ID_TRAY_EXIT) endDialog(IDCANCEL);  // ends without writing any file
}

void CGameKeyboardDlg::paint() {
  ui::PaintScope scope(hwnd());
  RECT client;
  GetClientRect(hwnd(), &client);
  ui::OffscreenCanvas canvas(scope.get(), ui::Rect{0, 0, client.right, client.bottom});
  canvas.fillRect(ui::Rect{0, 0, client.right, client.bottom}, ui::Colour{17, 19, 23});
  model_.Draw(canvas);
}

bool CGameKeyboardDlg::preTranslate(MSG& msg) {
  // F1, Enter and Escape neither close the window nor ask for help.
  if (msg.message == WM_KEYDOWN && (msg.wParam == VK_F1 || msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) {
    return msg.hwnd == hwnd() || IsChild(hwnd(), msg.hwnd);
  }
  return false;
}

INT_PTR CGameKeyboardDlg::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      dialogs_.setOwner(hwnd());
      initialise();
      return TRUE;
    case WM_ERASEBKGND:
      return setResult(1);
    case WM_PAINT:
      paint();
      return TRUE;
    case WM_SETCURSOR:
      if (busy_) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return setResult(TRUE);
      }
      return FALSE;
    case WM_LBUTTONDOWN:
      model_.OnLeftButtonDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return TRUE;
    case WM_LBUTTONUP:
      model_.OnLeftButtonUp(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return TRUE;
    case WM_MOUSEMOVE: {
      // Ask for WM_MOUSELEAVE so the hover ends when the pointer leaves the window.
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd(), 0};
      TrackMouseEvent(&track);
      model_.OnMouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), (wp & MK_LBUTTON) != 0);
      return TRUE;
    }
    case WM_MOUSELEAVE:
      model_.OnMouseMove(-1, -1, false);
      return TRUE;
    case WM_DEVICECHANGE:
      session_.OnDeviceChange(static_cast<std::uint32_t>(wp));
      return setResult(TRUE);
    case WM_DEVICE_KEY:
      model_.OnDeviceKey(static_cast<std::uint8_t>(wp));
      return TRUE;
    case WM_DEVICE_LOADED:
      model_.OnDeviceLoaded(static_cast<std::intptr_t>(lp));
      return TRUE;
    case WM_SLIDER_MOVED:
      model_.OnSliderMoved(static_cast<int>(wp));
      return TRUE;
    case WM_TRAY_NOTIFY:
      if (lp == WM_LBUTTONDBLCLK) model_.OnTrayDoubleClick();
      if (lp == WM_RBUTTONDOWN) showTrayMenu();
      return TRUE;
    case WM_NO_KEYBOARD:
      showBalloon();
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == ID_TRAY_EXIT) {
        endDialog(IDCANCEL);
        return TRUE;
      }
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) return TRUE;  // never closes the window
      return FALSE;
    case WM_SYSCOMMAND:
      if ((wp & 0xFFF0) == kAboutCommand) {
        ui::Dialog about;
        about.runModal(hwnd(), IDD_ABOUTBOX, context_.instance);
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      return TRUE;  // only the close button and the tray menu end the program
    case WM_DESTROY:
      removeTrayIcon();
      session_.ShutdownDeviceLink();
      return FALSE;
    default:
      return ui::Dialog::handle(msg, wp, lp);
  }
}

void CGameKeyboardDlg::Redraw() { InvalidateRect(hwnd(), nullptr, FALSE); }

void CGameKeyboardDlg::ShowWindow() {
  ::ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
}

void CGameKeyboardDlg::HideWindow() { ::ShowWindow(hwnd(), SW_HIDE); }

void CGameKeyboardDlg::EndDialog() { endDialog(IDOK); }

void CGameKeyboardDlg::StartWindowDrag(int x, int y) {
  ReleaseCapture();
  PostMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(x, y));
}

void CGameKeyboardDlg::SetBusyCursor(bool busy) {
  busy_ = busy;
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void CGameKeyboardDlg::ShowNoKeyboardBalloon() { SendMessageW(hwnd(), WM_NO_KEYBOARD, 15, 0); }

void CGameKeyboardDlg::ShowSlider(int controlId, bool visible) {
  if (CBitSlider* s = slider(controlId); s && s->hwnd()) ::ShowWindow(s->hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}

void CGameKeyboardDlg::MoveSlider(int controlId, int x, int y) {
  if (CBitSlider* s = slider(controlId); s && s->hwnd()) {
    SetWindowPos(s->hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void CGameKeyboardDlg::SetSliderPosition(int controlId, int position) {
  if (CBitSlider* s = slider(controlId); s && s->hwnd()) s->SetPosition(position);
}

int CGameKeyboardDlg::SliderPosition(int controlId) {
  CBitSlider* s = slider(controlId);
  return s && s->hwnd() ? s->Position() : 0;
}

}  // namespace kav
