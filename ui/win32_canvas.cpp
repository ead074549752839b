#include "ui/win32_canvas.h"

#include "ui/win32_debug.h"
#include "ui/win32_picture.h"
#include "ui/win32_text.h"

namespace ui {

DcCanvas::DcCanvas(HDC dc) : dc_(dc), pictureDc_(dc) { SetBkMode(dc_, TRANSPARENT); }

DcCanvas::~DcCanvas() {
  if (originalFont_) SelectObject(dc_, originalFont_);
}

void DcCanvas::fillRect(Rect area, Colour colour) {
  if (area.empty()) return;
  Brush brush(CreateSolidBrush(ToCOLORREF(colour)));
  const RECT r = ToRECT(area);
  FillRect(dc_, &r, brush.get());
}

void DcCanvas::frameRect(Rect area, Colour colour) {
  if (area.empty()) return;
  Brush brush(CreateSolidBrush(ToCOLORREF(colour)));
  const RECT r = ToRECT(area);
  FrameRect(dc_, &r, brush.get());
}

void DcCanvas::drawPicture(const Picture& picture, Rect source, Point at) {
  const Win32Picture* win32 = AsWin32(picture);
  if (!win32 || source.empty()) return;
  SelectScope selected(pictureDc_.get(), win32->bitmap());
  if (win32->hasAlpha()) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc_, at.x, at.y, source.width(), source.height(), pictureDc_.get(), source.left, source.top,
               source.width(), source.height(), blend);
  } else {
    BitBlt(dc_, at.x, at.y, source.width(), source.height(), pictureDc_.get(), source.left, source.top, SRCCOPY);
  }
}

HFONT DcCanvas::fontFor(const Font& font) {
  auto key = std::make_tuple(font.face, font.height, font.width, font.weight);
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second.get();
  LOGFONTW lf{};
  lf.lfHeight = font.height;
  lf.lfWidth = font.width;
  lf.lfWeight = font.weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  const std::wstring face = Wide(font.face);
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  FontHandle handle(CreateFontIndirectW(&lf));
  HFONT raw = handle.get();
  fonts_.emplace(key, std::move(handle));
  return raw;
}

void DcCanvas::drawText(std::u16string_view text, Point at, const Font& font, Colour colour) {
  HGDIOBJ previous = SelectObject(dc_, fontFor(font));
  if (!originalFont_) originalFont_ = previous;
  SetTextColor(dc_, ToCOLORREF(colour));
  SetBkMode(dc_, TRANSPARENT);
  const std::wstring wide = Wide(text);
  TextOutW(dc_, at.x, at.y, wide.c_str(), static_cast<int>(wide.size()));
}

Size DcCanvas::measureText(std::u16string_view text, const Font& font) {
  HGDIOBJ previous = SelectObject(dc_, fontFor(font));
  if (!originalFont_) originalFont_ = previous;
  const std::wstring wide = Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
  return {size.cx, size.cy};
}

OffscreenCanvas::OffscreenCanvas(HDC target, Rect area)
    : target_(target), area_(area), memory_(target), direct_(target) {
  if (memory_ && !area.empty()) {
    bitmap_.reset(CreateCompatibleBitmap(target, area.width(), area.height()));
    if (bitmap_) {
      previousBitmap_ = SelectObject(memory_.get(), bitmap_.get());
      canvas_ = std::make_unique<DcCanvas>(memory_.get());
    } else {
      ReportWin32Failure(L"CreateCompatibleBitmap");
    }
  }
}

OffscreenCanvas::~OffscreenCanvas() {
  if (!canvas_) return;
  canvas_.reset();
  BitBlt(target_, area_.left, area_.top, area_.width(), area_.height(), memory_.get(), 0, 0, SRCCOPY);
  SelectObject(memory_.get(), previousBitmap_);
}

}  // namespace ui
