#pragma once
// The top-row flip setting: 0 shows F1..F4 as the active keys, 1 the six
// alternates D1..D6. Kept as a decimal text beside the profile settings so
// the choice survives a restart and the command-line tool sees it too.

#include "platform/settings_store.h"

namespace quorlin::ui {

inline constexpr std::string_view kFlipValueName = "Flip";

// 0 or 1; anything missing or unreadable is 0.
int ReadFlipSetting(const platform::SettingsStore& settings);
// Values of 2 or more are stored as 0.
void WriteFlipSetting(platform::SettingsStore& settings, int flip);
// The other setting, stored; returns it.
int ToggleFlipSetting(platform::SettingsStore& settings);

}  // namespace quorlin::ui
