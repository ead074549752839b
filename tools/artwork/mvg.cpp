#include "tools/artwork/mvg.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace art {
namespace {

std::string num(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f", v);
  return buffer;
}

// MVG strings are single-quoted; a quote or backslash inside is escaped.
std::string mvgQuoted(std::string_view text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'' || c == '\\') out += '\\';
    out += c;
  }
  return out + "'";
}

std::string shellQuoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

std::string Rgb::hex() const {
  char buffer[12];
  if (a == 255) {
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", r, g, b);
  } else {
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x%02x", r, g, b, a);
  }
  return buffer;
}

Rgb Rgb::mix(Rgb o, double t) const {
  auto m = [t](int a, int b) { return static_cast<std::uint8_t>(std::lround(a + (b - a) * t)); };
  return {m(r, o.r), m(g, o.g), m(b, o.b), m(a, o.a)};
}

void Mvg::antialias(bool on) {
  script_ += on ? "stroke-antialias 1\ntext-antialias 1\n" : "stroke-antialias 0\n";
}

void Mvg::rect(ui::Rect r, Rgb fill, std::optional<Rgb> stroke, int radius, double strokeWidth) {
  if (r.empty()) return;
  script_ += "fill " + fill.hex() + "\n";
  script_ += stroke ? "stroke " + stroke->hex() + "\nstroke-width " + num(strokeWidth) + "\n" : "stroke none\n";
  // MVG corners are pixel centres; a stroke straddles them, so inset it by half its width.
  const double inset = stroke ? strokeWidth / 2 : 0;
  const double x0 = r.left + inset, y0 = r.top + inset;
  const double x1 = r.right - 1 - (stroke ? inset - 0.0 : 0), y1 = r.bottom - 1 - (stroke ? inset : 0);
  if (radius > 0)
    script_ += "roundrectangle " + num(x0) + "," + num(y0) + " " + num(x1) + "," + num(y1) + " " + num(radius) + "," +
               num(radius) + "\n";
  else
    script_ += "rectangle " + num(x0) + "," + num(y0) + " " + num(x1) + "," + num(y1) + "\n";
}

void Mvg::verticalGradient(ui::Rect r, Rgb top, Rgb bottom) {
  script_ += "stroke none\n";
  const int h = r.height();
  for (int y = 0; y < h; ++y) {
    const Rgb c = top.mix(bottom, h > 1 ? static_cast<double>(y) / (h - 1) : 0);
    script_ += "fill " + c.hex() + "\nrectangle " + std::to_string(r.left) + "," + std::to_string(r.top + y) + " " +
               std::to_string(r.right - 1) + "," + std::to_string(r.top + y) + "\n";
  }
}

void Mvg::gradient(ui::Rect r, Rgb from, Rgb to, bool vertical, int radius) {
  if (r.empty()) return;
  const std::string id = "gradient" + std::to_string(gradients_++);
  const std::string end = vertical ? num(r.left) + "," + num(r.bottom) : num(r.right) + "," + num(r.top);
  script_ += "push defs\npush gradient '" + id + "' linear " + num(r.left) + "," + num(r.top) + " " + end +
             "\nstop-color '" + from.hex() + "' 0\nstop-color '" + to.hex() + "' 1\npop gradient\npop defs\n";
  script_ += "push graphic-context\nstroke none\nfill 'url(#" + id + ")'\n";
  const std::string corners = num(r.left) + "," + num(r.top) + " " + num(r.right - 1) + "," + num(r.bottom - 1);
  script_ += radius > 0 ? "roundrectangle " + corners + " " + num(radius) + "," + num(radius) + "\n"
                        : "rectangle " + corners + "\n";
  script_ += "pop graphic-context\n";
}

void Mvg::polygon(const std::vector<ui::Point>& points, Rgb fill, std::optional<Rgb> stroke) {
  if (points.size() < 3) return;
  script_ += "fill " + fill.hex() + "\n";
  script_ += stroke ? "stroke " + stroke->hex() + "\nstroke-width 1\n" : "stroke none\n";
  script_ += "polygon";
  for (const ui::Point& p : points) script_ += " " + std::to_string(p.x) + "," + std::to_string(p.y);
  script_ += "\n";
}

void Mvg::line(ui::Point a, ui::Point b, Rgb colour, double width) {
  script_ += "stroke " + colour.hex() + "\nstroke-width " + num(width) + "\nfill none\nline " + num(a.x + 0.5) + "," +
             num(a.y + 0.5) + " " + num(b.x + 0.5) + "," + num(b.y + 0.5) + "\n";
}

void Mvg::circle(ui::Point c, int radius, Rgb fill, std::optional<Rgb> stroke) {
  script_ += "fill " + fill.hex() + "\n";
  script_ += stroke ? "stroke " + stroke->hex() + "\nstroke-width 1\n" : "stroke none\n";
  script_ += "circle " + num(c.x) + "," + num(c.y) + " " + num(c.x + radius) + "," + num(c.y) + "\n";
}

void Mvg::text(std::string_view utf8, ui::Point at, const TextStyle& style) {
  const char* anchor = style.align == Align::Centre ? "middle" : style.align == Align::Right ? "end" : "start";
  script_ += "stroke none\nfill " + style.colour.hex() + "\nfont " + mvgQuoted(style.fontFile) + "\nfont-size " +
             num(style.size) + "\ntext-anchor " + anchor + "\ntext " + std::to_string(at.x) + "," +
             std::to_string(at.y) + " " + mvgQuoted(utf8) + "\n";
}

void Mvg::textIn(std::string_view utf8, ui::Rect box, const TextStyle& style) {
  // Cap height of the sans fonts used here is about 0.72 em: centre that band.
  const int baseline = box.top + static_cast<int>(std::lround(box.height() / 2.0 + style.size * 0.36));
  int x = box.left;
  if (style.align == Align::Centre) x = box.left + box.width() / 2;
  if (style.align == Align::Right) x = box.right;
  text(utf8, {x, baseline}, style);
}

void Mvg::raw(std::string_view command) {
  script_ += command;
  script_ += "\n";
}

bool Render(const Mvg& drawing, std::optional<Rgb> background, const std::filesystem::path& out, std::string_view format,
            const std::string& convert) {
  // Read through the MVG coder: the usual "-draw @file" is refused by Debian's policy.
  const std::filesystem::path script = out.string() + ".mvg";
  {
    std::ofstream file(script, std::ios::binary);
    const std::string w = std::to_string(drawing.width()), h = std::to_string(drawing.height());
    file << "viewbox 0 0 " << w << " " << h << "\n";
    if (background) {
      file << "stroke none\nfill " << background->hex() << "\nrectangle 0,0 " << drawing.width() - 1 << ","
           << drawing.height() - 1 << "\n";
    }
    file << drawing.script();
    if (!file) {
      std::fprintf(stderr, "cannot write %s\n", script.c_str());
      return false;
    }
  }
  std::string command = shellQuoted(convert) + (background ? "" : " -background none") + " " +
                        shellQuoted("mvg:" + script.string());
  if (format == "JPEG") command += " -quality 95 -sampling-factor 1x1";
  if (format == "BMP3") command += " -type TrueColor";
  command += " " + shellQuoted(std::string(format) + ":" + out.string());
  const int status = std::system(command.c_str());
  std::filesystem::remove(script);
  if (status != 0) {
    std::fprintf(stderr, "convert failed (%d) for %s\n", status, out.c_str());
    return false;
  }
  return true;
}

}  // namespace art
