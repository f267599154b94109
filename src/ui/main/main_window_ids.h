#pragma once
// The main window's numbers: the private requests it takes (each with the
// tag that must come with it, whose bytes spell a word from the most
// significant byte), its timers, its controls and its menu commands. The
// requests are Qt invocations now; the numbers stay so logs and tests name
// them as the rest of the program does.

#include <cstdint>

namespace quorlin::ui::main_ids {

// Private requests and their tags.
inline constexpr int kMsgInit = 0x4D4E;
inline constexpr uint32_t kTagInit = 0x494E4954;  // 'INIT', posted at the end of creation
inline constexpr int kMsgOpen = 0x5350;
inline constexpr uint32_t kTagOpen = 0x4F50454E;  // 'OPEN'
inline constexpr int kMsgKill = 0x4D4B;
inline constexpr uint32_t kTagKill = 0x4C4C494B;  // 'KILL'
inline constexpr int kMsgProfileReload = 0x5452;
inline constexpr uint32_t kTagProfileReload = 0x50524F46;  // 'PROF'
inline constexpr int kMsgRemoved = 0x4753;
inline constexpr int kMsgLanguage = 0x5041;
inline constexpr uint32_t kTagLanguage = 0x4C414E47;    // 'LANG'
inline constexpr uint32_t kTagMainWindow = 0x4D41494E;  // 'MAIN', the window's marker

// Timers.
inline constexpr int kTimerProgress = 1050;        // busy picture, every 50 ms
inline constexpr int kTimerLightingReload = 1051;  // once: the keyboard changed its lighting
inline constexpr int kTimerPreview = 1052;         // preview steps while the lighting view shows
inline constexpr int kTimerFullReload = 1053;      // once: the keyboard was reset
inline constexpr int kProgressIntervalMs = 50;
inline constexpr int kPreviewFirstMs = 100;
inline constexpr int kPreviewIntervalMs = 50;
inline constexpr int kProgressFrames = 10;

// Controls.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdProfileManager = 1005;
inline constexpr int kIdApply = 1006;
inline constexpr int kIdMacro = 1007;
inline constexpr int kIdProfilePopup = 1009;
inline constexpr int kIdLink = 1121;
inline constexpr int kIdHelp = 1122;
inline constexpr int kIdMinimise = 1123;
inline constexpr int kIdClose = 1124;
inline constexpr int kIdVersion = 1134;
inline constexpr int kIdProfile1 = 1135;
inline constexpr int kIdRestoreDefaults = 1138;
inline constexpr int kIdMenu = 1139;
inline constexpr int kIdSwitch = 1144;
inline constexpr int kIdModeList = 1146;
inline constexpr int kIdProgress = 1177;
inline constexpr int kIdRgbLabel = 1207;
inline constexpr int kIdLanguagePicker = 1222;  // our number: the picker had none
inline constexpr int kIdWebSite = 1219;
inline constexpr int kIdSocial1 = 1220;
inline constexpr int kIdSocial2 = 1221;

// Menus: the tray menu and the menu button's menu.
inline constexpr int kMenuTray = 140;
inline constexpr int kMenuButton = 144;
inline constexpr int kCmdOpen = 32771;
inline constexpr int kCmdAbout = 32773;
inline constexpr int kCmdExit = 32774;
inline constexpr int kCmdRestoreFromFile = 32776;
inline constexpr int kCmdBackUpToFile = 32777;
inline constexpr int kCmdFirmwareUpdate = 32779;
inline constexpr int kCmdStartAtLogin = 32790;  // our own: start with the desktop session
inline constexpr int kCmdAutoProfiles = 32791;  // our own: the automatic profiles dialog
inline constexpr int kCmdFirstProfileItem = 9000;

}  // namespace quorlin::ui::main_ids
