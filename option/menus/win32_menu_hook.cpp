#include "option/menus/win32_menu_hook.h"

#include <memory>
#include <vector>

#include "option/menus/skin_menu_model.h"
#include "ui/win32_debug.h"
#include "ui/win32_gdi.h"

namespace opt {
namespace {

constexpr std::size_t kBuckets = 1000;
constexpr ui::Colour kFrameInner{18, 18, 18};

struct MenuRecord {
  HWND hwnd;
  WNDPROC previous;
};

// Menu windows by handle: 1000 buckets keyed by the handle value / 16.
class MenuTable {
 public:
  MenuTable() : buckets_(kBuckets) {}
  void add(HWND hwnd, WNDPROC previous) { bucket(hwnd).push_back({hwnd, previous}); }
  const MenuRecord* find(HWND hwnd) const {
    for (const MenuRecord& r : bucket(hwnd))
      if (r.hwnd == hwnd) return &r;
    return nullptr;
  }
  void remove(HWND hwnd) {
    auto& b = bucket(hwnd);
    std::erase_if(b, [&](const MenuRecord& r) { return r.hwnd == hwnd; });
  }
  std::vector<MenuRecord> all() const {
    std::vector<MenuRecord> out;
    for (const auto& b : buckets_) out.insert(out.end(), b.begin(), b.end());
    return out;
  }

 private:
  static std::size_t index(HWND hwnd) { return (reinterpret_cast<std::uintptr_t>(hwnd) / 16) % kBuckets; }
  std::vector<MenuRecord>& bucket(HWND hwnd) { return buckets_[index(hwnd)]; }
  const std::vector<MenuRecord>& bucket(HWND hwnd) const { return buckets_[index(hwnd)]; }
  std::vector<std::vector<MenuRecord>> buckets_;
};

// The hook belongs to the thread that installed it; this state is that thread's.
struct HookState {
  HHOOK hook = nullptr;
  std::unique_ptr<MenuTable> table;
};
thread_local HookState t_state;

LRESULT CALLBACK MenuProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

bool isMenuWindow(HWND hwnd) {
  wchar_t name[16] = {};
  return GetClassNameW(hwnd, name, 16) && lstrcmpW(name, kMenuWindowClass) == 0;
}

void subclass(HWND hwnd) {
  if (!t_state.table || GetPropW(hwnd, kMenuOldProcProperty) || !isMenuWindow(hwnd)) return;
  const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
  if (!SetPropW(hwnd, kMenuOldProcProperty, reinterpret_cast<HANDLE>(previous))) return;
  SetLastError(0);
  if (!SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MenuProc)) && GetLastError() != 0) {
    ui::ReportWin32Failure(L"SetWindowLongPtrW menu window");
    RemovePropW(hwnd, kMenuOldProcProperty);
    return;
  }
  t_state.table->add(hwnd, previous);
}

void restore(HWND hwnd, WNDPROC previous) {
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &MenuProc)
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  RemovePropW(hwnd, kMenuOldProcProperty);
  if (t_state.table) t_state.table->remove(hwnd);
}

WNDPROC previousOf(HWND hwnd) {
  if (t_state.table)
    if (const MenuRecord* record = t_state.table->find(hwnd)) return record->previous;
  return reinterpret_cast<WNDPROC>(GetPropW(hwnd, kMenuOldProcProperty));
}

void paintFrame(HWND hwnd, HDC dc) {
  RECT window{};
  GetWindowRect(hwnd, &window);
  DrawMenuFrame(dc, window.right - window.left, window.bottom - window.top);
}

LRESULT CALLBACK MenuProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  const WNDPROC previous = previousOf(hwnd);
  if (!previous) return DefWindowProcW(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_NCPAINT: {
      HDC dc = GetWindowDC(hwnd);
      paintFrame(hwnd, dc);
      ReleaseDC(hwnd, dc);
      return 0;
    }
    case WM_PAINT: {
      // Some systems draw the menu's border inside the client area while painting: the
      // frame goes over it afterwards (outside the items, so hover redraws keep it).
      const LRESULT result = CallWindowProcW(previous, hwnd, msg, wp, lp);
      HDC dc = GetWindowDC(hwnd);
      paintFrame(hwnd, dc);
      ReleaseDC(hwnd, dc);
      return result;
    }
    case WM_PRINT: {
      const LRESULT result = CallWindowProcW(previous, hwnd, msg, wp, lp);
      paintFrame(hwnd, reinterpret_cast<HDC>(wp));
      return result;
    }
    case WM_SHOWWINDOW:
      if (!wp) restore(hwnd, previous);
      break;
    case WM_WINDOWPOSCHANGING:
      if (reinterpret_cast<const WINDOWPOS*>(lp)->flags & SWP_HIDEWINDOW) restore(hwnd, previous);
      break;
    case WM_NCDESTROY:
      restore(hwnd, previous);
      break;
    default:  // WM_NCCALCSIZE included: the previous procedure's result is kept as it is
      break;
  }
  return CallWindowProcW(previous, hwnd, msg, wp, lp);
}

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (call->message == WM_CREATE || call->message == WM_NCCREATE || call->message == kMsgMenuSizeWindow)
      subclass(call->hwnd);
  }
  return CallNextHookEx(t_state.hook, code, wp, lp);
}

}  // namespace

void DrawMenuFrame(HDC dc, int width, int height) {
  RECT r{0, 0, width, height};
  ui::Brush outer(CreateSolidBrush(ui::ToCOLORREF(kMenuHighlight)));
  ui::Brush inner(CreateSolidBrush(ui::ToCOLORREF(kFrameInner)));
  FrameRect(dc, &r, outer.get());
  InflateRect(&r, -1, -1);
  FrameRect(dc, &r, inner.get());
  InflateRect(&r, -1, -1);
  FrameRect(dc, &r, inner.get());
}

bool installMenuHook() {
  if (t_state.hook) return true;
  t_state.hook = SetWindowsHookExW(WH_CALLWNDPROC, &CallWndProcHook, nullptr, GetCurrentThreadId());
  if (!t_state.hook) {
    ui::ReportWin32Failure(L"SetWindowsHookExW WH_CALLWNDPROC");
    return false;
  }
  t_state.table = std::make_unique<MenuTable>();
  return true;
}

void removeMenuHook() {
  if (t_state.table)
    for (const MenuRecord& record : t_state.table->all()) restore(record.hwnd, record.previous);
  t_state.table.reset();
  if (t_state.hook) UnhookWindowsHookEx(t_state.hook);
  t_state.hook = nullptr;
}

std::size_t subclassedMenuCount() { return t_state.table ? t_state.table->all().size() : 0; }

}  // namespace opt
