#pragma once
// Draws and writes the skins of Option: skin files and their pictures.

#include <filesystem>
#include <string>

#include "tools/skin_artwork/option_skins.h"

namespace art {

enum class State { Normal, Over, Down, Disable };

// The skin file's text (CRLF lines): SCREEN, BUTTONPOS and, for the main window, PAGEPOSITION.
std::string SkinFileText(const SkinLayout& skin);
// Picture file names of the five screen pictures.
std::string MaskName(const SkinLayout& skin);
std::string ScreenName(const SkinLayout& skin, State state);

struct Fonts {
  std::string regular;
  std::string bold;
};

// Writes the skin file and its pictures into `folder`; false when a picture failed.
bool WriteSkin(const SkinLayout& skin, const std::filesystem::path& folder, const Fonts& fonts);
bool WriteRecordPictures(const std::filesystem::path& folder, const Fonts& fonts);

}  // namespace art
