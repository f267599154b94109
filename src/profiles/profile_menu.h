#pragma once
// The profile popup menu as a model the UI draws: the default entry, a
// separator, one entry per host copy; the checked entry names the profile
// button.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "text/text_source.h"

namespace quorlin::profiles {

inline constexpr int kDefaultProfileItemId = 9000;
inline constexpr int kFirstProfileItemId = 9001;
// Position of the first profile entry: after the default entry and the separator.
inline constexpr int kFirstProfilePosition = 2;

struct ProfileMenuItem {
  int id = 0;  // 0 for the separator
  std::string text;
  bool separator = false;

  friend bool operator==(const ProfileMenuItem&, const ProfileMenuItem&) = default;
};

struct ProfileMenu {
  std::vector<ProfileMenuItem> items;
  int checked_position = 0;
  std::string button_text;
  std::string button_tooltip;

  friend bool operator==(const ProfileMenu&, const ProfileMenu&) = default;
};

// `host_copy_names` are the file names of the three host copies; an
// Active profile outside 0..2 checks the default entry.
ProfileMenu MakeProfileMenu(const text::TextSource& texts, int active_profile,
                            const std::array<std::string, 3>& host_copy_names);

// The profile a menu entry selects: -1 for the default entry, 0..2 for the
// host copies; nothing for other ids.
std::optional<int> ProfileOfMenuItem(int id);

}  // namespace quorlin::profiles
