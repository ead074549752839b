#include "option/store/settings_store.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace opt {
namespace {

constexpr const char* kConfigIniName = "config.ini";
constexpr const char* kConfigFolderName = "config";
constexpr const char* kProfileSlotFormat = "Default%d";
constexpr const char* kProfileExtension = ".gkp";

constexpr const char* kSettingSection = "Setting";
constexpr const char* kCurrentProfileKey = "CurrentProfile";
constexpr const char* kRightWinKey = "RightWin";
constexpr const char* kFirmwareVersionKey = "FWVersion";
constexpr const char* kFileNameSection = "FileName";
constexpr const char* kExportNameFormat = "Profile%d";
constexpr const char* kAccessSection = "HidAccessCode";
constexpr const char* kAccessKey = "Code";
constexpr const char* kOsdSection = "OSDSetting";
constexpr const char* kOsdKey = "config";

constexpr const char* kProfileNameKey = "ProFileName";
constexpr const char* kGameFileKey = "GameFile";
// Written with a small k, read with a capital one; names match without regard to case.
constexpr const char* kStandardKeyWriteName = "standardkey";
constexpr const char* kStandardKeyReadName = "standardKey";
constexpr const char* kMacroKeyFormat = "MacroKeyInfo%d";
constexpr int kMissingInt = -1;

constexpr int kVersionShownFrom = 100;
constexpr int kVersionShownUpTo = 500;  // at start-up only

constexpr char16_t kProfileDialogExtension[] = u"gkp";
constexpr char16_t kProfileDialogFilter[] = u"Gaming Keyboard Profile(*.gkp)|*.GKP|";

struct IntField {
  const char* key;
  std::int32_t ProfileSettings::*member;
};
// In the order a profile file is written.
constexpr IntField kProfileInts[] = {
    {"MediaOption", &ProfileSettings::MediaOption}, {"HDDKeyboard", &ProfileSettings::HDDKeyboard},
    {"LtSwitch", &ProfileSettings::LtSwitch},       {"LtColor", &ProfileSettings::LtColor},
    {"LtControl", &ProfileSettings::LtControl},     {"LtSaving", &ProfileSettings::LtSaving},
    {"LtPulsation", &ProfileSettings::LtPulsation}, {"Context", &ProfileSettings::Context},
    {"CapsLock", &ProfileSettings::CapsLock},       {"Tab", &ProfileSettings::Tab},
    {"FnStatus", &ProfileSettings::FnStatus},       {"PollingRate", &ProfileSettings::PollingRate},
    {"ReportDelay", &ProfileSettings::ReportDelay}, {"LeftWin", &ProfileSettings::LeftWin},
};

std::string formatted(const char* format, int number) {
  char text[32];
  std::snprintf(text, sizeof text, format, number);
  return text;
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

bool copyOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (sameFile(from, to)) return true;
  std::error_code error;
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
  return !error;
}

}  // namespace

std::filesystem::path configIniPath(const std::filesystem::path& programFolder) {
  return programFolder / kConfigIniName;
}

std::filesystem::path configFolder(const std::filesystem::path& programFolder) {
  return programFolder / kConfigFolderName;
}

std::filesystem::path profileSlotPath(const std::filesystem::path& programFolder, int slot) {
  return configFolder(programFolder) / (formatted(kProfileSlotFormat, slot) + kProfileExtension);
}

bool loadAll(KeyboardSettings& record, const std::filesystem::path& programFolder) {
  const IniFile config(configIniPath(programFolder));
  record.CurrentProfile = config.readInt(kSettingSection, kCurrentProfileKey, kMissingInt);
  record.RightWin = config.readInt(kSettingSection, kRightWinKey, kMissingInt);
  for (int slot = 0; slot < kProfileCount; ++slot) {
    const IniFile file(profileSlotPath(programFolder, slot));
    if (file.loaded()) {
      loadProfile(record.profiles[slot], file);
    } else {
      defaultProfile(record.profiles[slot], slot);
    }
  }
  return true;
}

bool saveAll(const KeyboardSettings& record, const std::filesystem::path& programFolder) {
  IniFile config(configIniPath(programFolder));
  config.writeInt(kSettingSection, kCurrentProfileKey, record.CurrentProfile);
  config.writeInt(kSettingSection, kRightWinKey, record.RightWin);
  bool allWritten = config.save();
  for (int slot = 0; slot < kProfileCount; ++slot) {
    allWritten = saveProfile(record.profiles[slot], profileSlotPath(programFolder, slot)) && allWritten;
  }
  return allWritten;
}

