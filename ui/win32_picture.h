#pragma once
// Pictures in memory as 32-bit top-down DIB sections, and the two loaders:
//   OlePictureLoader     BMP and JPEG (and GIF) through OleLoadPicture, decoded by content.
//   GdiplusPictureLoader PNG (and the other GDI+ formats) by path, keeping the alpha channel
//                        premultiplied so the canvas can blend it.

#include <windows.h>

#include <memory>

#include "ui/picture.h"
#include "ui/win32_gdi.h"

namespace ui {

class Win32Picture : public Picture {
 public:
  // A blank picture; nothing when the size is empty or the bitmap cannot be made.
  static std::unique_ptr<Win32Picture> create(int width, int height, bool hasAlpha = false);

  Size size() const override { return {width_, height_}; }
  PixelView pixels() const override;
  std::unique_ptr<Picture> copyArea(Rect area) const override;

  HBITMAP bitmap() const { return bitmap_.get(); }
  std::uint32_t* bits() { return bits_; }
  bool hasAlpha() const { return hasAlpha_; }
  // A picture whose every pixel is opaque is copied, not blended: much faster to paint.
  void dropAlphaIfOpaque();

 private:
  Win32Picture() = default;
  Bitmap bitmap_;
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  bool hasAlpha_ = false;
};

class OlePictureLoader : public PictureLoader {
 public:
  std::unique_ptr<Picture> load(const std::filesystem::path& file) override;
};

// GDI+ must be started before the first load and shut down after the last picture is used;
// the loader does both for its own lifetime.
class GdiplusPictureLoader : public PictureLoader {
 public:
  GdiplusPictureLoader();
  ~GdiplusPictureLoader() override;
  GdiplusPictureLoader(const GdiplusPictureLoader&) = delete;
  GdiplusPictureLoader& operator=(const GdiplusPictureLoader&) = delete;
  std::unique_ptr<Picture> load(const std::filesystem::path& file) override;

 private:
  ULONG_PTR token_ = 0;
};

// The Win32 picture behind a Picture made by this layer, or null for other kinds.
inline const Win32Picture* AsWin32(const Picture& picture) { return dynamic_cast<const Win32Picture*>(&picture); }

// A one-pixel-per-point monochrome picture from pixel rows, for built-in shapes and icons.
std::unique_ptr<Win32Picture> PictureFromPixels(const PixelView& pixels);

}  // namespace ui

namespace ui {
// A bitmap resource of the module as a picture; nothing when it is missing.
std::unique_ptr<Win32Picture> PictureFromBitmapResource(HINSTANCE instance, int id);
}  // namespace ui
