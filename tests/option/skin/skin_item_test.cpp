#include "option/skin/skin_item.h"

#include <gtest/gtest.h>

#include <map>

#include "option/skin/skin_file.h"

namespace opt {
namespace {

struct Case {
  const char16_t* line;
  SkinItem expected;
};

TEST(SkinItem, ParsesItemLines) {
  const Case cases[] = {
      {u"Button1,25,192,185,40,", {u"Button1", {25, 192, 210, 232}, u""}},
      {u"Tab,1,2,3,4,  Lighting  ", {u"Tab", {1, 2, 4, 6}, u"Lighting"}},
      {u"Key,-5, 7,10,10,\tEsc\t", {u"Key", {-5, 7, 5, 17}, u"Esc"}},
      // without commas: no name, no rectangle, the whole line (trimmed) as text
      {u"  just words ", {u"", {}, u"just words"}},
      {u"", {u"", {}, u""}},
      // fields that cannot be read stay 0; the text is still after the last comma
      {u"Half,10,20,x,5,hint", {u"Half", {10, 20, 10, 20}, u"hint"}},
      {u"Short,3", {u"Short", {3, 0, 3, 0}, u"3"}},
      {u"Blank before comma,1 ,2,3,4,", {u"Blank before comma", {1, 0, 1, 0}, u""}},
  };
  for (const Case& c : cases) {
    const SkinItem item = ParseSkinItem(c.line);
    EXPECT_EQ(item, c.expected) << std::string(c.line, c.line + std::char_traits<char16_t>::length(c.line));
  }
}

TEST(SkinItem, CutsNameAndTextToTheirFields) {
  const std::u16string longName(60, u'n');
  const std::u16string longText(500, u't');
  const SkinItem item = ParseSkinItem(longName + u",1,2,3,4," + longText);
  EXPECT_EQ(item.name, std::u16string(kSkinItemNameMax, u'n'));
  EXPECT_EQ(item.text, std::u16string(kSkinItemTextMax, u't'));
  EXPECT_EQ(item.rect, (ui::Rect{1, 2, 4, 6}));
}

TEST(SkinItem, HugeNumbersDoNotOverflow) {
  const SkinItem item = ParseSkinItem(u"Big,2147483647,99999999999,2147483647,-99999999999,");
  EXPECT_EQ(item.rect.left, 2147483647);
  EXPECT_EQ(item.rect.right, 2147483647);
  EXPECT_EQ(item.rect.top, 2147483647);
  EXPECT_LE(item.rect.bottom, item.rect.top);
}

class MapSource : public SkinSource {
 public:
  std::map<std::u16string, std::u16string> values;  // "SECTION/key", exact case as stored
  std::u16string read(std::u16string_view section, std::u16string_view key) override {
    auto found = values.find(std::u16string(section) + u"/" + std::u16string(key));
    return found == values.end() ? std::u16string() : found->second;
  }
};

TEST(SkinFile, ReadsScreenNamesAndNumberedItems) {
  MapSource source;
  source.values[u"SCREEN/Mask"] = u"config_mask.bmp";
  source.values[u"SCREEN/Normal"] = u"config_normal.jpg";
  source.values[u"BUTTONPOS/43"] = u"Enter,10,20,70,27,Enter";
  source.values[u"PAGEPOSITION/1"] = u"Page,20,110,840,390,";
  const SkinScreenNames names = ReadSkinScreen(source);
  EXPECT_EQ(names.mask, u"config_mask.bmp");
  EXPECT_EQ(names.normal, u"config_normal.jpg");
  EXPECT_EQ(names.over, u"");
  EXPECT_EQ(ReadSkinItem(source, 43), (SkinItem{u"Enter", {10, 20, 80, 47}, u"Enter"}));
  EXPECT_EQ(ReadSkinItem(source, 44), SkinItem{});  // missing: zero-size control
  EXPECT_EQ(ReadPagePosition(source).rect, (ui::Rect{20, 110, 860, 500}));
}

}  // namespace
}  // namespace opt
