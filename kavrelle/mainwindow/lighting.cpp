#include "kavrelle/mainwindow/lighting.h"

namespace kav {
namespace {
constexpr int kMultiColourSwatch = 8;
}  // namespace

const EffectInfo* FindEffect(std::uint8_t code) {
  const auto row = EffectRow(code);
  return row ? &kEffects[*row] : nullptr;
}

bool SelectEffectRow(DeviceImage& live, std::size_t row) {
  if (row >= kEffectCount) return IsCustomEffect(live.lighting.effect);
  LightingBlock& l = live.lighting;
  l.effect = kEffects[row].code;
  if (l.effect == kEffectStatic && l.colourChoice == kColourChoiceMulti) l.colourChoice = 1;
  if (l.effect == kEffectWave || l.effect == kEffectSpectrum) l.colourChoice = kColourChoiceMulti;
  return IsCustomEffect(l.effect);
}

SwatchClick ClickSwatch(DeviceImage& live, int swatch) {
  LightingBlock& l = live.lighting;
  if (swatch < 1 || swatch > kMultiColourSwatch || IsCustomEffect(l.effect)) return SwatchClick::Ignored;
  if (l.effect == kEffectWave || l.effect == kEffectSpectrum) {
    if (swatch != kMultiColourSwatch) return SwatchClick::Ignored;
    l.colourChoice = kColourChoiceMulti;
    return SwatchClick::Chosen;
  }
  if (l.effect == kEffectStatic && swatch == kMultiColourSwatch) return SwatchClick::Ignored;
  if (swatch == kMultiColourSwatch) {
    l.colourChoice = kColourChoiceMulti;
    return SwatchClick::Chosen;
  }
  if (l.colourChoice == swatch) return SwatchClick::EditColour;
  l.colourChoice = static_cast<std::uint8_t>(swatch);
  return SwatchClick::Chosen;
}

void StoreSlotColour(DeviceImage& live, int swatch, Rgb colour) {
  if (swatch >= 1 && swatch <= static_cast<int>(kColourSlotCount)) live.colourSlots[swatch - 1] = colour;
}

std::uint8_t ColourChoiceShown(const DeviceImage& live) {
  const std::uint8_t effect = live.lighting.effect;
  std::uint8_t choice = live.lighting.colourChoice;
  if (choice > kColourChoiceMulti) choice = kColourChoiceMulti;
  if (choice == 0) choice = 1;
  if (effect == kEffectWave || effect == kEffectSpectrum) choice = kColourChoiceMulti;
  return choice;
}

bool SwatchesGrey(std::uint8_t effect) { return effect == kEffectWave || effect == kEffectSpectrum; }
bool MultiColourSwatchShown(std::uint8_t effect) { return effect != kEffectStatic; }
bool SpeedSliderShown(std::uint8_t effect) { return effect != kEffectStatic && effect < 50; }
bool DirectionShown(std::uint8_t effect) { return effect == kEffectWave || effect == kEffectRadar; }

}  // namespace kav
