#include "kavrelle/mainwindow/main_window_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <fstream>
#include <map>
#include <set>

#include "kavrelle/keys/keymap_file.h"
#include "kavrelle/mainwindow/keyboard_geometry.h"
#include "tests/kavrelle/device/device_test_support.h"
#include "tests/support/temp_dir.h"
#include "ui/recording_canvas.h"

namespace kav {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

class FakeHost final : public MainWindowHost {
 public:
  int redraws = 0;
  bool hidden = false, shown = false, ended = false, balloon = false;
  std::vector<bool> busy;
  std::vector<std::pair<int, int>> drags;
  std::map<int, bool> visible;
  std::map<int, std::pair<int, int>> at;
  std::map<int, int> position;

  void Redraw() override { ++redraws; }
  void ShowWindow() override { shown = true; }
  void HideWindow() override { hidden = true; }
  void EndDialog() override { ended = true; }
  void StartWindowDrag(int x, int y) override { drags.emplace_back(x, y); }
  void SetBusyCursor(bool on) override { busy.push_back(on); }
  void ShowNoKeyboardBalloon() override { balloon = true; }
  void ShowSlider(int id, bool on) override { visible[id] = on; }
  void MoveSlider(int id, int x, int y) override { at[id] = {x, y}; }
  void SetSliderPosition(int id, int p) override { position[id] = p; }
  int SliderPosition(int id) override { return position[id]; }
};

class FakeDialogs final : public ui::Dialogs {
 public:
  std::deque<ui::MessageResult> answers;
  std::deque<std::optional<ui::Colour>> colours;
  std::vector<std::u16string> questions;
  int colourDialogs = 0;

  ui::MessageResult messageBox(const std::u16string& text, const std::u16string&, ui::MessageButtons,
                               ui::MessageIcon) override {
    questions.push_back(text);
    if (answers.empty()) return ui::MessageResult::Ok;
    const auto a = answers.front();
    answers.pop_front();
    return a;
  }
  std::optional<ui::Colour> chooseColour(ui::Colour) override {
    ++colourDialogs;
    if (colours.empty()) return std::nullopt;
    const auto c = colours.front();
    colours.pop_front();
    return c;
  }
  std::optional<std::u16string> openFile(const ui::FileDialogOptions&) override { return std::nullopt; }
  std::optional<std::u16string> saveFile(const ui::FileDialogOptions&) override { return std::nullopt; }
  std::optional<std::u16string> chooseFolder(const std::u16string&) override { return std::nullopt; }
};

struct Launch {
  std::u16string file, parameters, directory;
  friend bool operator==(const Launch&, const Launch&) = default;
};

class FakeShell final : public ShellLauncher {
 public:
  std::vector<Launch> launched;
  bool Execute(std::u16string_view f, std::u16string_view p, std::u16string_view d) override {
    launched.push_back({std::u16string(f), std::u16string(p), std::u16string(d)});
    return true;
  }
};

// Every picture exists, 10 x 10, named after its file.
class FakePictures final : public ui::PictureLoader {
 public:
  std::unique_ptr<ui::Picture> load(const std::filesystem::path& file) override {
    std::string name = file.string();
    const auto cut = name.find_last_of("\\/");
    if (cut != std::string::npos) name = name.substr(cut + 1);
    return std::make_unique<ui::MemoryPicture>(10, 10, 0xFFFFFFFF, name);
  }
};

class MainWindowTest : public ::testing::Test {
 protected:
  testsupport::TempDir dir;
  kav::testing::InlineRig rig;
  AppState app;
  FakeHost host;
  FakeDialogs dialogs;
  FakeShell shell;
  FakePictures pictures;
  std::unique_ptr<MainWindowModel> model;

