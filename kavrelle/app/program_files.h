#pragma once
// The program folder, the files found beside the executable, the UI language and VER.bin.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kav {

// 4 selects the Chinese texts and pictures; any other value English.
using UiLanguage = std::uint16_t;
inline constexpr UiLanguage kChinese = 4;
inline constexpr UiLanguage kEnglish = 0;
inline bool IsChinese(UiLanguage language) { return language == kChinese; }

inline constexpr std::u16string_view kExecutableName = u"Kavrelle.exe";
inline constexpr std::size_t kMaxModulePath = 255;

// The executable's path with every occurrence of "Kavrelle.exe" removed; the trailing
// backslash stays. A renamed executable keeps its name in the result.
std::u16string ProgramFolderFrom(std::u16string_view modulePath);

// Files beside the executable.
inline constexpr std::u16string_view kVersionFileName = u"VER.bin";
inline constexpr std::u16string_view kUpdaterFileName = u"Kavrelle_Update.exe";
inline constexpr std::u16string_view kSimulatedKeyboardFileName = u"SimulatedKeyboard.bin";
inline constexpr std::u16string_view kWebAddressFileName = u"url.txt";

// "png\chinese\" or "png\english\" appended to the program folder.
std::u16string ImageFolder(std::u16string_view programFolder, UiLanguage language);

// Firmware version carried by the updater, from VER.bin ("Ver: 1.1" -> 1.1).
struct FileVersion {
  std::uint8_t major = 0;
  std::uint8_t minor = 0;
  friend bool operator==(const FileVersion&, const FileVersion&) = default;
};
inline constexpr std::size_t kVersionFileReadLength = 12;
inline constexpr std::size_t kVersionMajorByte = 5;
inline constexpr std::size_t kVersionMinorByte = 7;
// A file too short to hold both digits, or holding something else than digits there,
// gives 0.0: no update is offered rather than one computed from garbage.
FileVersion ParseVersionFile(std::span<const std::uint8_t> bytes);

// Whether the updater's firmware is newer than the keyboard's.
bool FirmwareUpdateOffered(FileVersion file, std::uint8_t deviceMajor, std::uint8_t deviceMinor);

// The maker's web page: the first line of url.txt, or the built-in address.
inline constexpr std::u16string_view kDefaultWebAddress = u"https://www.example.com/keyboard";
std::u16string WebAddressFrom(std::optional<std::string_view> fileText);

// Command line of the program.
struct StartOptions {
  bool simulateKeyboard = false;
  bool english = false;
};
StartOptions ParseStartOptions(std::u16string_view commandLine);

}  // namespace kav
