// The monitor link's Win32 port and the settings session against the monitor stand-in.
// The stand-in's path is the program's first argument.

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>

#include "option/store/change_flags.h"
#include "option/store/settings_session.h"
#include "option/store/win32_monitor_port.h"
#include "tests/option/store/fake_monitor.h"
#include "tests/support/temp_dir.h"
#include "ui/file_io.h"

namespace opt {
namespace {

std::wstring gStandinPath;

constexpr DWORD kTimeoutMs = 30000;
constexpr UINT kStandinSend = WM_APP + 1;

std::wstring wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// Handles messages while waiting for `done`, for at most kTimeoutMs.
bool pumpUntil(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  return true;
}

class Standin {
 public:
  explicit Standin(const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + gStandinPath + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process_) != FALSE;
    if (started_) CloseHandle(process_.hThread);
  }
  ~Standin() {
    if (!started_) return;
    if (HWND window = findWindow()) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, kTimeoutMs) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hProcess);
  }

  static HWND findWindow() { return FindWindowW(nullptr, wide(kMonitorWindowTitle).c_str()); }
  // The stand-in has created its objects once its window exists.
  bool ready() const {
    if (!started_) return false;
    return pumpUntil([this] { return findWindow() != nullptr || exited(); }) && !exited();
  }
  bool exited() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }

 private:
  bool started_ = false;
  PROCESS_INFORMATION process_{};
};

// Stands in for Option's main window: the window the stand-in answers, forwarding the
// monitor's messages to a session.
class OptionWindow {
 public:
  OptionWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &OptionWindow::procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"OptionWindowForTests";
    RegisterClassW(&windowClass);
    window_ = CreateWindowW(L"OptionWindowForTests", wide(kOptionWindowTitle).c_str(), WS_OVERLAPPED, 0, 0, 100, 100,
                            nullptr, nullptr, GetModuleHandleW(nullptr), this);
  }
  ~OptionWindow() { DestroyWindow(window_); }

  SettingsSession* session = nullptr;
  std::vector<UINT> received;

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrW(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<OptionWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message >= WM_USER) {
      self->received.push_back(message);
      if (self->session) {
        if (const auto result = self->session->handleMonitorMessage(message)) return *result;
      }
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
};

class MonitorLinkWine : public ::testing::Test {
 protected:
  MonitorLinkWine() {
    std::filesystem::create_directory(folder_ / "config");
    port_.setMessageSink([this](std::u16string_view text) { messages_.emplace_back(text); });
  }

  std::wstring outArgument() const { return L"--out \"" + folder_.path().wstring() + L"\""; }
  std::filesystem::path receivedFile(int n) const { return folder_ / ("received-" + std::to_string(n) + ".bin"); }

  testsupport::TempDir folder_;
  Win32MonitorPort port_;
  std::vector<std::u16string> messages_;
};

TEST_F(MonitorLinkWine, ApplyReachesTheStandinWhichAnswersWhenItIsDone) {
  Standin standin(outArgument() + L" --reply-delay 100");
  ASSERT_TRUE(standin.ready());
  OptionWindow window;
  testing::Log log;
  testing::FakeHost host(log);
  MonitorLink link(port_);
  SettingsSession session(folder_.path(), link, host);
  window.session = &session;

  session.startUp();
  EXPECT_TRUE(messages_.empty());
  ASSERT_TRUE(link.available());
  auto factory = std::make_unique<KeyboardSettings>();
  factoryDefaults(*factory);
  EXPECT_EQ(std::memcmp(&session.applied().profiles, &factory->profiles, sizeof factory->profiles), 0);

  session.working().CurrentProfile = 2;
  session.working().profiles[2].LtControl = 8;
  ASSERT_TRUE(session.apply(ApplyMode::Normal));
  EXPECT_TRUE(session.waitingForMonitor());
  ASSERT_TRUE(pumpUntil([&] { return !session.waitingForMonitor(); }));
  EXPECT_EQ(window.received, std::vector<UINT>{kMsgApplyFinished});

  ASSERT_TRUE(pumpUntil([&] { return std::filesystem::exists(receivedFile(1)); }));
  const auto entry = ui::ReadFileBytes(receivedFile(1), 1 << 20);
  ASSERT_TRUE(entry);
  ASSERT_EQ(entry->size(), 4 + sizeof(KeyboardSettings));
  std::uint32_t mode = 99;
  std::memcpy(&mode, entry->data(), 4);
  EXPECT_EQ(mode, 0u);
  auto sent = std::make_unique<KeyboardSettings>();
  std::memcpy(sent.get(), entry->data() + 4, sizeof(KeyboardSettings));
  EXPECT_EQ(sent->CurrentProfile, 2);
  EXPECT_EQ(sent->profiles[2].LtControl, 8);
  EXPECT_EQ(sent->changes.profileSwitched, 1);
  EXPECT_EQ(sent->changes.lightingChanged[2], 1);
  EXPECT_EQ(sent->changes.lightingChanged[0], 0);
  // The files were saved as well.
  EXPECT_EQ(IniFile(configIniPath(folder_.path())).readInt("Setting", "CurrentProfile", -1), 2);
}

