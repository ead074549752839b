#include "option/skin/skin_file.h"

namespace opt {
namespace {

std::u16string number(int value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

SkinScreenNames ReadSkinScreen(SkinSource& source) {
  SkinScreenNames names;
  names.mask = source.read(kSkinSectionScreen, u"Mask");
  names.normal = source.read(kSkinSectionScreen, u"Normal");
  names.over = source.read(kSkinSectionScreen, u"Over");
  names.down = source.read(kSkinSectionScreen, u"Down");
  names.disable = source.read(kSkinSectionScreen, u"Disable");
  return names;
}

SkinItem ReadSkinItem(SkinSource& source, int key) {
  return ParseSkinItem(source.read(kSkinSectionButtons, number(key)));
}

SkinItem ReadPagePosition(SkinSource& source) { return ParseSkinItem(source.read(kSkinSectionPage, u"1")); }

std::filesystem::path SkinFolder(const std::filesystem::path& programFolder) { return programFolder / "skins"; }

}  // namespace opt