  void SetUp() override {
    std::filesystem::create_directories(dir.path());
    std::filesystem::path folder = dir.path();
    folder += "/";
    app.programFolder = folder.u16string();
    app.language = kEnglish;
    RewriteOwnVks(app.records);
    app.appliedRecords = app.records;
    rig.Start();
    model = std::make_unique<MainWindowModel>(app, rig.session, MainWindowPorts{host, dialogs, shell, pictures});
    model->Initialise();
  }

  void click(int x, int y) {
    model->OnLeftButtonDown(x, y);
    model->OnLeftButtonUp(x, y);
  }
  DeviceImage stateFileImage() {
    DeviceImage image = ZeroDeviceImage();
    KeyRecordTable records = ZeroKeyRecordTable();
    LoadKeymapFile(app.StateFile(), image, records, KeymapImage::Load);
    return image;
  }
  // The picture cache looks at the file on disk before it asks the loader.
  void providePicture(std::u16string_view name) {
    const UiLanguage language = app.language;
    for (UiLanguage l : {kChinese, kEnglish}) {
      app.language = l;
      std::ofstream(app.Picture(name)) << "picture";
    }
    app.language = language;
  }
  std::vector<std::string> draw() {
    ui::RecordingCanvas canvas;
    model->Draw(canvas);
    return canvas.calls;
  }
  DeviceImage& live() { return rig.session.Live(); }
};

constexpr int kLightingHeaderY = 120;
int effectRowY(int row) { return 173 + 20 * row + 5; }

TEST_F(MainWindowTest, ChoosingAnEffectAndSavingReachesTheKeyboardAndTheStateFile) {
  click(100, kLightingHeaderY);  // expand lighting
  EXPECT_TRUE(host.visible[kBrightnessSliderId]);
  click(100, 165);  // effect box opens the list and hides the sliders
  EXPECT_TRUE(model->view().effectListOpen);
  EXPECT_FALSE(host.visible[kBrightnessSliderId]);
  EXPECT_FALSE(host.visible[kSpeedSliderId]);
  click(100, effectRowY(8));  // Vortex
  EXPECT_FALSE(model->view().effectListOpen);
  EXPECT_TRUE(host.visible[kSpeedSliderId]);
  EXPECT_EQ(live().lighting.effect, 0x0B);
  EXPECT_NE(rig.keyboard.Memory().lighting.effect, 0x0B);  // nothing sent before save

  click(950, 620);  // save
  EXPECT_EQ(rig.keyboard.Memory().lighting.effect, 0x0B);
  EXPECT_EQ(rig.session.Applied().lighting.effect, 0x0B);
  EXPECT_EQ(stateFileImage().lighting.effect, 0x0B);
  EXPECT_EQ(host.busy, (std::vector<bool>{true, false}));
  EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(MainWindowTest, SaveThatTheKeyboardDoesNotAcknowledgeTellsTheUserAndStaysPending) {
  host.position[kBrightnessSliderId] = 7;
  model->OnSliderMoved(kBrightnessSliderId);
  EXPECT_EQ(live().lighting.brightness, 7);
  const std::uint8_t before = rig.session.Applied().lighting.brightness;
  rig.keyboard.SetAcknowledgeWrites(false);
  click(950, 620);
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_THAT(std::string(dialogs.questions[0].begin(), dialogs.questions[0].end()), HasSubstr("did not confirm"));
  EXPECT_EQ(rig.session.Applied().lighting.brightness, before);

  rig.keyboard.SetAcknowledgeWrites(true);
  click(950, 620);  // the pending change goes out again
  EXPECT_EQ(rig.session.Applied().lighting.brightness, 7);
  EXPECT_EQ(dialogs.questions.size(), 1u);
}

TEST_F(MainWindowTest, CancelRestoresTheAppliedStateAndCloseKeepsIt) {
  const DeviceImage applied = rig.session.Applied();
  click(100, 200);  // expand game mode (its section starts at 195)
  click(applied.gameMode ? 100 : 40, 195 + 35);  // the other radio
  ASSERT_NE(live().gameMode, applied.gameMode);
  click(890, 620);  // cancel
  EXPECT_TRUE(host.hidden);
  EXPECT_EQ(live(), applied);
  EXPECT_EQ(stateFileImage(), applied);

  live().lighting.brightness = 3;  // an unsaved edit
  click(985, 12);                  // close
  EXPECT_TRUE(host.ended);
  EXPECT_EQ(stateFileImage(), applied);
}

TEST_F(MainWindowTest, FactoryResetAsksFirstThenResetsKeyboardImagesAndRecords) {
  live().gameMode = 0;
  app.records[5].kind = static_cast<std::uint8_t>(KeyKind::PlaySound);
  dialogs.answers = {ui::MessageResult::Cancel};
  click(820, 620);
  EXPECT_EQ(dialogs.questions.back(), u"Confirm to return Factory Setting?");
  EXPECT_EQ(app.records[5].kind, static_cast<std::uint8_t>(KeyKind::PlaySound));

  rig.keyboard.SetMemory([&] {
    DeviceImage m = rig.keyboard.Memory();
    m.lighting.brightness = 9;
    return m;
  }());
  click(100, kLightingHeaderY);
  click(820, 620);  // answered OK this time
  EXPECT_EQ(rig.keyboard.Memory().lighting, SimulatedKeyboard::FactoryMemory(KeyTable{}).lighting);
  EXPECT_EQ(live().lighting, rig.keyboard.Memory().lighting);
  EXPECT_EQ(rig.session.Applied(), live());
  EXPECT_EQ(live().gameMode, 1);  // every read sequence switches game mode on
  for (std::uint8_t byte : live().keyEnableBits) EXPECT_EQ(byte, 0xFF);
  EXPECT_EQ(app.records[5].kind, 0);
  EXPECT_EQ(app.records[5].ownVk, VkOfKey(5));
  EXPECT_TRUE(model->view().sections.lightingCollapsed);
  EXPECT_EQ(host.position[kBrightnessSliderId], live().lighting.brightness);

  rig.trace.Clear();
  click(950, 620);  // nothing left to send
  EXPECT_THAT(rig.trace.Entries(), Not(Contains(HasSubstr("set"))));
}

TEST_F(MainWindowTest, FirmwareIsOfferedAfterAReadFromTheKeyboardOnlyWhenNewer) {
  app.fileVersion = FileVersion{1, 2};  // the simulated keyboard runs 1.2
  model->OnDeviceLoaded(kLoadedFromKeyboard);
  EXPECT_TRUE(dialogs.questions.empty());

  app.fileVersion = FileVersion{1, 3};
  model->OnDeviceLoaded(kLoadedFromProfileManager);
  EXPECT_TRUE(dialogs.questions.empty());
  dialogs.answers = {ui::MessageResult::Ok};
  model->OnDeviceLoaded(kLoadedFromKeyboard);
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0], u"Update new firmware？");
  ASSERT_EQ(shell.launched.size(), 1u);
  EXPECT_EQ(shell.launched[0].file, app.programFolder + u"Kavrelle_Update.exe");
  EXPECT_EQ(host.position[kSpeedSliderId], live().lighting.speed);
}

