#include "tools/skin_artwork/skin_painter.h"

#include <fstream>

#include "tools/artwork/mvg.h"

namespace art {
namespace {

// The dark theme; the accent is the menus' cyan.
constexpr Rgb kAccent{1, 213, 237};
constexpr Rgb kBackTop{34, 38, 44};
constexpr Rgb kBackBottom{17, 19, 22};
constexpr Rgb kTitleBar{13, 15, 18};
constexpr Rgb kPanel{21, 24, 28};
constexpr Rgb kPanelLine{40, 45, 51};
constexpr Rgb kText{216, 221, 227};
constexpr Rgb kTextDim{138, 146, 156};
constexpr Rgb kTextOff{88, 94, 102};
constexpr Rgb kInk{10, 13, 16};  // text on the accent colour
constexpr Rgb kFace{43, 49, 57};
constexpr Rgb kFaceHover{52, 60, 70};
constexpr Rgb kFaceOff{30, 34, 39};
constexpr Rgb kEdge{60, 68, 78};
constexpr Rgb kEdgeOff{40, 44, 50};
constexpr Rgb kRecordRed{226, 64, 64};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

struct Look {
  Rgb face, edge, ink;
};

Look buttonLook(State s, bool accent) {
  switch (s) {
    case State::Over:
      return {accent ? Rgb{12, 140, 156} : kFaceHover, kAccent, kWhite};
    case State::Down:
      return {kAccent, kAccent, kInk};
    case State::Disable:
      return {kFaceOff, kEdgeOff, kTextOff};
    case State::Normal:
      break;
  }
  return accent ? Look{Rgb{10, 104, 117}, Rgb{16, 170, 190}, kWhite} : Look{kFace, kEdge, kText};
}

class Painter {
 public:
  Painter(Mvg& mvg, const Fonts& fonts) : m_(mvg), fonts_(fonts) {}

  TextStyle style(double size, bool bold, Rgb colour, Align align = Align::Centre) const {
    return {bold ? fonts_.bold : fonts_.regular, size, colour, align};
  }

  void background(const SkinLayout& skin) {
    const ui::Rect all{0, 0, skin.size.width, skin.size.height};
    if (skin.page) {
      m_.rect(all, kPanel);
    } else {
      m_.verticalGradient(all, kBackTop, kBackBottom);
      const int titleHeight = 54;
      m_.verticalGradient({0, 0, skin.size.width, titleHeight}, Rgb{20, 23, 27}, kTitleBar);
      m_.rect({0, titleHeight, skin.size.width, titleHeight + 1}, kAccent.mix(kTitleBar, 0.35));
      m_.rect({0, titleHeight + 1, skin.size.width, titleHeight + 3}, kAccent.mix(kTitleBar, 0.85));
      m_.rect({20, 20, 24, 36}, kAccent);
      m_.text(skin.title, {34, 34}, style(15, true, kWhite, Align::Left));
    }
    for (const ui::Rect& panel : skin.panels) {
      if (panel.width() <= 2)
        m_.rect(panel, kPanelLine);
      else
        m_.rect(panel, kPanel, kPanelLine, 6);
    }
    for (const ArtText& t : skin.texts)
      m_.text(t.text, t.at,
              style(t.size, t.bold,
                    t.accent                  ? kAccent
                    : (t.bold && t.size < 13) ? kTextDim
                                              : kText,
                    t.align == 1   ? Align::Centre
                    : t.align == 2 ? Align::Right
                                   : Align::Left));
  }

  void outlineOnTop(const SkinLayout& skin) {
    if (skin.page) return;
    m_.raw("fill none");
    m_.raw("stroke " + kAccent.mix(kBackBottom, 0.45).hex());
    m_.raw("stroke-width 1");
    m_.raw("roundrectangle 0.5,0.5 " + std::to_string(skin.size.width - 1) + ".5," +
           std::to_string(skin.size.height - 1) + ".5 " + std::to_string(kWindowCornerRadius) + "," +
           std::to_string(kWindowCornerRadius));
  }

