// Prints how long saveAll takes (config.ini and the five profile files) with IniFile, beside
// the same writes made key by key with WritePrivateProfileStringA / WritePrivateProfileStructA.
// A program that prints figures, not a test: run it under Wine with scripts/wine-exec.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "option/store/settings_store.h"
#include "tests/support/temp_dir.h"
#include "ui/file_io.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Figures {
  double median;
  double best;
};

Figures measure(int runs, const std::function<void()>& work) {
  work();  // the files exist from here on, as they do after the first apply
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    work();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times.front()};
}

void writeInt(const std::string& file, const char* section, const char* key, int value) {
  WritePrivateProfileStringA(section, key, std::to_string(value).c_str(), file.c_str());
}

// What saveAll writes, one private-profile call per key.
void saveAllKeyByKey(const opt::KeyboardSettings& record, const std::filesystem::path& folder) {
  const std::string config = opt::configIniPath(folder).string();
  writeInt(config, "Setting", "CurrentProfile", record.CurrentProfile);
  writeInt(config, "Setting", "RightWin", record.RightWin);
  for (int slot = 0; slot < opt::kProfileCount; ++slot) {
    const opt::ProfileSettings& p = record.profiles[slot];
    const std::string file = opt::profileSlotPath(folder, slot).string();
    WritePrivateProfileStringA("Setting", "ProFileName", std::string(opt::fieldText(p.ProFileName)).c_str(),
                               file.c_str());
    WritePrivateProfileStringA("Setting", "GameFile", std::string(opt::fieldText(p.GameFile)).c_str(), file.c_str());
    const std::pair<const char*, int> ints[] = {
        {"MediaOption", p.MediaOption}, {"HDDKeyboard", p.HDDKeyboard},
        {"LtSwitch", p.LtSwitch},       {"LtColor", p.LtColor},
        {"LtControl", p.LtControl},     {"LtSaving", p.LtSaving},
        {"LtPulsation", p.LtPulsation}, {"Context", p.Context},
        {"CapsLock", p.CapsLock},       {"Tab", p.Tab},
        {"FnStatus", p.FnStatus},       {"PollingRate", p.PollingRate},
        {"ReportDelay", p.ReportDelay}, {"LeftWin", p.LeftWin},
    };
    for (const auto& [key, value] : ints) writeInt(file, "Setting", key, value);
    WritePrivateProfileStructA("Setting", "standardkey", const_cast<std::uint8_t*>(p.standardkey.data()),
                               static_cast<UINT>(p.standardkey.size()), file.c_str());
    for (int entry = 0; entry < opt::kMacroKeyCount; ++entry) {
      const std::string key = "MacroKeyInfo" + std::to_string(entry);
      WritePrivateProfileStructA("Setting", key.c_str(), const_cast<opt::MacroKeyInfo*>(&p.macroKeys[entry]),
                                 sizeof(opt::MacroKeyInfo), file.c_str());
    }
  }
}

std::unique_ptr<opt::KeyboardSettings> busyRecord(unsigned seed) {
  auto record = std::make_unique<opt::KeyboardSettings>();
  opt::factoryDefaults(*record);
  // Key entries in use, as after macros were assigned: the struct values vary byte by byte.
  std::mt19937 random(seed);
  record->CurrentProfile = static_cast<int>(seed % opt::kProfileCount);
  for (auto& profile : record->profiles) {
    profile.LtControl = static_cast<int>(seed % 12) + 1;
    profile.ReportDelay = static_cast<int>(seed % 7) + 1;
    for (auto& entry : profile.macroKeys) {
      for (auto& byte : entry.events) byte = static_cast<std::uint8_t>(random());
    }
  }
  return record;
}

void print(const char* what, const Figures& figures) {
  std::printf("  %-52s median %8.2f ms, best %8.2f ms\n", what, figures.median, figures.best);
}

}  // namespace

int main() {
  // Two records that differ in every file, so that each run rewrites all of them.
  const std::unique_ptr<opt::KeyboardSettings> records[] = {busyRecord(1), busyRecord(2)};
  auto oneChanged = std::make_unique<opt::KeyboardSettings>(*records[0]);

  testsupport::TempDir ours;
  testsupport::TempDir theirs;
  std::filesystem::create_directory(ours / "config");
  std::filesystem::create_directory(theirs / "config");

  const int runs = 20;
  int turn = 0;
  const Figures allChanged = measure(runs, [&] { opt::saveAll(*records[++turn % 2], ours.path()); });
  opt::saveAll(*oneChanged, ours.path());
  const Figures oneProfile = measure(runs, [&] {
    oneChanged->profiles[3].LtControl = 1 + (++turn % 12);
    opt::saveAll(*oneChanged, ours.path());
  });
  const Figures unchanged = measure(runs, [&] { opt::saveAll(*oneChanged, ours.path()); });
  const Figures keyByKey = measure(runs, [&] { saveAllKeyByKey(*records[++turn % 2], theirs.path()); });
  // The floor: six crash-safe replaces of files of the same sizes, each flushed to disk.
  std::vector<std::vector<std::uint8_t>> contents;
  contents.push_back(*ui::ReadFileBytes(opt::configIniPath(ours.path()), 1 << 20));
  for (int slot = 0; slot < opt::kProfileCount; ++slot) {
    contents.push_back(*ui::ReadFileBytes(opt::profileSlotPath(ours.path(), slot), 1 << 20));
  }
  testsupport::TempDir plain;
  const Figures replaces = measure(runs, [&] {
    for (std::size_t i = 0; i < contents.size(); ++i) {
      ui::WriteFileAtomically(plain / ("file" + std::to_string(i)), contents[i]);
    }
  });

  std::printf("saveAll: config.ini and five profile files, %d runs each\n", runs);
  print("IniFile, every file changed:", allChanged);
  print("IniFile, one profile changed:", oneProfile);
  print("IniFile, nothing changed:", unchanged);
  print("WritePrivateProfile*A key by key, every file changed:", keyByKey);
  print("six flushed atomic replaces alone (the floor):", replaces);
  std::printf("  IniFile is %.1f times faster with every file changed (medians)\n",
              keyByKey.median / allChanged.median);

  // Both ways must have stored the same settings.
  auto fromIniFile = std::make_unique<opt::KeyboardSettings>();
  auto fromWindows = std::make_unique<opt::KeyboardSettings>();
  opt::saveAll(*records[0], ours.path());
  saveAllKeyByKey(*records[0], theirs.path());
  opt::loadFromFiles(*fromIniFile, ours.path());
  opt::loadFromFiles(*fromWindows, theirs.path());
  const bool same = std::memcmp(fromIniFile.get(), fromWindows.get(), sizeof(opt::KeyboardSettings)) == 0 &&
                    std::memcmp(&fromIniFile->profiles, &records[0]->profiles, sizeof records[0]->profiles) == 0;
  std::printf("  both sets of files read back %s\n", same ? "identical" : "DIFFERENT");
  return same ? 0 : 1;
}
