// A skinned window built from the generated main-window skin under Wine: its size and shape
// come from the pictures, its buttons show the four state pictures as the mouse (xdotool)
// moves, presses and leaves, and an owner-drawn menu gets the flat frame while open.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "option/menus/win32_menu_hook.h"
#include "option/menus/win32_skin_menu.h"
#include "option/skin/mask_region.h"
#include "option/skin/win32_shaped_button.h"
#include "option/skin/win32_skin_button.h"
#include "option/skin/win32_skin_edit.h"
#include "option/skin/win32_skin_window.h"
#include "support/unix_command.h"
#include "ui/win32_picture.h"

namespace opt {
namespace {

using testing_support::PumpUntil;
using testing_support::RunUnix;

constexpr int kOkId = 20, kSlotId = 10, kTabId = 1, kEditId = 4010;

std::string shot(const std::string& name) {
  std::filesystem::create_directories(std::filesystem::path("Z:" KAV_SHOT_FOLDER));
  const std::string path = std::string(KAV_SHOT_FOLDER) + "/" + name + ".png";
  testing_support::Screenshot(path);
  return path;
}

// The window's pixels, frame included, as "<unixPath>.png".
void SaveWindowPicture(HWND hwnd, const std::string& unixPath) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  auto picture = ui::Win32Picture::create(w, h);
  if (!picture) return;
  HDC source = GetWindowDC(hwnd);
  {
    ui::MemoryDc memory(source);
    ui::SelectScope selected(memory.get(), picture->bitmap());
    BitBlt(memory.get(), 0, 0, w, h, source, 0, 0, SRCCOPY);
  }
  ReleaseDC(hwnd, source);
  std::filesystem::create_directories(std::filesystem::path("Z:" KAV_SHOT_FOLDER));
  const std::wstring bmp = L"Z:" + std::wstring(unixPath.begin(), unixPath.end()) + L".bmp";
  FILE* f = _wfopen(bmp.c_str(), L"wb");
  if (!f) return;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = -h;
  info.biPlanes = 1;
  info.biBitCount = 32;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + w * h * 4;
  fwrite(&file, sizeof file, 1, f);
  fwrite(&info, sizeof info, 1, f);
  fwrite(picture->pixels().pixels.data(), 4, static_cast<std::size_t>(w) * h, f);
  fclose(f);
  RunUnix("/usr/bin/convert '" + unixPath + ".bmp' -alpha off '" + unixPath + ".png' && rm -f '" + unixPath + ".bmp'");
}

void moveMouse(int x, int y) {
  ASSERT_EQ(RunUnix("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y)), 0);
}
void mouse(const char* action) { ASSERT_EQ(RunUnix(std::string("xdotool ") + action + " 1"), 0); }

class TestWindow : public SkinnedDialog {
 public:
  explicit TestWindow(SkinContext& context) : SkinnedDialog(context, kSkinMainWindow) {}

  SkinButton ok, slot;
  ShapedButton tab;
  SkinEdit edit;
  std::vector<int> commands;
  int hoverOn = 0, hoverOff = 0;
  std::vector<LPARAM> editChanges;

  SkinItem itemOf(int key) { return item(key); }

 protected:
  void onSkinLoaded() override {
    context().mainWindow = hwnd();
    const SkinItem okItem = item(kOkId);
    ok.create(hwnd(), okItem, kOkId, &context());
    ok.setPictures(screen(), okItem.rect);
    ok.setHandCursor(true);
    const SkinItem slotItem = item(kSlotId);
    slot.create(hwnd(), slotItem, kSlotId, &context());
    slot.setPictures(screen(), slotItem.rect);
    slot.setToggleMode(true);
    const SkinItem tabItem = item(kTabId);
    tab.setShape(ShapeId::PageTab);
    tab.create(L"Main", tabItem.rect, hwnd(), kTabId);
    tab.setPictures(screen(), tabItem.rect);
    edit.create(hwnd(), ui::Rect::fromSize(430, 150, 120, 22), kEditId);
    edit.setNumericOnly(true);
  }
  INT_PTR handle(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_COMMAND && lp) commands.push_back(HIWORD(wp) == BN_CLICKED ? LOWORD(wp) : -1);
    if (msg == kMsgButtonHover) (wp ? hoverOn : hoverOff)++;
    if (msg == EditChangeMessage()) editChanges.push_back(lp);
    return SkinnedDialog::handle(msg, wp, lp);
  }
};

class SkinWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    context.skinFolder = std::filesystem::path(KAV_SKIN_FOLDER).make_preferred();
    context.loader = &loader;
    window = std::make_unique<TestWindow>(context);
    ASSERT_TRUE(window->createModeless(nullptr, WS_POPUP | WS_CLIPCHILDREN));
    ShowWindow(window->hwnd(), SW_SHOW);
    SetForegroundWindow(window->hwnd());
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(window->hwnd()) != FALSE; }));
  }
  void TearDown() override {
    if (window && window->hwnd()) DestroyWindow(window->hwnd());
    RunUnix("xdotool mousemove 1200 780");
  }

  // The colour of point (x, y) of a control, as painted on its window surface.
  static COLORREF pixelOf(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
  }
  static COLORREF pictureAt(const ui::Picture* picture, int x, int y) {
    const std::uint32_t p = picture->pixels().at(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Waits until the button shows `source`'s pixel at a point of its face.
  bool shows(HWND button, const ui::Rect& rect, const ui::Picture* source) {
    const int x = 3, y = rect.height() / 2;
    const COLORREF want = pictureAt(source, rect.left + x, rect.top + y);
    return PumpUntil([&] { return pixelOf(button, x, y) == want; });
  }

  ui::OlePictureLoader loader;
  SkinContext context;
  std::unique_ptr<TestWindow> window;
};

TEST_F(SkinWindowTest, SizeAndShapeComeFromThePictures) {
  const SkinScreen& screen = window->screen();
  ASSERT_NE(screen.normal(), nullptr);
  ASSERT_NE(screen.mask(), nullptr);
  RECT r{};
  GetWindowRect(window->hwnd(), &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right - r.left, screen.normal()->size().width);
  EXPECT_EQ(r.bottom - r.top, screen.normal()->size().height);

  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(window->hwnd(), shape), ERROR);
  ui::Region expected = BuildMaskRegion(screen.mask()->pixels());
  EXPECT_TRUE(EqualRgn(shape, expected.get()));
  EXPECT_FALSE(PtInRegion(shape, 0, 0)) << "rounded corner is outside";
  EXPECT_FALSE(PtInRegion(shape, r.right - r.left - 1, 0));
  EXPECT_TRUE(PtInRegion(shape, 450, 300));
  EXPECT_TRUE(PtInRegion(shape, 12, 0));
  DeleteObject(shape);

  // The background is the Normal picture.
  EXPECT_TRUE(PumpUntil([&] { return pixelOf(window->hwnd(), 450, 300) == pictureAt(screen.normal(), 450, 300); }));
  shot("skin_window_normal");
}