  void item(const ArtItem& it, State s) {
    const ui::Rect r = it.rect;
    switch (it.look) {
      case ItemLook::Button:
      case ItemLook::Accent: {
        const Look l = buttonLook(s, it.look == ItemLook::Accent);
        m_.rect(r, l.face, l.edge, 4);
        m_.textIn(it.label, r, style(11, true, l.ink));
        break;
      }
      case ItemLook::Close:
      case ItemLook::Minimise: {
        const bool close = it.look == ItemLook::Close;
        Rgb ink = kTextDim;
        if (s == State::Over) {
          m_.rect(r, close ? Rgb{192, 57, 43} : kFaceHover, std::nullopt, 4);
          ink = kWhite;
        } else if (s == State::Down) {
          m_.rect(r, kAccent, std::nullopt, 4);
          ink = kInk;
        } else if (s == State::Disable) {
          ink = kTextOff;
        }
        const int cx = r.left + r.width() / 2, cy = r.top + r.height() / 2;
        if (close) {
          m_.line({cx - 5, cy - 5}, {cx + 5, cy + 5}, ink, 2);
          m_.line({cx - 5, cy + 5}, {cx + 5, cy - 5}, ink, 2);
        } else {
          m_.rect({cx - 6, cy + 3, cx + 6, cy + 5}, ink);
        }
        break;
      }
      case ItemLook::Link: {
        const Rgb ink = s == State::Over      ? kAccent
                        : s == State::Down    ? kWhite
                        : s == State::Disable ? kTextOff
                                              : kTextDim;
        m_.textIn(it.label, r, style(11, true, ink));
        if (s == State::Over || s == State::Down) m_.rect({r.left + 8, r.bottom - 2, r.right - 8, r.bottom - 1}, ink);
        break;
      }
      case ItemLook::Tab:
      case ItemLook::Shaped330:
      case ItemLook::Shaped331: {
        const opt::ShapeId id = it.look == ItemLook::Tab         ? opt::ShapeId::PageTab
                                : it.look == ItemLook::Shaped330 ? opt::ShapeId::ProfileButton
                                                                 : opt::ShapeId::ProfileButtonRight;
        const opt::ShapeDefinition& shape = opt::Shape(id);
        Look l = buttonLook(s, false);
        if (it.look == ItemLook::Tab && s == State::Normal) l = {Rgb{30, 35, 41}, Rgb{52, 59, 68}, kTextDim};
        m_.polygon(ShapeOutline(shape, {r.left, r.top}), l.face, l.edge);
        m_.textIn(it.label, {r.left, r.top, r.left + shape.size.width, r.top + shape.size.height},
                  style(it.look == ItemLook::Tab ? 11 : 10, true, l.ink));
        break;
      }
      case ItemLook::Key: {
        Look l{Rgb{38, 43, 50}, Rgb{56, 63, 72}, kText};
        if (s == State::Over) l = {Rgb{46, 54, 63}, kAccent, kWhite};
        if (s == State::Down) l = {Rgb{8, 120, 134}, kAccent, kWhite};
        if (s == State::Disable) l = {kFaceOff, kEdgeOff, kTextOff};
        m_.rect(r, l.face, l.edge, 3);
        const std::string text = it.label;
        const double size = text.size() > 4 ? 8.5 : text.size() > 2 ? 9.5 : 11;
        m_.textIn(text, r, style(size, true, l.ink));
        break;
      }
      case ItemLook::Option: {
        Look l{Rgb{29, 33, 39}, kEdge, kTextDim};
        if (s == State::Over) l = {kFaceHover, kAccent, kWhite};
        if (s == State::Down) l = {kAccent, kAccent, kInk};
        if (s == State::Disable) l = {kFaceOff, kEdgeOff, kTextOff};
        m_.rect(r, l.face, l.edge, r.height() / 2);
        m_.textIn(it.label, r, style(11, true, l.ink));
        break;
      }
      case ItemLook::Check: {
        const int size = 16;
        const ui::Rect b = ui::Rect::fromSize(r.left + 2, r.top + (r.height() - size) / 2, size, size);
        Rgb edge = Rgb{89, 98, 108}, ink = kText;
        if (s == State::Over) edge = kAccent, ink = kWhite;
        if (s == State::Disable) edge = kEdgeOff, ink = kTextOff;
        if (s == State::Down) {
          m_.rect(b, kAccent, kAccent, 3);
          m_.line({b.left + 4, b.top + 8}, {b.left + 7, b.top + 11}, kInk, 2);
          m_.line({b.left + 7, b.top + 11}, {b.left + 12, b.top + 4}, kInk, 2);
        } else {
          m_.rect(b, Rgb{24, 27, 32}, edge, 3);
        }
        m_.textIn(it.label, {b.right + 8, r.top, r.right, r.bottom}, style(11, true, ink, Align::Left));
        break;
      }
      case ItemLook::Dropdown:
      case ItemLook::Caption: {
        Look l{Rgb{29, 33, 39}, kEdge, kTextDim};
        if (s == State::Over) l = {kFaceHover, kAccent, kAccent};
        if (s == State::Down) l = {Rgb{36, 42, 49}, kAccent, kAccent};
        if (s == State::Disable) l = {kFaceOff, kEdgeOff, kTextOff};
        m_.rect(r, l.face, l.edge, 4);
        if (it.look == ItemLook::Dropdown) {
          const int cx = r.right - 16, cy = r.top + r.height() / 2;
          m_.polygon({{cx - 5, cy - 2}, {cx + 5, cy - 2}, {cx, cy + 4}}, l.ink);
        }
        break;
      }
      case ItemLook::Field:
        m_.rect(r.inflate(2), Rgb{230, 230, 230}, s == State::Over ? kAccent : kEdge, 3);
        m_.rect(r, Rgb{230, 230, 230});
        break;
      case ItemLook::List:
        m_.rect(r.inflate(1), kBlack, kPanelLine);
        break;
      case ItemLook::Record:
        record(r, false, s == State::Disable ? -1 : s == State::Over ? 1 : s == State::Down ? 2 : 0);
        break;
      case ItemLook::Area:
        break;
    }
  }

