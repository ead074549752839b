#include "ui/win32_window.h"

#include <vector>

#include "ui/win32_debug.h"

namespace ui {
namespace {

constexpr wchar_t kControlProperty[] = L"ui.Control";

}  // namespace

bool DispatchOwnerDraw(UINT msg, WPARAM, LPARAM lp) {
  if (msg == WM_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    OwnerDraw* owner = nullptr;
    if (item.CtlType == ODT_MENU) {
      if (item.itemData) owner = reinterpret_cast<OwnerDrawMenuItem*>(item.itemData)->owner;
    } else {
      owner = Control::fromHandle(item.hwndItem);
    }
    if (!owner) return false;
    owner->drawItem(item);
    return true;
  }
  if (msg == WM_MEASUREITEM) {
    auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
    if (item.CtlType != ODT_MENU || !item.itemData) return false;
    OwnerDraw* owner = reinterpret_cast<OwnerDrawMenuItem*>(item.itemData)->owner;
    if (!owner) return false;
    owner->measureItem(item);
    return true;
  }
  return false;
}

HBRUSH ReflectControlColour(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_CTLCOLOREDIT && msg != WM_CTLCOLORSTATIC && msg != WM_CTLCOLORBTN && msg != WM_CTLCOLORLISTBOX)
    return nullptr;
  Control* control = Control::fromHandle(reinterpret_cast<HWND>(lp));
  return control ? control->controlColour(reinterpret_cast<HDC>(wp)) : nullptr;
}

bool IsEnterOrEscapeDown(const MSG& msg) {
  return msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE);
}

// ---- Window

bool RegisterWindowClass(const wchar_t* className, UINT style, HCURSOR cursor, HBRUSH background) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(instance, className, &wc)) return true;
  wc = WNDCLASSEXW{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = Window::procedure();
  wc.hInstance = instance;
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  if (!RegisterClassExW(&wc)) {
    ReportWin32Failure(L"RegisterClassExW");
    return false;
  }
  return true;
}

Window::~Window() { destroy(); }

bool Window::create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, Rect rect, HWND parent,
                    HMENU menuOrId) {
  HWND created = CreateWindowExW(exStyle, className, title, style, rect.left, rect.top, rect.width(), rect.height(),
                                 parent, menuOrId, GetModuleHandleW(nullptr), this);
  if (!created) {
    ReportWin32Failure(L"CreateWindowExW");
    return false;
  }
  return true;
}

void Window::destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

Window* Window::fromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  WNDPROC proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
  if (proc != &Window::staticProc) return nullptr;
  return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT Window::handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (DispatchOwnerDraw(msg, wp, lp)) return TRUE;
  if (HBRUSH brush = ReflectControlColour(msg, wp, lp)) return reinterpret_cast<LRESULT>(brush);
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK Window::staticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    if (self) {
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  const LRESULT result = self->handle(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->onDetached();
  }
  return result;
}

// ---- Control

Control::~Control() { destroy(); }

bool Control::create(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, Rect rect, HWND parent,
                     int id) {
  HWND created =
      CreateWindowExW(exStyle, className, text, style, rect.left, rect.top, rect.width(), rect.height(), parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (!created) {
    ReportWin32Failure(L"CreateWindowExW");
    return false;
  }
  return attach(created);
}

bool Control::attach(HWND hwnd) {
  if (!hwnd || hwnd_) return false;
  if (!SetPropW(hwnd, kControlProperty, this)) {
    ReportWin32Failure(L"SetPropW");
    return false;
  }
  hwnd_ = hwnd;
  SetLastError(0);
  previous_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::staticProc)));
  if (!previous_ && GetLastError() != 0) {
    ReportWin32Failure(L"SetWindowLongPtrW");
    RemovePropW(hwnd, kControlProperty);
    hwnd_ = nullptr;
    return false;
  }
  return true;
}

void Control::detach() {
  if (!hwnd_) return;
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  RemovePropW(hwnd_, kControlProperty);
  hwnd_ = nullptr;
  previous_ = nullptr;
}

void Control::destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
  detach();
}

