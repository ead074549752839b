#include "option/skin/win32_skin_window.h"

#include <algorithm>
#include <vector>

#include "option/skin/mask_region.h"
#include "ui/win32_canvas.h"
#include "ui/win32_debug.h"
#include "ui/win32_text.h"

namespace opt {

UINT EditKillFocusMessage() {
  static const UINT message = RegisterWindowMessageW(kMsgNameEditKillFocus);
  return message;
}

UINT EditChangeMessage() {
  static const UINT message = RegisterWindowMessageW(kMsgNameEditChange);
  return message;
}

void SkinScreen::load(SkinSource& source, const std::filesystem::path& folder, ui::PictureLoader& loader) {
  const SkinScreenNames names = ReadSkinScreen(source);
  auto loadOne = [&](const std::u16string& name) -> std::unique_ptr<ui::Picture> {
    if (name.empty()) return nullptr;
    return loader.load(folder / std::filesystem::path(ui::Wide(name)));
  };
  mask_ = loadOne(names.mask);
  normal_ = loadOne(names.normal);
  over_ = loadOne(names.over);
  down_ = loadOne(names.down);
  disable_ = loadOne(names.disable);
}

void SkinScreen::release() {
  mask_.reset();
  normal_.reset();
  over_.reset();
  down_.reset();
  disable_.reset();
}

CutPictures SkinScreen::cut(ui::Rect rect) const {
  auto cutOne = [&](const std::unique_ptr<ui::Picture>& source) -> std::unique_ptr<ui::Picture> {
    return source ? source->copyArea(rect) : nullptr;
  };
  return {cutOne(normal_), cutOne(over_), cutOne(down_), cutOne(disable_)};
}

ui::Region BuildMaskRegion(const ui::PixelView& mask) {
  const std::vector<ui::Rect> runs = MaskRuns(mask);
  ui::Region region(CreateRectRgn(0, 0, 0, 0));
  if (!region) {
    ui::ReportWin32Failure(L"CreateRectRgn");
    return region;
  }
  std::vector<unsigned char> buffer(sizeof(RGNDATAHEADER) + sizeof(RECT) * kRegionBatchSize);
  for (std::size_t start = 0; start < runs.size(); start += kRegionBatchSize) {
    const std::size_t count = std::min(kRegionBatchSize, runs.size() - start);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(count);
    data->rdh.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    RECT bounds{runs[start].left, runs[start].top, runs[start].right, runs[start].bottom};
    auto* rects = reinterpret_cast<RECT*>(data->Buffer);
    for (std::size_t i = 0; i < count; ++i) {
      const ui::Rect& r = runs[start + i];
      rects[i] = RECT{r.left, r.top, r.right, r.bottom};
      bounds.left = std::min<LONG>(bounds.left, r.left);
      bounds.top = std::min<LONG>(bounds.top, r.top);
      bounds.right = std::max<LONG>(bounds.right, r.right);
      bounds.bottom = std::max<LONG>(bounds.bottom, r.bottom);
    }
    data->rdh.rcBound = bounds;
    ui::Region batch(ExtCreateRegion(nullptr, static_cast<DWORD>(sizeof(RGNDATAHEADER) + count * sizeof(RECT)), data));
    if (!batch) {
      ui::ReportWin32Failure(L"ExtCreateRegion");
      continue;
    }
    CombineRgn(region.get(), region.get(), batch.get(), RGN_OR);
  }
  return region;
}

SkinnedDialog::SkinnedDialog(SkinContext& context, std::u16string skinFile, Placement placement)
    : context_(context), skinFile_(std::move(skinFile)), placement_(placement) {}

SkinItem SkinnedDialog::item(int key) { return source_ ? ReadSkinItem(*source_, key) : SkinItem{}; }
SkinItem SkinnedDialog::pagePosition() { return source_ ? ReadPagePosition(*source_) : SkinItem{}; }

void SkinnedDialog::applySkin() {
  source_ =
      std::make_unique<PrivateProfileSkinSource>(context_.skinFolder / std::filesystem::path(ui::Wide(skinFile_)));
  if (context_.loader) screen_.load(*source_, context_.skinFolder, *context_.loader);

  const ui::Size size = screen_.normal() ? screen_.normal()->size() : ui::Size{};
  HWND parent = GetParent(hwnd());
  const bool child = (GetWindowLongW(hwnd(), GWL_STYLE) & WS_CHILD) != 0;
  int x = 0, y = 0;
  if (placement_ == Placement::CentreOverOwner && parent && !child) {
    RECT owner{};
    GetWindowRect(parent, &owner);
    x = owner.left + ((owner.right - owner.left) - size.width) / 2;
    y = owner.top + ((owner.bottom - owner.top) - size.height) / 2;
  }
  SetWindowPos(hwnd(), nullptr, x, y, size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE);

  if (screen_.mask()) {
    ui::Region region = BuildMaskRegion(screen_.mask()->pixels());
    // The window owns the region from here on.
    if (region && !SetWindowRgn(hwnd(), region.get(), TRUE))
      ui::ReportWin32Failure(L"SetWindowRgn");
    else
      region.release();
  }
}

INT_PTR SkinnedDialog::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      applySkin();
      onSkinLoaded();
      return TRUE;
    case WM_ERASEBKGND:
      return setResult(1);  // the paint covers everything
    case WM_PAINT: {
      ui::PaintScope paint(hwnd());
      RECT client{};
      GetClientRect(hwnd(), &client);
      ui::OffscreenCanvas canvas(paint.get(), ui::FromRECT(client));
      if (screen_.normal()) canvas.drawPicture(*screen_.normal(), ui::Point{0, 0});
      paintOver(canvas);
      return TRUE;
    }
    case WM_LBUTTONDOWN: {
      // The background moves the top-level window as if its caption were grabbed.
      HWND top = GetAncestor(hwnd(), GA_ROOT);
      ReleaseCapture();
      SendMessageW(top, WM_NCLBUTTONDOWN, HTCAPTION, 0);
      return TRUE;
    }
    case WM_DESTROY:
      screen_.release();
      break;
    default:
      break;
  }
  return Dialog::handle(msg, wp, lp);
}

bool SkinnedDialog::preTranslate(MSG& msg) { return ui::IsEnterOrEscapeDown(msg); }

}  // namespace opt