  // state: 0 normal, 1 over, 2 down, -1 disabled.
  void record(ui::Rect r, bool stop, int state) {
    Look l = buttonLook(state == 1   ? State::Over
                        : state == 2 ? State::Down
                        : state < 0  ? State::Disable
                                     : State::Normal,
                        false);
    if (state == 2) l = {Rgb{70, 28, 31}, kRecordRed, kWhite};
    m_.rect(r, l.face, l.edge, 5);
    const int cx = r.left + 22, cy = r.top + r.height() / 2;
    const Rgb mark = state < 0 ? kTextOff : kRecordRed;
    if (stop)
      m_.rect({cx - 6, cy - 6, cx + 6, cy + 6}, mark, std::nullopt, 2);
    else
      m_.circle({cx, cy}, 7, mark);
    m_.textIn(stop ? "STOP" : "RECORD", {r.left + 36, r.top, r.right - 6, r.bottom}, style(12, true, l.ink));
  }

 private:
  Mvg& m_;
  const Fonts& fonts_;
};

std::string extension(const SkinLayout& skin) { return skin.format == "JPEG" ? ".jpg" : ".bmp"; }

std::string rectLine(const ArtItem& it) {
  return it.name + "," + std::to_string(it.rect.left) + "," + std::to_string(it.rect.top) + "," +
         std::to_string(it.rect.width()) + "," + std::to_string(it.rect.height()) + "," + it.hint;
}

}  // namespace

std::string MaskName(const SkinLayout& skin) { return skin.stem + "_mask.bmp"; }

std::string ScreenName(const SkinLayout& skin, State state) {
  const char* names[] = {"_normal", "_over", "_down", "_disable"};
  return skin.stem + names[static_cast<int>(state)] + extension(skin);
}

std::string SkinFileText(const SkinLayout& skin) {
  std::string text = "[SCREEN]\r\n";
  text += "Mask=" + MaskName(skin) + "\r\n";
  text += "Normal=" + ScreenName(skin, State::Normal) + "\r\n";
  text += "Over=" + ScreenName(skin, State::Over) + "\r\n";
  text += "Down=" + ScreenName(skin, State::Down) + "\r\n";
  text += "Disable=" + ScreenName(skin, State::Disable) + "\r\n";
  text += "\r\n[BUTTONPOS]\r\n";
  for (const ArtItem& it : skin.items) text += std::to_string(it.key) + "=" + rectLine(it) + "\r\n";
  if (skin.pagePosition) {
    const ui::Rect& p = *skin.pagePosition;
    text += "\r\n[PAGEPOSITION]\r\n1=Page," + std::to_string(p.left) + "," + std::to_string(p.top) + "," +
            std::to_string(p.width()) + "," + std::to_string(p.height()) + ",\r\n";
  }
  return text;
}

bool WriteSkin(const SkinLayout& skin, const std::filesystem::path& folder, const Fonts& fonts) {
  {
    std::ofstream ini(folder / skin.iniName, std::ios::binary);
    ini << SkinFileText(skin);
    if (!ini) return false;
  }
  bool ok = true;
  {
    Mvg mask(skin.size.width, skin.size.height);
    mask.antialias(false);
    if (skin.page)
      mask.rect({0, 0, skin.size.width, skin.size.height}, kBlack);
    else
      mask.rect({0, 0, skin.size.width, skin.size.height}, kBlack, std::nullopt, kWindowCornerRadius);
    ok = Render(mask, kWhite, folder / MaskName(skin), "BMP3") && ok;
  }
  for (State state : {State::Normal, State::Over, State::Down, State::Disable}) {
    Mvg mvg(skin.size.width, skin.size.height);
    Painter painter(mvg, fonts);
    painter.background(skin);
    for (const ArtItem& it : skin.items) painter.item(it, state);
    painter.outlineOnTop(skin);
    ok = Render(mvg, kBackBottom, folder / ScreenName(skin, state), skin.format) && ok;
  }
  return ok;
}

bool WriteRecordPictures(const std::filesystem::path& folder, const Fonts& fonts) {
  const SkinLayout& manager = FindSkin("skin_macro_manager.ini");
  ui::Rect area;
  for (const ArtItem& it : manager.items)
    if (it.key == 7) area = it.rect;
  bool ok = true;
  for (const RecordPicture& picture : RecordPictures()) {
    Mvg mvg(area.width(), area.height());
    Painter painter(mvg, fonts);
    painter.record({0, 0, area.width(), area.height()}, picture.stop, picture.state);
    ok = Render(mvg, kBackBottom, folder / picture.file, "JPEG") && ok;
  }
  return ok;
}

}  // namespace art
