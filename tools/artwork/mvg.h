#pragma once
// Pictures for the programs, drawn as ImageMagick vector scripts (MVG) and rendered by
// /usr/bin/convert at build time. Coordinates are pixels; colours are "#rrggbb" or
// "#rrggbbaa" strings.

#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>

namespace artwork {

inline constexpr const char* kSansFont = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";
inline constexpr const char* kSansBoldFont = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf";
inline constexpr const char* kCjkFont = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";

std::string Hex(int r, int g, int b, int a = 255);

class Mvg {
 public:
  Mvg(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }

  // Fills the whole picture (a transparent picture needs nothing).
  Mvg& background(std::string_view colour);
  // Filled rectangle with inclusive corners, as the programs' tables give them.
  Mvg& rect(int left, int top, int right, int bottom, std::string_view fill);
  Mvg& roundRect(int left, int top, int right, int bottom, int radius, std::string_view fill,
                 std::string_view stroke = "none", double strokeWidth = 1);
  // Vertical gradient from `top` to `bottom` colours over the rectangle.
  Mvg& verticalGradient(int left, int top, int right, int bottom, std::string_view topColour,
                        std::string_view bottomColour, int radius = 0);
  Mvg& horizontalGradient(int left, int top, int right, int bottom, std::string_view leftColour,
                          std::string_view rightColour, int radius = 0);
  Mvg& line(double x1, double y1, double x2, double y2, std::string_view colour, double width = 1);
  Mvg& circle(double cx, double cy, double radius, std::string_view fill, std::string_view stroke = "none",
              double strokeWidth = 1);
  Mvg& polygon(std::initializer_list<std::pair<double, double>> points, std::string_view fill);
  // Text with its baseline-left corner at (x, y) unless `centred`, then centred on (x, y).
  Mvg& text(double x, double y, std::string_view utf8, double size, std::string_view colour,
            const char* font = kSansFont, bool centred = false);
  Mvg& raw(std::string_view primitive);

  std::string script() const;
  // Renders to `file`; the extension picks the format (png gets 32-bit RGBA, bmp 24-bit).
  // Returns false and prints the reason when convert fails.
  bool render(const std::filesystem::path& file) const;

 private:
  std::string gradientId();
  int width_;
  int height_;
  int gradients_ = 0;
  std::ostringstream defs_;
  std::ostringstream body_;
};

}  // namespace artwork
