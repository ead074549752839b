#include "option/skin/win32_skin_edit.h"

#include <vector>

#include "option/skin/skin_controls_model.h"
#include "option/skin/win32_skin_window.h"
#include "ui/win32_text.h"

namespace opt {

bool SkinEdit::create(HWND parent, ui::Rect rect, int id, DWORD extraStyle) {
  if (!Control::create(L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | extraStyle, 0, rect, parent, id))
    return false;
  setFont(kSkinEditFont);
  return true;
}

void SkinEdit::setFont(const ui::Font& font) {
  LOGFONTW lf{};
  lf.lfHeight = font.height;
  lf.lfWidth = font.width;
  lf.lfWeight = font.weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  const std::wstring face = ui::Wide(font.face);
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  ui::FontHandle created(CreateFontIndirectW(&lf));
  if (!created) return;
  SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(created.get()), TRUE);
  font_ = std::move(created);  // the old font goes only after the control stopped using it
}

void SkinEdit::setColours(ui::Colour text, ui::Colour background) {
  textColour_ = text;
  background_ = background;
  if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

std::u16string SkinEdit::text() const {
  const int length = GetWindowTextLengthW(hwnd());
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(hwnd(), buffer.data(), length + 1);
  return ui::FromWide(buffer.data());
}

void SkinEdit::setText(const std::u16string& text) { SetWindowTextW(hwnd(), ui::Wide(text).c_str()); }

HBRUSH SkinEdit::controlColour(HDC dc) {
  brush_.reset(CreateSolidBrush(ui::ToCOLORREF(background_)));
  SetTextColor(dc, ui::ToCOLORREF(textColour_));
  SetBkColor(dc, ui::ToCOLORREF(background_));
  return brush_.get();
}

void SkinEdit::textMayHaveChanged() {
  if (filtering_ || !hwnd()) return;
  std::u16string now = text();
  if (now == lastText_) return;
  if (numericOnly_) {
    std::u16string kept = FilterNumericText(now);
    if (kept != now) {
      filtering_ = true;
      setText(kept);
      SendMessageW(hwnd(), EM_SETSEL, kept.size(), kept.size());
      filtering_ = false;
      now = std::move(kept);
    }
  }
  lastText_ = std::move(now);
  InvalidateRect(hwnd(), nullptr, FALSE);
  PostMessageW(GetParent(hwnd()), EditChangeMessage(), 0, GetDlgCtrlID(hwnd()));
}

LRESULT SkinEdit::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_KEYDOWN:
      if (numericOnly_ && !NumericEditKeyPasses(static_cast<std::uint32_t>(wp))) {
        swallowChar_ = true;  // and the character the key would have typed
        return 0;
      }
      swallowChar_ = false;
      break;
    case WM_CHAR:
      if (swallowChar_) {
        swallowChar_ = false;
        return 0;
      }
      break;
    case WM_KEYUP:
      if (wp == VK_RETURN) PostMessageW(GetParent(hwnd()), kMsgEditEnterReleased, 13, 0);
      break;
    case WM_KILLFOCUS:
      PostMessageW(GetParent(hwnd()), EditKillFocusMessage(), 0, GetDlgCtrlID(hwnd()));
      break;
    case WM_VSCROLL: {
      const LRESULT result = Control::handle(msg, wp, lp);
      InvalidateRect(hwnd(), nullptr, FALSE);
      return result;
    }
    case WM_DESTROY:
      brush_.reset();
      break;
    default:
      break;
  }
  const LRESULT result = Control::handle(msg, wp, lp);
  switch (msg) {
    case WM_CHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_SETTEXT:
    case EM_REPLACESEL:
    case EM_UNDO:
      textMayHaveChanged();
      break;
    case WM_KEYDOWN:
      if (wp == VK_DELETE) textMayHaveChanged();
      break;
    default:
      break;
  }
  return result;
}

}  // namespace opt