TEST_F(MonitorLinkWine, TheStandinsNoticesReloadTheCopies) {
  Standin standin(L"--no-reply");
  ASSERT_TRUE(standin.ready());
  OptionWindow window;
  testing::Log log;
  testing::FakeHost host(log);
  MonitorLink link(port_);
  SettingsSession session(folder_.path(), link, host);
  window.session = &session;
  session.startUp();

  session.working().profiles[4].LtControl = 9;  // an unapplied edit elsewhere survives 1257
  PostMessageW(Standin::findWindow(), kStandinSend, kMsgKeyboardChangedProfile, 3);
  ASSERT_TRUE(pumpUntil([&] { return !window.received.empty(); }));
  EXPECT_EQ(window.received.back(), kMsgKeyboardChangedProfile);
  EXPECT_EQ(session.working().CurrentProfile, 3);
  EXPECT_EQ(session.working().profiles[4].LtControl, 9);

  PostMessageW(Standin::findWindow(), kStandinSend, kMsgReloadSettings, 0);
  ASSERT_TRUE(pumpUntil([&] { return window.received.size() == 2; }));
  EXPECT_EQ(session.working().profiles[4].LtControl, 1);
}

TEST_F(MonitorLinkWine, AMappingTooSmallForTheRecordIsRefused) {
  Standin standin(L"--size 1000 --no-reply");
  ASSERT_TRUE(standin.ready());
  MonitorLink link(port_);
  link.openMutex();
  link.openLink();
  EXPECT_FALSE(link.available());
  EXPECT_EQ(messages_, std::vector<std::u16string>{u"Could not map view of file."});
  auto record = std::make_unique<KeyboardSettings>();
  EXPECT_FALSE(link.readRecord(*record));
  EXPECT_FALSE(link.writeRecord(*record));
}

TEST_F(MonitorLinkWine, WithoutAMonitorTheLinkIsSilentlyUnavailable) {
  ASSERT_EQ(Standin::findWindow(), nullptr);
  MonitorLink link(port_);
  link.openMutex();
  link.openLink();
  EXPECT_FALSE(link.mutexOpen());
  EXPECT_FALSE(link.available());
  EXPECT_TRUE(messages_.empty());
  EXPECT_FALSE(link.notifyMonitor(ApplyMode::Normal));
}

TEST_F(MonitorLinkWine, AnAbandonedMutexIsGivenBackAndTheNextCopyWorks) {
  Standin standin(L"--no-reply");
  ASSERT_TRUE(standin.ready());
  MonitorLink link(port_);
  link.openMutex();
  link.openLink();
  ASSERT_TRUE(link.available());

  // A thread that takes the mutex and ends without releasing it abandons it.
  std::thread([] {
    HANDLE mutex = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, wide(kMonitorMutexName).c_str());
    WaitForSingleObject(mutex, INFINITE);
    CloseHandle(mutex);
  }).join();

  auto record = std::make_unique<KeyboardSettings>();
  EXPECT_FALSE(link.readRecord(*record));
  EXPECT_TRUE(link.readRecord(*record));
  EXPECT_EQ(record->CurrentProfile, 0);
  EXPECT_EQ(fieldText(record->profiles[4].ProFileName), "Profile #5");
}

}  // namespace
}  // namespace opt

// The stand-in's path comes as a Unix path from CTest; Wine sees the Unix root as Z:.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <monitor_standin.exe>\n", argv[0]);
    return 2;
  }
  std::string path = argv[1];
  if (!path.empty() && path.front() == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  opt::gStandinPath.assign(path.begin(), path.end());
  return RUN_ALL_TESTS();
}