TEST_F(MainWindowTest, KeyboardKeyEventsRunTheKeysHostAction) {
  KeyRecord& record = app.records[0];  // Esc
  record.kind = static_cast<std::uint8_t>(KeyKind::StartProgram);
  SetActionPath(record, u"C:\\Tools\\app.exe");
  model->OnDeviceKey(0x41);  // no action for A
  EXPECT_TRUE(shell.launched.empty());
  model->OnDeviceKey(0x1B);
  ASSERT_EQ(shell.launched.size(), 1u);
  EXPECT_EQ(shell.launched[0], (Launch{u"C:\\Tools\\app.exe", u"", u"C:\\Tools"}));
}

TEST_F(MainWindowTest, HelpPopUpRowsAndAnyClickClosesIt) {
  app.webAddress = u"https://maker.example/";
  click(940, 10);
  EXPECT_TRUE(model->view().helpOpen);
  EXPECT_THAT(draw(), Contains(HasSubstr("text \"https://maker.example/\" at 850,25")));
  click(900, 30);  // row 0
  EXPECT_FALSE(model->view().helpOpen);
  click(940, 10);
  click(900, 55);  // row 1: the updater
  click(940, 10);
  click(900, 80);  // the version line
  click(940, 10);
  click(500, 500);  // outside
  EXPECT_FALSE(model->view().helpOpen);
  ASSERT_EQ(shell.launched.size(), 2u);
  EXPECT_EQ(shell.launched[0].file, u"https://maker.example/");
  EXPECT_EQ(shell.launched[1].file, app.programFolder + u"Kavrelle_Update.exe");
}

