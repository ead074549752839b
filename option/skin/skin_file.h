#pragma once
// Skin files: one INI file per window in the skin folder, naming the window's five screen
// pictures (section SCREEN) and placing its items (sections BUTTONPOS and PAGEPOSITION).

#include <filesystem>
#include <string>

#include "option/skin/skin_item.h"

namespace opt {

inline constexpr char16_t kSkinSectionScreen[] = u"SCREEN";
inline constexpr char16_t kSkinSectionButtons[] = u"BUTTONPOS";
inline constexpr char16_t kSkinSectionPage[] = u"PAGEPOSITION";

// Skin files and the windows that read them.
inline constexpr char16_t kSkinMainWindow[] = u"skin_Config.ini";
inline constexpr char16_t kSkinKeyPage[] = u"skin_main.ini";
inline constexpr char16_t kSkinLightingPage[] = u"skin_color_control.ini";
inline constexpr char16_t kSkinMacroKeyPage[] = u"skin_macro_control.ini";
inline constexpr char16_t kSkinMacroManager[] = u"skin_macro_manager.ini";
inline constexpr char16_t kSkinProfile[] = u"skin_profile.ini";
inline constexpr char16_t kSkinShortcut[] = u"skin_shortcut.ini";
inline constexpr char16_t kSkinSwapKey[] = u"skin_swap_key.ini";
inline constexpr char16_t kSkinResetWarn[] = u"skin_reset_warn.ini";
inline constexpr char16_t kSkinMacroSetWarn[] = u"skin_macro_set_warn.ini";
inline constexpr char16_t kSkinDeleteMacroWarn[] = u"skin_delete_macro_warn.ini";

// Port: reads one value of a private-profile file. Section and key names match without
// regard to case; a missing file, section or key gives an empty string.
class SkinSource {
 public:
  virtual ~SkinSource() = default;
  virtual std::u16string read(std::u16string_view section, std::u16string_view key) = 0;
};

// Picture file names of section SCREEN, relative to the skin folder; empty when missing.
struct SkinScreenNames {
  std::u16string mask;
  std::u16string normal;
  std::u16string over;
  std::u16string down;
  std::u16string disable;
};

SkinScreenNames ReadSkinScreen(SkinSource& source);
// The item of BUTTONPOS key `key` ("%d"); a missing key gives an empty item.
SkinItem ReadSkinItem(SkinSource& source, int key);
// PAGEPOSITION "1": where the main window places its pages.
SkinItem ReadPagePosition(SkinSource& source);

// The program folder (with its trailing separator) followed by "skins\".
std::filesystem::path SkinFolder(const std::filesystem::path& programFolder);

}  // namespace opt
