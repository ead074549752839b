#include "kavrelle/mainwindow/main_window_model.h"

#include "kavrelle/keys/key_assignment.h"
#include "kavrelle/keys/keymap_file.h"
#include "kavrelle/mainwindow/keyboard_geometry.h"
#include "kavrelle/mainwindow/lighting.h"
#include "kavrelle/mainwindow/performance.h"
#include "kavrelle/mainwindow/texts.h"

namespace kav {
namespace {

// The effect list drops down under the effect box: 16 rows of 20 pixels.
constexpr int kEffectListLeft = 28, kEffectListRight = 248, kEffectListTop = 173, kEffectListBottom = 492;
constexpr int kEffectListHoverBottom = 493;
// The response list opens upwards from the response section: 10 rows over x 27-247.
constexpr int kResponseListLeft = 27, kResponseListRight = 247;
constexpr int kResponseListClickHeight = 200;  // e - 173 ... e + 26
// The help pop-up and its rows of 25 pixels.
constexpr Rect kHelpArea{830, 22, 996, 99};
constexpr int kHelpRowHeight = 25;
enum HelpRow { kHelpWebPage = 0, kHelpUpdate = 1 };

constexpr Point kBrightnessSliderAt{28, 260};
constexpr Point kSpeedSliderAt{28, 303};
constexpr int kReportRateSliderOffset = 23;  // below the report-rate section's top

std::size_t sliderSlot(int controlId) {
  return controlId == kSpeedSliderId ? 0 : controlId == kReportRateSliderId ? 1 : 2;
}

}  // namespace

MainWindowModel::MainWindowModel(AppState& app, DeviceSession& device, MainWindowPorts ports)
    : app_(app), device_(device), ports_(ports), pictures_(ports.pictures) {}

void MainWindowModel::Initialise() {
  view_ = View{};
  elements_ = ScreenElements{};
  elements_.ApplyLayout(ComputeLayout(view_.sections));
  placeSliders();
}

HitContext MainWindowModel::hitContext() const {
  return HitContext{view_.sections, ComputeLayout(view_.sections), device_.Live().lighting.effect};
}

int MainWindowModel::hitTest(int x, int y) {
  const HitContext context = hitContext();
  elements_.ApplyLayout(context.layout);
  return HitTest(elements_, context, x, y);
}

std::optional<int> MainWindowModel::effectListRowAt(int x, int y) const {
  if (x < kEffectListLeft || x > kEffectListRight || y < kEffectListTop || y > kEffectListBottom) return std::nullopt;
  return (y - kEffectListTop) / kListRowHeight;
}

std::optional<int> MainWindowModel::responseListRowAt(int x, int y) const {
  const int top = ComputeLayout(view_.sections).responseListTop;
  if (x < kResponseListLeft || x > kResponseListRight || y < top || y >= top + kResponseListClickHeight) {
    return std::nullopt;
  }
  return (y - top) / kListRowHeight;
}

void MainWindowModel::OnLeftButtonDown(int, int) { view_.leftButtonDown = true; }

void MainWindowModel::OnLeftButtonUp(int x, int y) {
  if (view_.effectListOpen) {
    clickInEffectList(x, y);
  } else if (view_.responseListOpen) {
    clickInResponseList(x, y);
  } else if (view_.helpOpen) {
    clickInHelp(x, y);
  } else {
    dispatch(hitTest(x, y));
    clickKey(KeyAt(x, y, view_.paintMode));
  }
  placeSliders();
  ports_.host.Redraw();
}

bool MainWindowModel::clickInEffectList(int x, int y) {
  view_.effectListOpen = false;
  view_.effectHoverRow = kNoRow;
  const auto row = effectListRowAt(x, y);
  if (!row) return false;
  view_.paintMode = SelectEffectRow(device_.Live(), static_cast<std::size_t>(*row));
  return true;
}

bool MainWindowModel::clickInResponseList(int x, int y) {
  view_.responseListOpen = false;
  view_.responseHoverRow = kNoRow;
  const auto row = responseListRowAt(x, y);
  if (!row) return false;
  device_.Live().responseTime = ResponseValueOfRow(*row);
  return true;
}

void MainWindowModel::clickInHelp(int x, int y) {
  view_.helpOpen = false;
  if (!kHelpArea.Contains(x, y)) return;
  switch ((y - kHelpArea.top) / kHelpRowHeight) {
    case kHelpWebPage:
      // The address opens in the user's browser.
      ports_.shell.Execute(app_.webAddress, u"", u"");
      break;
    case kHelpUpdate:
      startUpdater();
      break;
    default:
      break;  // the version line
  }
}

void MainWindowModel::dispatch(int code) {
  using namespace element;
  DeviceImage& live = device_.Live();
  switch (code) {
    case kHelp: view_.helpOpen = true; break;
    case kMinimise: ports_.host.HideWindow(); break;
    case kClose: close(); break;
    case kEffectBox:
      if (!view_.sections.lightingCollapsed) view_.effectListOpen = true;
      break;
    case element::kDirectionT: live.lighting.direction = kav::kDirectionT; break;
    case element::kDirectionB: live.lighting.direction = kav::kDirectionB; break;
    case element::kDirectionR: live.lighting.direction = kav::kDirectionR; break;
    case element::kDirectionL: live.lighting.direction = kav::kDirectionL; break;
    case kLightingHeader: view_.sections.lightingCollapsed = !view_.sections.lightingCollapsed; break;
    case kKeymapRadio: view_.paintMode = false; break;
    case kDiyRadio: view_.paintMode = true; break;
    case kMacroButton: break;  // the macro manager comes with its own dialog
    case kProfile: break;      // the profile manager likewise
    case kGameModeOn: live.gameMode = 1; break;
    case kGameModeOff: live.gameMode = 0; break;
    case kWinLockOn: live.windowsKeyLock = 1; break;
    case kWinLockOff: live.windowsKeyLock = 0; break;
    case kResponseBox: view_.responseListOpen = true; break;
    case kGameModeHeader: view_.sections.gameModeCollapsed = !view_.sections.gameModeCollapsed; break;
    case kResponseHeader: view_.sections.responseCollapsed = !view_.sections.responseCollapsed; break;
    case kReportRateHeader: view_.sections.reportRateCollapsed = !view_.sections.reportRateCollapsed; break;
    case kRestore: factoryReset(); break;
    case kCancel: cancel(); break;
    case kSave: save(); break;
    default:
      if (code >= kFirstSwatch && code <= kMultiColourSwatch && !view_.sections.lightingCollapsed) {
        const int swatch = code - kFirstSwatch + 1;
        if (ClickSwatch(live, swatch) == SwatchClick::EditColour) {
          if (const auto colour = ports_.dialogs.chooseColour(ui::kBlack)) {
            StoreSlotColour(live, swatch, Rgb{colour->r, colour->g, colour->b});
          }
        }
      }
      break;  // 30 (logo) and -1: nothing
  }
}

void MainWindowModel::clickKey(int key) {
  if (key < 0) return;
  DeviceImage& live = device_.Live();
  const auto table = CustomTableOfEffect(live.lighting.effect);
  if (view_.paintMode && table) {
    if (const auto colour = ports_.dialogs.chooseColour(ui::kBlack)) {
      CustomColourAt(live, *table, PositionOfKey(static_cast<std::size_t>(key))) =
          CustomColourEntry{0, colour->r, colour->g, colour->b};
    }
    return;
  }
  // The key assignment dialog takes over from here once it exists.
  view_.selectedKey = static_cast<std::uint8_t>(key);
}

void MainWindowModel::save() {
  ports_.host.SetBusyCursor(true);
  const ApplyResult result = device_.Apply();
  app_.appliedRecords = app_.records;
  writeLiveState();
  ports_.host.SetBusyCursor(false);
  if (!result.Succeeded()) {
    ports_.dialogs.messageBox(std::u16string(text::kSaveFailed.In(app_.language)),
                              std::u16string(text::kSaveFailedCaption.In(app_.language)), ui::MessageButtons::Ok,
                              ui::MessageIcon::Warning);
  }
}

void MainWindowModel::cancel() {
  ports_.host.HideWindow();
  device_.Live() = device_.Applied();
  app_.records = app_.appliedRecords;
  RecomputeAssignedFlags(device_.Live(), app_.records, app_.assigned);
  view_.paintMode = IsCustomEffect(device_.Live().lighting.effect);
  writeLiveState();
  setSlidersFromImage();
}

void MainWindowModel::close() {
  SaveKeymapFile(app_.StateFile(), device_.Applied(), app_.appliedRecords);
  ports_.host.EndDialog();
}

void MainWindowModel::factoryReset() {
  const auto answer = ports_.dialogs.messageBox(std::u16string(text::kFactoryQuestion.In(app_.language)),
                                                std::u16string(text::kFactoryCaption.In(app_.language)),
                                                ui::MessageButtons::OkCancel, ui::MessageIcon::Question);
  if (answer != ui::MessageResult::Ok) return;
  ports_.host.SetBusyCursor(true);
  view_.paintMode = false;
  view_.sections = SectionState{};
  device_.FactoryResetSequence();
  setSlidersFromImage();
  app_.assigned.fill(0);
  DeviceImage& live = device_.Live();
  live.keyEnableBits.fill(0xFF);
  app_.records = ZeroKeyRecordTable();
  RewriteOwnVks(app_.records);
  // The applied copies follow only when the state file could be written.
  if (SaveKeymapFile(app_.StateFile(), live, app_.records)) {
    device_.Applied() = live;
    app_.appliedRecords = app_.records;
  }
  ports_.host.SetBusyCursor(false);
}

void MainWindowModel::startUpdater() { ports_.shell.Execute(app_.UpdaterPath(), u"", u""); }

void MainWindowModel::offerFirmwareUpdate() {
  const DeviceVersion& version = device_.Version();
  if (!FirmwareUpdateOffered(app_.fileVersion, version.major, version.minor)) return;
  const auto answer = ports_.dialogs.messageBox(std::u16string(text::kFirmwareQuestion.In(app_.language)),
                                                std::u16string(text::kFirmwareCaption.In(app_.language)),
                                                ui::MessageButtons::OkCancel, ui::MessageIcon::Question);
  if (answer == ui::MessageResult::Ok) startUpdater();
}

void MainWindowModel::writeLiveState() { SaveKeymapFile(app_.StateFile(), device_.Live(), app_.records); }

void MainWindowModel::setSlidersFromImage() {
  const DeviceImage& live = device_.Live();
  ports_.host.SetSliderPosition(kBrightnessSliderId, live.lighting.brightness);
  ports_.host.SetSliderPosition(kSpeedSliderId, live.lighting.speed);
  ports_.host.SetSliderPosition(kReportRateSliderId, live.reportRate);
}

void MainWindowModel::placeSliders() {
  const PanelLayout layout = ComputeLayout(view_.sections);
  const bool listOpen = view_.effectListOpen || view_.responseListOpen;
  const bool lighting = !view_.sections.lightingCollapsed && !listOpen;
  ports_.host.MoveSlider(kBrightnessSliderId, kBrightnessSliderAt.x, kBrightnessSliderAt.y);
  ports_.host.MoveSlider(kSpeedSliderId, kSpeedSliderAt.x, kSpeedSliderAt.y);
  ports_.host.MoveSlider(kReportRateSliderId, kSpeedSliderAt.x, layout.reportRateTop + kReportRateSliderOffset);
  ports_.host.ShowSlider(kBrightnessSliderId, lighting);
  ports_.host.ShowSlider(kSpeedSliderId, lighting && SpeedSliderShown(device_.Live().lighting.effect));
  ports_.host.ShowSlider(kReportRateSliderId, !view_.sections.reportRateCollapsed);
}

bool MainWindowModel::overListRow(int x, int y) const {
  return (view_.effectListOpen && effectListRowAt(x, y)) || (view_.responseListOpen && responseListRowAt(x, y));
}

void MainWindowModel::OnMouseMove(int x, int y, bool leftButtonPressed) {
  if (!leftButtonPressed) view_.leftButtonDown = false;

  bool redraw = false;
  if (view_.effectListOpen) {
    const bool inside = x >= kEffectListLeft && x <= kEffectListRight && y >= kEffectListTop && y <= kEffectListHoverBottom;
    const std::uint8_t row = inside ? static_cast<std::uint8_t>(std::min((y - kEffectListTop) / kListRowHeight, 15)) : kNoRow;
    redraw = redraw || row != view_.effectHoverRow;
    view_.effectHoverRow = row;
  } else if (view_.responseListOpen) {
    const auto row = responseListRowAt(x, y);
    const std::uint8_t hover = row ? static_cast<std::uint8_t>(*row) : kNoRow;
    redraw = redraw || hover != view_.responseHoverRow;
    view_.responseHoverRow = hover;
  }

  const int element = hitTest(x, y);
  const int key = KeyAt(x, y, view_.paintMode);
  const bool listOpen = view_.effectListOpen || view_.responseListOpen;
  if (view_.leftButtonDown && element == element::kNone && key < 0 && !listOpen) {
    view_.leftButtonDown = false;
    ports_.host.StartWindowDrag(x, y);
    return;
  }

  const std::uint8_t hovered = key < 0 ? kNoKey : static_cast<std::uint8_t>(key);
  if (hovered != view_.hoveredKey) redraw = true;
  view_.hoveredKey = hovered;
  if (redraw) ports_.host.Redraw();
}

void MainWindowModel::OnDeviceKey(std::uint8_t vk) {
  for (const KeyRecord& record : app_.records) {
    if (!IsActionKind(record.kind) || record.ownVk != vk) continue;
    const std::u16string path = ActionPath(record);
    if (path.empty()) return;
    // The file or folder starts in its own folder; the full path keeps it findable wherever
    // the working folder of this program is.
    const auto slash = path.rfind(u'\\');
    const std::u16string directory = slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
    ports_.shell.Execute(path, u"", directory);
    return;
  }
}

void MainWindowModel::OnDeviceLoaded(std::intptr_t source) {
  const bool fromKeyboard = source == kLoadedFromKeyboard;
  if (fromKeyboard) device_.AdoptStartupRead();
  setSlidersFromImage();
  RecomputeAssignedFlags(device_.Live(), app_.records, app_.assigned);
  if (fromKeyboard) device_.GetLighting();
  setSlidersFromImage();
  writeLiveState();
  placeSliders();
  ports_.host.Redraw();
  if (fromKeyboard) offerFirmwareUpdate();
}

void MainWindowModel::OnSliderMoved(int controlId) {
  const int position = ports_.host.SliderPosition(controlId);
  int& last = lastSliderValue_[sliderSlot(controlId)];
  if (position == last) return;
  last = position;
  DeviceImage& live = device_.Live();
  const auto value = static_cast<std::uint8_t>(position);
  switch (controlId) {
    case kSpeedSliderId: live.lighting.speed = value; break;
    case kBrightnessSliderId: live.lighting.brightness = value; break;
    case kReportRateSliderId: live.reportRate = value; break;
    default: break;
  }
}

void MainWindowModel::OnTrayDoubleClick() {
  if (device_.CommandChannelOpen()) {
    ports_.host.ShowWindow();
  } else {
    ports_.host.ShowNoKeyboardBalloon();
  }
}

}  // namespace kav
