#include "option/skin/skin_item.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace opt {
namespace {

bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f'; }

std::u16string_view trim(std::u16string_view text) {
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

// One "%d" conversion: optional blanks, optional sign, digits. Values beyond 32 bits are
// clamped instead of overflowing.
bool readInt(std::u16string_view& in, int& out) {
  std::size_t i = 0;
  while (i < in.size() && isSpace(in[i])) ++i;
  bool negative = false;
  if (i < in.size() && (in[i] == u'-' || in[i] == u'+')) negative = in[i++] == u'-';
  const std::size_t digitsStart = i;
  std::int64_t value = 0;
  while (i < in.size() && in[i] >= u'0' && in[i] <= u'9') {
    value = value * 10 + (in[i] - u'0');
    if (value > std::int64_t{std::numeric_limits<int>::max()} + 1)
      value = std::int64_t{std::numeric_limits<int>::max()} + 1;
    ++i;
  }
  if (i == digitsStart) return false;
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max()) value = std::numeric_limits<int>::max();
  out = static_cast<int>(value);
  in.remove_prefix(i);
  return true;
}

}  // namespace

SkinItem ParseSkinItem(std::u16string_view line) {
  SkinItem item;
  const std::size_t firstComma = line.find(u',');
  if (firstComma == std::u16string_view::npos) {
    item.text = std::u16string(trim(line).substr(0, kSkinItemTextMax));
    return item;
  }
  item.name = std::u16string(line.substr(0, std::min(firstComma, kSkinItemNameMax)));

  std::array<int, 4> fields{};
  std::u16string_view rest = line.substr(firstComma + 1);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) {
      if (rest.empty() || rest.front() != u',') break;
      rest.remove_prefix(1);
    }
    if (!readInt(rest, fields[i])) break;
  }
  const auto [x, y, w, h] = fields;
  // Computed in 64 bits so a hostile width cannot overflow; the result saturates.
  auto clampSum = [](int a, int b) {
    const std::int64_t s = std::int64_t{a} + b;
    return static_cast<int>(
        std::clamp<std::int64_t>(s, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
  };
  item.rect = ui::Rect{x, y, clampSum(x, w), clampSum(y, h)};

  const std::size_t lastComma = line.rfind(u',');
  item.text = std::u16string(trim(line.substr(lastComma + 1)).substr(0, kSkinItemTextMax));
  return item;
}

}  // namespace opt
