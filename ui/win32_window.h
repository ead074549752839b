#pragma once
// The Win32 class layer: one C++ object per window, one `handle` switch per class.
//
//   Window   a window of a class registered by this program. The static procedure binds
//            `this` at WM_NCCREATE and forwards every message to `handle`; the binding is
//            cleared at WM_NCDESTROY, after which `hwnd()` is null.
//   Control  an existing window (a system BUTTON or EDIT, or a menu window) whose procedure
//            is replaced; `handle` falls back to the previous procedure, which is put back
//            at WM_NCDESTROY or by `detach`.
//   Dialog   a dialog bound at WM_INITDIALOG. `runModal` runs it in this layer's own modal
//            loop, which offers every message to `preTranslate` first.
//
// Owner-drawn children and menu items receive WM_DRAWITEM / WM_MEASUREITEM through their
// OwnerDraw object, and controls answer their own WM_CTLCOLOR* requests; the default
// handling of Window and Dialog does both dispatches.

#include <windows.h>

#include <string>

#include "ui/geometry.h"

namespace ui {

class OwnerDraw {
 public:
  virtual ~OwnerDraw() = default;
  virtual void drawItem(const DRAWITEMSTRUCT& item) = 0;
  virtual void measureItem(MEASUREITEMSTRUCT&) {}
};

// Owner-drawn menu items carry a pointer to one of these as their item data.
struct OwnerDrawMenuItem {
  OwnerDraw* owner = nullptr;
};

// WM_DRAWITEM / WM_MEASUREITEM to the OwnerDraw of the control or menu item; true when the
// message was one of them and had a receiver.
bool DispatchOwnerDraw(UINT msg, WPARAM wp, LPARAM lp);
// WM_CTLCOLOR* back to the control that asks, so a control keeps its own colours: the
// control's brush, or null when the message is not one of them or the control has none.
HBRUSH ReflectControlColour(UINT msg, WPARAM wp, LPARAM lp);

// Registers a window class whose procedure is Window's; a second call is harmless.
bool RegisterWindowClass(const wchar_t* className, UINT style, HCURSOR cursor, HBRUSH background = nullptr);

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  bool create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, Rect rect, HWND parent,
              HMENU menuOrId = nullptr);
  void destroy();
  HWND hwnd() const { return hwnd_; }

  static Window* fromHandle(HWND hwnd);
  // The procedure every class registered through RegisterWindowClass uses.
  static WNDPROC procedure() { return &staticProc; }

 protected:
  // Every message of the window; the base version does owner-draw dispatch and DefWindowProc.
  virtual LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
  // Called once after the last message; the object may then be reused or deleted.
  virtual void onDetached() {}

 private:
  static LRESULT CALLBACK staticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

class Control : public OwnerDraw {
 public:
  Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  ~Control() override;

  // Creates a window of a system class and takes it over.
  bool create(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, Rect rect, HWND parent,
              int id);
  bool attach(HWND hwnd);
  void detach();
  void destroy();
  HWND hwnd() const { return hwnd_; }
  static Control* fromHandle(HWND hwnd);

  void drawItem(const DRAWITEMSTRUCT&) override {}
  // Reflected WM_CTLCOLOR*: set the DC's colours and return the background brush (owned by
  // the control), or null for the system's colours.
  virtual HBRUSH controlColour(HDC) { return nullptr; }

 protected:
  virtual LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT callPrevious(UINT msg, WPARAM wp, LPARAM lp);

 private:
  static LRESULT CALLBACK staticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
  WNDPROC previous_ = nullptr;
};

class Dialog {
 public:
  Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;
  virtual ~Dialog();

  // Modal: creates the dialog (from resource `templateId` of `instance`, or an empty popup
  // when templateId is 0), disables the owner and runs the modal loop until `endDialog`.
  INT_PTR runModal(HWND owner, int templateId = 0, HINSTANCE instance = nullptr);
  // Modeless (pages): a child or popup dialog that lives until destroyed.
  bool createModeless(HWND parent, DWORD style, int templateId = 0, HINSTANCE instance = nullptr);
  void endDialog(INT_PTR result);
  void destroy();
  HWND hwnd() const { return hwnd_; }
  static Dialog* fromHandle(HWND hwnd);

 protected:
  // Dialog-procedure contract: return TRUE when handled (use `setResult` for messages that
  // need a value), FALSE to let the dialog manager do its default. The base version does
  // owner-draw dispatch, ends the modal loop on IDOK / IDCANCEL and returns FALSE.
  virtual INT_PTR handle(UINT msg, WPARAM wp, LPARAM lp);
  // Sees every message of the modal loop before the dialog manager; true swallows it.
  virtual bool preTranslate(MSG&) { return false; }
  virtual void onDetached() {}
  INT_PTR setResult(LRESULT result);
  // Called during WM_INITDIALOG: the modal loop then starts with the dialog hidden.
  void keepHiddenOnStart(bool hidden) { hiddenOnStart_ = hidden; }

 private:
  static INT_PTR CALLBACK staticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  bool createIndirect(HWND parent, DWORD style, int templateId, HINSTANCE instance);
  HWND hwnd_ = nullptr;
  bool modalRunning_ = false;
  bool hiddenOnStart_ = false;
  bool ended_ = false;
  INT_PTR result_ = 0;
};

// Is this key-down message Enter or Escape? Skinned windows swallow them in preTranslate.
bool IsEnterOrEscapeDown(const MSG& msg);

}  // namespace ui
