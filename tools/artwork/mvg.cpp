#include "tools/artwork/mvg.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace artwork {
namespace {

std::string mvgQuoted(std::string_view text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'' || c == '\\') out += '\\';
    out += c;
  }
  return out + "'";
}

// For the shell: the paths are ours, but a blank or quote must not split the command.
std::string shellQuoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

std::string Hex(int r, int g, int b, int a) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x%02x", r & 255, g & 255, b & 255, a & 255);
  return buffer;
}

Mvg::Mvg(int width, int height) : width_(width), height_(height) {}

Mvg& Mvg::background(std::string_view colour) { return rect(0, 0, width_ - 1, height_ - 1, colour); }

Mvg& Mvg::rect(int left, int top, int right, int bottom, std::string_view fill) {
  body_ << "push graphic-context\nstroke none\nfill " << mvgQuoted(fill) << "\nrectangle " << left << ',' << top << ' '
        << right + 0.999 << ',' << bottom + 0.999 << "\npop graphic-context\n";
  return *this;
}

Mvg& Mvg::roundRect(int left, int top, int right, int bottom, int radius, std::string_view fill,
                    std::string_view stroke, double strokeWidth) {
  const double inset = stroke == "none" ? 0 : strokeWidth / 2;
  body_ << "push graphic-context\nfill " << mvgQuoted(fill) << "\nstroke " << mvgQuoted(stroke) << "\nstroke-width "
        << strokeWidth << "\nroundrectangle " << left + inset << ',' << top + inset << ' ' << right + 1 - inset << ','
        << bottom + 1 - inset << ' ' << radius << ',' << radius << "\npop graphic-context\n";
  return *this;
}

std::string Mvg::gradientId() { return "g" + std::to_string(gradients_++); }

Mvg& Mvg::verticalGradient(int left, int top, int right, int bottom, std::string_view topColour,
                           std::string_view bottomColour, int radius) {
  const std::string id = gradientId();
  defs_ << "push gradient '" << id << "' linear " << left << ',' << top << ' ' << left << ',' << bottom + 1 << "\n"
        << "stop-color " << mvgQuoted(topColour) << " 0\nstop-color " << mvgQuoted(bottomColour) << " 1\npop gradient\n";
  body_ << "push graphic-context\nstroke none\nfill 'url(#" << id << ")'\n";
  if (radius > 0) {
    body_ << "roundrectangle " << left << ',' << top << ' ' << right + 1 << ',' << bottom + 1 << ' ' << radius << ','
          << radius << '\n';
  } else {
    body_ << "rectangle " << left << ',' << top << ' ' << right + 0.999 << ',' << bottom + 0.999 << '\n';
  }
  body_ << "pop graphic-context\n";
  return *this;
}

Mvg& Mvg::horizontalGradient(int left, int top, int right, int bottom, std::string_view leftColour,
                             std::string_view rightColour, int radius) {
  const std::string id = gradientId();
  defs_ << "push gradient '" << id << "' linear " << left << ',' << top << ' ' << right + 1 << ',' << top << "\n"
        << "stop-color " << mvgQuoted(leftColour) << " 0\nstop-color " << mvgQuoted(rightColour) << " 1\npop gradient\n";
  body_ << "push graphic-context\nstroke none\nfill 'url(#" << id << ")'\n";
  if (radius > 0) {
    body_ << "roundrectangle " << left << ',' << top << ' ' << right + 1 << ',' << bottom + 1 << ' ' << radius << ','
          << radius << '\n';
  } else {
    body_ << "rectangle " << left << ',' << top << ' ' << right + 0.999 << ',' << bottom + 0.999 << '\n';
  }
  body_ << "pop graphic-context\n";
  return *this;
}

Mvg& Mvg::line(double x1, double y1, double x2, double y2, std::string_view colour, double width) {
  body_ << "push graphic-context\nstroke " << mvgQuoted(colour) << "\nstroke-width " << width << "\nline " << x1 << ','
        << y1 << ' ' << x2 << ',' << y2 << "\npop graphic-context\n";
  return *this;
}

Mvg& Mvg::circle(double cx, double cy, double radius, std::string_view fill, std::string_view stroke,
                 double strokeWidth) {
  body_ << "push graphic-context\nfill " << mvgQuoted(fill) << "\nstroke " << mvgQuoted(stroke) << "\nstroke-width "
        << strokeWidth << "\ncircle " << cx << ',' << cy << ' ' << cx + radius << ',' << cy << "\npop graphic-context\n";
  return *this;
}

Mvg& Mvg::polygon(std::initializer_list<std::pair<double, double>> points, std::string_view fill) {
  body_ << "push graphic-context\nstroke none\nfill " << mvgQuoted(fill) << "\npolygon";
  for (const auto& [x, y] : points) body_ << ' ' << x << ',' << y;
  body_ << "\npop graphic-context\n";
  return *this;
}

Mvg& Mvg::text(double x, double y, std::string_view utf8, double size, std::string_view colour, const char* font,
               bool centred) {
  body_ << "push graphic-context\nfont " << mvgQuoted(font) << "\nfont-size " << size << "\nfill " << mvgQuoted(colour)
        << "\nstroke none\ntext-antialias 1\n";
  if (centred) {
    // Centred on (x, y): gravity centre measures from the picture's centre.
    body_ << "gravity Center\ntext " << x - width_ / 2.0 << ',' << y - height_ / 2.0 << ' ' << mvgQuoted(utf8) << '\n';
  } else {
    body_ << "text " << x << ',' << y << ' ' << mvgQuoted(utf8) << '\n';
  }
  body_ << "pop graphic-context\n";
  return *this;
}

Mvg& Mvg::raw(std::string_view primitive) {
  body_ << primitive << '\n';
  return *this;
}

std::string Mvg::script() const {
  std::string out = "viewbox 0 0 " + std::to_string(width_) + ' ' + std::to_string(height_) + '\n';
  const std::string defs = defs_.str();
  if (!defs.empty()) out += "push defs\n" + defs + "pop defs\n";
  return out + body_.str();
}

bool Mvg::render(const std::filesystem::path& file) const {
  std::filesystem::create_directories(file.parent_path());
  const std::filesystem::path scriptFile = file.string() + ".mvg";
  std::ofstream(scriptFile, std::ios::binary) << script();
  const std::string ext = file.extension().string();
  std::string format = "PNG32:";
  if (ext == ".bmp") format = "BMP3:";
  if (ext == ".jpg") format = "JPG:";
  if (ext == ".ico") format = "ICO:";
  // The mvg: reader takes the picture size from the script's viewbox.
  const std::string command = "/usr/bin/convert -background none " + shellQuoted("mvg:" + scriptFile.string()) +
                              (ext == ".bmp" ? " -background black -alpha remove -alpha off" : "") + ' ' +
                              shellQuoted(format + file.string());
  const int status = std::system(command.c_str());
  std::filesystem::remove(scriptFile);
  if (status != 0) {
    std::fprintf(stderr, "convert failed (%d) for %s\n", status, file.string().c_str());
    return false;
  }
  return true;
}

}  // namespace artwork
