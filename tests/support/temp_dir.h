#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace testsupport {

class TempDir {
 public:
  TempDir() {
    std::random_device random;
    for (;;) {
      path_ = std::filesystem::temp_directory_path() / ("kbtest-" + std::to_string(random()) + std::to_string(random()));
      std::error_code error;
      if (std::filesystem::create_directory(path_, error)) break;
    }
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace testsupport