Control* Control::fromHandle(HWND hwnd) {
  return hwnd ? static_cast<Control*>(GetPropW(hwnd, kControlProperty)) : nullptr;
}

LRESULT Control::handle(UINT msg, WPARAM wp, LPARAM lp) { return callPrevious(msg, wp, lp); }

LRESULT Control::callPrevious(UINT msg, WPARAM wp, LPARAM lp) {
  return previous_ ? CallWindowProcW(previous_, hwnd_, msg, wp, lp) : DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK Control::staticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Control* self = fromHandle(hwnd);
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    WNDPROC previous = self->previous_;
    self->detach();
    return CallWindowProcW(previous, hwnd, msg, wp, lp);
  }
  return self->handle(msg, wp, lp);
}

// ---- Dialog

namespace {

// An empty dialog template: no caption, no controls; skinned windows size themselves.
std::vector<WORD> EmptyTemplate(DWORD style) {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
  auto* tmpl = reinterpret_cast<DLGTEMPLATE*>(words.data());
  tmpl->style = style;
  tmpl->cdit = 0;
  return words;  // menu, class and title words stay 0
}

}  // namespace

Dialog::~Dialog() { destroy(); }

bool Dialog::createIndirect(HWND parent, DWORD style, int templateId, HINSTANCE instance) {
  HWND created = nullptr;
  if (templateId != 0) {
    created = CreateDialogParamW(instance ? instance : GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), parent,
                                 &Dialog::staticProc, reinterpret_cast<LPARAM>(this));
  } else {
    std::vector<WORD> words = EmptyTemplate(style);
    created = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(words.data()),
                                         parent, &Dialog::staticProc, reinterpret_cast<LPARAM>(this));
  }
  if (!created) {
    ReportWin32Failure(L"CreateDialog");
    return false;
  }
  return true;
}

bool Dialog::createModeless(HWND parent, DWORD style, int templateId, HINSTANCE instance) {
  return createIndirect(parent, style, templateId, instance);
}

INT_PTR Dialog::runModal(HWND owner, int templateId, HINSTANCE instance) {
  ended_ = false;
  result_ = IDCANCEL;
  if (!createIndirect(owner, WS_POPUP | WS_CLIPCHILDREN, templateId, instance)) return -1;
  const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  modalRunning_ = true;
  if (!hiddenOnStart_) ShowWindow(hwnd_, SW_SHOW);
  MSG msg;
  while (!ended_ && hwnd_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave WM_QUIT for the outer loop
      break;
    }
    if (got < 0) break;
    if (preTranslate(msg)) continue;
    if (hwnd_ && IsDialogMessageW(hwnd_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  modalRunning_ = false;
  // Re-enable the owner before the dialog goes, so activation returns to it.
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  if (hwnd_) {
    if (owner) SetActiveWindow(owner);
    DestroyWindow(hwnd_);
  }
  return result_;
}

void Dialog::endDialog(INT_PTR result) {
  result_ = result;
  ended_ = true;
  if (hwnd_) {
    if (modalRunning_)
      PostMessageW(hwnd_, WM_NULL, 0, 0);  // wake the modal loop
    else
      DestroyWindow(hwnd_);
  }
}

void Dialog::destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

Dialog* Dialog::fromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  if (reinterpret_cast<DLGPROC>(GetWindowLongPtrW(hwnd, DWLP_DLGPROC)) != &Dialog::staticProc) return nullptr;
  return reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
}

INT_PTR Dialog::handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (DispatchOwnerDraw(msg, wp, lp)) return TRUE;
  if (HBRUSH brush = ReflectControlColour(msg, wp, lp)) return reinterpret_cast<INT_PTR>(brush);
  if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) && lp == 0) {
    endDialog(LOWORD(wp));
    return TRUE;
  }
  if (msg == WM_CLOSE) {
    endDialog(IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

INT_PTR Dialog::setResult(LRESULT result) {
  SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR CALLBACK Dialog::staticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Dialog* self = nullptr;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lp);
    if (self) {
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    }
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;
  const INT_PTR result = self->handle(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
    self->onDetached();
  }
  return result;
}

}  // namespace ui
