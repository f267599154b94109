#include "profiles/profile_store.h"

#include <array>
#include <string>
#include <system_error>
#include <vector>

#include "profiles/data_folder.h"
#include "profiles/key_view.h"
#include "profiles/keyboard_export.h"
#include "profiles/profile_file.h"

namespace quorlin::profiles {
namespace fs = std::filesystem;

bool ProfileStore::EnsureDataFolder() {
  return profiles::EnsureDataFolder(p_.data_folder, p_.default_user_settings, p_.writer);
}

fs::path ProfileStore::HostCopyPath(int profile) {
  EnsureDataFolder();
  return p_.data_folder / HostCopyName(profile);
}

int ProfileStore::ActiveProfile() {
  return p_.link.ActiveProfile();
}

void ProfileStore::SetActiveProfile(int profile) {
  if (profile < 0) return;
  p_.link.SelectActiveProfile(profile);
}

bool ProfileStore::ReloadFromKeyboard(bool keep_modified) {
  EnsureDataFolder();
  StopRecordingIfRunning();
  const int active = ActiveProfile();
  WorkingContents read;
  if (active < 0 || !ReadKeyboardContents(p_.link, p_.texts, read)) {
    RefreshKeyView(active);
    p_.view.ShowMessage(p_.texts.Text("EXTRA_KEYBOARD_READ_FAILED"));
    return false;
  }
  // After the save `read` holds exactly the host copy's image. It is taken
  // from memory rather than read back, so a host copy that cannot be
  // written (a full disk) does not hide the keyboard's contents.
  SaveProfileImage(read, HostCopyPath(active), p_.writer);
  *p_.working.Lock() = std::move(read);
  RefreshKeyView(active);
  if (!keep_modified) p_.view.SetModified(false);
  return true;
}

bool ProfileStore::SaveHostCopy(WorkingContents& working, std::string* error) {
  const int active = ActiveProfile();
  if (active < 0) {
    if (error) *error = "the keyboard's active profile is not known";
    return false;
  }
  const fs::path path = HostCopyPath(active);
  std::error_code ec;
  if (!fs::exists(path, ec)) {
    if (error) *error = path.string() + ": " + (ec ? ec.message() : "it does not exist");
    return false;
  }
  std::string why;
  if (SaveProfileImage(working, path, p_.writer, &why)) return true;
  if (error) *error = path.string() + ": " + why;
  return false;
}

bool ProfileStore::SaveHostCopy() {
  auto working = p_.working.Lock();
  return SaveHostCopy(*working);
}

bool ProfileStore::SwitchProfile(int profile) {
  if (p_.view.KeyEditorOpen()) {
    p_.view.ShowMessage(p_.texts.Text("PROFILE_SEELCT_PROMPT2"));
    return false;
  }
  if (profile >= 3) profile = 0;
  const bool pending = p_.view.ProfileManagerHasChanges() || p_.view.Modified();
  if (pending && !switch_prompt_showing_) {
    switch_prompt_showing_ = true;
    const bool apply = p_.view.AskYesNo(p_.texts.Text("PROFILE_SELECT_PROMPT"));
    switch_prompt_showing_ = false;
    if (apply) {
      p_.view.TriggerApply();
    } else {
      p_.view.SetModified(false);
      const int active = ActiveProfile();
      auto working = p_.working.Lock();
      LoadHostCopyOrEmpty(*working, active);
    }
    SetActiveProfile(profile);
  } else {
    SetActiveProfile(profile);
    p_.view.ProfileManagerShowActive(profile);
  }
  ShowActiveProfile();
  BuildProfileMenu();
  return true;
}

void ProfileStore::ShowActiveProfile() {
  StopRecordingIfRunning();
  RefreshKeyView(ActiveProfile());
}

const ProfileMenu& ProfileStore::BuildProfileMenu() {
  std::array<std::string, 3> names;
  for (int n = 0; n < 3; ++n) {
    names[static_cast<std::size_t>(n)] = HostCopyPath(n).filename().string();
  }
  menu_ = MakeProfileMenu(p_.texts, ActiveProfile(), names);
  p_.view.SetProfileButton(menu_.button_text, menu_.button_tooltip);
  return menu_;
}

void ProfileStore::StopRecordingIfRunning() {
  if (!p_.view.MacroRecordingRunning()) return;
  p_.view.StopMacroRecording();
  p_.view.ShowMessage(p_.texts.Text("PROFILE_LOAD_PROMPT"));
}

void ProfileStore::RefreshKeyView(int profile) {
  std::vector<KeyButtonState> buttons;
  {
    auto working = p_.working.Lock();
    buttons = DescribeKeyViewPage(*working, profile, p_.texts);
  }
  // The view gets copies, so it may take the Working lock itself.
  const int page = profile >= 0 && profile < 3 ? profile : 0;
  p_.view.RefreshKeyView(page, buttons);
}

void ProfileStore::LoadHostCopyOrEmpty(WorkingContents& working, int profile) {
  EmptyWorkingContents(working);
  if (profile >= 0 && LoadProfileImage(HostCopyPath(profile), working)) return;
  // An emptied store without a header is no image at all.
  MakeEmptyProfileImage(0, working);
}

}  // namespace quorlin::profiles
