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

int ThumbPictureLeft(int thumbLeft, int thumbRight, int width) {
  const int centre = (thumbLeft + thumbRight) / 2;
  return std::clamp(centre - kThumbWidth / 2, 0, std::max(0, width - kThumbWidth));
}

void DrawBitSlider(ui::Canvas& canvas, const ui::Picture* track, const ui::Picture* filled, const ui::Picture* thumb,
                   ui::Size size, int thumbLeft, int thumbTop, bool nudgeRight) {
  const int split = std::clamp(thumbLeft + kThumbWidth / 2, 0, size.width);
  if (filled && split > 0) canvas.drawPicture(*filled, ui::Rect{0, 0, split, size.height}, ui::Point{0, 0});
  if (track && split < size.width) {
    canvas.drawPicture(*track, ui::Rect{split, 0, size.width, size.height}, ui::Point{split, 0});
  }
  if (thumb) canvas.drawPicture(*thumb, ui::Point{thumbLeft + (nudgeRight ? 2 : 0), thumbTop + 1});
}

}  // namespace kav