TEST_F(SkinWindowTest, ButtonShowsNormalOverDownAndDisabledPictures) {
  const SkinScreen& screen = window->screen();
  const ui::Rect r = window->itemOf(kOkId).rect;
  HWND ok = window->ok.hwnd();
  ASSERT_TRUE(shows(ok, r, screen.normal())) << "normal";

  moveMouse(r.left + r.width() / 2, r.top + r.height() / 2);
  ASSERT_TRUE(shows(ok, r, screen.over())) << "over";
  EXPECT_TRUE(PumpUntil([&] { return window->hoverOn >= 1; }));
  EXPECT_EQ(context.hoverText, u"Apply and close");
  shot("skin_button_over");

  mouse("mousedown");
  ASSERT_TRUE(shows(ok, r, screen.down())) << "down";
  shot("skin_button_down");
  mouse("mouseup");
  EXPECT_TRUE(PumpUntil([&] { return !window->commands.empty(); }));
  EXPECT_EQ(window->commands.front(), kOkId);

  moveMouse(r.left + r.width() / 2, r.top - 60);
  EXPECT_TRUE(shows(ok, r, screen.normal())) << "normal again after leaving";
  EXPECT_TRUE(PumpUntil([&] { return window->hoverOff >= 1; }));
  EXPECT_EQ(context.hoverText, u"");

  EnableWindow(ok, FALSE);
  ASSERT_TRUE(shows(ok, r, screen.disable())) << "disabled";
  shot("skin_button_disabled");
}

