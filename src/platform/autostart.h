#pragma once
// Starting the program when the user logs in: an XDG autostart entry in the
// user's config folder that runs the program hidden ("/Start"), so the tray
// icon and the keyboard's settings come back without showing the window.
// Switching it off removes the entry; nothing else of the user's is touched.

#include <filesystem>
#include <optional>
#include <string>

#include "platform/user_folders.h"

namespace quorlin::platform {

// The entry is $XDG_CONFIG_HOME/autostart/quorlin.desktop (else
// ~/.config/autostart), beside the program's config folder, so
// OverrideUserFolders moves it too. It runs the program found beside this
// executable. Windows and macOS keep their own login items: there the
// setting reads as off and cannot be switched on.

// Whether the entry for this user is there and switched on.
bool StartAtLogin();
// Writes (atomically) or removes the entry. True on success; false leaves
// the entry as it was.
bool SetStartAtLogin(bool on);

// The pieces the two functions above are made of, for tests.

// $XDG_CONFIG_HOME/autostart/quorlin.desktop, else ~/.config/autostart.
std::filesystem::path AutostartEntryPath(const EnvironmentLookup& env);
// The entry StartAtLogin and SetStartAtLogin use (follows OverrideUserFolders).
std::filesystem::path AutostartEntryPath();

// The entry's text for the given program, or nothing when the path cannot be
// written into an entry (a line break or another control character in it).
std::optional<std::string> AutostartEntryText(const std::filesystem::path& program);

// Whether the entry at `entry` exists, is ours and is not switched off by
// the desktop ("Hidden=true" or "X-GNOME-Autostart-enabled=false").
bool StartAtLoginAt(const std::filesystem::path& entry);
bool SetStartAtLoginAt(const std::filesystem::path& entry, bool on,
                       const std::filesystem::path& program, std::string* error);

}  // namespace quorlin::platform
