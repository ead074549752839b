#pragma once
// The bitmap slider's value logic: a click jumps straight to the value under the cursor.

#include <cstdint>

namespace kav {

inline constexpr int kSliderTrackWidth = 220;  // bitmaps 139 and 140
inline constexpr int kSliderTrackHeight = 17;
inline constexpr int kThumbWidth = 15;
inline constexpr int kThumbHeight = 14;
inline constexpr int kThumbOffsetAdjust = 10;  // the thumb offset is the thumb's left edge minus 10

// v = (max - min) * (x - channelLeft - clientLeft) / (channelRight - channelLeft), rounded
// half up, kept inside min..max. A degenerate channel gives min.
int SliderValueAtClick(int min, int max, int channelLeft, int channelRight, int clientLeft, int x);

}  // namespace kav