void loadProfile(ProfileSettings& profile, const IniFile& file) {
  setFieldText(profile.ProFileName, file.readString(kSettingSection, kProfileNameKey, ""));
  setFieldText(profile.GameFile, file.readString(kSettingSection, kGameFileKey, ""));
  for (const IntField& field : kProfileInts) {
    profile.*field.member = file.readInt(kSettingSection, field.key, kMissingInt);
  }
  file.readStruct(kSettingSection, kStandardKeyReadName, profile.standardkey);
  for (int entry = 0; entry < kMacroKeyCount; ++entry) {
    file.readStruct(kSettingSection, formatted(kMacroKeyFormat, entry), profile.macroKeys[entry]);
  }
}

bool loadProfile(ProfileSettings& profile, const std::filesystem::path& file) {
  const IniFile ini(file);
  if (!ini.loaded()) return false;
  loadProfile(profile, ini);
  return true;
}

void saveProfile(const ProfileSettings& profile, IniFile& file) {
  file.writeString(kSettingSection, kProfileNameKey, fieldText(profile.ProFileName));
  file.writeString(kSettingSection, kGameFileKey, fieldText(profile.GameFile));
  for (const IntField& field : kProfileInts) file.writeInt(kSettingSection, field.key, profile.*field.member);
  file.writeStruct(kSettingSection, kStandardKeyWriteName, profile.standardkey);
  for (int entry = 0; entry < kMacroKeyCount; ++entry) {
    file.writeStruct(kSettingSection, formatted(kMacroKeyFormat, entry), profile.macroKeys[entry]);
  }
}

bool saveProfile(const ProfileSettings& profile, const std::filesystem::path& file) {
  IniFile ini(file);
  saveProfile(profile, ini);
  return ini.save();
}

void defaultProfile(ProfileSettings& profile, int number) {
  std::memset(&profile, 0, sizeof profile);
  setFieldText(profile.ProFileName, formatted(kProfileNameFormat, number + 1));
  profile.MediaOption = kFactoryProfile.MediaOption;
  profile.HDDKeyboard = kFactoryProfile.HDDKeyboard;
  profile.LtSwitch = kFactoryProfile.LtSwitch;
  profile.LtPulsation = kFactoryProfile.LtPulsation;
  profile.LtControl = kFactoryProfile.LtControl;
  profile.LtColor = kFactoryProfile.LtColor;
  profile.LtSaving = kFactoryProfile.LtSaving;
  profile.LeftWin = kFactoryProfile.LeftWin;
  profile.Context = kFactoryProfile.Context;
  profile.CapsLock = kFactoryProfile.CapsLock;
  profile.Tab = kFactoryProfile.Tab;
  profile.PollingRate = kFactoryProfile.PollingRate;
  profile.ReportDelay = kFactoryProfile.ReportDelay;
  profile.FnStatus = kFactoryProfile.FnStatus;
  profile.standardkey = kFactoryStandardKeys;
  for (std::size_t entry = 0; entry < kFactoryMacroKeys.size(); ++entry) {
    profile.macroKeys[entry].kind = kFactoryMacroKeys[entry].kind;
    profile.macroKeys[entry].modifiers = kFactoryMacroKeys[entry].modifiers;
    profile.macroKeys[entry].code = kFactoryMacroKeys[entry].code;
  }
}

void factoryDefaults(KeyboardSettings& record) {
  record.CurrentProfile = 0;
  record.RightWin = kFactoryRightWin;
  for (int slot = 0; slot < kProfileCount; ++slot) defaultProfile(record.profiles[slot], slot);
}

void clearRecord(KeyboardSettings& record) {
  record.CurrentProfile = -1;
  record.reserved = 0;
  std::memset(&record.profiles, 0, sizeof record.profiles);
  std::memset(&record.changes, 0, sizeof record.changes);
}

void loadFromFiles(KeyboardSettings& record, const std::filesystem::path& programFolder) {
  clearRecord(record);
  loadAll(record, programFolder);
  if (record.CurrentProfile < 0 || record.CurrentProfile >= kProfileCount) record.CurrentProfile = 0;
}

