// Writes the skin files and pictures of Option into a folder:
//   skin_artwork <output folder> [regular font file] [bold font file]
#include <cstdio>
#include <filesystem>

#include "tools/skin_artwork/skin_painter.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <output folder> [regular.ttf] [bold.ttf]\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  art::Fonts fonts{"/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
                   "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"};
  if (argc > 2) fonts.regular = argv[2];
  if (argc > 3) fonts.bold = argv[3];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  bool ok = true;
  for (const art::SkinLayout& skin : art::OptionSkins()) ok = art::WriteSkin(skin, folder, fonts) && ok;
  ok = art::WriteRecordPictures(folder, fonts) && ok;
  if (!ok) std::fprintf(stderr, "some pictures could not be drawn\n");
  return ok ? 0 : 1;
}
