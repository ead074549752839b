// libFuzzer target for IniFile (run by scripts/fuzz-ini-file): any file loads, comes back
// byte for byte when saved unchanged, and a write changes the one value written and no other.
//
// Input: byte 0 picks the section and key written, byte 1 the length of the value, then the
// value, then the file.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "option/store/ini_file.h"

namespace {

const char* const kSections[] = {"a", "B", "s s", "Setting"};
const char* const kKeys[] = {"a", "k", "B", "MacroKeyInfo7"};

std::filesystem::path scratchFile(const char* name) {
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "ini-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    return std::filesystem::path(pattern);
  }();
  return folder / name;
}

std::filesystem::path fileWith(const char* name, std::string_view content) {
  const auto path = scratchFile(name);
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(content.data(), static_cast<std::streamsize>(content.size()));
  return path;
}

void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const char* section = kSections[data[0] & 3];
  const char* key = kKeys[(data[0] >> 2) & 3];
  const std::size_t valueSize = std::min<std::size_t>(data[1], size - 2);
  const std::string_view value(reinterpret_cast<const char*>(data + 2), valueSize);
  const std::string_view content(reinterpret_cast<const char*>(data + 2 + valueSize), size - 2 - valueSize);

  opt::IniFile ini(fileWith("input.ini", content));
  if (!ini.loaded()) return 0;
  check(ini.text() == content, "an unchanged file is written back as it was read");

  std::uint8_t buffer[2];
  std::string before[4][4];
  for (int s = 0; s < 4; ++s) {
    for (int k = 0; k < 4; ++k) {
      before[s][k] = ini.readString(kSections[s], kKeys[k], "<none>");
      (void)ini.readInt(kSections[s], kKeys[k], -1);
      (void)ini.readStruct(kSections[s], kKeys[k], buffer);
    }
  }
  check(ini.writeString(section, key, value), "the names are valid");

  const opt::IniFile again(fileWith("written.ini", ini.text()));
  std::string_view expected = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
  expected = expected.substr(0, opt::IniFile::kMaxStringChars);
  check(again.readString(section, key, "<none>") == expected, "the value written reads back");
  for (int s = 0; s < 4; ++s) {
    for (int k = 0; k < 4; ++k) {
      if (kSections[s] == section && kKeys[k] == key) continue;
      check(again.readString(kSections[s], kKeys[k], "<none>") == before[s][k], "no other value changes");
    }
  }
  return 0;
}