TEST_F(MainWindowTest, DraggingStartsOnlyOverEmptyBackground) {
  const Rect esc = KeyRectOnScreen(0);
  model->OnLeftButtonDown(esc.left + 2, esc.top + 2);
  model->OnMouseMove(esc.left + 3, esc.top + 3, true);
  model->OnLeftButtonDown(100, kLightingHeaderY);
  model->OnMouseMove(101, kLightingHeaderY, true);
  EXPECT_TRUE(host.drags.empty());
  model->OnLeftButtonDown(600, 580);
  model->OnMouseMove(601, 580, false);  // button already released: no drag
  model->OnLeftButtonDown(600, 580);
  model->OnMouseMove(602, 581, true);
  EXPECT_EQ(host.drags, (std::vector<std::pair<int, int>>{{602, 581}}));
}

TEST_F(MainWindowTest, SlidersFollowTheirSections) {
  EXPECT_FALSE(host.visible[kBrightnessSliderId]);
  EXPECT_FALSE(host.visible[kReportRateSliderId]);
  click(100, 300);  // report-rate header (lighting and response collapsed: f = 290)
  EXPECT_TRUE(host.visible[kReportRateSliderId]);
  EXPECT_EQ(host.at[kReportRateSliderId], (std::pair{28, 313}));
  click(100, kLightingHeaderY);
  EXPECT_EQ(host.at[kReportRateSliderId], (std::pair{28, 485 + 23}));
  live().lighting.effect = 0x01;  // Static has no speed
  click(600, 580);
  EXPECT_FALSE(host.visible[kSpeedSliderId]);
  EXPECT_TRUE(host.visible[kBrightnessSliderId]);
}

TEST_F(MainWindowTest, ResponseListRowsGiveTwoToTwentyMilliseconds) {
  click(100, 255);  // response header (e = 250)
  struct Case {
    int row;
    std::uint8_t value;
  };
  for (const Case c : {Case{0, 1}, Case{9, 10}, Case{4, 5}}) {
    click(100, 250 + 30);  // the box opens the list upwards
    ASSERT_TRUE(model->view().responseListOpen);
    click(100, 250 - 173 + 20 * c.row + 3);
    EXPECT_FALSE(model->view().responseListOpen);
    EXPECT_EQ(live().responseTime, c.value);
  }
  click(100, 280);
  click(600, 580);  // outside: closes without change
  EXPECT_EQ(live().responseTime, 5);
}

