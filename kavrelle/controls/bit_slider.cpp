#include "kavrelle/controls/bit_slider.h"

#include <algorithm>

namespace kav {

int SliderValueAtClick(int min, int max, int channelLeft, int channelRight, int clientLeft, int x) {
  const long long width = channelRight - channelLeft;
  if (width <= 0 || max <= min) return min;
  const long long numerator = static_cast<long long>(max - min) * (x - channelLeft - clientLeft);
  if (numerator <= 0) return min;
  // Integer part, plus one when the fraction is at least one half; an offset from min.
  long long value = numerator / width;
  if (2 * (numerator % width) >= width) ++value;
  return static_cast<int>(std::min<long long>(value + min, max));
}

}  // namespace kav
