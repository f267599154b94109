#include "ui/main/profile_rows.h"

#include <cstdio>

namespace quorlin::ui {
namespace fs = std::filesystem;

namespace {

bool InRange(const ProfileRows& rows, int row) {
  return row >= 0 && static_cast<std::size_t>(row) < rows.rows.size();
}

std::string FolderWithSeparator(const fs::path& folder) {
  std::string text = folder.string();
  if (text.empty() || text.back() != fs::path::preferred_separator) {
    text += static_cast<char>(fs::path::preferred_separator);
  }
  return text;
}

}  // namespace

ProfileRow RowForFile(const fs::path& file) {
  return ProfileRow{file.stem().string(), FolderWithSeparator(file.parent_path()), false};
}

ProfileRows HostCopyRows(const std::array<fs::path, 3>& host_copies, int active_profile) {
  ProfileRows rows;
  for (const fs::path& copy : host_copies) rows.rows.push_back(RowForFile(copy));
  if (InRange(rows, active_profile))
    rows.rows[static_cast<std::size_t>(active_profile)].checked = true;
  return rows;
}

void SetRowChecked(ProfileRows& rows, int row, bool checked) {
  if (!InRange(rows, row)) return;
  for (std::size_t i = 0; i < rows.rows.size(); ++i) {
    const bool is_row = i == static_cast<std::size_t>(row);
    // Unchecking a row leaves the others alone; checking one clears them.
    if (!is_row && !checked) continue;
    const bool want = is_row && checked;
    if (rows.rows[i].checked == want) continue;
    rows.rows[i].checked = want;
    rows.modified = true;
  }
}

void ShowActiveRow(ProfileRows& rows, int row) {
  if (InRange(rows, row)) {
    for (std::size_t i = 0; i < rows.rows.size(); ++i) {
      rows.rows[i].checked = i == static_cast<std::size_t>(row);
    }
  }
  rows.modified = false;
}

void AppendRow(ProfileRows& rows, ProfileRow row) {
  row.checked = false;
  rows.rows.push_back(std::move(row));
  rows.modified = true;
}

bool DeleteRow(ProfileRows& rows, std::optional<int> selected) {
  if (!selected || !InRange(rows, *selected)) return false;
  rows.rows.erase(rows.rows.begin() + *selected);
  rows.modified = true;
  return true;
}

int CheckedRow(const ProfileRows& rows) {
  for (std::size_t i = 0; i < rows.rows.size(); ++i) {
    if (rows.rows[i].checked) return static_cast<int>(i);
  }
  return -1;
}

int ProfileToActivate(const ProfileRows& rows,
                      const std::array<std::filesystem::path, 3>& host_copies) {
  const int checked = CheckedRow(rows);
  if (checked < 0) return -1;
  // By path, not by position: a deleted row moves the others up.
  const std::string path = SavedListPath(rows.rows[static_cast<std::size_t>(checked)]);
  for (std::size_t p = 0; p < host_copies.size(); ++p)
    if (SavedListPath(RowForFile(host_copies[p])) == path) return static_cast<int>(p);
  return -1;
}

int RowOfProfile(const ProfileRows& rows, const std::array<std::filesystem::path, 3>& host_copies,
                 int profile) {
  if (profile < 0 || profile >= static_cast<int>(host_copies.size())) return -1;
  const std::string path =
      SavedListPath(RowForFile(host_copies[static_cast<std::size_t>(profile)]));
  for (std::size_t r = 0; r < rows.rows.size(); ++r)
    if (SavedListPath(rows.rows[r]) == path) return static_cast<int>(r);
  return -1;
}

std::string SavedListPath(const ProfileRow& row) {
  return row.folder + row.name + ".qlf";
}

std::string SavedListKey(int number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%02d", number);
  return std::string(kSavedListPrefix) + digits;
}

bool WriteSavedProfileList(platform::SettingsStore& settings, const ProfileRows& rows) {
  bool ok = true;
  for (std::size_t i = 0; i < rows.rows.size(); ++i) {
    ok = settings.WriteText(platform::kAppSettingsKeyPath, platform::kProfilesSection,
                            SavedListKey(static_cast<int>(i) + 1), SavedListPath(rows.rows[i])) &&
         ok;
  }
  ok = settings.WriteText(platform::kAppSettingsKeyPath, platform::kProfilesSection,
                          SavedListKey(0), std::to_string(rows.rows.size())) &&
       ok;
  return ok;
}

}  // namespace quorlin::ui
