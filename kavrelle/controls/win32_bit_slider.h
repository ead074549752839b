#pragma once
// CBitSlider: a trackbar that jumps to the clicked value, ignores the wheel, paints itself
// from bitmaps 139/140 and "Thumb.png", and tells its owner WM_SLIDER_MOVED on every paint
// and mouse move.

#include <windows.h>

#include <filesystem>
#include <memory>

#include "ui/picture.h"
#include "ui/win32_window.h"

namespace kav {

inline constexpr UINT WM_SLIDER_MOVED = 1913;

class CBitSlider : public ui::Control {
 public:
  // Takes over the dialog's trackbar `controlId`; loads the bitmaps and sizes the control
  // to them. `thumbPicture` is read again at every paint so a replaced file shows.
  bool SetUp(HWND dialog, int controlId, HINSTANCE resources, ui::PictureLoader& loader,
             std::filesystem::path thumbPicture);
  void SetRange(int min, int max);
  void SetPosition(int position);
  int Position() const;
  int Id() const { return id_; }

 protected:
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void paint();
  void notifyOwner();
  int id_ = 0;
  ui::PictureLoader* loader_ = nullptr;
  std::filesystem::path thumbPicture_;
  std::unique_ptr<ui::Picture> track_;
  std::unique_ptr<ui::Picture> filled_;
};

}  // namespace kav