TEST_F(MainWindowTest, PaintModeColoursKeysOfTheCustomTable) {
  click(100, kLightingHeaderY);
  click(100, 165);
  click(100, effectRowY(13));  // DIY3
  EXPECT_TRUE(model->view().paintMode);
  EXPECT_FALSE(host.visible[kSpeedSliderId]);

  const Rect win = KeyRectOnScreen(kWinKey);
  dialogs.colours = {ui::Colour{10, 20, 30}};
  click(win.left + 3, win.top + 3);  // Win can be painted in paint mode
  EXPECT_EQ(CustomColourAt(live(), 2, PositionOfKey(kWinKey)), (CustomColourEntry{0, 10, 20, 30}));
  const Rect a = KeyRectOnScreen(63);
  click(a.left + 3, a.top + 3);  // the dialog cancelled: nothing changes
  EXPECT_EQ(dialogs.colourDialogs, 2);

  click(35, 205);  // "Keymap": key clicks select again
  EXPECT_FALSE(model->view().paintMode);
  click(a.left + 3, a.top + 3);
  EXPECT_EQ(model->view().selectedKey, 63);
}

TEST_F(MainWindowTest, CurrentSwatchOpensTheColourDialogAndCancelKeepsTheSlot) {
  click(100, kLightingHeaderY);
  live().lighting.effect = 0x02;
  live().lighting.colourChoice = 3;
  const Rgb before = live().colourSlots[2];
  click(28 + 50 + 5, 230);  // swatch 3 again
  EXPECT_EQ(dialogs.colourDialogs, 1);
  EXPECT_EQ(live().colourSlots[2], before);
  dialogs.colours = {ui::Colour{1, 2, 3}};
  click(28 + 50 + 5, 230);
  EXPECT_EQ(live().colourSlots[2], (Rgb{1, 2, 3}));
}

TEST_F(MainWindowTest, DrawingFollowsTheLanguageAndTheMarkingRules) {
  providePicture(u"main.png");
  providePicture(u"kb_hl.png");
  auto calls = draw();
  EXPECT_THAT(calls, Contains("picture main.png 0,0,10,10 at 0,0"));
  EXPECT_THAT(calls, Contains(HasSubstr("text \"Save\" at 934,612 Arial/16/0/300 #ffffff")));
  app.language = kChinese;
  calls = draw();
  EXPECT_THAT(calls, Not(Contains(HasSubstr("text \"Save\""))));

  // Win is never drawn marked; an assigned key is copied from the lit picture.
  app.assigned[kWinKey] = 1;
  app.assigned[63] = 1;
  calls = draw();
  const Rect a = kKeyGeometry[63].rect;
  const Rect w = kKeyGeometry[kWinKey].rect;
  auto lit = [](const Rect& r) {
    return "picture kb_hl.png " + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right + 1) + "," + std::to_string(r.bottom + 1);
  };
  EXPECT_THAT(calls, Contains(HasSubstr(lit(a))));
  EXPECT_THAT(calls, Not(Contains(HasSubstr(lit(w)))));

  // Paint mode: black keys and the media keys are not filled.
  app.language = kEnglish;
  click(100, kLightingHeaderY);
  click(100, 165);
  click(100, effectRowY(11));  // DIY1
  for (auto& entry : live().customColourTables[0]) entry = CustomColourEntry{0, 200, 0, 0};
  CustomColourAt(live(), 0, PositionOfKey(63)) = CustomColourEntry{0, 0, 0, 0};
  calls = draw();
  std::size_t fills = 0;
  for (const auto& call : calls) fills += call.find("#c80000") != std::string::npos;
  EXPECT_EQ(fills, kKeyCount - 4 - 1);
  EXPECT_THAT(calls, Contains(HasSubstr("text \"Esc\"")));
  EXPECT_THAT(calls, Contains(HasSubstr("#37ffff")));  // labels in the inverse colour
}

TEST_F(MainWindowTest, TrayDoubleClickShowsTheWindowOrWarnsWithoutKeyboard) {
  model->OnTrayDoubleClick();
  EXPECT_TRUE(host.shown);
  rig.keyboard.Unplug();
  rig.session.OnDeviceChange(kDeviceRemoveComplete);
  host.shown = false;
  model->OnTrayDoubleClick();
  EXPECT_FALSE(host.shown);
  EXPECT_TRUE(host.balloon);
}

}  // namespace
}  // namespace kav
