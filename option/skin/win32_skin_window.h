#pragma once
// Skinned windows: the five screen pictures of a skin file, the window shape from its mask,
// and the dialog base every skinned window and page of Option derives from.

#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>

#include "option/skin/skin_controls_model.h"
#include "option/skin/skin_file.h"
#include "option/skin/win32_skin_source.h"
#include "ui/canvas.h"
#include "ui/picture.h"
#include "ui/win32_gdi.h"
#include "ui/win32_window.h"

namespace opt {

// Window messages of the skinned controls.
inline constexpr UINT kMsgButtonHover = WM_USER + 100;       // 1124 to the parent: wParam 1/0, lParam notify id
inline constexpr UINT kMsgHoverToMain = WM_USER + 101;       // 1125 to the main window: wParam 1/0
inline constexpr UINT kMsgEditEnterReleased = WM_USER + 92;  // 1116 to the parent: wParam 13
inline constexpr wchar_t kMsgNameEditKillFocus[] = L"BitmapEdit_KillFocus";
inline constexpr wchar_t kMsgNameEditChange[] = L"BitmapEdit_Change";

// Registered once at start-up; later calls return the same numbers.
UINT EditKillFocusMessage();
UINT EditChangeMessage();

// Shared by every skinned window and control of the process; owned by the application.
struct SkinContext {
  std::filesystem::path skinFolder;
  ui::PictureLoader* loader = nullptr;
  HWND mainWindow = nullptr;
  std::u16string hoverText;  // hint text of the button under the mouse, or empty
};

// The four state pictures cut out of the screen pictures for one control.
struct CutPictures {
  std::unique_ptr<ui::Picture> normal, over, down, disabled;
  ButtonPictures view() const { return {normal.get(), over.get(), down.get(), disabled.get()}; }
};

class SkinScreen {
 public:
  // Loads the pictures named in section SCREEN; missing or undecodable ones stay empty.
  void load(SkinSource& source, const std::filesystem::path& folder, ui::PictureLoader& loader);
  void release();

  const ui::Picture* mask() const { return mask_.get(); }
  const ui::Picture* normal() const { return normal_.get(); }
  const ui::Picture* over() const { return over_.get(); }
  const ui::Picture* down() const { return down_.get(); }
  const ui::Picture* disable() const { return disable_.get(); }
  // Normal, over, down and disabled pictures of the area `rect` of the four sources.
  CutPictures cut(ui::Rect rect) const;

 private:
  std::unique_ptr<ui::Picture> mask_, normal_, over_, down_, disable_;
};

// The region of the mask's non-white pixels; an all-white mask gives an empty region.
ui::Region BuildMaskRegion(const ui::PixelView& mask);

class SkinnedDialog : public ui::Dialog {
 public:
  enum class Placement { ParentOrigin, CentreOverOwner };
  SkinnedDialog(SkinContext& context, std::u16string skinFile, Placement placement = Placement::ParentOrigin);

  const SkinScreen& screen() const { return screen_; }
  SkinContext& context() { return context_; }

 protected:
  INT_PTR handle(UINT msg, WPARAM wp, LPARAM lp) override;
  bool preTranslate(MSG& msg) override;
  // After the skin is applied: create the controls here.
  virtual void onSkinLoaded() {}
  // Drawn on top of the background, inside the same off-screen bitmap.
  virtual void paintOver(ui::Canvas&) {}

  SkinItem item(int key);
  SkinItem pagePosition();

 private:
  void applySkin();
  SkinContext& context_;
  std::u16string skinFile_;
  Placement placement_;
  std::unique_ptr<PrivateProfileSkinSource> source_;
  SkinScreen screen_;
};

}  // namespace opt
