#include "option/skin/mask_region.h"

namespace opt {

std::vector<ui::Rect> MaskRuns(const ui::PixelView& mask) {
  std::vector<ui::Rect> runs;
  for (int y = 0; y < mask.height; ++y) {
    const std::uint32_t* row = mask.pixels.data() + static_cast<std::size_t>(y) * mask.width;
    int x = 0;
    while (x < mask.width) {
      while (x < mask.width && IsMaskOutside(row[x])) ++x;
      if (x == mask.width) break;
      const int start = x;
      while (x < mask.width && !IsMaskOutside(row[x])) ++x;
      runs.push_back({start, y, x, y + 1});
    }
  }
  return runs;
}

}  // namespace opt
