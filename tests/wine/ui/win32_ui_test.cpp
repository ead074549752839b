// The Win32 class layer under Wine: binding and unbinding of window objects, the modal
// loop, picture loading by content, and off-screen painting.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "ui/win32_canvas.h"
#include "ui/win32_picture.h"
#include "ui/win32_window.h"

namespace {

std::filesystem::path programFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).parent_path();
}

class ProbeWindow : public ui::Window {
 public:
  std::vector<UINT> seen;
  HWND hwndAtCreate = nullptr;
  bool detached = false;

 protected:
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_CREATE) hwndAtCreate = hwnd();
    seen.push_back(msg);
    return Window::handle(msg, wp, lp);
  }
  void onDetached() override { detached = true; }
};

TEST(Win32Window, BindsAtCreationAndUnbindsOnDestroy) {
  ASSERT_TRUE(ui::RegisterWindowClass(L"ui.test.Probe", 0, LoadCursorW(nullptr, IDC_ARROW)));
  ProbeWindow window;
  ASSERT_TRUE(window.create(L"ui.test.Probe", L"probe", WS_POPUP, 0, ui::Rect{0, 0, 50, 40}, nullptr));
  HWND hwnd = window.hwnd();
  EXPECT_EQ(window.hwndAtCreate, hwnd);
  EXPECT_EQ(window.seen.front(), static_cast<UINT>(WM_NCCREATE));
  EXPECT_EQ(ui::Window::fromHandle(hwnd), &window);
  DestroyWindow(hwnd);
  EXPECT_EQ(window.hwnd(), nullptr);
  EXPECT_TRUE(window.detached);
  EXPECT_EQ(window.seen.back(), static_cast<UINT>(WM_NCDESTROY));
  EXPECT_EQ(ui::Window::fromHandle(hwnd), nullptr);
}

class ButtonProbe : public ui::Control {
 public:
  int clicks = 0;

 protected:
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_LBUTTONUP) ++clicks;
    return Control::handle(msg, wp, lp);
  }
};

TEST(Win32Control, SubclassesASystemControlAndRestoresItsProcedure) {
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  ButtonProbe button;
  const LONG_PTR before = 0;
  (void)before;
  ASSERT_TRUE(button.create(L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 0, ui::Rect{0, 0, 40, 20}, parent, 7));
  HWND hwnd = button.hwnd();
  SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(button.clicks, 1);
  EXPECT_EQ(ui::Control::fromHandle(hwnd), &button);
  button.detach();
  EXPECT_EQ(ui::Control::fromHandle(hwnd), nullptr);
  SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(button.clicks, 1);
  DestroyWindow(parent);
}

class SelfClosingDialog : public ui::Dialog {
 public:
  bool swallowed = false;
  bool ownerDisabledWhileRunning = false;
  HWND owner = nullptr;

 protected:
  INT_PTR handle(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_INITDIALOG) {
      PostMessageW(hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
      PostMessageW(hwnd(), WM_APP, 0, 0);
      return TRUE;
    }
    if (msg == WM_APP) {
      ownerDisabledWhileRunning = owner && !IsWindowEnabled(owner);
      endDialog(42);
      return TRUE;
    }
    return Dialog::handle(msg, wp, lp);
  }
  bool preTranslate(MSG& msg) override {
    if (ui::IsEnterOrEscapeDown(msg)) {
      swallowed = true;
      return true;
    }
    return false;
  }
};

TEST(Win32Dialog, ModalLoopReturnsTheEndResultAndReenablesTheOwner) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  SelfClosingDialog dialog;
  dialog.owner = owner;
  EXPECT_EQ(dialog.runModal(owner), 42);
  EXPECT_TRUE(dialog.swallowed);
  EXPECT_TRUE(dialog.ownerDisabledWhileRunning);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(dialog.hwnd(), nullptr);
  DestroyWindow(owner);
}

// A 24-bit bottom-up BMP: left half red, right half blue.
std::vector<unsigned char> twoColourBmp(int width, int height) {
  const int stride = (width * 3 + 3) & ~3;
  const int size = 54 + stride * height;
  std::vector<unsigned char> b(size, 0);
  auto put32 = [&](int at, int v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, width);
  put32(22, height);
  b[26] = 1;
  b[28] = 24;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      unsigned char* p = &b[54 + y * stride + x * 3];
      if (x < width / 2)
        p[2] = 255;
      else
        p[0] = 255;
    }
  return b;
}

TEST(Win32Picture, OleLoaderDecodesByContentNotByName) {
  const auto file = programFolder() / "ui_test_picture.jpg";  // a BMP under a JPEG name
  const auto bytes = twoColourBmp(6, 3);
  FILE* f = _wfopen(file.c_str(), L"wb");
  ASSERT_NE(f, nullptr);
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);

  ui::OlePictureLoader loader;
  auto picture = loader.load(file);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->size(), (ui::Size{6, 3}));
  EXPECT_EQ(picture->pixels().at(0, 0) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(picture->pixels().at(5, 2) & 0xFFFFFF, 0x0000FFu);
  auto part = picture->copyArea({2, 1, 5, 3});
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(part->size(), (ui::Size{3, 2}));
  EXPECT_EQ(part->pixels().at(2, 0) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(picture->copyArea({4, 0, 7, 3}), nullptr);

  f = _wfopen(file.c_str(), L"wb");
  fputs("not a picture", f);
  fclose(f);
  EXPECT_EQ(loader.load(file), nullptr);
  std::filesystem::remove(file);
  EXPECT_EQ(loader.load(file), nullptr);
}

TEST(Win32Picture, GdiplusLoaderKeepsPngPixelsAndAlpha) {
  ui::GdiplusPictureLoader loader;
  auto picture = loader.load(programFolder() / "ui_fixture.png");
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(picture->size(), (ui::Size{4, 2}));
  EXPECT_EQ(picture->pixels().at(0, 0), 0xFF00FF00u);  // opaque green
  EXPECT_EQ(picture->pixels().at(3, 1), 0x00000000u);  // transparent
  EXPECT_EQ(loader.load(programFolder() / "missing.png"), nullptr);
}

TEST(Win32Canvas, OffscreenPaintingReachesTheTargetOnce) {
  auto target = ui::Win32Picture::create(20, 10);
  ASSERT_NE(target, nullptr);
  auto source = ui::Win32Picture::create(4, 4);
  std::fill(source->bits(), source->bits() + 16, 0xFF123456u);
  ui::MemoryDc dc;
  {
    ui::SelectScope selected(dc.get(), target->bitmap());
    {
      ui::OffscreenCanvas canvas(dc.get(), {0, 0, 20, 10});
      canvas.fillRect({0, 0, 20, 10}, {0, 0, 255});
      canvas.drawPicture(*source, {1, 1, 3, 3}, {10, 5});
      canvas.frameRect({0, 0, 5, 5}, {255, 0, 0});
      GdiFlush();
      EXPECT_EQ(target->pixels().at(15, 0) & 0xFFFFFF, 0u) << "nothing reaches the target before the copy";
    }
  }
  const ui::PixelView px = target->pixels();
  EXPECT_EQ(px.at(15, 0) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(px.at(10, 5) & 0xFFFFFF, 0x123456u);
  EXPECT_EQ(px.at(11, 6) & 0xFFFFFF, 0x123456u);
  EXPECT_EQ(px.at(12, 7) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(px.at(0, 0) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(px.at(2, 2) & 0xFFFFFF, 0x0000FFu);
}

}  // namespace
