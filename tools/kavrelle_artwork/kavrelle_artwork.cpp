// Draws every picture of Kavrelle from the same tables the program uses:
//   kavrelle_artwork <output folder>
// writes png/chinese/*.png, png/english/*.png and res/{139,140}.bmp, res/154.ico.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "kavrelle/controls/bit_slider.h"
#include "kavrelle/mainwindow/keyboard_geometry.h"
#include "tools/artwork/mvg.h"

namespace fs = std::filesystem;
using art::Mvg;
using art::Rgb;

namespace {

// The palette: graphite panels, a cool accent.
constexpr Rgb kWindowTop{29, 32, 38};
constexpr Rgb kWindowBottom{17, 19, 23};
constexpr Rgb kWell{24, 26, 31};
constexpr Rgb kWellEdge{38, 42, 49};
constexpr Rgb kPanel{35, 38, 45};
constexpr Rgb kPanelEdge{48, 52, 61};
constexpr Rgb kHeaderTop{52, 57, 68};
constexpr Rgb kHeaderBottom{39, 43, 51};
constexpr Rgb kAccent{39, 196, 245};
constexpr Rgb kAccentLight{155, 232, 255};
constexpr Rgb kAccentDark{20, 127, 166};
constexpr Rgb kMuted{138, 147, 163};
constexpr Rgb kDim{92, 101, 116};
constexpr Rgb kButtonTop{58, 63, 73};
constexpr Rgb kButtonBottom{42, 46, 54};
constexpr Rgb kButtonEdge{74, 80, 92};
constexpr Rgb kKeyTop{46, 50, 58};
constexpr Rgb kKeyBottom{36, 39, 46};
constexpr Rgb kKeyEdge{61, 66, 76};
constexpr Rgb kKeyLegend{199, 204, 214};
constexpr Rgb kLitLegend{6, 32, 43};
constexpr Rgb kInk{238, 242, 247};
constexpr Rgb kClear{0, 0, 0, 0};

constexpr int kWindowWidth = 1000;  // main.png sets the window size
constexpr int kWindowHeight = 640;
constexpr int kPanelWidth = 243;  // the left panel's blocks, x 19-261
constexpr int kKeyboardWidth = 632;
constexpr int kKeyboardHeight = 238;

const std::string kSans = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";
const std::string kSansBold = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf";
const std::string kCjk = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";

// Inclusive corners, as the program's tables give them.
ui::Rect R(int left, int top, int right, int bottom) { return ui::Rect{left, top, right + 1, bottom + 1}; }

art::TextStyle style(const std::string& font, double size, Rgb colour, art::Align align = art::Align::Left) {
  return art::TextStyle{font, size, colour, align};
}

Mvg canvas(int width, int height) {
  Mvg m(width, height);
  m.antialias(true);
  return m;
}

struct Output {
  fs::path root;
  bool ok = true;
  void save(const fs::path& file, const Mvg& m, const char* format = "PNG32") {
    fs::create_directories(file.parent_path());
    ok = art::Render(m, std::nullopt, file, format) && ok;
  }
  void picture(const std::string& name, const Mvg& m) {
    save(root / "png" / "chinese" / name, m);
    save(root / "png" / "english" / name, m);
  }
  void pictureIn(const std::string& language, const std::string& name, const Mvg& m) {
    save(root / "png" / language / name, m);
  }
};

std::string utf8(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

void chevron(Mvg& m, int x, int y, bool open, Rgb colour) {
  if (open) {
    m.polygon({{x - 4, y - 2}, {x + 4, y - 2}, {x, y + 3}}, colour);
  } else {
    m.polygon({{x - 2, y - 4}, {x + 3, y}, {x - 2, y + 4}}, colour);
  }
}

void headerStrip(Mvg& m, bool open, bool withChevron = true) {
  m.gradient(R(0, 0, kPanelWidth - 1, 20), kHeaderTop, kHeaderBottom, true, 3);
  m.rect(R(0, 20, kPanelWidth - 1, 20), open ? kAccent : kPanelEdge);
  if (withChevron) chevron(m, kPanelWidth - 12, 10, open, open ? kAccent : kMuted);
}

// A collapsed section's header, 243 x 21; the program writes its title at the top-left.
Mvg header() {
  Mvg m = canvas(kPanelWidth, 21);
  headerStrip(m, false);
  return m;
}

// The lighting header is the same picture open or closed, so it shows no state.
Mvg lightingHeader() {
  Mvg m = canvas(kPanelWidth, 21);
  headerStrip(m, false, false);
  m.circle({kPanelWidth - 12, 10}, 3, kAccent);
  return m;
}

// An open section: the header with the section's body below it.
Mvg section(int height) {
  Mvg m = canvas(kPanelWidth, height);
  m.rect(R(0, 0, kPanelWidth - 1, height - 1), kPanel, kPanelEdge, 4);
  headerStrip(m, true);
  return m;
}

// Opaque (the window region cuts the corners), so it paints without blending.
Mvg mainWindow() {
  Mvg m = canvas(kWindowWidth, kWindowHeight);
  m.rect(R(0, 0, kWindowWidth - 1, kWindowHeight - 1), kWindowBottom);
  m.gradient(R(0, 0, kWindowWidth - 1, kWindowHeight - 1), kWindowTop, kWindowBottom, true, 10);
  m.rect(R(0, 0, kWindowWidth - 1, kWindowHeight - 1), kClear, Rgb{58, 63, 73}, 10);
  m.rect(R(12, 27, kWindowWidth - 13, 27), Rgb{43, 47, 55});
  m.rect(R(12, 596, kWindowWidth - 13, 596), Rgb{43, 47, 55});
  m.text("KAVRELLE", {300, 19}, style(kSansBold, 12, kMuted));
  m.rect(R(12, 104, 268, 588), kWell, kWellEdge, 6);
  const kav::Point o = kav::kKeyboardOrigin;
  m.rect(R(o.x - 14, o.y - 60, o.x + kKeyboardWidth + 12, o.y + kKeyboardHeight + 30), kWell, kWellEdge, 10);
  m.gradient(R(o.x - 4, o.y - 60, o.x + kKeyboardWidth + 2, o.y - 58), Rgb{39, 196, 245, 0}, kAccent, false);
  return m;
}

// kb_BK.png (plain) and kb_hl.png (every key lit): the same geometry, different key faces.
// Opaque on the stage colour, so it paints without blending.
Mvg keyboardPicture(bool lit) {
  Mvg m = canvas(kKeyboardWidth, kKeyboardHeight);
  m.rect(R(0, 0, kKeyboardWidth - 1, kKeyboardHeight - 1), kWell);
  m.rect(R(0, 50, kKeyboardWidth - 1, kKeyboardHeight - 1), Rgb{27, 30, 36}, Rgb{44, 48, 57}, 8);
  m.text("KAVRELLE", {8, 30}, style(kSansBold, 13, kMuted));
  m.text("108", {100, 30}, style(kSans, 10, kDim));
  static const char* const kMedia[] = {"Vol-", "Mute", "Play", "Vol+"};
  for (std::size_t k = 0; k < kav::kKeyCount; ++k) {
    const kav::Rect r = kav::kKeyGeometry[k].rect;
    const ui::Rect face = R(r.left, r.top, r.right, r.bottom);
    if (lit) {
      m.gradient(face, Rgb{63, 211, 255}, Rgb{21, 150, 200}, true, 3);
      m.rect(face, kClear, kAccentLight, 3);
    } else {
      m.gradient(face, kKeyTop, kKeyBottom, true, 3);
      m.rect(face, kClear, kKeyEdge, 3);
    }
    std::string legend = utf8(kav::kKeyGeometry[k].label);
    if (k >= kav::kFirstMediaKey && k <= kav::kLastMediaKey) legend = kMedia[k - kav::kFirstMediaKey];
    const double size = legend.size() > 4 ? 7.5 : 9;
    m.text(legend, {r.left + 4, r.top + 12}, style(kSansBold, size, lit ? kLitLegend : kKeyLegend));
  }
  return m;
}

Mvg topButton(char kind) {
  Mvg m = canvas(17, 16);
  m.rect(R(0, 0, 16, 15), Rgb{43, 47, 55}, Rgb{59, 64, 74}, 3);
  const Rgb ink{215, 220, 229};
  if (kind == '?') {
    m.text("?", {8, 12}, style(kSansBold, 11, ink, art::Align::Centre));
  } else if (kind == '_') {
    m.rect(R(5, 10, 11, 11), ink);
  } else {
    m.line({5, 4}, {11, 10}, ink, 1.6);
    m.line({11, 4}, {5, 10}, ink, 1.6);
  }
  return m;
}

Mvg bottomButton(bool primary) {
  Mvg m = canvas(58, 31);
  if (primary) {
    m.gradient(R(0, 0, 57, 30), Rgb{47, 208, 255}, kAccentDark, true, 5);
  } else {
    m.gradient(R(0, 0, 57, 30), kButtonTop, kButtonBottom, true, 5);
    m.rect(R(0, 0, 57, 30), kClear, kButtonEdge, 5);
  }
  return m;
}

Mvg radio(bool on) {
  Mvg m = canvas(11, 10);
  m.circle({5, 5}, 4, on ? kAccent : Rgb{27, 30, 36}, on ? kAccentLight : Rgb{107, 115, 130});
  if (on) m.circle({5, 5}, 2, Rgb{11, 36, 48});
  return m;
}

Mvg direction(char which, bool enabled) {
  Mvg m = canvas(36, 16);
  m.rect(R(0, 0, 35, 15), enabled ? kAccent : Rgb{43, 47, 55}, enabled ? kAccentLight : Rgb{59, 64, 74}, 3);
  const Rgb c = enabled ? kLitLegend : Rgb{174, 181, 194};
  const int x = 18, y = 8;
  switch (which) {
    case 'T': m.polygon({{x - 5, y + 3}, {x + 5, y + 3}, {x, y - 4}}, c); break;
    case 'B': m.polygon({{x - 5, y - 3}, {x + 5, y - 3}, {x, y + 4}}, c); break;
    case 'L': m.polygon({{x + 3, y - 5}, {x + 3, y + 5}, {x - 4, y}}, c); break;
    default: m.polygon({{x - 3, y - 5}, {x - 3, y + 5}, {x + 4, y}}, c); break;
  }
  return m;
}

Mvg dropBox() {
  Mvg m = canvas(221, 16);
  m.rect(R(0, 0, 220, 15), Rgb{21, 23, 27}, Rgb{59, 64, 74}, 3);
  m.polygon({{206, 6}, {214, 6}, {210, 11}}, kAccent);
  return m;
}

Mvg multiColour() {
  Mvg m = canvas(20, 20);
  const Rgb stops[] = {{255, 59, 59}, {255, 210, 59}, {59, 255, 110}, {59, 184, 255}, {198, 59, 255}};
  for (int i = 0; i < 4; ++i) m.gradient(ui::Rect{i * 5, 0, i * 5 + 5, 20}, stops[i], stops[i + 1], false);
  return m;
}

Mvg sliderTrack(bool filled) {
  Mvg m = canvas(kav::kSliderTrackWidth, kav::kSliderTrackHeight);
  m.rect(R(0, 0, kav::kSliderTrackWidth - 1, kav::kSliderTrackHeight - 1), kPanel);
  if (filled) {
    m.gradient(R(2, 6, kav::kSliderTrackWidth - 3, 10), kAccentDark, kAccent, false, 2);
  } else {
    m.rect(R(2, 6, kav::kSliderTrackWidth - 3, 10), Rgb{21, 23, 27}, Rgb{59, 64, 74}, 2);
  }
  return m;
}

Mvg thumb() {
  Mvg m = canvas(kav::kThumbWidth, kav::kThumbHeight);
  m.rect(R(1, 0, 13, 13), Rgb{233, 237, 243}, Rgb{154, 163, 177}, 4);
  m.rect(R(6, 4, 8, 9), kAccentDark);
  return m;
}

void mark(Mvg& m, int x, int y, int height) {
  const int w = height * 11 / 19;
  m.polygon({{x, y}, {x + w, y}, {x + w / 2, y + height / 2}, {x + w, y + height}, {x, y + height},
             {x + w / 2, y + height / 2}},
            kAccent);
}

Mvg logo() {
  Mvg m = canvas(242, 67);
  m.rect(R(0, 0, 241, 66), kWell, kWellEdge, 6);
  mark(m, 18, 14, 38);
  m.text("KAVRELLE", {52, 38}, style(kSansBold, 24, kInk));
  m.text("RGB MECHANICAL KEYBOARD", {53, 54}, style(kSans, 8.5, kMuted));
  return m;
}

Mvg helpWindow() {
  Mvg m = canvas(167, 78);
  m.rect(R(0, 0, 166, 77), Rgb{35, 38, 45, 245}, kAccent, 5);
  for (int row = 1; row < 3; ++row) m.rect(R(10, row * 25, 156, row * 25), Rgb{58, 63, 73});
  m.circle({11, 12}, 2, kAccent);
  m.circle({11, 37}, 2, kAccent);
  m.circle({11, 62}, 2, kMuted);
  return m;
}

Mvg macroBlock() {
  Mvg m = canvas(kPanelWidth, 45);
  m.rect(R(0, 0, kPanelWidth - 1, 44), kPanel, kPanelEdge, 4);
  return m;
}

Mvg macroButton() {
  Mvg m = canvas(241, 19);
  m.gradient(R(0, 0, 240, 18), kButtonTop, kButtonBottom, true, 4);
  m.rect(R(0, 0, 240, 18), kClear, kAccentDark, 4);
  m.polygon({{226, 5}, {232, 9}, {226, 14}}, kAccent);
  return m;
}

Mvg lightingBody() {
  Mvg m = canvas(kPanelWidth, 205);
  m.rect(R(0, 0, kPanelWidth - 1, 204), kPanel, kPanelEdge, 4);
  m.rect(R(0, 0, kPanelWidth - 1, 0), kAccent);
  return m;
}

Mvg speedArea() {
  Mvg m = canvas(kPanelWidth, 88);
  m.rect(R(9, 42, kPanelWidth - 10, 42), kPanelEdge);
  return m;
}

Mvg reportRateOpen() {
  Mvg m = section(60);
  static const char* const kLabels[] = {"125Hz", "250Hz", "500Hz", "1000Hz"};
  // The slider lies at x 28, 23 pixels below the section's top; its four values spread along it.
  for (int i = 0; i < 4; ++i) {
    const int x = 9 + 8 + i * (kav::kSliderTrackWidth - 16) / 3;
    m.line({x, 41}, {x, 43}, kMuted);
    m.text(kLabels[i], {std::min(x, kPanelWidth - 22), 53}, style(kSans, 9, kMuted, art::Align::Centre));
  }
  return m;
}

Mvg config() {
  Mvg m = canvas(75, 33);
  m.gradient(R(2, 2, 72, 30), kButtonTop, kButtonBottom, true, 5);
  m.rect(R(2, 2, 72, 30), kClear, kButtonEdge, 5);
  for (int y : {10, 15, 20}) m.rect(R(10, y, 20, y + 1), kAccent);
  return m;
}

Mvg textStrip(bool chinese) {
  Mvg m = canvas(300, 20);
  m.text(chinese ? "108键全彩背光游戏键盘" : "108-key RGB gaming keyboard", {0, 14},
         style(chinese ? kCjk : kSans, 11, kDim));
  return m;
}

Mvg splash(bool chinese) {
  Mvg m = canvas(480, 270);
  m.gradient(R(0, 0, 479, 269), Rgb{31, 35, 42}, Rgb{14, 16, 19}, true, 12);
  m.rect(R(0, 0, 479, 269), kClear, Rgb{58, 63, 73}, 12);
  mark(m, 96, 92, 60);
  m.text("KAVRELLE", {140, 138}, style(kSansBold, 44, kInk));
  m.text(chinese ? "正在启动…" : "Starting…", {240, 200}, style(chinese ? kCjk : kSans, 15, kMuted, art::Align::Centre));
  m.gradient(R(140, 220, 340, 222), Rgb{39, 196, 245, 0}, kAccent, false);
  return m;
}

Mvg icon(int size) {
  Mvg m = canvas(size, size);
  m.rect(R(0, 0, size - 1, size - 1), kWindowTop, kAccent, size / 5);
  mark(m, size * 9 / 32, size * 7 / 32, size * 18 / 32);
  return m;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kavrelle_artwork <output folder>\n");
    return 2;
  }
  Output out{argv[1]};
  out.picture("main.png", mainWindow());
  out.picture("kb_BK.png", keyboardPicture(false));
  out.picture("kb_hl.png", keyboardPicture(true));
  out.picture("button-help-normal.png", topButton('?'));
  out.picture("button-min-normal.png", topButton('_'));
  out.picture("button-close-normal.png", topButton('x'));
  out.picture("button-cancel-normal.png", bottomButton(false));
  out.picture("button-save-normal.png", bottomButton(true));
  out.picture("Config.png", config());
  out.pictureIn("chinese", "text.png", textStrip(true));
  out.pictureIn("english", "text.png", textStrip(false));
  out.picture("logo.png", logo());
  out.picture("HelpWindow.png", helpWindow());
  out.picture("itemBK.png", lightingHeader());
  out.picture("LEDEffect_open.png", lightingBody());
  out.picture("Light_Item.png", dropBox());
  out.picture("freq.png", speedArea());
  out.picture("8.png", multiColour());
  for (char d : {'T', 'B', 'R', 'L'}) {
    out.picture(std::string("Direction-") + d + "-Disable.png", direction(d, false));
    out.picture(std::string("Direction-") + d + "-Enable.png", direction(d, true));
  }
  out.picture("Enable.png", radio(true));
  out.picture("Disable.png", radio(false));
  out.picture("gamemode_Close.png", header());
  out.picture("gamemode_open.png", section(55));
  out.picture("responsetime_close.png", header());
  out.picture("responsetime_open.png", section(50));
  out.picture("reportrate_Close.png", header());
  out.picture("reportrate_Open.png", reportRateOpen());
  out.picture("MacroManagementBK.png", macroBlock());
  out.picture("MacroButton3.png", macroButton());
  out.picture("Thumb.png", thumb());
  out.pictureIn("chinese", "SplashScreen.png", splash(true));
  out.pictureIn("english", "SplashScreen.png", splash(false));
  const fs::path res = out.root / "res";
  out.save(res / "139.bmp", sliderTrack(false), "BMP3");
  out.save(res / "140.bmp", sliderTrack(true), "BMP3");
  out.save(res / "154-32.png", icon(32));
  out.save(res / "154-16.png", icon(16));
  if (out.ok) {
    const std::string command = "/usr/bin/convert '" + (res / "154-32.png").string() + "' '" +
                                (res / "154-16.png").string() + "' '" + (res / "154.ico").string() + "'";
    out.ok = std::system(command.c_str()) == 0;
  }
  return out.ok ? 0 : 1;
}
