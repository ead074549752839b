#pragma once
// The lighting effects and the rules that tie effect, colour choice and paint mode together.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "kavrelle/device/device_image.h"

namespace kav {

enum class EffectColours : std::uint8_t {
  SlotsOnly,      // slots 1-7; multi-colour not allowed
  SlotsOrMulti,   // slots 1-7 or multi-colour
  MultiOnly,      // multi-colour only
  PerKey,         // a custom colour table
};

struct EffectInfo {
  std::uint8_t code;
  std::u16string_view chinese;
  std::u16string_view english;
  bool speedShown;
  EffectColours colours;
  bool directionShown;
};

inline constexpr std::array<EffectInfo, kEffectCount> kEffects = {{
    {0x01, u"全亮", u"Static", false, EffectColours::SlotsOnly, false},
    {0x02, u"呼吸", u"Breathing", true, EffectColours::SlotsOrMulti, false},
    {0x03, u"波浪", u"Wave", true, EffectColours::MultiOnly, true},
    {0x04, u"随按渐灭", u"Reactive", true, EffectColours::SlotsOrMulti, false},
    {0x05, u"蛇形跑马", u"Sidewinder", true, EffectColours::SlotsOrMulti, false},
    {0x06, u"涟漪", u"Ripple", true, EffectColours::SlotsOrMulti, false},
    {0x08, u"霓虹", u"Spectrum", true, EffectColours::MultiOnly, false},
    {0x0A, u"雨滴", u"Raindrop", true, EffectColours::SlotsOrMulti, false},
    {0x0B, u"环形跑马", u"Vortex", true, EffectColours::SlotsOrMulti, false},
    {0x0C, u"对冲", u"Spotlight", true, EffectColours::SlotsOrMulti, false},
    {0x0D, u"雷达", u"Radar", true, EffectColours::SlotsOrMulti, true},
    {0x33, u"DIY1", u"DIY1", false, EffectColours::PerKey, false},
    {0x34, u"DIY2", u"DIY2", false, EffectColours::PerKey, false},
    {0x35, u"DIY3", u"DIY3", false, EffectColours::PerKey, false},
    {0x36, u"DIY4", u"DIY4", false, EffectColours::PerKey, false},
    {0x37, u"DIY5", u"DIY5", false, EffectColours::PerKey, false},
}};
static_assert([] {
  for (std::size_t row = 0; row < kEffectCount; ++row) {
    if (kEffects[row].code != kEffectCodes[row]) return false;
  }
  return true;
}());

inline constexpr std::uint8_t kEffectStatic = 0x01;
inline constexpr std::uint8_t kEffectWave = 0x03;
inline constexpr std::uint8_t kEffectSpectrum = 0x08;
inline constexpr std::uint8_t kEffectRadar = 0x0D;

// The effect's row of the list, or nothing for a code the list does not offer.
const EffectInfo* FindEffect(std::uint8_t code);

// Direction codes.
inline constexpr std::uint8_t kDirectionL = 1, kDirectionR = 2, kDirectionT = 3, kDirectionB = 4;

// A click on list row 0-15: sets the effect and adjusts the colour choice. Returns the new
// paint mode (on for the custom effects).
bool SelectEffectRow(DeviceImage& live, std::size_t row);

enum class SwatchClick { Ignored, Chosen, EditColour };

// A click on swatch k (1-8; 8 = multi-colour) with the lighting section expanded.
// EditColour: the current slot was clicked again; the caller asks for a colour and stores
// it with StoreSlotColour.
SwatchClick ClickSwatch(DeviceImage& live, int swatch);
void StoreSlotColour(DeviceImage& live, int swatch, Rgb colour);

// The colour choice as the swatches show it: above 8 -> 8, 0 -> 1, Wave and Spectrum -> 8.
std::uint8_t ColourChoiceShown(const DeviceImage& live);
bool SwatchesGrey(std::uint8_t effect);
bool MultiColourSwatchShown(std::uint8_t effect);
bool SpeedSliderShown(std::uint8_t effect);
bool DirectionShown(std::uint8_t effect);

}  // namespace kav