TEST_F(SkinWindowTest, ToggleButtonClickedTwiceEndsUncheckedWithTwoCommands) {
  const ui::Rect r = window->itemOf(kSlotId).rect;
  const int x = r.left + r.width() / 2, y = r.top + r.height() / 2;
  moveMouse(x, y);
  mouse("click");
  ASSERT_TRUE(PumpUntil([&] { return window->commands.size() == 1; }));
  EXPECT_TRUE(window->slot.checked());
  ASSERT_TRUE(shows(window->slot.hwnd(), r, window->screen().down())) << "checked shows down";
  mouse("click");
  ASSERT_TRUE(PumpUntil([&] { return window->commands.size() == 2; }));
  EXPECT_FALSE(window->slot.checked());
  EXPECT_EQ(window->commands, (std::vector<int>{kSlotId, kSlotId}));
}

TEST_F(SkinWindowTest, ShapedTabIgnoresItsTransparentCorner) {
  const ui::Rect r = window->itemOf(kTabId).rect;
  HWND tab = window->tab.hwnd();
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(tab, shape), ERROR);
  EXPECT_FALSE(PtInRegion(shape, 2, 2));
  EXPECT_TRUE(PtInRegion(shape, 60, 14));
  DeleteObject(shape);

  // A press in the corner lands on the window beneath, not on the tab.
  SendMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(tab, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_TRUE(window->commands.empty());
  POINT corner{r.left + 2, r.top + 2};
  EXPECT_NE(WindowFromPoint(corner), tab);

  moveMouse(r.left + 60, r.top + 14);
  ASSERT_TRUE(PumpUntil([&] { return window->tab.state() == kShapedOver; }));
  mouse("click");
  ASSERT_TRUE(PumpUntil([&] { return !window->commands.empty(); }));
  EXPECT_EQ(window->commands.front(), kTabId);
}

TEST_F(SkinWindowTest, NumericEditKeepsDigitsAndSeparatorsOfPastedText) {
  HWND edit = window->edit.hwnd();
  SetFocus(edit);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"12a,5"));
  EXPECT_EQ(window->edit.text(), u"12,5");
  ASSERT_TRUE(PumpUntil([&] { return !window->editChanges.empty(); }));
  EXPECT_EQ(window->editChanges.back(), kEditId);

  // A keypad digit is swallowed with the character it would type; a main-keyboard one is not.
  SendMessageW(edit, WM_KEYDOWN, VK_NUMPAD7, 0);
  SendMessageW(edit, WM_CHAR, L'7', 0);
  EXPECT_EQ(window->edit.text(), u"12,5");
  SendMessageW(edit, WM_KEYDOWN, '8', 0);
  SendMessageW(edit, WM_CHAR, L'8', 0);
  EXPECT_EQ(window->edit.text(), u"12,58");
}

TEST(SkinPictures, JpegAndBmpSkinsAreDecodedByContent) {
  const std::filesystem::path folder = std::filesystem::path(KAV_SKIN_FOLDER).make_preferred();
  ui::OlePictureLoader loader;
  auto jpeg = loader.load(folder / "macro_manager_normal.jpg");
  ASSERT_NE(jpeg, nullptr);
  EXPECT_EQ(jpeg->size(), (ui::Size{640, 460}));
  // The same bytes under a BMP name, and a BMP under a JPEG name, decode all the same.
  const std::filesystem::path temp = std::filesystem::temp_directory_path();
  std::filesystem::copy_file(folder / "macro_manager_normal.jpg", temp / "renamed_jpeg.bmp",
                             std::filesystem::copy_options::overwrite_existing);
  std::filesystem::copy_file(folder / "reset_warn_normal.bmp", temp / "renamed_bmp.jpg",
                             std::filesystem::copy_options::overwrite_existing);
  auto renamedJpeg = loader.load(temp / "renamed_jpeg.bmp");
  auto renamedBmp = loader.load(temp / "renamed_bmp.jpg");
  ASSERT_NE(renamedJpeg, nullptr);
  ASSERT_NE(renamedBmp, nullptr);
  EXPECT_EQ(renamedJpeg->pixels().at(320, 230), jpeg->pixels().at(320, 230));
  EXPECT_EQ(renamedBmp->size(), (ui::Size{400, 190}));
  std::filesystem::remove(temp / "renamed_jpeg.bmp");
  std::filesystem::remove(temp / "renamed_bmp.jpg");
}

