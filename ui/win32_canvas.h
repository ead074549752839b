#pragma once
// The Canvas on a Win32 device context.
//   DcCanvas        draws straight onto a DC the caller owns.
//   OffscreenCanvas draws into a memory bitmap of the target's size and copies it to the
//                   target once, when it goes out of scope (no flicker, no separate erase).

#include <windows.h>

#include <map>
#include <memory>
#include <tuple>

#include "ui/canvas.h"
#include "ui/win32_gdi.h"

namespace ui {

class DcCanvas : public Canvas {
 public:
  explicit DcCanvas(HDC dc);
  ~DcCanvas() override;
  DcCanvas(const DcCanvas&) = delete;
  DcCanvas& operator=(const DcCanvas&) = delete;

  void fillRect(Rect area, Colour colour) override;
  void frameRect(Rect area, Colour colour) override;
  void drawPicture(const Picture& picture, Rect source, Point at) override;
  using Canvas::drawPicture;
  void drawText(std::u16string_view text, Point at, const Font& font, Colour colour) override;
  Size measureText(std::u16string_view text, const Font& font) override;
  HDC dc() const { return dc_; }

 private:
  HFONT fontFor(const Font& font);
  HDC dc_;
  MemoryDc pictureDc_;
  std::map<std::tuple<std::u16string, int, int, int>, FontHandle> fonts_;
  HGDIOBJ originalFont_ = nullptr;
};

class OffscreenCanvas : public Canvas {
 public:
  // Paints `area` of the target DC (usually the whole client area).
  OffscreenCanvas(HDC target, Rect area);
  ~OffscreenCanvas() override;
  OffscreenCanvas(const OffscreenCanvas&) = delete;
  OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

  void fillRect(Rect area, Colour colour) override { inner().fillRect(area.offset(-area_.left, -area_.top), colour); }
  void frameRect(Rect area, Colour colour) override { inner().frameRect(area.offset(-area_.left, -area_.top), colour); }
  void drawPicture(const Picture& picture, Rect source, Point at) override {
    inner().drawPicture(picture, source, {at.x - area_.left, at.y - area_.top});
  }
  using Canvas::drawPicture;
  void drawText(std::u16string_view text, Point at, const Font& font, Colour colour) override {
    inner().drawText(text, {at.x - area_.left, at.y - area_.top}, font, colour);
  }
  Size measureText(std::u16string_view text, const Font& font) override { return inner().measureText(text, font); }

 private:
  Canvas& inner() { return canvas_ ? static_cast<Canvas&>(*canvas_) : direct_; }
  HDC target_;
  Rect area_;
  MemoryDc memory_;
  Bitmap bitmap_;
  HGDIOBJ previousBitmap_ = nullptr;
  std::unique_ptr<DcCanvas> canvas_;
  DcCanvas direct_;  // used only when the memory bitmap could not be made
};

}  // namespace ui
