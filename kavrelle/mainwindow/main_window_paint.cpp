// The main window's full redraw, in the order the window is layered.

#include "kavrelle/keys/key_tables.h"
#include "kavrelle/mainwindow/keyboard_geometry.h"
#include "kavrelle/mainwindow/lighting.h"
#include "kavrelle/mainwindow/main_window_model.h"
#include "kavrelle/mainwindow/performance.h"
#include "kavrelle/mainwindow/texts.h"

namespace kav {
namespace {

constexpr ui::Colour kListRow{59, 59, 59};
constexpr ui::Colour kListRowHovered{80, 0, 0};
constexpr ui::Colour kGreySwatch{192, 192, 192};
constexpr int kFontWeight = 300;

ui::Rect toUi(const Rect& r) { return ui::Rect{r.left, r.top, r.right + 1, r.bottom + 1}; }

}  // namespace

void MainWindowModel::drawPicture(ui::Canvas& canvas, std::u16string_view name, int x, int y) {
  if (const ui::Picture* picture = pictures_.get(app_.Picture(name))) canvas.drawPicture(*picture, ui::Point{x, y});
}

void MainWindowModel::drawPicturePart(ui::Canvas& canvas, std::u16string_view name, ui::Rect source, int x, int y) {
  if (const ui::Picture* picture = pictures_.get(app_.Picture(name))) canvas.drawPicture(*picture, source, ui::Point{x, y});
}

void MainWindowModel::drawText(ui::Canvas& canvas, std::u16string_view text, int x, int y, int height,
                               ui::Colour colour) {
  canvas.drawText(text, ui::Point{x, y}, ui::Font{u"Arial", height, 0, kFontWeight}, colour);
}

void MainWindowModel::Draw(ui::Canvas& canvas) {
  elements_.ApplyLayout(ComputeLayout(view_.sections));
  drawPicture(canvas, u"main.png", 0, 0);
  drawPicture(canvas, u"button-help-normal.png", 936, 5);
  drawPicture(canvas, u"button-min-normal.png", 957, 5);
  drawPicture(canvas, u"button-close-normal.png", 978, 5);
  drawPicture(canvas, u"logo.png", 19, 35);
  drawKeyboard(canvas);
  drawBottom(canvas);
  drawLighting(canvas);
  drawMacroBlock(canvas);
  drawPerformance(canvas);
  if (view_.effectListOpen) drawEffectList(canvas);
  if (view_.responseListOpen) drawResponseList(canvas);
  if (view_.helpOpen) drawHelp(canvas);
}

void MainWindowModel::drawKeyboard(ui::Canvas& canvas) {
  const Point origin = kKeyboardOrigin;
  drawPicture(canvas, u"kb_BK.png", origin.x, origin.y);
  const DeviceImage& live = device_.Live();
  const auto table = CustomTableOfEffect(live.lighting.effect);
  const auto litKey = [&](std::size_t key) {
    const Rect r = kKeyGeometry[key].rect;
    drawPicturePart(canvas, u"kb_hl.png", toUi(r), origin.x + r.left, origin.y + r.top);
  };
  if (!view_.paintMode) {
    if (view_.hoveredKey != kNoKey) litKey(view_.hoveredKey);
    app_.assigned[kWinKey] = 0;  // the Windows key is never shown as marked, not even when locked
    for (std::size_t key = 0; key < kKeyCount; ++key) {
      if (app_.assigned[key]) litKey(key);
    }
    return;
  }
  if (!table) return;
  for (std::size_t key = 0; key < kKeyCount; ++key) {
    if (key >= kFirstMediaKey && key <= kLastMediaKey) continue;
    const CustomColourEntry& c = CustomColourAt(live, *table, PositionOfKey(key));
    if (c.red == 0 && c.green == 0 && c.blue == 0) continue;
    canvas.fillRect(toUi(KeyRectOnScreen(key)), ui::Colour{c.red, c.green, c.blue});
    const Point label = KeyLabelPoint(key);
    drawText(canvas, kKeyGeometry[key].label, label.x, label.y, 10,
             ui::Colour{static_cast<std::uint8_t>(255 - c.red), static_cast<std::uint8_t>(255 - c.green),
                        static_cast<std::uint8_t>(255 - c.blue)});
  }
  if (view_.hoveredKey != kNoKey) {
    const Rect r = kKeyGeometry[view_.hoveredKey].rect;
    canvas.frameRect(ui::Rect::fromSize(r.left + origin.x - 2, r.top + origin.y - 2, r.right - r.left + 3,
                                        r.bottom - r.top + 3),
                     ui::kWhite);
  }
}

void MainWindowModel::drawBottom(ui::Canvas& canvas) {
  const UiLanguage lang = app_.language;
  drawPicture(canvas, u"button-cancel-normal.png", 800, 605);
  drawPicture(canvas, u"button-cancel-normal.png", 862, 605);
  drawPicture(canvas, u"button-save-normal.png", 924, 605);
  drawPicture(canvas, u"text.png", 96, 610);
  drawPicture(canvas, u"Config.png", 17, 603);
  drawText(canvas, text::kProfile.In(lang), 45, 610, 16);
  drawText(canvas, text::kRestore.In(lang), 810, 612, 16);
  drawText(canvas, text::kCancel.In(lang), 872, 612, 16);
  drawText(canvas, text::kSave.In(lang), 934, 612, 16);
}

void MainWindowModel::drawLighting(ui::Canvas& canvas) {
  const UiLanguage lang = app_.language;
  const LightingBlock& l = device_.Live().lighting;
  drawPicture(canvas, u"itemBK.png", 19, 110);
  drawText(canvas, text::kLight.In(lang), 19, 110, 15);
  if (view_.sections.lightingCollapsed) return;

  drawPicture(canvas, u"LEDEffect_open.png", 19, 130);
  drawText(canvas, text::kEffect.In(lang), 28, 137, 15);
  drawPicture(canvas, u"Light_Item.png", 28, 158);
  if (const EffectInfo* effect = FindEffect(l.effect)) {
    drawText(canvas, IsChinese(lang) ? effect->chinese : effect->english, 28, 158, 14);
  }

  if (SpeedSliderShown(l.effect)) {
    drawPicture(canvas, u"freq.png", 19, 245);
    drawText(canvas, text::kSpeed.In(lang), 28, 290, 15);
    drawText(canvas, text::kSlow.In(lang), 28, 317, 13);
    drawText(canvas, text::kFast.In(lang), 230, 317, 13);
  }
  drawText(canvas, text::kBrightness.In(lang), 28, 247, 15);
  drawText(canvas, text::kDark.In(lang), 28, 274, 13);
  drawText(canvas, text::kBright.In(lang), 230, 274, 13);

  if (l.effect < kFirstCustomEffect) {
    const bool grey = SwatchesGrey(l.effect);
    const DeviceImage& live = device_.Live();
    for (int k = 1; k <= static_cast<int>(kColourSlotCount); ++k) {
      const Rgb& c = live.colourSlots[static_cast<std::size_t>(k - 1)];
      canvas.fillRect(ui::Rect::fromSize(kSwatchLeft + kSwatchPitch * (k - 1), kSwatchTop, kSwatchSize, kSwatchSize),
                      grey ? kGreySwatch : ui::Colour{c.red, c.green, c.blue});
    }
    if (MultiColourSwatchShown(l.effect)) drawPicture(canvas, u"8.png", 203, 223);
    const int choice = ColourChoiceShown(live);
    canvas.frameRect(ui::Rect::fromSize(26 + kSwatchPitch * (choice - 1), 221, 23, 23), ui::kWhite);
  }

  if (DirectionShown(l.effect)) {
    drawText(canvas, text::kDirection, 29, 177, 15);
    struct Arrow {
      std::uint8_t code;
      std::u16string_view disabled, enabled;
      int x;
    };
    static constexpr Arrow arrows[] = {
        {kDirectionT, u"Direction-T-Disable.png", u"Direction-T-Enable.png", 29},
        {kDirectionB, u"Direction-B-Disable.png", u"Direction-B-Enable.png", 79},
        {kDirectionR, u"Direction-R-Disable.png", u"Direction-R-Enable.png", 129},
        {kDirectionL, u"Direction-L-Disable.png", u"Direction-L-Enable.png", 179},
    };
    for (const Arrow& a : arrows) drawPicture(canvas, a.disabled, a.x, 197);
    for (const Arrow& a : arrows) {
      if (a.code == l.direction) drawPicture(canvas, a.enabled, a.x, 197);
    }
  }

  if (IsCustomEffect(l.effect)) {
    drawPicture(canvas, view_.paintMode ? u"Disable.png" : u"Enable.png", 28, 199);
    drawPicture(canvas, view_.paintMode ? u"Enable.png" : u"Disable.png", 130, 199);
    drawText(canvas, text::kKeymap, 45, 197, 15);
    drawText(canvas, text::kDiy, 147, 197, 15);
  }
}

void MainWindowModel::drawMacroBlock(ui::Canvas& canvas) {
  const int top = ComputeLayout(view_.sections).macroBlockTop;
  drawPicture(canvas, u"MacroManagementBK.png", kPanelLeft, top);
  drawPicture(canvas, u"MacroButton3.png", kPanelLeft, top + 10);
  drawText(canvas, text::kMacroManagement.In(app_.language), 21, top + 12, 15);
}

void MainWindowModel::drawPerformance(ui::Canvas& canvas) {
  const UiLanguage lang = app_.language;
  const PanelLayout layout = ComputeLayout(view_.sections);
  const DeviceImage& live = device_.Live();

  const int g = layout.gameModeTop;
  if (view_.sections.gameModeCollapsed) {
    drawPicture(canvas, u"gamemode_Close.png", kPanelLeft, g);
    drawText(canvas, text::kGameMode.In(lang), kPanelLeft, g, 15);
    drawText(canvas, text::kWinLockTitleCollapsed.In(lang), 149, g, 15);
  } else {
    drawPicture(canvas, u"gamemode_open.png", kPanelLeft, g);
    drawText(canvas, text::kGameMode.In(lang), kPanelLeft, g, 15);
    drawText(canvas, text::kWinLockTitle.In(lang), 149, g, 15);
    const int row = g + kRadioRowOffset;
    const bool game = live.gameMode != 0;
    const bool lock = live.windowsKeyLock != 0;
    drawPicture(canvas, game ? u"Enable.png" : u"Disable.png", 34, row);
    drawPicture(canvas, game ? u"Disable.png" : u"Enable.png", 88, row);
    drawPicture(canvas, lock ? u"Enable.png" : u"Disable.png", 164, row);
    drawPicture(canvas, lock ? u"Disable.png" : u"Enable.png", 218, row);
    const int labels = g + 31;
    drawText(canvas, text::kGameModeOn.In(lang), 51, labels, 15);
    drawText(canvas, text::kGameModeOff.In(lang), 105, labels, 15);
    drawText(canvas, text::kWinLockOn.In(lang), 181, labels, 15);
    drawText(canvas, text::kWinLockOff.In(lang), 235, labels, 15);
  }

  const int e = layout.responseTop;
  if (view_.sections.responseCollapsed) {
    drawPicture(canvas, u"responsetime_close.png", kPanelLeft, e);
    drawText(canvas, text::kResponseTime.In(lang), kPanelLeft, e, 15);
  } else {
    drawPicture(canvas, u"responsetime_open.png", kPanelLeft, e);
    drawText(canvas, text::kResponseTime.In(lang), kPanelLeft, e, 15);
    drawPicture(canvas, u"Light_Item.png", 28, e + 28);
    drawText(canvas, ResponseBoxText(live.responseTime), 100, e + 28, 15);
  }

  const int f = layout.reportRateTop;
  drawPicture(canvas, view_.sections.reportRateCollapsed ? u"reportrate_Close.png" : u"reportrate_Open.png",
              kPanelLeft, f);
  drawText(canvas, text::kReportRate.In(lang), kPanelLeft, f, 15);
}

void MainWindowModel::drawEffectList(ui::Canvas& canvas) {
  for (std::size_t row = 0; row < kEffectCount; ++row) {
    const int top = 173 + kListRowHeight * static_cast<int>(row);
    canvas.fillRect(ui::Rect{28, top, 249, top + kListRowHeight},
                    row == view_.effectHoverRow ? kListRowHovered : kListRow);
    const EffectInfo& effect = kEffects[row];
    drawText(canvas, IsChinese(app_.language) ? effect.chinese : effect.english, 28, top, 18);
  }
}

void MainWindowModel::drawResponseList(ui::Canvas& canvas) {
  const int listTop = ComputeLayout(view_.sections).responseListTop;
  for (int row = 0; row < kResponseRows; ++row) {
    const int top = listTop + kListRowHeight * row;
    canvas.fillRect(ui::Rect{27, top, 27 + kListWidth, top + kListRowHeight},
                    row == view_.responseHoverRow ? kListRowHovered : kListRow);
    drawText(canvas, kResponseTexts[static_cast<std::size_t>(row)], 97, top, 18);
  }
}

void MainWindowModel::drawHelp(ui::Canvas& canvas) {
  drawPicture(canvas, u"HelpWindow.png", 830, 22);
  drawText(canvas, app_.webAddress, 850, 25, 15);
  drawText(canvas, text::kUpdateFirmware.In(app_.language), 850, 50, 15);
  drawText(canvas, text::kVersionLine, 850, 75, 15);
}

}  // namespace kav
