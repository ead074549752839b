#include "kavrelle/mainwindow/lighting.h"

#include <gtest/gtest.h>

namespace kav {
namespace {

DeviceImage withLighting(std::uint8_t effect, std::uint8_t choice) {
  DeviceImage image = ZeroDeviceImage();
  image.lighting = LightingBlock{effect, 5, 50, choice, 1};
  return image;
}

TEST(Lighting, ChoosingAnEffectAdjustsColourChoiceAndPaintMode) {
  struct Case {
    std::uint8_t fromChoice;
    std::size_t row;
    std::uint8_t effect, choice;
    bool paint;
  };
  const Case cases[] = {
      {8, 0, 0x01, 1, false},  // Static cannot be multi-colour
      {3, 0, 0x01, 3, false},
      {2, 2, 0x03, 8, false},  // Wave forces multi-colour
      {2, 6, 0x08, 8, false},  // Spectrum too
      {2, 1, 0x02, 2, false},
      {4, 13, 0x35, 4, true},  // DIY3: paint mode
      {4, 15, 0x37, 4, true},
  };
  for (const Case& c : cases) {
    DeviceImage image = withLighting(0x02, c.fromChoice);
    EXPECT_EQ(SelectEffectRow(image, c.row), c.paint) << c.row;
    EXPECT_EQ(image.lighting.effect, c.effect);
    EXPECT_EQ(image.lighting.colourChoice, c.choice) << c.row;
  }
}

TEST(Lighting, SwatchClicksFollowTheEffectsColourRule) {
  struct Case {
    const char* what;
    std::uint8_t effect, choice;
    int swatch;
    SwatchClick result;
    std::uint8_t choiceAfter;
  };
  const Case cases[] = {
      {"new slot", 0x02, 1, 3, SwatchClick::Chosen, 3},
      {"current slot again edits it", 0x02, 3, 3, SwatchClick::EditColour, 3},
      {"multi-colour", 0x02, 3, 8, SwatchClick::Chosen, 8},
      {"static refuses multi-colour", 0x01, 3, 8, SwatchClick::Ignored, 3},
      {"static takes a slot", 0x01, 3, 5, SwatchClick::Chosen, 5},
      {"wave: grey swatch ignored", 0x03, 8, 2, SwatchClick::Ignored, 8},
      {"wave: multi-colour accepted", 0x03, 8, 8, SwatchClick::Chosen, 8},
      {"spectrum: grey swatch ignored", 0x08, 8, 7, SwatchClick::Ignored, 8},
      {"custom effect: nothing", 0x34, 2, 2, SwatchClick::Ignored, 2},
      {"out of range", 0x02, 2, 9, SwatchClick::Ignored, 2},
  };
  for (const Case& c : cases) {
    DeviceImage image = withLighting(c.effect, c.choice);
    EXPECT_EQ(ClickSwatch(image, c.swatch), c.result) << c.what;
    EXPECT_EQ(image.lighting.colourChoice, c.choiceAfter) << c.what;
  }
}

TEST(Lighting, ColourChoiceShownIsClampedAndForcedForMultiColourEffects) {
  EXPECT_EQ(ColourChoiceShown(withLighting(0x02, 0)), 1);
  EXPECT_EQ(ColourChoiceShown(withLighting(0x02, 200)), 8);
  EXPECT_EQ(ColourChoiceShown(withLighting(0x03, 2)), 8);
  EXPECT_EQ(ColourChoiceShown(withLighting(0x02, 4)), 4);
  EXPECT_FALSE(SpeedSliderShown(0x01));
  EXPECT_FALSE(SpeedSliderShown(0x35));
  EXPECT_TRUE(SpeedSliderShown(0x0D));
  EXPECT_TRUE(DirectionShown(0x03));
  EXPECT_TRUE(DirectionShown(0x0D));
  EXPECT_FALSE(DirectionShown(0x02));
}

TEST(Lighting, EditedColourGoesToTheSwatchesSlot) {
  DeviceImage image = withLighting(0x02, 3);
  StoreSlotColour(image, 3, Rgb{1, 2, 3});
  EXPECT_EQ(image.colourSlots[2], (Rgb{1, 2, 3}));
  StoreSlotColour(image, 8, Rgb{9, 9, 9});  // the multi-colour swatch has no slot
  EXPECT_EQ(image.colourSlots[6], (Rgb{}));
}

}  // namespace
}  // namespace kav
