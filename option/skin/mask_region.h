#pragma once
// The window shape from a mask picture: every pure white pixel lies outside, every other
// pixel inside. Each maximal run of non-white pixels on a row becomes one rectangle one
// pixel high; the region is their union.

#include <cstddef>
#include <vector>

#include "ui/geometry.h"
#include "ui/picture.h"

namespace opt {

// Rectangles are merged into the region in batches of this many.
inline constexpr std::size_t kRegionBatchSize = 2000;

inline bool IsMaskOutside(std::uint32_t pixel) { return (pixel & 0x00FFFFFFu) == 0x00FFFFFFu; }

// Row by row, left to right.
std::vector<ui::Rect> MaskRuns(const ui::PixelView& mask);

}  // namespace opt
