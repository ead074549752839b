// Draws every picture of Kavrelle from the same tables the program uses:
//   kavrelle_artwork <output folder>
// writes png/chinese/*.png, png/english/*.png and res/{139,140}.bmp, res/154.ico.

#include <cstdio>
#include <filesystem>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "kavrelle/controls/bit_slider.h"
#include "kavrelle/mainwindow/keyboard_geometry.h"
#include "kavrelle/mainwindow/screen_layout.h"
#include "tools/artwork/mvg.h"

namespace fs = std::filesystem;
using artwork::Mvg;

namespace {

// The palette: graphite panels, a cool accent.
const std::string kWindowTop = "#1d2026";
const std::string kWindowBottom = "#111317";
const std::string kPanel = "#23262d";
const std::string kPanelEdge = "#30343d";
const std::string kHeaderTop = "#343944";
const std::string kHeaderBottom = "#272b33";
const std::string kAccent = "#27c4f5";
const std::string kAccentDark = "#147fa6";
const std::string kMuted = "#8a93a3";
const std::string kKeyTop = "#2e323a";
const std::string kKeyBottom = "#24272e";
const std::string kKeyEdge = "#3d424c";
const std::string kKeyLegend = "#c7ccd6";

constexpr int kWindowWidth = 1000;
constexpr int kWindowHeight = 640;
constexpr int kPanelWidth = 243;  // the left panel's blocks, x 19-261
constexpr int kKeyboardWidth = 632;
constexpr int kKeyboardHeight = 238;

struct Output {
  fs::path root;
  bool ok = true;
  void picture(const std::string& name, const Mvg& mvg, bool bothLanguages = true) {
    ok = mvg.render(root / "png" / "chinese" / name) && ok;
    if (bothLanguages) ok = mvg.render(root / "png" / "english" / name) && ok;
  }
  void pictureIn(const std::string& language, const std::string& name, const Mvg& mvg) {
    ok = mvg.render(root / "png" / language / name) && ok;
  }
  void resource(const std::string& name, const Mvg& mvg) { ok = mvg.render(root / "res" / name) && ok; }
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

void chevron(Mvg& m, int x, int y, bool open, const std::string& colour) {
  if (open) {
    m.polygon({{x - 4.0, y - 2.0}, {x + 4.0, y - 2.0}, {x + 0.0, y + 3.0}}, colour);
  } else {
    m.polygon({{x - 2.0, y - 4.0}, {x + 3.0, y + 0.0}, {x - 2.0, y + 4.0}}, colour);
  }
}

// A section header strip, 243 x 21, its title drawn by the program at its top-left.
Mvg header(bool open) {
  Mvg m(kPanelWidth, 21);
  m.verticalGradient(0, 0, kPanelWidth - 1, 20, kHeaderTop, kHeaderBottom, 3);
  m.rect(0, 20, kPanelWidth - 1, 20, open ? kAccent : kPanelEdge);
  chevron(m, kPanelWidth - 12, 10, open, open ? kAccent : kMuted);
  return m;
}

// A header with the section body below it.
Mvg section(int height) {
  Mvg m(kPanelWidth, height);
  m.roundRect(0, 0, kPanelWidth - 1, height - 1, 4, kPanel, kPanelEdge);
  m.verticalGradient(0, 0, kPanelWidth - 1, 20, kHeaderTop, kHeaderBottom, 3);
  m.rect(0, 20, kPanelWidth - 1, 20, kAccent);
  chevron(m, kPanelWidth - 12, 10, true, kAccent);
  return m;
}

Mvg mainWindow() {
  Mvg m(kWindowWidth, kWindowHeight);
  m.verticalGradient(0, 0, kWindowWidth - 1, kWindowHeight - 1, kWindowTop, kWindowBottom, 10);
  m.roundRect(0, 0, kWindowWidth - 1, kWindowHeight - 1, 10, "none", "#3a3f49", 1);
  // Title band and bottom band.
  m.rect(12, 27, kWindowWidth - 13, 27, "#2b2f37");
  m.rect(12, 596, kWindowWidth - 13, 596, "#2b2f37");
  m.text(300, 19, "KAVRELLE", 12, kMuted, artwork::kSansBoldFont);
  // Left panel well and keyboard stage.
  m.roundRect(12, 104, 268, 588, 6, "#181a1f", "#262a31");
  const kav::Point o = kav::kKeyboardOrigin;
  m.roundRect(o.x - 14, o.y - 60, o.x + kKeyboardWidth + 12, o.y + kKeyboardHeight + 30, 10, "#171a1f", "#262a31");
  m.horizontalGradient(o.x - 14, o.y - 60, o.x + kKeyboardWidth + 12, o.y - 57, "#27c4f500", kAccent + "cc");
  return m;
}

// kb_BK.png (plain) and kb_hl.png (every key lit): identical geometry, different key faces.
Mvg keyboardPicture(bool lit) {
  Mvg m(kKeyboardWidth, kKeyboardHeight);
  m.roundRect(0, 50, kKeyboardWidth - 1, kKeyboardHeight - 1, 8, "#1b1e24", "#2c3039");
  m.text(8, 30, "KAVRELLE", 13, kMuted, artwork::kSansBoldFont);
  m.text(120, 30, "108", 10, "#5c6574", artwork::kSansFont);
  for (std::size_t k = 0; k < kav::kKeyCount; ++k) {
    const kav::Rect r = kav::kKeyGeometry[k].rect;
    if (lit) {
      m.verticalGradient(r.left, r.top, r.right, r.bottom, "#3fd3ff", "#1596c8", 3);
      m.roundRect(r.left, r.top, r.right, r.bottom, 3, "none", "#9be8ff", 1);
    } else {
      m.verticalGradient(r.left, r.top, r.right, r.bottom, kKeyTop, kKeyBottom, 3);
      m.roundRect(r.left, r.top, r.right, r.bottom, 3, "none", kKeyEdge, 1);
    }
    std::u16string_view label = kav::kKeyGeometry[k].label;
    std::string legend = utf8(label);
    if (k >= kav::kFirstMediaKey && k <= kav::kLastMediaKey) {
      static const char* media[] = {"Vol-", "Mute", "Play", "Vol+"};
      legend = media[k - kav::kFirstMediaKey];
    }
    const double size = legend.size() > 4 ? 8 : 9;
    m.text(r.left + 4, r.top + 12, legend, size, lit ? "#06202b" : kKeyLegend, artwork::kSansBoldFont);
  }
  return m;
}

Mvg topButton(const std::string& kind) {
  Mvg m(17, 16);
  m.roundRect(0, 0, 16, 15, 3, "#2b2f37", "#3b404a");
  if (kind == "help") {
    m.text(8.5, 8, "?", 11, "#d7dce5", artwork::kSansBoldFont, true);
  } else if (kind == "min") {
    m.rect(5, 10, 11, 11, "#d7dce5");
  } else {
    m.line(5, 4.5, 11.5, 11, "#d7dce5", 1.6).line(11.5, 4.5, 5, 11, "#d7dce5", 1.6);
  }
  return m;
}

Mvg bottomButton(bool primary) {
  Mvg m(58, 31);
  if (primary) {
    m.verticalGradient(0, 0, 57, 30, "#2fd0ff", kAccentDark, 5);
  } else {
    m.verticalGradient(0, 0, 57, 30, "#3a3f49", "#2a2e36", 5);
    m.roundRect(0, 0, 57, 30, 5, "none", "#4a505c");
  }
  return m;
}

Mvg radio(bool on) {
  Mvg m(11, 10);
  m.circle(5, 5, 4.3, on ? kAccent : "#1b1e24", on ? "#9be8ff" : "#6b7382", 1);
  if (on) m.circle(5, 5, 1.8, "#0b2430");
  return m;
}

Mvg direction(char which, bool enabled) {
  Mvg m(36, 16);
  m.roundRect(0, 0, 35, 15, 3, enabled ? kAccent : "#2b2f37", enabled ? "#9be8ff" : "#3b404a");
  const std::string c = enabled ? "#06202b" : "#aeb5c2";
  const double cx = 18, cy = 8;
  switch (which) {
    case 'T': m.polygon({{cx - 5, cy + 3}, {cx + 5, cy + 3}, {cx, cy - 4}}, c); break;
    case 'B': m.polygon({{cx - 5, cy - 3}, {cx + 5, cy - 3}, {cx, cy + 4}}, c); break;
    case 'L': m.polygon({{cx + 3, cy - 5}, {cx + 3, cy + 5}, {cx - 4, cy}}, c); break;
    default: m.polygon({{cx - 3, cy - 5}, {cx - 3, cy + 5}, {cx + 4, cy}}, c); break;
  }
  return m;
}

Mvg dropBox() {
  Mvg m(221, 16);
  m.roundRect(0, 0, 220, 15, 3, "#15171b", "#3b404a");
  m.polygon({{206.0, 6.0}, {214.0, 6.0}, {210.0, 11.0}}, kAccent);
  return m;
}

Mvg multiColour() {
  Mvg m(20, 20);
  m.raw("push defs\npush gradient 'rainbow' linear 0,0 20,0\n"
        "stop-color '#ff3b3b' 0\nstop-color '#ffd23b' 0.25\nstop-color '#3bff6e' 0.5\n"
        "stop-color '#3bb8ff' 0.75\nstop-color '#c63bff' 1\npop gradient\npop defs");
  m.raw("push graphic-context\nstroke none\nfill 'url(#rainbow)'\nrectangle 0,0 19.999,19.999\npop graphic-context");
  return m;
}

Mvg sliderTrack(bool filled) {
  Mvg m(kav::kSliderTrackWidth, kav::kSliderTrackHeight);
  if (filled) {
    m.horizontalGradient(2, 6, kav::kSliderTrackWidth - 3, 10, kAccentDark, kAccent, 2);
  } else {
    m.roundRect(2, 6, kav::kSliderTrackWidth - 3, 10, 2, "#15171b", "#3b404a");
  }
  return m;
}

Mvg thumb() {
  Mvg m(kav::kThumbWidth, kav::kThumbHeight);
  m.roundRect(1, 0, 13, 13, 4, "#e9edf3", "#9aa3b1");
  m.rect(6, 4, 8, 9, kAccentDark);
  return m;
}

Mvg logo() {
  Mvg m(242, 67);
  m.roundRect(0, 0, 241, 66, 6, "#181a1f", "#262a31");
  m.polygon({{18.0, 14.0}, {40.0, 14.0}, {30.0, 33.0}, {40.0, 52.0}, {18.0, 52.0}, {28.0, 33.0}}, kAccent);
  m.text(52, 38, "KAVRELLE", 24, "#eef2f7", artwork::kSansBoldFont);
  m.text(53, 54, "RGB MECHANICAL KEYBOARD", 8.5, kMuted, artwork::kSansFont);
  return m;
}

Mvg helpWindow() {
  Mvg m(167, 78);
  m.roundRect(0, 0, 166, 77, 5, "#23262df2", kAccent);
  for (int row = 1; row < 3; ++row) m.rect(10, row * 25, 156, row * 25, "#3a3f49");
  m.circle(11, 12, 2, kAccent).circle(11, 37, 2, kAccent).circle(11, 62, 2, kMuted);
  return m;
}

Mvg macroBlock() {
  Mvg m(kPanelWidth, 45);
  m.roundRect(0, 0, kPanelWidth - 1, 44, 4, kPanel, kPanelEdge);
  return m;
}

Mvg macroButton() {
  Mvg m(241, 19);
  m.verticalGradient(0, 0, 240, 18, "#3a3f49", "#2a2e36", 4);
  m.roundRect(0, 0, 240, 18, 4, "none", kAccentDark);
  m.polygon({{226.0, 5.0}, {232.0, 9.5}, {226.0, 14.0}}, kAccent);
  return m;
}

Mvg reportRateOpen() {
  Mvg m = section(60);
  const char* labels[] = {"125Hz", "250Hz", "500Hz", "1000Hz"};
  // The slider sits at x 28, 23 pixels below the section top; its values 0-3 spread along it.
  for (int i = 0; i < 4; ++i) {
    const double x = 9 + 8 + i * (kav::kSliderTrackWidth - 16) / 3.0;
    m.line(x, 41, x, 44, kMuted);
    m.text(std::min(x, kPanelWidth - 20.0), 51, labels[i], 9, kMuted, artwork::kSansFont, true);
  }
  return m;
}

Mvg config() {
  Mvg m(75, 33);
  m.verticalGradient(2, 2, 72, 30, "#3a3f49", "#2a2e36", 5);
  m.roundRect(2, 2, 72, 30, 5, "none", "#4a505c");
  m.rect(10, 10, 20, 11, kAccent).rect(10, 15, 20, 16, kAccent).rect(10, 20, 20, 21, kAccent);
  return m;
}

Mvg textStrip(bool chinese) {
  Mvg m(300, 20);
  m.text(0, 14, chinese ? "108键全彩背光游戏键盘" : "108-key RGB gaming keyboard", 11, "#5c6574",
         chinese ? artwork::kCjkFont : artwork::kSansFont);
  return m;
}

Mvg splash(bool chinese) {
  Mvg m(480, 270);
  m.verticalGradient(0, 0, 479, 269, "#1f232a", "#0e1013", 12);
  m.roundRect(0, 0, 479, 269, 12, "none", "#3a3f49");
  m.polygon({{180.0, 70.0}, {214.0, 70.0}, {199.0, 100.0}, {214.0, 130.0}, {180.0, 130.0}, {195.0, 100.0}}, kAccent);
  m.text(240, 110, "KAVRELLE", 34, "#eef2f7", artwork::kSansBoldFont).raw("");
  m.text(240, 170, chinese ? "正在启动…" : "Starting…", 15, kMuted, chinese ? artwork::kCjkFont : artwork::kSansFont,
         true);
  m.horizontalGradient(140, 200, 340, 202, "#27c4f500", kAccent);
  return m;
}

Mvg icon(int size) {
  Mvg m(size, size);
  const double s = size / 32.0;
  m.roundRect(0, 0, size - 1, size - 1, static_cast<int>(6 * s), "#1d2026", kAccent);
  m.polygon({{9 * s, 7 * s}, {23 * s, 7 * s}, {16 * s, 16 * s}, {23 * s, 25 * s}, {9 * s, 25 * s}, {15 * s, 16 * s}},
            kAccent);
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
  out.picture("button-help-normal.png", topButton("help"));
  out.picture("button-min-normal.png", topButton("min"));
  out.picture("button-close-normal.png", topButton("close"));
  out.picture("button-cancel-normal.png", bottomButton(false));
  out.picture("button-save-normal.png", bottomButton(true));
  out.picture("Config.png", config());
  out.pictureIn("chinese", "text.png", textStrip(true));
  out.pictureIn("english", "text.png", textStrip(false));
  out.picture("logo.png", logo());
  out.picture("HelpWindow.png", helpWindow());
  out.picture("itemBK.png", header(false));
  out.picture("LEDEffect_open.png", [] {
    Mvg m(kPanelWidth, 205);
    m.roundRect(0, 0, kPanelWidth - 1, 204, 4, kPanel, kPanelEdge);
    m.rect(0, 0, kPanelWidth - 1, 0, kAccent);
    return m;
  }());
  out.picture("Light_Item.png", dropBox());
  out.picture("freq.png", [] {
    Mvg m(kPanelWidth, 88);
    m.rect(9, 42, kPanelWidth - 10, 42, "#30343d");
    return m;
  }());
  out.picture("8.png", multiColour());
  for (char d : {'T', 'B', 'R', 'L'}) {
    out.picture(std::string("Direction-") + d + "-Disable.png", direction(d, false));
    out.picture(std::string("Direction-") + d + "-Enable.png", direction(d, true));
  }
  out.picture("Enable.png", radio(true));
  out.picture("Disable.png", radio(false));
  out.picture("gamemode_Close.png", header(false));
  out.picture("gamemode_open.png", section(55));
  out.picture("responsetime_close.png", header(false));
  out.picture("responsetime_open.png", section(50));
  out.picture("reportrate_Close.png", header(false));
  out.picture("reportrate_Open.png", reportRateOpen());
  out.picture("MacroManagementBK.png", macroBlock());
  out.picture("MacroButton3.png", macroButton());
  out.picture("Thumb.png", thumb());
  out.pictureIn("chinese", "SplashScreen.png", splash(true));
  out.pictureIn("english", "SplashScreen.png", splash(false));
  out.resource("139.bmp", sliderTrack(false));
  out.resource("140.bmp", sliderTrack(true));
  out.resource("154-32.png", icon(32));
  out.resource("154-16.png", icon(16));
  if (out.ok) {
    const fs::path ico = out.root / "res" / "154.ico";
    const std::string command = "/usr/bin/convert '" + (out.root / "res" / "154-32.png").string() + "' '" +
                                (out.root / "res" / "154-16.png").string() + "' '" + ico.string() + "'";
    out.ok = std::system(command.c_str()) == 0;
  }
  return out.ok ? 0 : 1;
}
