#pragma once
// The skins of Option: every window's size, shape, items and words. The generator writes the
// skin files and pictures from these tables; the tests check them against what the windows read.

#include <optional>
#include <string>
#include <vector>

#include "option/skin/shapes.h"
#include "ui/geometry.h"

namespace art {

enum class ItemLook {
  Button,     // a labelled push button
  Accent,     // a push button drawn in the accent colour (OK, Apply)
  Close,      // the window's close cross
  Minimise,   // the window's minimise bar
  Link,       // text only
  Tab,        // a page tab, shape 329
  Shaped330,  // profile buttons, shape 330
  Shaped331,  // the second profile button, shape 331
  Key,        // a key cap of the key page
  Option,     // one choice of a group (radio-like)
  Check,      // a check box with its label
  Dropdown,   // a box with an arrow; the program writes the caption
  Caption,    // a box the program writes the caption into
  Field,      // an edit field's frame; the edit paints the inside
  List,       // a list box's frame
  Area,       // nothing drawn (the program draws there)
  Record,     // the record button of the macro manager
};

struct ArtItem {
  int key;           // BUTTONPOS key
  std::string name;  // item name in the skin file
  ui::Rect rect;     // client coordinates
  ItemLook look;
  std::string label;  // words drawn on the item's pictures
  std::string hint;   // the item's hint text in the skin file
};

struct ArtText {
  std::string text;
  ui::Point at;  // baseline
  double size = 12;
  bool bold = false;
  bool accent = false;  // cyan instead of light grey
  int align = 0;        // 0 left, 1 centre, 2 right
};

struct SkinLayout {
  std::string iniName;  // "skin_Config.ini"
  std::string stem;     // picture names: stem + "_mask.bmp" and so on
  std::string format;   // "BMP3" or "JPEG" for the four screen pictures
  ui::Size size;
  bool page = false;  // a child page: plain panel, no title bar, rectangular
  std::string title;  // words in the title bar
  std::vector<ArtItem> items;
  std::vector<ArtText> texts;
  std::vector<ui::Rect> panels;  // recessed areas drawn on the background
  std::optional<ui::Rect> pagePosition;
};

inline constexpr int kKeyPageKeyBase = 40;  // BUTTONPOS key = key position + 40
inline constexpr int kKeyPositions = 104;
inline constexpr int kEnterKeyPosition = 43;
inline constexpr int kWindowCornerRadius = 12;

const std::vector<SkinLayout>& OptionSkins();
const SkinLayout& FindSkin(const std::string& iniName);

// Key page geometry: the label and rectangle of key position 0..103.
struct KeyCap {
  const char* label;
  ui::Rect rect;
};
KeyCap KeyPageKey(int position);

// The record button pictures of the macro manager: "start_record_normal.jpg" and so on.
struct RecordPicture {
  std::string file;
  bool stop;
  int state;  // 0 normal, 1 over, 2 down
};
std::vector<RecordPicture> RecordPictures();

// The shape's outline as polygon points (right and bottom exclusive edges).
std::vector<ui::Point> ShapeOutline(const opt::ShapeDefinition& shape, ui::Point origin);

}  // namespace art