// The brightness menu of the lighting page, opened with the frame hook installed.
class MenuProbe {
 public:
  static MenuProbe* current;
  HWND menuWindow = nullptr;
  bool hadProperty = false;
  bool procedureReplaced = false;
  COLORREF outer = 0, inner1 = 0, inner2 = 0, item = 0, highlighted = 0;
  int step = 0;

  static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD) { current->onTick(id); }

  void onTick(UINT_PTR id) {
    if (!menuWindow) menuWindow = FindWindowW(kMenuWindowClass, nullptr);
    if (!menuWindow || !IsWindowVisible(menuWindow)) return;
    RECT r{};
    GetWindowRect(menuWindow, &r);
    if (step == 0) {
      hadProperty = GetPropW(menuWindow, kMenuOldProcProperty) != nullptr;
      procedureReplaced = GetWindowLongPtrW(menuWindow, GWLP_WNDPROC) !=
                          reinterpret_cast<LONG_PTR>(GetPropW(menuWindow, kMenuOldProcProperty));
      HDC dc = GetWindowDC(menuWindow);
      outer = GetPixel(dc, 0, 10);
      inner1 = GetPixel(dc, 1, 10);
      inner2 = GetPixel(dc, 2, 10);
      ReleaseDC(menuWindow, dc);
      // Onto the third item: it is drawn highlighted.
      RunUnix("xdotool mousemove " + std::to_string(r.left + 40) + " " + std::to_string(r.top + 3 + 2 * 20 + 10));
      step = 1;
    } else if (step == 1) {
      HDC dc = GetWindowDC(menuWindow);
      highlighted = GetPixel(dc, r.right - r.left - 10, 3 + 2 * 20 + 10);
      item = GetPixel(dc, r.right - r.left - 10, 3 + 5 * 20 + 10);
      ReleaseDC(menuWindow, dc);
      if (highlighted != RGB(1, 213, 237)) return;  // not repainted yet
      // The menu's own pixels (its window surface): the display does not show a popup
      // menu's content to xwd under Xvfb.
      SaveWindowPicture(menuWindow, std::string(KAV_SHOT_FOLDER) + "/skin_menu_open");
      step = 2;
      KillTimer(nullptr, id);
      EndMenu();
    }
  }
};
MenuProbe* MenuProbe::current = nullptr;

TEST_F(SkinWindowTest, SkinMenuOpensWithTheFlatFrameAndRestoresTheMenuWindow) {
  ASSERT_TRUE(installMenuHook());
  EXPECT_TRUE(installMenuHook()) << "a second call does nothing";
  {
    SkinMenu menu(ui::Font{u"Arial", 14, 0, 400});
    const char16_t* entries[] = {u"100%", u"90%", u"80%", u"70%", u"60%",       u"50%",
                                 u"40%",  u"30%", u"20%", u"10%", u"Breathing", u"Cycle"};
    for (int i = 0; i < 12; ++i) menu.appendItem(1001 + i, entries[i]);
    menu.setWidth(140);

    MenuProbe probe;
    MenuProbe::current = &probe;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &MenuProbe::tick);
    const ui::Rect button = window->itemOf(kOkId).rect;
    menu.track(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 200, 150, window->hwnd());
    KillTimer(nullptr, timer);
    ASSERT_EQ(probe.step, 2) << "the menu was seen open and highlighted";
    (void)button;
    EXPECT_TRUE(probe.hadProperty);
    EXPECT_TRUE(probe.procedureReplaced);
    EXPECT_EQ(probe.outer, RGB(1, 213, 237));
    EXPECT_EQ(probe.inner1, RGB(18, 18, 18));
    EXPECT_EQ(probe.inner2, RGB(18, 18, 18));
    EXPECT_EQ(probe.highlighted, RGB(1, 213, 237));
    EXPECT_EQ(probe.item, RGB(18, 18, 18));

    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(probe.menuWindow) || !IsWindowVisible(probe.menuWindow); }));
    EXPECT_EQ(GetPropW(probe.menuWindow, kMenuOldProcProperty), nullptr) << "property gone after closing";
    EXPECT_EQ(subclassedMenuCount(), 0u);
  }
  removeMenuHook();
}

}  // namespace
}  // namespace opt
