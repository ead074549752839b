#pragma once
// Writes ImageMagick drawing scripts (MVG) and renders them with `convert`, so the build can
// draw every picture of the programs from the same geometry tables the code uses.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/geometry.h"

namespace art {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  std::uint8_t a = 255;  // opacity, for pictures drawn over a transparent background
  std::string hex() const;
  Rgb mix(Rgb other, double t) const;  // t = 0: this, t = 1: other
};

enum class Align { Left, Centre, Right };

struct TextStyle {
  std::string fontFile;  // a TrueType file, so the result does not depend on font lookup
  double size = 12;
  Rgb colour{255, 255, 255};
  Align align = Align::Left;
};

class Mvg {
 public:
  Mvg(int width, int height) : width_(width), height_(height) {}
  int width() const { return width_; }
  int height() const { return height_; }

  void antialias(bool on);
  // Right and bottom exclusive, as ui::Rect; `radius` rounds the corners.
  void rect(ui::Rect r, Rgb fill, std::optional<Rgb> stroke = std::nullopt, int radius = 0, double strokeWidth = 1);
  void verticalGradient(ui::Rect r, Rgb top, Rgb bottom);
  // A smooth gradient from `from` to `to`, top to bottom or left to right, with rounded corners.
  void gradient(ui::Rect r, Rgb from, Rgb to, bool vertical, int radius = 0);
  void polygon(const std::vector<ui::Point>& points, Rgb fill, std::optional<Rgb> stroke = std::nullopt);
  void line(ui::Point a, ui::Point b, Rgb colour, double width = 1);
  void circle(ui::Point centre, int radius, Rgb fill, std::optional<Rgb> stroke = std::nullopt);
  // `at` is the baseline point (left, centre or right end by the style's alignment).
  void text(std::string_view utf8, ui::Point at, const TextStyle& style);
  // Centred vertically in `box`; aligned horizontally inside it by the style.
  void textIn(std::string_view utf8, ui::Rect box, const TextStyle& style);
  void raw(std::string_view command);

  const std::string& script() const { return script_; }

 private:
  int width_;
  int height_;
  std::string script_;
  int gradients_ = 0;
};

// Renders the script over a plain background (none: transparent) into `out`; `format` is an
// ImageMagick coder prefix such as "BMP3", "JPEG" or "PNG32". Returns false (with a message on
// stderr) on failure.
bool Render(const Mvg& drawing, std::optional<Rgb> background, const std::filesystem::path& out, std::string_view format,
            const std::string& convert = "/usr/bin/convert");

}  // namespace art
