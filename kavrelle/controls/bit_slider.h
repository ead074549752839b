#pragma once
// The bitmap slider's value logic: a click jumps straight to the value under the cursor.

#include <cstdint>

#include "ui/canvas.h"

namespace kav {

inline constexpr int kSliderTrackWidth = 220;  // bitmaps 139 and 140
inline constexpr int kSliderTrackHeight = 17;
inline constexpr int kThumbWidth = 15;
inline constexpr int kThumbHeight = 14;
inline constexpr int kThumbOffsetAdjust = 10;  // the thumb offset is the thumb's left edge minus 10

// v = (max - min) * (x - channelLeft - clientLeft) / (channelRight - channelLeft), rounded
// half up, kept inside min..max. A degenerate channel gives min.
int SliderValueAtClick(int min, int max, int channelLeft, int channelRight, int clientLeft, int x);

// Where the thumb picture goes for a trackbar thumb spanning thumbLeft..thumbRight (client
// pixels), kept inside a slider of `width`; the filled track runs up to it.
int ThumbPictureLeft(int thumbLeft, int thumbRight, int width);

// The slider's look: the filled track bitmap up to the thumb, the plain track after it, and
// the thumb picture (drawn 2 pixels further right when `nudgeRight`).
void DrawBitSlider(ui::Canvas& canvas, const ui::Picture* track, const ui::Picture* filled, const ui::Picture* thumb,
                   ui::Size size, int thumbLeft, int thumbTop, bool nudgeRight);

}  // namespace kav
