// The export and import file dialogs, driven from a second thread as a user would.

#include <windows.h>
// After windows.h, which it needs.
#include <dlgs.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "option/store/win32_profile_dialogs.h"
#include "tests/support/temp_dir.h"

namespace opt {
namespace {

// Waits for this process's file dialog, then types `name` and presses OK, or cancels it.
class DialogUser {
 public:
  DialogUser(const wchar_t* name, bool cancel) {
    worker_ = std::thread([this, name, cancel] {
      const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
      HWND dialog = nullptr;
      while (!dialog && std::chrono::steady_clock::now() < end) {
        EnumWindows(
            [](HWND window, LPARAM found) {
              DWORD process = 0;
              GetWindowThreadProcessId(window, &process);
              wchar_t cls[16] = {};
              GetClassNameW(window, cls, 16);
              if (process == GetCurrentProcessId() && wcscmp(cls, L"#32770") == 0 && IsWindowVisible(window)) {
                *reinterpret_cast<HWND*>(found) = window;
                return FALSE;
              }
              return TRUE;
            },
            reinterpret_cast<LPARAM>(&dialog));
        if (!dialog) std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
      if (!dialog) return;
      found_ = true;
      if (cancel) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
      }
      // The file name box of the dialog (an edit inside combo box cmb13, or edt1).
      HWND box = GetDlgItem(dialog, cmb13);
      if (!box) box = GetDlgItem(dialog, edt1);
      SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  ~DialogUser() { worker_.join(); }
  bool found() const { return found_; }

 private:
  std::atomic<bool> found_{false};
  std::thread worker_;
};

ProfileDialogRequest requestIn(const std::filesystem::path& folder) {
  return ProfileDialogRequest{u"gkp", folder / ".gkp", u"Gaming Keyboard Profile(*.gkp)|*.GKP|"};
}

TEST(ProfileDialogs, ANameTypedWithoutExtensionGetsGkp) {
  testsupport::TempDir dir;
  Win32ProfileDialogs dialogs(nullptr);
  std::optional<std::filesystem::path> chosen;
  {
    DialogUser user(L"race", false);
    chosen = dialogs.chooseExportFile(requestIn(dir.path()));
  }
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->filename(), "race.gkp");
  EXPECT_TRUE(std::filesystem::equivalent(chosen->parent_path(), dir.path()));
}

TEST(ProfileDialogs, CancelGivesNothing) {
  testsupport::TempDir dir;
  Win32ProfileDialogs dialogs(nullptr);
  std::optional<std::filesystem::path> chosen = std::filesystem::path("not cancelled");
  {
    DialogUser user(L"", true);
    chosen = dialogs.chooseImportFile(requestIn(dir.path()));
    EXPECT_TRUE(user.found());
  }
  EXPECT_FALSE(chosen);
}

TEST(ProfileDialogs, FileNamesBecomeTextInTheSystemCodePage) {
  Win32ProfileDialogs dialogs(nullptr);
  EXPECT_EQ(dialogs.toIniText(L"race"), "race");
  EXPECT_EQ(dialogs.toIniText(L""), "");
}

}  // namespace
}  // namespace opt
