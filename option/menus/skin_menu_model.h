#pragma once
// What an owner-drawn popup menu of Option measures and draws: dark items, a cyan
// highlight, 20-pixel items and 5-pixel separators.

#include <cstdint>
#include <string>
#include <vector>

#include "ui/canvas.h"

namespace opt {

inline constexpr std::uint32_t kMenuSeparatorId = 2048;  // appendItem's identifier for a separator
inline constexpr int kMenuItemHeightBase = 18;
inline constexpr int kMenuItemHeight = kMenuItemHeightBase + 2;
inline constexpr int kMenuSeparatorHeight = 5;
inline constexpr int kMenuCharWidth = 8;  // width grows by this per character of an item's text
inline constexpr int kMenuTextLeft = 2;

inline constexpr ui::Colour kMenuBackground{18, 18, 18};
inline constexpr ui::Colour kMenuHighlight{1, 213, 237};
inline constexpr ui::Colour kMenuText{240, 240, 240};
inline constexpr ui::Colour kMenuSelectedText{255, 255, 255};
inline constexpr ui::Colour kMenuAccentText{68, 191, 255};
inline const ui::Font kMenuTrademarkFont{u"Eurostile", 8, 0, 400};

// The submenu arrow, icon 145: a white arrow head in a 32 x 32 cell whose top-left corner
// sits 19 pixels left of the item's right edge and 9 pixels above its top.
inline constexpr int kMenuArrowCellLeftFromRight = 19;
inline constexpr int kMenuArrowCellAboveTop = 9;
struct ArrowColumn {
  int x, top, bottom;  // cell coordinates, bottom exclusive
};
inline constexpr ArrowColumn kMenuArrowColumns[] = {{13, 12, 19}, {14, 13, 18}, {15, 14, 17}, {16, 15, 16}};

struct MenuItemModel {
  std::uint32_t id = 0;
  std::u16string text;
  bool separator = false;
  bool submenu = false;
  bool accent = false;
  bool trademark = false;
};

class SkinMenuModel {
 public:
  explicit SkinMenuModel(ui::Font font) : font_(std::move(font)) {}

  // Returns the index of the new item. Identifier kMenuSeparatorId appends a separator.
  std::size_t appendItem(std::uint32_t id, std::u16string text, bool submenu, bool accent, bool trademark);
  void setWidth(int pixels) { width_ = pixels; }
  int width() const { return width_; }
  const ui::Font& font() const { return font_; }
  const std::vector<MenuItemModel>& items() const { return items_; }

  // Height of an item by the identifier the system reports: 0 (a separator) 5, 1 nothing,
  // anything else 20. The width is the menu's.
  ui::Size measure(std::uint32_t systemItemId) const;
  void draw(ui::Canvas& canvas, std::size_t index, ui::Rect rect, bool selected) const;

 private:
  ui::Font font_;
  int width_ = 0;
  int leftMargin_ = 0;
  int rightMargin_ = 0;
  std::vector<MenuItemModel> items_;
};

}  // namespace opt
