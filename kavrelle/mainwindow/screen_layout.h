#pragma once
// The main window's screen elements, the layout of the collapsible left panel and the
// hit-test that turns a point into an element code.

#include <array>
#include <cstddef>
#include <cstdint>

#include "kavrelle/mainwindow/geometry.h"

namespace kav {

// Element codes returned by the hit-test (0-21 are also rows of the element table).
namespace element {
inline constexpr int kNone = -1;
inline constexpr int kHelp = 0;
inline constexpr int kMinimise = 1;
inline constexpr int kClose = 2;
inline constexpr int kEffectBox = 3;
inline constexpr int kDirectionT = 4;
inline constexpr int kDirectionB = 5;
inline constexpr int kDirectionR = 6;
inline constexpr int kDirectionL = 7;
inline constexpr int kMacroButton = 9;
inline constexpr int kGameModeOn = 10;
inline constexpr int kGameModeOff = 11;
inline constexpr int kResponseBox = 12;
inline constexpr int kProfile = 14;
inline constexpr int kRestore = 15;
inline constexpr int kCancel = 16;
inline constexpr int kSave = 17;
inline constexpr int kLightingHeader = 18;
inline constexpr int kGameModeHeader = 19;
inline constexpr int kResponseHeader = 20;
inline constexpr int kReportRateHeader = 21;
inline constexpr int kFirstSwatch = 22;   // 22-28 colour slots 1-7
inline constexpr int kMultiColourSwatch = 29;
inline constexpr int kLogo = 30;
inline constexpr int kWinLockOn = 31;
inline constexpr int kWinLockOff = 32;
inline constexpr int kKeymapRadio = 33;
inline constexpr int kDiyRadio = 34;
}  // namespace element

inline constexpr std::size_t kElementTableSize = 256;
inline constexpr std::size_t kFixedElementCount = 22;

// Elements 0-21 as loaded at start-up; the layout moves the movable ones.
extern const std::array<Rect, kFixedElementCount> kInitialElements;

struct SectionState {
  bool lightingCollapsed = true;
  bool gameModeCollapsed = true;
  bool responseCollapsed = true;
  bool reportRateCollapsed = true;
};

// Top-left corners (all at x 19) that the layout gives the left panel's blocks.
struct PanelLayout {
  int lightingTop = 110;
  int macroBlockTop = 0;
  int gameModeTop = 0;
  int responseTop = 0;
  int reportRateTop = 0;
  int responseListTop = 0;  // the list opens upwards from here, at x 27
};
inline constexpr int kPanelLeft = 19;

PanelLayout ComputeLayout(const SectionState& sections);

class ScreenElements {
 public:
  ScreenElements();
  // Moves the macro button, the performance elements and the section headers.
  void ApplyLayout(const PanelLayout& layout);
  const Rect& operator[](std::size_t element) const { return rects_[element]; }

 private:
  std::array<Rect, kElementTableSize> rects_{};
};

struct HitContext {
  SectionState sections;
  PanelLayout layout;
  std::uint8_t effect = 0;  // the live effect code
};

// The element under (x, y) in the fixed order of the window, or element::kNone.
int HitTest(const ScreenElements& elements, const HitContext& context, int x, int y);

// Fixed zones that are not rows of the element table.
inline constexpr Rect kKeymapRadioZone{28, 200, 42, 214};
inline constexpr Rect kDiyRadioZone{130, 200, 144, 214};
inline constexpr Rect kLogoZone{19, 32, 261, 102};
inline constexpr int kSwatchLeft = 28;
inline constexpr int kSwatchPitch = 25;
inline constexpr int kSwatchSize = 20;
inline constexpr int kSwatchTop = 223;
inline constexpr int kSwatchCount = 8;
Rect SwatchZone(int index);  // index 0-7, inclusive 21 x 21 zone
inline constexpr int kWinLockOnLeft = 164, kWinLockOnRight = 174;
inline constexpr int kWinLockOffLeft = 218, kWinLockOffRight = 245;
inline constexpr int kRadioRowOffset = 33;     // rows of the game mode radios below the section top
inline constexpr int kRadioRowBottomOffset = 42;

}  // namespace kav
