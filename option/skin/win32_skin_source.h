#pragma once
// Skin files read with the Windows private-profile functions.

#include <filesystem>

#include "option/skin/skin_file.h"

namespace opt {

class PrivateProfileSkinSource : public SkinSource {
 public:
  explicit PrivateProfileSkinSource(std::filesystem::path file) : file_(std::move(file)) {}
  std::u16string read(std::u16string_view section, std::u16string_view key) override;
  const std::filesystem::path& file() const { return file_; }

 private:
  std::filesystem::path file_;
};

}  // namespace opt
