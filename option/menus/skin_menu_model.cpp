#include "option/menus/skin_menu_model.h"

#include <algorithm>

namespace opt {

std::size_t SkinMenuModel::appendItem(std::uint32_t id, std::u16string text, bool submenu, bool accent,
                                      bool trademark) {
  MenuItemModel item;
  item.id = id;
  item.separator = id == kMenuSeparatorId && !submenu;
  item.submenu = submenu;
  item.accent = accent;
  item.trademark = trademark;
  const int wanted = kMenuCharWidth * static_cast<int>(text.size()) + leftMargin_ + rightMargin_;
  item.text = std::move(text);
  items_.push_back(std::move(item));
  width_ = std::max(width_, wanted);
  return items_.size() - 1;
}

ui::Size SkinMenuModel::measure(std::uint32_t systemItemId) const {
  if (systemItemId == 0) return {width_, kMenuSeparatorHeight};
  if (systemItemId == 1) return {width_, 0};
  return {width_, kMenuItemHeight};
}

void SkinMenuModel::draw(ui::Canvas& canvas, std::size_t index, ui::Rect rect, bool selected) const {
  if (index >= items_.size()) return;
  const MenuItemModel& item = items_[index];
  if (item.separator) {
    canvas.fillRect(rect, kMenuBackground);
    const int middle = rect.top + rect.height() / 2;
    canvas.fillRect({rect.left, middle, rect.right, middle + 1}, kMenuHighlight);
    return;
  }
  canvas.fillRect(rect, selected ? kMenuHighlight : kMenuBackground);
  const ui::Colour colour = item.accent ? kMenuAccentText : selected ? kMenuSelectedText : kMenuText;
  const ui::Size text = canvas.measureText(item.text, font_);
  const int y = rect.top + (rect.height() - text.height) / 2;
  canvas.drawText(item.text, {rect.left + kMenuTextLeft, y}, font_, colour);
  if (item.trademark) canvas.drawText(u"TM", {rect.left + kMenuTextLeft + text.width, y}, kMenuTrademarkFont, colour);
  if (item.submenu) {
    const int cellLeft = rect.right - kMenuArrowCellLeftFromRight;
    const int cellTop = rect.top - kMenuArrowCellAboveTop;
    for (const ArrowColumn& column : kMenuArrowColumns)
      canvas.fillRect({cellLeft + column.x, cellTop + column.top, cellLeft + column.x + 1, cellTop + column.bottom},
                      ui::kWhite);
  }
}

}  // namespace opt
