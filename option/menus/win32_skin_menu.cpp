#include "option/menus/win32_skin_menu.h"

#include "ui/win32_canvas.h"
#include "ui/win32_debug.h"
#include "ui/win32_text.h"

namespace opt {

SkinMenu::SkinMenu(ui::Font font) : model_(std::move(font)), menu_(CreatePopupMenu()) {
  if (!menu_) ui::ReportWin32Failure(L"CreatePopupMenu");
}

SkinMenu::~SkinMenu() {
  if (menu_ && !ownedByParent_) DestroyMenu(menu_);
}

void SkinMenu::appendItem(std::uint32_t id, const std::u16string& text, SkinMenu* submenu, bool accent,
                          bool trademark) {
  Item& item = items_.emplace_back();
  item.owner = this;
  item.index = model_.appendItem(id, text, submenu != nullptr, accent, trademark);
  const auto data = reinterpret_cast<const wchar_t*>(&item);  // owner-drawn: the "string" is our item data
  BOOL ok = FALSE;
  if (submenu) {
    submenu->ownedByParent_ = true;
    ok = AppendMenuW(menu_, MF_OWNERDRAW | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu->menu_), data);
  } else if (id == kMenuSeparatorId) {
    ok = AppendMenuW(menu_, MF_OWNERDRAW | MF_SEPARATOR, 0, data);
  } else {
    ok = AppendMenuW(menu_, MF_OWNERDRAW, id, data);
  }
  if (!ok) ui::ReportWin32Failure(L"AppendMenuW");
}

BOOL SkinMenu::track(UINT flags, int x, int y, HWND owner) {
  return TrackPopupMenu(menu_, flags, x, y, 0, owner, nullptr);
}

void SkinMenu::measureItem(MEASUREITEMSTRUCT& item) {
  const ui::Size size = model_.measure(item.itemID);
  item.itemWidth = static_cast<UINT>(size.width);
  item.itemHeight = static_cast<UINT>(size.height);
}

void SkinMenu::drawItem(const DRAWITEMSTRUCT& item) {
  const auto* entry = reinterpret_cast<const Item*>(item.itemData);
  const ui::Rect rect = ui::FromRECT(item.rcItem);
  {
    ui::DcCanvas canvas(item.hDC);
    model_.draw(canvas, entry->index, rect, (item.itemState & ODS_SELECTED) != 0);
  }
  // Keeps the system from drawing its own submenu arrow over ours.
  ExcludeClipRect(item.hDC, rect.left, rect.top, rect.right, rect.bottom);
}

}  // namespace opt
