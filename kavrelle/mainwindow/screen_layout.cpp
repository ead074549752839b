#include "kavrelle/mainwindow/screen_layout.h"

#include "kavrelle/device/device_image.h"

namespace kav {

const std::array<Rect, kFixedElementCount> kInitialElements = {{
    {936, 5, 952, 20},    // 0 help
    {957, 5, 973, 20},    // 1 minimise
    {978, 5, 994, 20},    // 2 close
    {28, 158, 248, 173},  // 3 effect box
    {29, 197, 64, 212},   // 4 direction T
    {79, 197, 114, 212},  // 5 direction B
    {129, 197, 164, 212}, // 6 direction R
    {179, 197, 214, 212}, // 7 direction L
    {28, 258, 245, 280},  // 8 not hit-tested
    {28, 326, 250, 344},  // 9 macro manager button
    {34, 397, 44, 406},   // 10 game mode on
    {88, 397, 98, 406},   // 11 game mode off
    {28, 455, 247, 470},  // 12 response-time box
    {35, 534, 247, 543},  // 13 not hit-tested
    {19, 605, 89, 633},   // 14 profile
    {800, 605, 857, 635}, // 15 restore
    {861, 605, 918, 635}, // 16 cancel
    {923, 605, 980, 635}, // 17 save
    {19, 110, 260, 127},  // 18 lighting header
    {19, 363, 260, 380},  // 19 game mode header
    {19, 427, 260, 444},  // 20 response-time header
    {19, 507, 260, 524},  // 21 report-rate header
}};

namespace {
constexpr int kCollapsedLightingHeight = 30;
constexpr int kExpandedLightingHeight = 225;
constexpr int kHeaderRight = 261;
constexpr int kHeaderHeight = 20;
}  // namespace

PanelLayout ComputeLayout(const SectionState& sections) {
  PanelLayout layout;
  const int c = sections.lightingCollapsed ? kCollapsedLightingHeight : kExpandedLightingHeight;
  layout.macroBlockTop = c + 110;
  layout.gameModeTop = c + 165;
  layout.responseTop = c + 220;
  layout.responseListTop = layout.responseTop - 173;
  layout.reportRateTop = layout.responseTop + (sections.responseCollapsed ? 40 : 75);
  return layout;
}

ScreenElements::ScreenElements() {
  for (std::size_t i = 0; i < kFixedElementCount; ++i) rects_[i] = kInitialElements[i];
}

void ScreenElements::ApplyLayout(const PanelLayout& l) {
  const auto header = [](int top) { return Rect{kPanelLeft, top, kHeaderRight, top + kHeaderHeight}; };
  rects_[element::kLightingHeader] = header(l.lightingTop);
  rects_[element::kMacroButton] = Rect{kPanelLeft, l.macroBlockTop + 10, 259, l.macroBlockTop + 28};
  rects_[element::kGameModeHeader] = header(l.gameModeTop);
  rects_[element::kGameModeOn] = Rect{34, l.gameModeTop + kRadioRowOffset, 44, l.gameModeTop + kRadioRowBottomOffset};
  rects_[element::kGameModeOff] = Rect{88, l.gameModeTop + kRadioRowOffset, 115, l.gameModeTop + kRadioRowBottomOffset};
  rects_[element::kResponseHeader] = header(l.responseTop);
  rects_[element::kResponseBox] = Rect{28, l.responseTop + 28, 248, l.responseTop + 44};
  rects_[element::kReportRateHeader] = header(l.reportRateTop);
}

Rect SwatchZone(int index) {
  const int left = kSwatchLeft + kSwatchPitch * index;
  return Rect{left, kSwatchTop, left + kSwatchSize, kSwatchTop + kSwatchSize};
}

int HitTest(const ScreenElements& e, const HitContext& context, int x, int y) {
  using namespace element;
  const auto hit = [&](int code) { return e[static_cast<std::size_t>(code)].Contains(x, y); };
  for (int code : {kHelp, kMinimise, kClose}) {
    if (hit(code)) return code;
  }
  if (hit(kLightingHeader)) return kLightingHeader;
  if (!context.sections.lightingCollapsed) {
    if (IsCustomEffect(context.effect)) {
      if (kKeymapRadioZone.Contains(x, y)) return kKeymapRadio;
      if (kDiyRadioZone.Contains(x, y)) return kDiyRadio;
    }
    for (int code = kEffectBox; code <= kDirectionL; ++code) {
      if (hit(code)) return code;
    }
    if (hit(kMacroButton)) return kMacroButton;
    for (int k = 0; k < kSwatchCount; ++k) {
      if (SwatchZone(k).Contains(x, y)) return kFirstSwatch + k;
    }
  } else if (hit(kMacroButton)) {
    return kMacroButton;
  }
  if (!context.sections.gameModeCollapsed) {
    if (hit(kGameModeOn)) return kGameModeOn;
    if (hit(kGameModeOff)) return kGameModeOff;
    if (hit(kGameModeHeader)) return kGameModeHeader;
    const int top = context.layout.gameModeTop + kRadioRowOffset;
    const int bottom = context.layout.gameModeTop + kRadioRowBottomOffset;
    if (y >= top && y <= bottom) {
      if (x >= kWinLockOnLeft && x <= kWinLockOnRight) return kWinLockOn;
      if (x >= kWinLockOffLeft && x <= kWinLockOffRight) return kWinLockOff;
    }
  } else if (hit(kGameModeHeader)) {
    return kGameModeHeader;
  }
  if (!context.sections.responseCollapsed && hit(kResponseBox)) return kResponseBox;
  if (hit(kResponseHeader)) return kResponseHeader;
  if (hit(kReportRateHeader)) return kReportRateHeader;
  for (int code = kProfile; code <= kSave; ++code) {
    if (hit(code)) return code;
  }
  if (kLogoZone.Contains(x, y)) return kLogo;
  return kNone;
}

}  // namespace kav