int readFirmwareVersion(const std::filesystem::path& programFolder) {
  return IniFile(configIniPath(programFolder)).readInt(kSettingSection, kFirmwareVersionKey, kDefaultFirmwareVersion);
}

std::string firmwareVersionText(int version, VersionRule rule) {
  const auto value = static_cast<std::uint32_t>(version);
  const bool shown = value >= static_cast<std::uint32_t>(kVersionShownFrom) &&
                     (rule == VersionRule::ChangeNotice || value <= static_cast<std::uint32_t>(kVersionShownUpTo));
  if (!shown) return "N/A";
  const std::string digits = std::to_string(version);
  std::string text(1, digits.front());
  text += '.';
  text.append(digits, 1);
  return text;
}

bool writeAccessStamp(const std::filesystem::path& programFolder, std::uint32_t secondsSince1970) {
  std::uint8_t stamp[kAccessStampSize] = {};
  for (int i = 0; i < 4; ++i) stamp[i] = static_cast<std::uint8_t>(secondsSince1970 >> (8 * i));
  IniFile config(configIniPath(programFolder));
  config.writeStruct(kAccessSection, kAccessKey, stamp);
  return config.save();
}

std::uint32_t secondsSince1970Now() {
  const auto seconds =
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
  return static_cast<std::uint32_t>(seconds);
}

bool readOsd(OsdSettingBlock& block, const std::filesystem::path& programFolder) {
  if (IniFile(configIniPath(programFolder)).readStruct(kOsdSection, kOsdKey, block)) return true;
  block.bytes.fill(0);
  return false;
}

bool writeOsd(const OsdSettingBlock& block, const std::filesystem::path& programFolder) {
  IniFile config(configIniPath(programFolder));
  config.writeStruct(kOsdSection, kOsdKey, block);
  return config.save();
}

bool recordExportName(const std::filesystem::path& programFolder, int slotNumber, std::string_view name) {
  IniFile config(configIniPath(programFolder));
  if (!config.writeString(kFileNameSection, formatted(kExportNameFormat, slotNumber), name)) return false;
  return config.save();
}

ProfileDialogRequest profileDialogRequest(const std::filesystem::path& programFolder) {
  return ProfileDialogRequest{kProfileDialogExtension, configFolder(programFolder) / kProfileExtension,
                              kProfileDialogFilter};
}

TransferResult exportCurrentProfile(const KeyboardSettings& working, const std::filesystem::path& programFolder,
                                    ProfileFileDialogs& dialogs) {
  const auto chosen = dialogs.chooseExportFile(profileDialogRequest(programFolder));
  if (!chosen) return TransferResult::Cancelled;
  // A fresh file, so that it holds the profile's keys only; it replaces the old one in one step.
  IniFile file = IniFile::Empty(*chosen);
  saveProfile(currentProfile(working), file);
  if (!file.save()) return TransferResult::Failed;
  const std::filesystem::path stem = chosen->stem();
  recordExportName(programFolder, currentSlot(working) + 1, dialogs.toIniText(stem));
  std::filesystem::path copy = configFolder(programFolder) / stem;
  copy += kProfileExtension;
  copyOver(*chosen, copy);
  return TransferResult::Done;
}

TransferResult importCurrentProfile(KeyboardSettings& working, const std::filesystem::path& programFolder,
                                    ProfileFileDialogs& dialogs) {
  const auto chosen = dialogs.chooseImportFile(profileDialogRequest(programFolder));
  if (!chosen) return TransferResult::Cancelled;
  const IniFile file(*chosen);
  if (!file.loaded()) return TransferResult::Failed;
  std::filesystem::path copy = programFolder / chosen->stem();
  copy += kProfileExtension;
  copyOver(*chosen, copy);
  // Read from the content already loaded: the same bytes as the copy, even when the copy
  // could not be written.
  const int slot = currentSlot(working);
  loadProfile(working.profiles[slot], file);
  ChangeFlags& changes = working.changes;
  changes.keyChanged[slot].fill(1);
  changes.lightingChanged[slot] = 1;
  changes.standardKeysChanged[slot] = 1;
  changes.keyOptionsChanged[slot] = 1;
  changes.profileImported[slot] = 1;
  return TransferResult::Done;
}

}  // namespace opt
