#pragma once
// The Save and Open dialogs of profile export and import.

#include <windows.h>

#include "option/store/settings_store.h"

namespace opt {

class Win32ProfileDialogs final : public ProfileFileDialogs {
 public:
  explicit Win32ProfileDialogs(HWND owner) : owner_(owner) {}

  std::optional<std::filesystem::path> chooseExportFile(const ProfileDialogRequest& request) override;
  std::optional<std::filesystem::path> chooseImportFile(const ProfileDialogRequest& request) override;
  std::string toIniText(const std::filesystem::path& name) override;

 private:
  std::optional<std::filesystem::path> run(const ProfileDialogRequest& request, bool save);

  HWND owner_;
};

}  // namespace opt
