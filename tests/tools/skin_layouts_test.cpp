// The skins the generator draws must hold every item the windows read, where the windows
// can use it: inside the picture, not overlapping, in the shapes the code expects.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "option/skin/shapes.h"
#include "option/skin/skin_file.h"
#include "tools/skin_artwork/option_skins.h"
#include "tools/skin_artwork/skin_painter.h"

namespace art {
namespace {

// Reads a generated skin file back the way the program does (sections and keys without
// regard to case).
class TextSource : public opt::SkinSource {
 public:
  explicit TextSource(const std::string& text) {
    std::string section;
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find("\r\n", start);
      if (end == std::string::npos) end = text.size();
      const std::string line = text.substr(start, end - start);
      start = end + 2;
      if (line.empty()) continue;
      if (line.front() == '[') {
        section = lower(line.substr(1, line.size() - 2));
        continue;
      }
      const std::size_t eq = line.find('=');
      values_[section + "/" + lower(line.substr(0, eq))] = std::u16string(line.begin() + eq + 1, line.end());
    }
  }
  std::u16string read(std::u16string_view section, std::u16string_view key) override {
    auto found = values_.find(lower(std::string(section.begin(), section.end())) + "/" +
                              lower(std::string(key.begin(), key.end())));
    return found == values_.end() ? std::u16string() : found->second;
  }

 private:
  static std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  }
  std::map<std::string, std::u16string> values_;
};

std::set<int> range(int first, int last) {
  std::set<int> keys;
  for (int k = first; k <= last; ++k) keys.insert(k);
  return keys;
}

const ArtItem* itemAt(const SkinLayout& skin, const ui::Rect& rect) {
  for (const ArtItem& it : skin.items)
    if (it.rect == rect) return &it;
  return nullptr;
}

// Page tabs interlock: their rectangles overlap, their shapes must not.
bool insideItem(const ArtItem& it, ui::Point p) {
  if (!it.rect.contains(p)) return false;
  if (it.look != ItemLook::Tab) return true;
  return opt::ShapeContains(opt::Shape(opt::ShapeId::PageTab), {p.x - it.rect.left, p.y - it.rect.top});
}

bool shapesOverlap(const SkinLayout& skin, const ui::Rect& a, const ui::Rect& b) {
  const ui::Rect both = a.intersect(b);
  if (both.empty()) return false;
  const ArtItem* ia = itemAt(skin, a);
  const ArtItem* ib = itemAt(skin, b);
  for (int y = both.top; y < both.bottom; ++y)
    for (int x = both.left; x < both.right; ++x)
      if (insideItem(*ia, {x, y}) && insideItem(*ib, {x, y})) return true;
  return false;
}

TEST(SkinLayouts, EveryWindowHasTheItemsItReads) {
  const std::map<std::string, std::set<int>> reads = {
      {"skin_Config.ini", {1, 2, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 25}},
      {"skin_main.ini", range(40, 143)},
      {"skin_color_control.ini", {0, 1, 2, 3, 5, 6, 10, 11, 12, 13, 15, 16, 20, 21}},
      {"skin_macro_control.ini", range(1, 9)},
      {"skin_macro_manager.ini", range(1, 11)},
      {"skin_profile.ini", range(1, 6)},
      {"skin_shortcut.ini", {2, 3, 4, 6, 7, 8, 9, 10, 11}},
      {"skin_swap_key.ini", range(1, 6)},
      {"skin_reset_warn.ini", range(1, 3)},
      {"skin_macro_set_warn.ini", range(1, 3)},
      {"skin_delete_macro_warn.ini", range(1, 3)},
  };
  ASSERT_EQ(OptionSkins().size(), reads.size());
  for (const SkinLayout& skin : OptionSkins()) {
    SCOPED_TRACE(skin.iniName);
    ASSERT_TRUE(reads.count(skin.iniName));
    TextSource source(SkinFileText(skin));
    const opt::SkinScreenNames names = opt::ReadSkinScreen(source);
    EXPECT_FALSE(names.mask.empty());
    EXPECT_FALSE(names.normal.empty() || names.over.empty() || names.down.empty() || names.disable.empty());

    std::set<int> written;
    for (const ArtItem& it : skin.items) written.insert(it.key);
    EXPECT_EQ(written, reads.at(skin.iniName));

    const ui::Rect picture{0, 0, skin.size.width, skin.size.height};
    std::vector<ui::Rect> placed;
    for (int key : reads.at(skin.iniName)) {
      const opt::SkinItem item = opt::ReadSkinItem(source, key);
      SCOPED_TRACE(key);
      EXPECT_FALSE(item.name.empty());
      EXPECT_FALSE(item.rect.empty());
      EXPECT_EQ(item.rect.intersect(picture), item.rect) << "inside the picture";
      for (const ui::Rect& other : placed) EXPECT_FALSE(shapesOverlap(skin, item.rect, other)) << "no overlap";
      placed.push_back(item.rect);
    }
    if (skin.iniName == "skin_Config.ini") {
      const ui::Rect page = opt::ReadPagePosition(source).rect;
      EXPECT_EQ(page, (ui::Rect{20, 104, 880, 500}));
      for (const ui::Rect& r : placed) EXPECT_TRUE(r.intersect(page).empty());
      // The program writes the version line from (403, 559) in a 12-pixel font.
      for (const ui::Rect& r : placed) EXPECT_TRUE(r.intersect({403, 555, 640, 575}).empty());
    }
  }
}

TEST(SkinLayouts, PagesFillThePageRectangle) {
  const ui::Rect page = *FindSkin("skin_Config.ini").pagePosition;
  for (const char* name : {"skin_main.ini", "skin_color_control.ini", "skin_macro_control.ini"})
    EXPECT_EQ(FindSkin(name).size, (ui::Size{page.width(), page.height()})) << name;
}

TEST(SkinLayouts, ShapedItemsHaveTheirShapesSize) {
  for (const SkinLayout& skin : OptionSkins())
    for (const ArtItem& it : skin.items) {
      std::optional<opt::ShapeId> shape;
      if (it.look == ItemLook::Tab) shape = opt::ShapeId::PageTab;
      if (it.look == ItemLook::Shaped330) shape = opt::ShapeId::ProfileButton;
      if (it.look == ItemLook::Shaped331) shape = opt::ShapeId::ProfileButtonRight;
      if (!shape) continue;
      const ui::Size size = opt::Shape(*shape).size;
      EXPECT_EQ((ui::Size{it.rect.width(), it.rect.height()}), size) << skin.iniName << " " << it.key;
    }
  const ui::Rect enter = KeyPageKey(kEnterKeyPosition).rect;
  EXPECT_EQ((ui::Size{enter.width(), enter.height()}), opt::Shape(opt::ShapeId::EnterKey).size);
  EXPECT_STREQ(KeyPageKey(kEnterKeyPosition).label, "Enter");
  EXPECT_STREQ(KeyPageKey(0).label, "Esc");
  EXPECT_STREQ(KeyPageKey(103).label, "Enter");  // keypad Enter ends the scan order
}

TEST(SkinLayouts, RecordPicturesCoverBothModesAndThreeStates) {
  std::set<std::string> files;
  for (const RecordPicture& p : RecordPictures()) files.insert(p.file);
  EXPECT_EQ(files, (std::set<std::string>{"start_record_normal.jpg", "start_record_over.jpg", "start_record_down.jpg",
                                          "stop_record_normal.jpg", "stop_record_over.jpg", "stop_record_down.jpg"}));
}

}  // namespace
}  // namespace art
