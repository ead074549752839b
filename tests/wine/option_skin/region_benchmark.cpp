// Time to build a window region from an 800 x 600 mask: rounded corners, a slanted notch in
// the title bar and two round openings, so most rows have several runs.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "option/skin/mask_region.h"
#include "option/skin/win32_skin_window.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kRuns = 200;

bool inside(int x, int y) {
  const int r = 16;
  auto outsideCorner = [&](int cx, int cy) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) > r * r; };
  if (x < r && y < r && outsideCorner(r, r)) return false;
  if (x >= kWidth - r && y < r && outsideCorner(kWidth - r - 1, r)) return false;
  if (x < r && y >= kHeight - r && outsideCorner(r, kHeight - r - 1)) return false;
  if (x >= kWidth - r && y >= kHeight - r && outsideCorner(kWidth - r - 1, kHeight - r - 1)) return false;
  if (y < 40 && x > 300 + y && x < 520 - y) return false;  // a slanted notch
  for (const auto [cx, cy, cr] : {std::array{140, 420, 60}, std::array{660, 380, 45}})
    if ((x - cx) * (x - cx) + (y - cy) * (y - cy) < cr * cr) return false;
  return true;
}

}  // namespace

int main() {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kWidth) * kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      pixels[static_cast<std::size_t>(y) * kWidth + x] = inside(x, y) ? 0xFF101010u : 0xFFFFFFFFu;
  const ui::PixelView view{kWidth, kHeight, pixels};

  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> ms;
  std::size_t rects = 0;
  for (int i = 0; i < kRuns; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    ui::Region region = opt::BuildMaskRegion(view);
    QueryPerformanceCounter(&end);
    if (!region) {
      std::printf("region could not be built\n");
      return 1;
    }
    if (i == 0) rects = opt::MaskRuns(view).size();
    ms.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
  }
  std::sort(ms.begin(), ms.end());
  std::printf(
      "window region from an %d x %d mask (%zu runs, %d builds): min %.3f ms, median %.3f ms, max %.3f ms "
      "(target 5 ms)\n",
      kWidth, kHeight, rects, kRuns, ms.front(), ms[ms.size() / 2], ms.back());
  return 0;
}
