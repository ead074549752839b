#pragma once
// Reads and writes the settings record through the files beside the program: config.ini and
// the five profile files config\Default0.gkp .. Default4.gkp, plus user-chosen .gkp files.
// Nothing here reports to the user: a file that cannot be written is left as it was.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "option/store/ini_file.h"
#include "option/store/keyboard_settings.h"

namespace opt {

inline constexpr const char* kDriverVersionText = "1.02";
inline constexpr int kDefaultFirmwareVersion = 100;
inline constexpr std::size_t kAccessStampSize = 16;

std::filesystem::path configIniPath(const std::filesystem::path& programFolder);
std::filesystem::path configFolder(const std::filesystem::path& programFolder);
// config\Default<slot>.gkp
std::filesystem::path profileSlotPath(const std::filesystem::path& programFolder, int slot);

// CurrentProfile and RightWin from config.ini (-1 when missing), then each slot from its
// profile file, or the factory profile when that file cannot be read. Always succeeds.
bool loadAll(KeyboardSettings& record, const std::filesystem::path& programFolder);
// CurrentProfile and RightWin to config.ini, then every slot to its file; a file that cannot
// be written does not stop the others. True when every file was written.
bool saveAll(const KeyboardSettings& record, const std::filesystem::path& programFolder);

// One .gkp file. Missing ints read as -1, missing strings as empty; a missing or damaged key
// table or key entry leaves that part of `profile` as it was. False, with `profile`
// untouched, when the file cannot be read.
bool loadProfile(ProfileSettings& profile, const std::filesystem::path& file);
void loadProfile(ProfileSettings& profile, const IniFile& file);
// Updates the keys of the file (other lines stay), all in one replace of the file.
bool saveProfile(const ProfileSettings& profile, const std::filesystem::path& file);
void saveProfile(const ProfileSettings& profile, IniFile& file);

// The factory profile, named "Profile #<number + 1>".
void defaultProfile(ProfileSettings& profile, int number);
// CurrentProfile 0, RightWin 1 and five factory profiles; the reserved int and the change
// flags stay as they are.
void factoryDefaults(KeyboardSettings& record);
// CurrentProfile -1, reserved 0, profiles and every change flag zero; RightWin stays.
void clearRecord(KeyboardSettings& record);
// The start-up load without the monitor: clearRecord, loadAll, and CurrentProfile moved to
// slot 0 when it names no slot.
void loadFromFiles(KeyboardSettings& record, const std::filesystem::path& programFolder);

// Setting/FWVersion of config.ini, 100 when missing.
int readFirmwareVersion(const std::filesystem::path& programFolder);
enum class VersionRule {
  StartUp,       // shown when 100 <= v <= 500
  ChangeNotice,  // shown when v >= 100
};
// "102" -> "1.02", otherwise "N/A"; v is compared as an unsigned 32-bit number.
std::string firmwareVersionText(int version, VersionRule rule);

// HidAccessCode/Code: the time as 32-bit seconds since 1970 (little-endian), then 12 zeros.
bool writeAccessStamp(const std::filesystem::path& programFolder, std::uint32_t secondsSince1970);
std::uint32_t secondsSince1970Now();

// OSDSetting/config of config.ini. readOsd leaves the block all zero when the value is
// missing or damaged.
bool readOsd(OsdSettingBlock& block, const std::filesystem::path& programFolder);
bool writeOsd(const OsdSettingBlock& block, const std::filesystem::path& programFolder);

// FileName/Profile<slotNumber> = name, slotNumber 1..5.
bool recordExportName(const std::filesystem::path& programFolder, int slotNumber, std::string_view name);

// The file dialogs of export and import, and the one text conversion they need.
struct ProfileDialogRequest {
  std::u16string defaultExtension;    // appended when the user types a name without one
  std::filesystem::path initialFile;  // the config folder with an empty name: "<folder>config\.gkp"
  std::u16string filter;              // "description|pattern|" pairs
};
class ProfileFileDialogs {
 public:
  virtual ~ProfileFileDialogs() = default;
  // Save dialog with overwrite prompt and without read-only box; nothing when cancelled.
  virtual std::optional<std::filesystem::path> chooseExportFile(const ProfileDialogRequest& request) = 0;
  // Open dialog for an existing file, without read-only box; nothing when cancelled.
  virtual std::optional<std::filesystem::path> chooseImportFile(const ProfileDialogRequest& request) = 0;
  // A file name as 8-bit text in the system's code page, as ini files hold text.
  virtual std::string toIniText(const std::filesystem::path& name) = 0;
};
ProfileDialogRequest profileDialogRequest(const std::filesystem::path& programFolder);

enum class TransferResult {
  Cancelled,  // the user closed the dialog
  Failed,     // export: the chosen file could not be written; import: it could not be read
  Done,
};
// The current slot of `working` to a file the user chooses; its name goes to config.ini and
// a copy into the config folder. Sets no change flag.
TransferResult exportCurrentProfile(const KeyboardSettings& working, const std::filesystem::path& programFolder,
                                    ProfileFileDialogs& dialogs);
// A file the user chooses into the current slot of `working` (a copy is kept in the program
// folder) and the slot's change flags set, so the next apply sends all of it.
TransferResult importCurrentProfile(KeyboardSettings& working, const std::filesystem::path& programFolder,
                                    ProfileFileDialogs& dialogs);

}  // namespace opt
