#pragma once
// The host copies of the three on-board profiles and the flows that move
// key functions between the keyboard, the host copies and the working
// store: reload from the keyboard, profile switch, showing a profile, the
// profile menu. All flows run on the user-interface thread.

#include <filesystem>

#include "device/device_link.h"
#include "platform/atomic_file.h"
#include "profiles/flow_view.h"
#include "profiles/profile_menu.h"
#include "profiles/profile_stores.h"
#include "text/text_source.h"

namespace quorlin::profiles {

struct ProfileStoreParts {
  device::DeviceLink& link;  // holds the Active profile cache
  WorkingStore& working;
  const text::TextSource& texts;
  FlowView& view;
  std::filesystem::path data_folder;
  // The shipped user settings template copied into a new data folder.
  std::filesystem::path default_user_settings;
  platform::FileWriter& writer = platform::SystemFileWriter();
};

class ProfileStore {
 public:
  explicit ProfileStore(ProfileStoreParts parts) : p_(std::move(parts)) {}
  ProfileStore(const ProfileStore&) = delete;
  ProfileStore& operator=(const ProfileStore&) = delete;

  const std::filesystem::path& DataFolder() const { return p_.data_folder; }
  bool EnsureDataFolder();
  // Ensures the data folder, then its "$Profile<n>".
  std::filesystem::path HostCopyPath(int profile);

  // The cached Active profile, asked of the keyboard when unknown; -1 when
  // it cannot be had.
  int ActiveProfile();
  // Makes `profile` the keyboard's Active profile; nothing for profile < 0.
  void SetActiveProfile(int profile);

  // Takes the keyboard's contents into the host copy of the Active profile
  // and the working store, shows them, and clears the modified flag unless
  // `keep_modified`. When the keyboard cannot be read, says so and changes
  // neither the host copy, the working store nor the modified flag: an
  // empty image in their place would let the next Apply write an empty
  // macro area over the keyboard's. True when the contents were read.
  bool ReloadFromKeyboard(bool keep_modified);

  // Saves `working` (whose lock the caller holds) over the host copy of the
  // Active profile, only when that copy exists.
  // `error`, when given, says why the copy could not be written.
  bool SaveHostCopy(WorkingContents& working, std::string* error = nullptr);
  // The same under the Working lock.
  bool SaveHostCopy();

  // Makes `profile` (3 and above count as 0; -1 keeps the keyboard as it is)
  // the Active profile, settling pending key changes after asking. False,
  // with a message, while the key editor is open.
  bool SwitchProfile(int profile);

  // The key view for the Active profile's page.
  void ShowActiveProfile();

  // Rebuilds the profile menu and sets the profile button from it.
  const ProfileMenu& BuildProfileMenu();
  const ProfileMenu& Menu() const { return menu_; }

 private:
  void StopRecordingIfRunning();
  void RefreshKeyView(int profile);
  // Replaces the working contents (whose lock the caller holds) with the
  // host copy of `profile`, or an empty image when it cannot be loaded.
  void LoadHostCopyOrEmpty(WorkingContents& working, int profile);

  ProfileStoreParts p_;
  // Set while the switch question is open, so a switch request that
  // arrives meanwhile does not ask again.
  bool switch_prompt_showing_ = false;
  ProfileMenu menu_;
};

}  // namespace quorlin::profiles
