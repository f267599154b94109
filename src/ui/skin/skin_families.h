#pragma once
// The keys each Skin file must carry, grouped the way the windows place
// their controls. The generator writes a rectangle for every one of them and
// the skin check reads them back, so a window never finds a control of the
// shipped skin at the 1,1 fallback. Header only: the skin generator uses it
// before the skin library exists.

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "keys/key_button_list.h"
#include "keys/key_code.h"

namespace quorlin::ui::skin_families {

inline constexpr std::string_view kButtonSection = "BUTTONINFO";
inline constexpr std::string_view kArrowSection = "BUTTONINFO2";
inline constexpr std::string_view kScreenSection = "SCREEN";

// Main.ini: window buttons, indicators and the keys other than the 106.
inline constexpr auto kMainImageButtons = std::to_array<std::string_view>({
    "CONTROL_OK",    "CONTROL_CANCEL", "CONTROL_HELP",  "CONTROL_CLOSE", "CONTROL_MINIMIZE",
    "CONTROL_MENU",  "CONTROL2_APPLY", "FUNC_PROFILES", "FUNC_MACRO",    "FUNC_PROFILE1",
    "FUNC_PROFILE2", "FUNC_PROFILE3",  "FUNC_DEFAULT",  "FUNC_SWITCH",   "FUNC_REPORT1",
    "FUNC_REPORT2",  "FUNC_REPORT3",   "FUNC_REPORT4",  "LOCK_CAPS",     "LOCK_NUM",
    "LOCK_SCROLL",   "LOCK_AB",        "FLIP_0",        "FLIP_1",        "FLIP_2",
    "FENLOR_VER",    "FENLOR_LINK",    "KEY_FN",
});

// The six top-row alternates (D1..D6) have keys of their own, "FUNC_D%d",
// so the window places them like the G keys.
inline constexpr int kTopRowAlternateCount = 6;

inline constexpr auto kMainPlacedControls = std::to_array<std::string_view>({
    "COLOR_R",
    "COLOR_G",
    "COLOR_B",
    "CONTROL_UsbStatic",
    "CONTROL_RGBStatic",
    "CONTROL_DengStatic",
    "CONTROL_DengStaPic",
    "CONTROL_XGcombox",
    "CONTROL_JDTStatic",
    "CONTROL_LightStatic",
    "CONTROL_LightSlider",
    "CONTROL_SpeedStatic",
    "CONTROL_SpeedSlider",
    "CONTROL_BLFXStatic",
    "CONTROL_BLFXLStaPic",
    "CONTROL_BLFXRStaPic",
    "CONTROL_FYYSStatic",
    "CONTROL_FYYSButton",
    "CONTROL_FYSJSStaPic",
    "CONTROL_FYSJSStatic",
    "CONTROL_FYCFStatic",
    "CONTROL_FYdjcfStatic",
    "CONTROL_FYggcfStatc",
    "CONTROL_FYdjcfStaPic",
    "CONTROL_FYggcfStaPic",
    "CONTROL_HONGPIC",
    "CONTROL_HUANGPIC",
    "CONTROL_LVPIC",
    "CONTROL_LANPIC",
    "CONTROL_HXysStatic",
    "CONTROL_HXysButton",
    "CONTROL_HXsjsStatic",
    "CONTROL_HXsjsStaPic",
    "CONTROL_JTysStatic",
    "CONTROL_JTysButton",
    "CONTROL_USERysStatic",
    "CONTROL_USERysButton",
    "CONTROL_USERjsStatic",
    "CONTROL_USERjsButton",
    "CONTROL_USERgjStatic",
    "CONTROL_USERgjStaPic1",
    "CONTROL_USERgjStaPic2",
    "CONTROL_Network",
    "CONTROL_Facebook",
    "CONTROL_twitter",
    "CONTROL_TSysStatic",
    "CONTROL_TSysButton",
    "CONTROL_TSsjsStatic",
    "CONTROL_TSsjsStaPic",
    "CONTROL_CDysStatic",
    "CONTROL_CDysButton",
    "CONTROL_CDsjsStatic",
    "CONTROL_CDsjsStaPic",
    "CONTROL_umCombo",
    "CONTROL_LangCombo",
    // The direction controls for the modes whose layout differs.
    "CONTROL_BLFXStatic2",
    "CONTROL_BLFXLStaPic2",
    "CONTROL_BLFXRStaPic2",
    "CONTROL_BLFXStatic3",
    "CONTROL_BLFXLStaPic3",
    "CONTROL_BLFXRStaPic3",
});

inline constexpr int kPaletteSwatchCount = 8;  // CONTROL_Color1 .. CONTROL_Color8

inline constexpr auto kMainArrowButtons =
    std::to_array<std::string_view>({"LEFT_ARROW", "RIGHT_ARROW"});
inline constexpr auto kArrowFrameNames = std::to_array<std::string_view>(
    {"UP_ARROW_LEFT", "DOWN_ARROW_LEFT", "UP_ARROW_RIGHT", "DOWN_ARROW_RIGHT"});
inline constexpr int kArrowFrameCount = 2;  // each name is followed by 1 or 2

inline constexpr auto kCompositeImageButtons = std::to_array<std::string_view>({
    "CONTROL_OK",
    "CONTROL_CANCEL",
    "CONTROL_CLEAR",
    "CONTROL_KEY",
    "CONTROL_MACRO",
    "CONTROL_MEDIA",
    "CONTROL_FUNCTION",
    "CONTROL_MASK",
    "CONTROL_TITLE",
    "CONTROL_OSK",
    "FUNC_MACRO_ADD",
    "FUNC_MACRO_DELETE",
    "FUNC_MACRO_DELETE2",
    "FUNC_MACRO_CLEAR",
    "FUNC_MACRO_RECORD",
    "FUNC_MACRO_UP_TOP",
    "FUNC_MACRO_UP",
    "FUNC_MACRO_DOWN",
    "FUNC_MACRO_DOWN_BOTTOM",
    // The editor's Apply button, placed like OK and Cancel.
    "CONTROL2_APPLY",
});

inline constexpr auto kCompositePlacedControls = std::to_array<std::string_view>({
    "FUNC_KEY_INPUT",
    "FUNC_FUNCTION_SELECT",
    "FUNC_MEDIA_SELECT",
    "FUNC_MACRO_LIST",
    "FUNC_MACRO_LIST2",
    "FUNC_MACRO_RECORD_DELAY",
    "FUNC_MACRO_RECORD_DELAY2",
    "FUNC_MACRO_CYCLES",
    "FUNC_MACRO_CYCLES_PROMPT",
    "FUNC_KEY_RADIO_KB",
    "FUNC_KEY_RADIO_MOU",
    "FUNC_KEY_RADIO_KB_STATIC",
    "FUNC_KEY_RADIO_MOU_STATIC",
    "KEY_SETTING",
    "MARCO_NAME_SETTING",
    "MEDIA_SETTING_TISHI",
    "FUNCTION_KEY_SETTING_TISHI",
    "TISHI_SINGLE_STATIC",
    // The mouse-function list of the single-key page.
    "FUNC_MOUSE_SELECT",
});

inline constexpr auto kProfileImageButtons = std::to_array<std::string_view>(
    {"CONTROL_OK", "CONTROL_CANCEL", "FUNC_ADD", "FUNC_LOAD", "FUNC_DELETE", "CONTROL2_APPLY"});
inline constexpr auto kProfilePlacedControls = std::to_array<std::string_view>({"PROGRAM_LIST"});

inline constexpr auto kUpdateImageButtons = std::to_array<std::string_view>(
    {"CONTROL_CUPButton", "CONTROL_UPButton", "CONTROL_OPENButton", "CONTROL_BACKUPButton"});
inline constexpr auto kUpdatePlacedControls =
    std::to_array<std::string_view>({"CONTROL_UPStatic", "CONTROL_UPCombox"});

// "KEY_%03X" of the key's Key index.
inline std::string KeyButtonKey(keys::KeyCode code) {
  char text[16];
  std::snprintf(text, sizeof text, "KEY_%03X", keys::KeyIndexFromCode(code));
  return text;
}
inline std::string GKeyButtonKey(int number) {
  return "FUNC_G" + std::to_string(number);
}
inline std::string TopRowAlternateKey(int number) {
  return "FUNC_D" + std::to_string(number);
}
inline std::string PaletteSwatchKey(int number) {
  return "CONTROL_Color" + std::to_string(number);
}
inline std::string ArrowFrameKey(std::string_view name, int frame) {
  return std::string(name) + std::to_string(frame);
}

// Every "BUTTONINFO" key of Main.ini placed as an image button.
inline std::vector<std::string> MainImageButtonKeys() {
  std::vector<std::string> all(kMainImageButtons.begin(), kMainImageButtons.end());
  for (int n = 1; n <= keys::kViewGKeyCount; ++n) all.push_back(GKeyButtonKey(n));
  for (int n = 1; n <= kTopRowAlternateCount; ++n) all.push_back(TopRowAlternateKey(n));
  for (keys::KeyCode code : keys::kKeyButtonCodes) all.push_back(KeyButtonKey(code));
  return all;
}

// Every other "BUTTONINFO" key of Main.ini (plain controls and arrow buttons).
inline std::vector<std::string> MainPlacedControlKeys() {
  std::vector<std::string> all(kMainPlacedControls.begin(), kMainPlacedControls.end());
  for (int n = 1; n <= kPaletteSwatchCount; ++n) all.push_back(PaletteSwatchKey(n));
  for (std::string_view arrow : kMainArrowButtons) all.emplace_back(arrow);
  return all;
}

// The "BUTTONINFO2" keys: picture origins of the two arrow buttons.
inline std::vector<std::string> MainArrowFrameKeys() {
  std::vector<std::string> all;
  for (std::string_view name : kArrowFrameNames)
    for (int frame = 1; frame <= kArrowFrameCount; ++frame)
      all.push_back(ArrowFrameKey(name, frame));
  return all;
}

}  // namespace quorlin::ui::skin_families
