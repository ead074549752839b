#include "ui/win32_picture.h"

#include <objidl.h>
#include <ocidl.h>
#include <olectl.h>
// GDI+'s headers expect min and max, which NOMINMAX removes.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <cstring>

#include "ui/file_io.h"
#include "ui/win32_debug.h"

namespace ui {
namespace {

constexpr std::size_t kMaxPictureFileBytes = 64u << 20;

}  // namespace

void Win32Picture::dropAlphaIfOpaque() {
  if (!hasAlpha_ || !bits_) return;
  const std::size_t count = static_cast<std::size_t>(width_) * height_;
  for (std::size_t i = 0; i < count; ++i) {
    if ((bits_[i] >> 24) != 0xFF) return;
  }
  hasAlpha_ = false;
}

std::unique_ptr<Win32Picture> Win32Picture::create(int width, int height, bool hasAlpha) {
  if (width <= 0 || height <= 0) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) {
    ReportWin32Failure(L"CreateDIBSection");
    return nullptr;
  }
  std::unique_ptr<Win32Picture> picture(new Win32Picture);
  picture->bitmap_.reset(bitmap);
  picture->bits_ = static_cast<std::uint32_t*>(bits);
  picture->width_ = width;
  picture->height_ = height;
  picture->hasAlpha_ = hasAlpha;
  std::memset(bits, 0, static_cast<std::size_t>(width) * height * 4);
  return picture;
}

PixelView Win32Picture::pixels() const {
  GdiFlush();  // GDI may still be drawing into the section
  return {width_, height_, {bits_, static_cast<std::size_t>(width_) * height_}};
}

std::unique_ptr<Picture> Win32Picture::copyArea(Rect area) const {
  if (area.empty() || area.left < 0 || area.top < 0 || area.right > width_ || area.bottom > height_) return nullptr;
  auto copy = create(area.width(), area.height(), hasAlpha_);
  if (!copy) return nullptr;
  GdiFlush();
  for (int y = 0; y < area.height(); ++y) {
    std::memcpy(copy->bits_ + static_cast<std::size_t>(y) * area.width(),
                bits_ + static_cast<std::size_t>(area.top + y) * width_ + area.left,
                static_cast<std::size_t>(area.width()) * 4);
  }
  return copy;
}

std::unique_ptr<Win32Picture> PictureFromPixels(const PixelView& pixels) {
  auto picture = Win32Picture::create(pixels.width, pixels.height);
  if (!picture) return nullptr;
  std::copy(pixels.pixels.begin(), pixels.pixels.end(), picture->bits());
  return picture;
}

std::unique_ptr<Picture> OlePictureLoader::load(const std::filesystem::path& file) {
  auto bytes = ReadFileBytes(file, kMaxPictureFileBytes);
  if (!bytes || bytes->empty()) return nullptr;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes->size());
  if (!memory) {
    ReportWin32Failure(L"GlobalAlloc");
    return nullptr;
  }
  std::memcpy(GlobalLock(memory), bytes->data(), bytes->size());
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {  // the stream frees the memory
    GlobalFree(memory);
    ReportWin32Failure(L"CreateStreamOnHGlobal");
    return nullptr;
  }
  IPicture* ole = nullptr;
  const HRESULT hr =
      OleLoadPicture(stream, static_cast<LONG>(bytes->size()), FALSE, IID_IPicture, reinterpret_cast<void**>(&ole));
  stream->Release();
  if (FAILED(hr) || !ole) {
    ReportWin32Failure(L"OleLoadPicture " + file.wstring(), static_cast<DWORD>(hr));
    return nullptr;
  }
  // Render into our own DIB so every picture has the same pixel format.
  OLE_XSIZE_HIMETRIC himetricWidth = 0;
  OLE_YSIZE_HIMETRIC himetricHeight = 0;
  OLE_HANDLE handle = 0;
  ole->get_Width(&himetricWidth);
  ole->get_Height(&himetricHeight);
  ole->get_Handle(&handle);
  BITMAP info{};
  std::unique_ptr<Win32Picture> picture;
  if (handle && GetObjectW(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof info, &info)) {
    picture = Win32Picture::create(info.bmWidth, std::abs(info.bmHeight));
    if (picture) {
      MemoryDc source;
      MemoryDc target;
      SelectScope sourceBitmap(source.get(), reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)));
      SelectScope targetBitmap(target.get(), picture->bitmap());
      BitBlt(target.get(), 0, 0, info.bmWidth, std::abs(info.bmHeight), source.get(), 0, 0, SRCCOPY);
      GdiFlush();
      for (std::uint32_t* p = picture->bits(); p != picture->bits() + info.bmWidth * std::abs(info.bmHeight); ++p)
        *p |= 0xFF000000u;
    }
  }
  ole->Release();
  return picture;
}

GdiplusPictureLoader::GdiplusPictureLoader() {
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) {
    token_ = 0;
    DebugOut(L"GdiplusStartup failed\n");
  }
}

GdiplusPictureLoader::~GdiplusPictureLoader() {
  if (token_) Gdiplus::GdiplusShutdown(token_);
}

std::unique_ptr<Picture> GdiplusPictureLoader::load(const std::filesystem::path& file) {
  if (!token_) return nullptr;
  std::unique_ptr<Win32Picture> picture;
  {
    Gdiplus::Bitmap source(file.c_str());
    if (source.GetLastStatus() != Gdiplus::Ok) return nullptr;
    const int width = static_cast<int>(source.GetWidth());
    const int height = static_cast<int>(source.GetHeight());
    picture = Win32Picture::create(width, height, true);
    if (!picture) return nullptr;
    Gdiplus::BitmapData data{};
    data.Width = width;
    data.Height = height;
    data.Stride = width * 4;
    data.PixelFormat = PixelFormat32bppPARGB;
    data.Scan0 = picture->bits();
    Gdiplus::Rect all(0, 0, width, height);
    if (source.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppPARGB,
                        &data) != Gdiplus::Ok)
      return nullptr;
    source.UnlockBits(&data);
  }
  picture->dropAlphaIfOpaque();
  return picture;
}

}  // namespace ui

namespace ui {

std::unique_ptr<Win32Picture> PictureFromBitmapResource(HINSTANCE instance, int id) {
  Bitmap source(static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!source) return nullptr;
  BITMAP info{};
  GetObjectW(source.get(), sizeof info, &info);
  auto picture = Win32Picture::create(info.bmWidth, std::abs(info.bmHeight));
  if (!picture) return nullptr;
  MemoryDc from, to;
  SelectScope selectFrom(from.get(), source.get());
  SelectScope selectTo(to.get(), picture->bitmap());
  BitBlt(to.get(), 0, 0, info.bmWidth, std::abs(info.bmHeight), from.get(), 0, 0, SRCCOPY);
  // GDI leaves the unused alpha byte at 0; the picture is opaque.
  GdiFlush();
  std::uint32_t* bits = picture->bits();
  for (int i = 0; i < info.bmWidth * std::abs(info.bmHeight); ++i) bits[i] |= 0xFF000000u;
  return picture;
}

}  // namespace ui
