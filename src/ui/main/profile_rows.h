#pragma once
// The rows of the profile manager's list as a plain record, so everything
// the dialog decides can be tested without a window: one check at most,
// which changes count as unapplied, and the saved profile list the dialog
// writes to the settings store.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace quorlin::ui {

struct ProfileRow {
  std::string name;    // the file name without folder and extension
  std::string folder;  // the folder with its trailing separator
  bool checked = false;

  friend bool operator==(const ProfileRow&, const ProfileRow&) = default;
};

struct ProfileRows {
  std::vector<ProfileRow> rows;
  // Changes not yet applied; Apply is enabled while it is set.
  bool modified = false;
};

// Prefix of the saved profile list's keys; key 0 holds the row count.
inline constexpr std::string_view kSavedListPrefix = "PROFILE";

// The row that stands for `file`.
ProfileRow RowForFile(const std::filesystem::path& file);

// The three host copies, the Active profile's row checked; nothing modified.
ProfileRows HostCopyRows(const std::array<std::filesystem::path, 3>& host_copies,
                         int active_profile);

// Checking a row clears every other check. Any change of a check counts as
// a change to apply; a row outside the list changes nothing.
void SetRowChecked(ProfileRows& rows, int row, bool checked);
// Checks `row` (none for a row outside the list) and settles the changes:
// the list now shows what the keyboard holds.
void ShowActiveRow(ProfileRows& rows, int row);
void AppendRow(ProfileRows& rows, ProfileRow row);
// Removes the selected row; with nothing selected nothing changes. True
// when a row went.
bool DeleteRow(ProfileRows& rows, std::optional<int> selected);

// The checked row, or -1.
int CheckedRow(const ProfileRows& rows);
// The on-board profile that Apply makes active: the checked row when it is
// one of the three host copies' rows, else -1. A row added from a file is no
// on-board profile, so checking it never asks the keyboard for a profile
// number it does not have.
// Rows are matched to the host copies by path.
int ProfileToActivate(const ProfileRows& rows,
                      const std::array<std::filesystem::path, 3>& host_copies);
// The row of on-board profile `profile`'s host copy, or -1.
int RowOfProfile(const ProfileRows& rows, const std::array<std::filesystem::path, 3>& host_copies,
                 int profile);

// Folder, name and ".qlf": the full path the saved list records for a row.
std::string SavedListPath(const ProfileRow& row);
// "PROFILE" and the number in at least two digits.
std::string SavedListKey(int number);
// Writes every row's path under PROFILE01, PROFILE02 ... and then the row
// count under PROFILE00. False when any write failed.
bool WriteSavedProfileList(platform::SettingsStore& settings, const ProfileRows& rows);

}  // namespace quorlin::ui
