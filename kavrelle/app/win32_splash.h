#pragma once
// CSplashScreen: the picture shown for about a second while the main window starts.

#include <windows.h>

#include <string>

#include "ui/picture.h"
#include "ui/win32_window.h"

namespace kav {

class CSplashScreen : public ui::Dialog {
 public:
  CSplashScreen(std::wstring picturePath, ui::PictureLoader& loader) : path_(std::move(picturePath)), loader_(loader) {}

 protected:
  INT_PTR handle(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  std::wstring path_;
  ui::PictureLoader& loader_;
  int width_ = 0;
  int height_ = 0;
};

// "%s\png\chinese\SplashScreen.png" or the English one, from the program folder (which ends
// with a backslash already, so the path holds a doubled one; Windows accepts it).
std::wstring SplashPicturePath(const std::wstring& programFolder, bool chinese);

}  // namespace kav
