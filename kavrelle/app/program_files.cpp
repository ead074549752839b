#include "kavrelle/app/program_files.h"

namespace kav {

std::u16string ProgramFolderFrom(std::u16string_view modulePath) {
  std::u16string folder(modulePath.substr(0, kMaxModulePath));
  for (std::size_t at; (at = folder.find(kExecutableName)) != std::u16string::npos;) {
    folder.erase(at, kExecutableName.size());
  }
  return folder;
}

std::u16string ImageFolder(std::u16string_view programFolder, UiLanguage language) {
  std::u16string folder(programFolder);
  folder += IsChinese(language) ? u"png\\chinese\\" : u"png\\english\\";
  return folder;
}

FileVersion ParseVersionFile(std::span<const std::uint8_t> bytes) {
  const auto digit = [&](std::size_t at) -> std::optional<std::uint8_t> {
    if (at >= bytes.size() || bytes[at] < '0' || bytes[at] > '9') return std::nullopt;
    return static_cast<std::uint8_t>(bytes[at] - '0');
  };
  const auto major = digit(kVersionMajorByte);
  const auto minor = digit(kVersionMinorByte);
  if (!major || !minor) return FileVersion{};
  return FileVersion{*major, *minor};
}

bool FirmwareUpdateOffered(FileVersion file, std::uint8_t deviceMajor, std::uint8_t deviceMinor) {
  return file.major > deviceMajor || (file.major == deviceMajor && file.minor > deviceMinor);
}

std::u16string WebAddressFrom(std::optional<std::string_view> fileText) {
  if (fileText) {
    std::string_view text = *fileText;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    const auto end = text.find_first_of("\r\n");
    text = text.substr(0, end);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    // Only a plain web address is started: anything else could run a program.
    const bool web = text.substr(0, 7) == "http://" || text.substr(0, 8) == "https://";
    bool printable = true;
    for (unsigned char c : text) printable = printable && c > 0x20 && c < 0x7F;
    if (web && printable && text.size() < 1024) return std::u16string(text.begin(), text.end());
  }
  return std::u16string(kDefaultWebAddress);
}

StartOptions ParseStartOptions(std::u16string_view commandLine) {
  StartOptions options;
  std::size_t at = 0;
  while (at < commandLine.size()) {
    while (at < commandLine.size() && commandLine[at] == u' ') ++at;
    std::size_t end = at;
    while (end < commandLine.size() && commandLine[end] != u' ') ++end;
    const std::u16string_view word = commandLine.substr(at, end - at);
    if (word == u"--simulate-keyboard") options.simulateKeyboard = true;
    if (word == u"--english") options.english = true;
    at = end;
  }
  return options;
}

}  // namespace kav
