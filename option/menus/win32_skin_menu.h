#pragma once
// SkinMenu: a popup menu whose items are owner-drawn from a SkinMenuModel. The owner window
// passed to `track` must hand WM_MEASUREITEM / WM_DRAWITEM to ui::DispatchOwnerDraw (the
// default handling of ui::Window and ui::Dialog does). A submenu must outlive its parent
// menu's tracking; the top menu destroys the whole tree.

#include <windows.h>

#include <deque>
#include <string>

#include "option/menus/skin_menu_model.h"
#include "ui/win32_window.h"

namespace opt {

class SkinMenu : public ui::OwnerDraw {
 public:
  explicit SkinMenu(ui::Font font);
  ~SkinMenu() override;
  SkinMenu(const SkinMenu&) = delete;
  SkinMenu& operator=(const SkinMenu&) = delete;

  // kMenuSeparatorId appends a separator; a submenu appends a popup item.
  void appendItem(std::uint32_t id, const std::u16string& text, SkinMenu* submenu = nullptr, bool accent = false,
                  bool trademark = false);
  void setWidth(int pixels) { model_.setWidth(pixels); }
  // The system's popup tracking; returns what TrackPopupMenu returns.
  BOOL track(UINT flags, int x, int y, HWND owner);

  HMENU handle() const { return menu_; }
  const SkinMenuModel& model() const { return model_; }

  void measureItem(MEASUREITEMSTRUCT& item) override;
  void drawItem(const DRAWITEMSTRUCT& item) override;

 private:
  struct Item : ui::OwnerDrawMenuItem {
    std::size_t index = 0;
  };
  SkinMenuModel model_;
  HMENU menu_;
  bool ownedByParent_ = false;
  std::deque<Item> items_;  // stable addresses: the menu keeps pointers to them
};

}  // namespace opt
