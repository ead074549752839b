#pragma once
// One item line of a skin file: "NAME,X,Y,W,H,TEXT", for example "Button1,25,192,185,40,".

#include <cstddef>
#include <string>
#include <string_view>

#include "ui/geometry.h"

namespace opt {

inline constexpr std::size_t kSkinItemNameMax = 39;
inline constexpr std::size_t kSkinItemTextMax = 403;

struct SkinItem {
  std::u16string name;  // up to kSkinItemNameMax characters
  ui::Rect rect;        // client coordinates of the window
  std::u16string text;  // the hint text, up to kSkinItemTextMax characters
  friend bool operator==(const SkinItem&, const SkinItem&) = default;
};

// name: before the first comma (empty without a comma); rect: four decimal integers after
// the first comma as X, Y, W, H (unreadable ones stay 0); text: after the last comma (the
// whole line without a comma), without leading and trailing white space.
SkinItem ParseSkinItem(std::u16string_view line);

}  // namespace opt
