#include "tools/skin_artwork/option_skins.h"

#include <cstdlib>
#include <stdexcept>

namespace art {
namespace {

using L = ItemLook;
using ui::Rect;

Rect box(int x, int y, int w, int h) { return Rect::fromSize(x, y, w, h); }

// Key page: one unit is 32 pixels; caps are 2 pixels narrower than their pitch and 27 high,
// which makes the 2.25-unit Enter key exactly the 70 x 27 of its built-in shape.
constexpr int kUnit = 32;
constexpr int kKeyLeft = 70;
constexpr int kKeyHeight = 27;
constexpr int kRowTop[] = {80, 120, 151, 182, 213, 244};

struct KeySpec {
  const char* label;
  double column;  // in units
  int row;
  double width;  // in units
  int rows = 1;  // 2 for the tall keypad keys
};

// By key position, the keyboard's own scan order (the order of the factory key table).
constexpr KeySpec kKeys[kKeyPositions] = {
    {"Esc", 0, 0, 1},
    {"F1", 2, 0, 1},
    {"F2", 3, 0, 1},
    {"F3", 4, 0, 1},
    {"F4", 5, 0, 1},
    {"F5", 6.5, 0, 1},
    {"F6", 7.5, 0, 1},
    {"F7", 8.5, 0, 1},
    {"F8", 9.5, 0, 1},
    {"F9", 11, 0, 1},
    {"F10", 12, 0, 1},
    {"F11", 13, 0, 1},
    {"F12", 14, 0, 1},
    {"PrtSc", 15.25, 0, 1},
    {"ScrLk", 16.25, 0, 1},
    {"Pause", 17.25, 0, 1},
    {"`", 0, 1, 1},
    {"1", 1, 1, 1},
    {"2", 2, 1, 1},
    {"3", 3, 1, 1},
    {"4", 4, 1, 1},
    {"5", 5, 1, 1},
    {"6", 6, 1, 1},
    {"7", 7, 1, 1},
    {"8", 8, 1, 1},
    {"9", 9, 1, 1},
    {"0", 10, 1, 1},
    {"-", 11, 1, 1},
    {"=", 12, 1, 1},
    {"Backspace", 13, 1, 2},
    {"Tab", 0, 2, 1.5},
    {"Q", 1.5, 2, 1},
    {"W", 2.5, 2, 1},
    {"E", 3.5, 2, 1},
    {"R", 4.5, 2, 1},
    {"T", 5.5, 2, 1},
    {"Y", 6.5, 2, 1},
    {"U", 7.5, 2, 1},
    {"I", 8.5, 2, 1},
    {"O", 9.5, 2, 1},
    {"P", 10.5, 2, 1},
    {"[", 11.5, 2, 1},
    {"]", 12.5, 2, 1},
    {"Enter", 12.75, 3, 2.25},
    {"Caps", 0, 3, 1.75},
    {"A", 1.75, 3, 1},
    {"S", 2.75, 3, 1},
    {"D", 3.75, 3, 1},
    {"F", 4.75, 3, 1},
    {"G", 5.75, 3, 1},
    {"H", 6.75, 3, 1},
    {"J", 7.75, 3, 1},
    {"K", 8.75, 3, 1},
    {"L", 9.75, 3, 1},
    {";", 10.75, 3, 1},
    {"'", 11.75, 3, 1},
    {"\\", 13.5, 2, 1.5},
    {"Shift", 0, 4, 2.25},
    {"Z", 2.25, 4, 1},
    {"X", 3.25, 4, 1},
    {"C", 4.25, 4, 1},
    {"V", 5.25, 4, 1},
    {"B", 6.25, 4, 1},
    {"N", 7.25, 4, 1},
    {"M", 8.25, 4, 1},
    {",", 9.25, 4, 1},
    {".", 10.25, 4, 1},
    {"/", 11.25, 4, 1},
    {"Shift", 12.25, 4, 2.75},
    {"Ctrl", 0, 5, 1.25},
    {"Win", 1.25, 5, 1.25},
    {"Alt", 2.5, 5, 1.25},
    {"", 3.75, 5, 6.25},
    {"Alt", 10, 5, 1.25},
    {"Win", 11.25, 5, 1.25},
    {"Menu", 12.5, 5, 1.25},
    {"Ctrl", 13.75, 5, 1.25},
    {"Ins", 15.25, 1, 1},
    {"Del", 15.25, 2, 1},
    {"\xE2\x86\x90", 15.25, 5, 1},
    {"Home", 16.25, 1, 1},
    {"End", 16.25, 2, 1},
    {"\xE2\x86\x91", 16.25, 4, 1},
    {"\xE2\x86\x93", 16.25, 5, 1},
    {"PgUp", 17.25, 1, 1},
    {"PgDn", 17.25, 2, 1},
    {"\xE2\x86\x92", 17.25, 5, 1},
    {"Num", 18.5, 1, 1},
    {"7", 18.5, 2, 1},
    {"4", 18.5, 3, 1},
    {"1", 18.5, 4, 1},
    {"0", 18.5, 5, 2},
    {"/", 19.5, 1, 1},
    {"8", 19.5, 2, 1},
    {"5", 19.5, 3, 1},
    {"2", 19.5, 4, 1},
    {"*", 20.5, 1, 1},
    {"9", 20.5, 2, 1},
    {"6", 20.5, 3, 1},
    {"3", 20.5, 4, 1},
    {".", 20.5, 5, 1},
    {"-", 21.5, 1, 1},
    {"+", 21.5, 2, 1, 2},
    {"Enter", 21.5, 4, 1, 2},
};

Rect keyRect(const KeySpec& k) {
  const int x = kKeyLeft + static_cast<int>(k.column * kUnit + 0.5);
  const int w = static_cast<int>(k.width * kUnit + 0.5) - 2;
  const int top = kRowTop[k.row];
  const int bottom = k.rows == 2 ? kRowTop[k.row + 1] + kKeyHeight : top + kKeyHeight;
  return {x, top, x + w, bottom};
}

ArtItem item(int key, std::string name, Rect rect, ItemLook look, std::string label, std::string hint = {}) {
  return {key, std::move(name), rect, look, std::move(label), std::move(hint)};
}

ArtText label(std::string text, int x, int y, double size = 11, bool bold = true, bool accent = false, int align = 0) {
  return {std::move(text), {x, y}, size, bold, accent, align};
}

SkinLayout mainWindow() {
  SkinLayout s{"skin_Config.ini", "config", "BMP3", {900, 600}};
  s.title = "GAMING KEYBOARD OPTION";
  s.pagePosition = box(20, 104, 860, 396);
  s.panels.push_back(*s.pagePosition);
  s.items = {
      item(1, "KeyTab", box(24, 70, 125, 29), L::Tab, "KEYS", "Key assignment"),
      item(2, "MacroTab", box(136, 70, 125, 29), L::Tab, "MACRO KEYS", "Macro keys"),
      item(4, "LightTab", box(248, 70, 125, 29), L::Tab, "LIGHTING", "Lighting and performance"),
      item(6, "NewProfile", box(30, 552, 146, 20), L::Shaped330, "NEW PROFILE", "Name the profile afresh"),
      item(7, "Import", box(420, 514, 146, 20), L::Shaped330, "IMPORT", "Import a profile file"),
      item(8, "Export", box(572, 514, 146, 20), L::Shaped330, "EXPORT", "Export this profile"),
      item(9, "EditProfile", box(182, 552, 146, 20), L::Shaped331, "EDIT PROFILE", "Edit the profile name and program"),
      item(10, "Profile1", box(100, 512, 56, 26), L::Option, "1", "Profile 1"),
      item(11, "Profile2", box(162, 512, 56, 26), L::Option, "2", "Profile 2"),
      item(12, "Profile3", box(224, 512, 56, 26), L::Option, "3", "Profile 3"),
      item(13, "Profile4", box(286, 512, 56, 26), L::Option, "4", "Profile 4"),
      item(14, "Profile5", box(348, 512, 56, 26), L::Option, "5", "Profile 5"),
      item(15, "MacroManager", box(730, 511, 150, 26), L::Button, "MACRO MANAGER", "Record and edit macros"),
      item(16, "Minimise", box(822, 14, 26, 26), L::Minimise, "", "Minimise"),
      item(17, "Close", box(856, 14, 26, 26), L::Close, "", "Close"),
      item(18, "Manual", box(650, 17, 76, 20), L::Link, "MANUAL", "User manual"),
      item(19, "Website", box(734, 17, 80, 20), L::Link, "WEBSITE", "Home page"),
      item(20, "OK", box(680, 556, 60, 30), L::Accent, "OK", "Apply and close"),
      item(21, "Apply", box(748, 556, 60, 30), L::Accent, "APPLY", "Send the settings to the keyboard"),
      item(22, "Cancel", box(816, 556, 64, 30), L::Button, "CANCEL", "Close without applying"),
      item(25, "Reset", box(334, 550, 64, 24), L::Button, "RESET", "Restore factory settings"),
  };
  s.texts = {label("PROFILES", 30, 530, 11, true)};
  return s;
}

SkinLayout keyPage() {
  SkinLayout s{"skin_main.ini", "keys", "BMP3", {860, 396}};
  s.page = true;
  for (int position = 0; position < kKeyPositions; ++position) {
    const KeySpec& k = kKeys[position];
    s.items.push_back(item(kKeyPageKeyBase + position, "Key" + std::to_string(position), keyRect(k), L::Key, k.label,
                           k.label[0] ? k.label : "Space"));
  }
  s.texts = {
      label("KEY ASSIGNMENT", 30, 36, 13, true, true),
      label("Click a key, then press the key it should send from now on. Remapped keys are lit.", 70, 320, 11, false),
  };
  return s;
}

SkinLayout lightingPage() {
  SkinLayout s{"skin_color_control.ini", "lighting", "BMP3", {860, 396}};
  s.page = true;
  const char* rates[] = {"125 Hz", "250 Hz", "500 Hz", "1000 Hz"};
  for (int i = 0; i < 4; ++i)
    s.items.push_back(item(i, "Polling" + std::to_string(i), box(470 + i * 92, 92, 84, 28), L::Option, rates[i],
                           std::string("Polling rate ") + rates[i]));
  s.items.push_back(item(5, "LightOff", box(40, 92, 84, 28), L::Option, "OFF", "Lighting off"));
  s.items.push_back(item(6, "LightOn", box(132, 92, 84, 28), L::Option, "ON", "Lighting on"));
  for (int i = 0; i < 4; ++i)
    s.items.push_back(item(10 + i, "Pulse" + std::to_string(i), box(40 + i * 92, 182, 84, 28), L::Option,
                           "MODE " + std::to_string(i + 1), "Pulsation mode " + std::to_string(i + 1)));
  s.items.push_back(item(15, "WinOff", box(470, 182, 84, 28), L::Option, "OFF", "Windows key off"));
  s.items.push_back(item(16, "WinOn", box(562, 182, 84, 28), L::Option, "ON", "Windows key on"));
  s.items.push_back(item(20, "Brightness", box(40, 272, 160, 28), L::Dropdown, "", "Brightness"));
  s.items.push_back(item(21, "ReportDelay", box(470, 272, 160, 28), L::Dropdown, "", "Report delay"));
  s.texts = {
      label("LIGHTING", 40, 80),
      label("PULSATION", 40, 170),
      label("BRIGHTNESS", 40, 260),
      label("POLLING RATE", 470, 80),
      label("WINDOWS KEY", 470, 170),
      label("REPORT DELAY", 470, 260),
      label("LIGHTING AND PERFORMANCE", 30, 36, 13, true, true),
  };
  s.panels = {box(430, 70, 1, 250)};
  return s;
}

SkinLayout macroKeyPage() {
  SkinLayout s{"skin_macro_control.ini", "macrokeys", "BMP3", {860, 396}};
  s.page = true;
  for (int i = 0; i < 9; ++i) {
    const int x = 40 + (i % 3) * 272;
    const int y = 100 + (i / 3) * 70;
    s.items.push_back(item(i + 1, "MacroKey" + std::to_string(i + 1), box(x + 44, y, 200, 30), L::Caption, "",
                           "Programmable key M" + std::to_string(i + 1)));
    s.texts.push_back(label("M" + std::to_string(i + 1), x, y + 20, 13, true, true));
  }
  s.texts.push_back(label("MACRO KEYS", 30, 36, 13, true, true));
  s.texts.push_back(label("Click a key to give it a macro, a shortcut or a function.", 30, 318, 11, false));
  return s;
}

SkinLayout macroManager() {
  SkinLayout s{"skin_macro_manager.ini", "macro_manager", "JPEG", {640, 460}};
  s.title = "MACRO MANAGER";
  s.items = {
      item(1, "OK", box(400, 412, 100, 30), L::Accent, "OK", "Keep the changes"),
      item(2, "Cancel", box(510, 412, 110, 30), L::Button, "CANCEL", "Discard the changes"),
      item(3, "Exit", box(602, 14, 26, 26), L::Close, "", "Close"),
      item(4, "New", box(20, 370, 95, 28), L::Button, "NEW", "New macro"),
      item(5, "Delete", box(125, 370, 95, 28), L::Button, "DELETE", "Delete the macro"),
      item(6, "MacroList", box(20, 88, 200, 272), L::List, "", "Macros"),
      item(7, "Record", box(480, 88, 140, 40), L::Record, "RECORD", "Start or stop recording"),
      item(8, "RecordDelays", box(480, 144, 140, 24), L::Check, "RECORD DELAYS", "Record the pauses between keys"),
      item(9, "Repeat", box(480, 180, 84, 24), L::Check, "REPEAT", "Repeat the macro"),
      item(10, "RepeatCount", box(572, 180, 48, 24), L::Field, "", "Repeat count"),
      item(11, "EventList", box(240, 88, 220, 310), L::List, "", "Events"),
  };
  s.texts = {label("MACROS", 20, 78),
             label("EVENTS", 240, 78),
             label("Right-click an event to", 480, 236, 10, false),
             label("record before or after it,", 480, 252, 10, false),
             label("insert a delay, edit a delay", 480, 268, 10, false),
             label("or delete it.", 480, 284, 10, false)};
  return s;
}

SkinLayout profileDialog() {
  SkinLayout s{"skin_profile.ini", "profile", "JPEG", {440, 250}};
  s.title = "PROFILE";
  s.items = {
      item(1, "Name", box(24, 94, 392, 24), L::Field, "", "Profile name"),
      item(2, "Program", box(24, 156, 306, 24), L::Field, "", "Program"),
      item(3, "Browse", box(340, 155, 76, 26), L::Button, "BROWSE", "Choose a program"),
      item(4, "OK", box(226, 204, 90, 28), L::Accent, "OK", "Save"),
      item(5, "Cancel", box(326, 204, 90, 28), L::Button, "CANCEL", "Discard"),
      item(6, "Exit", box(406, 12, 26, 26), L::Close, "", "Close"),
  };
  s.texts = {label("PROFILE NAME", 24, 84), label("PROGRAM THAT SELECTS THIS PROFILE", 24, 146)};
  return s;
}

SkinLayout shortcutDialog() {
  SkinLayout s{"skin_shortcut.ini", "shortcut", "BMP3", {440, 270}};
  s.title = "SHORTCUT";
  s.items = {
      item(11, "Key", box(24, 92, 392, 26), L::Field, "", "The chosen key"),
      item(2, "OK", box(226, 222, 90, 28), L::Accent, "OK", "Use this shortcut"),
      item(3, "Cancel", box(326, 222, 90, 28), L::Button, "CANCEL", "Discard"),
      item(4, "Exit", box(406, 12, 26, 26), L::Close, "", "Close"),
      item(6, "KeyAlone", box(24, 134, 130, 24), L::Check, "KEY ALONE", "The key without modifiers"),
      item(7, "Ctrl", box(24, 170, 86, 24), L::Check, "CTRL", "Ctrl"),
      item(8, "Shift", box(120, 170, 86, 24), L::Check, "SHIFT", "Shift"),
      item(9, "Alt", box(216, 170, 86, 24), L::Check, "ALT", "Alt"),
      item(10, "Win", box(312, 170, 86, 24), L::Check, "WIN", "Windows key"),
  };
  s.texts = {label("PRESS THE KEY FOR THIS SHORTCUT", 24, 82)};
  return s;
}

SkinLayout swapKeyDialog() {
  SkinLayout s{"skin_swap_key.ini", "swap_key", "BMP3", {420, 240}};
  s.title = "SWAP KEY";
  s.items = {
      item(1, "NewKey", box(24, 126, 372, 26), L::Field, "", "The key it sends from now on"),
      item(2, "OK", box(206, 184, 90, 28), L::Accent, "OK", "Use this key"),
      item(3, "Cancel", box(306, 184, 90, 28), L::Button, "CANCEL", "Discard"),
      item(4, "Exit", box(386, 12, 26, 26), L::Close, "", "Close"),
      item(5, "Default", box(24, 184, 100, 28), L::Button, "DEFAULT", "Factory key"),
      item(6, "OldKey", box(150, 68, 246, 22), L::Area, "", "The key it sends now"),
  };
  s.texts = {label("THIS KEY SENDS", 24, 82), label("PRESS THE KEY IT SHOULD SEND", 24, 116)};
  return s;
}

SkinLayout warning(std::string ini, std::string stem, std::string title, std::string line1, std::string line2) {
  SkinLayout s{std::move(ini), std::move(stem), "BMP3", {400, 190}};
  s.title = std::move(title);
  s.items = {
      item(1, "OK", box(110, 138, 84, 28), L::Accent, "OK", "OK"),
      item(2, "Cancel", box(206, 138, 84, 28), L::Button, "CANCEL", "Cancel"),
      item(3, "Exit", box(366, 12, 26, 26), L::Close, "", "Close"),
  };
  s.texts = {label(std::move(line1), 200, 92, 13, true, false, 1),
             label(std::move(line2), 200, 114, 11, false, false, 1)};
  return s;
}

std::vector<SkinLayout> build() {
  return {
      mainWindow(),
      keyPage(),
      lightingPage(),
      macroKeyPage(),
      macroManager(),
      profileDialog(),
      shortcutDialog(),
      swapKeyDialog(),
      warning("skin_reset_warn.ini", "reset_warn", "RESET", "Restore every profile to factory settings?",
              "Changes that were not applied are lost."),
      warning("skin_macro_set_warn.ini", "macro_set_warn", "NO MACRO", "No macro is selected.",
              "Create one with NEW or select one in the list first."),
      warning("skin_delete_macro_warn.ini", "delete_macro_warn", "DELETE MACRO", "Delete the selected macro?",
              "Keys that hold a copy of it keep their copy."),
  };
}

}  // namespace

const std::vector<SkinLayout>& OptionSkins() {
  static const std::vector<SkinLayout> skins = build();
  return skins;
}

const SkinLayout& FindSkin(const std::string& iniName) {
  for (const SkinLayout& s : OptionSkins())
    if (s.iniName == iniName) return s;
  throw std::out_of_range(iniName);
}

KeyCap KeyPageKey(int position) { return {kKeys[position].label, keyRect(kKeys[position])}; }

std::vector<RecordPicture> RecordPictures() {
  std::vector<RecordPicture> pictures;
  const char* states[] = {"normal", "over", "down"};
  for (bool stop : {false, true})
    for (int state = 0; state < 3; ++state)
      pictures.push_back({std::string(stop ? "stop" : "start") + "_record_" + states[state] + ".jpg", stop, state});
  return pictures;
}

std::vector<ui::Point> ShapeOutline(const opt::ShapeDefinition& shape, ui::Point origin) {
  const int last = shape.size.height - 1;
  const opt::Span top = opt::ShapeRow(shape, 0);
  const opt::Span bottom = opt::ShapeRow(shape, last);
  return {{origin.x + top.left, origin.y},
          {origin.x + top.right - 1, origin.y},
          {origin.x + bottom.right - 1, origin.y + last},
          {origin.x + bottom.left, origin.y + last}};
}

}  // namespace art
