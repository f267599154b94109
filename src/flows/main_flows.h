#pragma once
// The flows that bring the keyboard and the program into step: arrival,
// the profile buttons, Apply, Restore defaults, restoring from and backing
// up to a profile file, and the reloads the keyboard's own events ask for.
// All run on the user-interface thread.

#include <filesystem>
#include <optional>

#include "device/device_link.h"
#include "flows/flow_view.h"
#include "flows/program_state.h"
#include "lighting/lighting_panel.h"
#include "platform/atomic_file.h"
#include "profiles/apply_settings.h"
#include "profiles/profile_store.h"
#include "text/text_source.h"

namespace quorlin::flows {

struct FlowParts {
  device::DeviceLink& link;
  ProgramState& state;
  const text::TextSource& texts;
  FlowView& view;
  // The user's data folder (host copies, lighting files) and the folder the
  // program's own data ships in (the default user lighting file).
  std::filesystem::path data_folder;
  std::filesystem::path program_data_dir;
  platform::FileWriter& writer = platform::SystemFileWriter();
};

class MainFlows {
 public:
  explicit MainFlows(FlowParts parts);
  MainFlows(const MainFlows&) = delete;
  MainFlows& operator=(const MainFlows&) = delete;

  profiles::ProfileStore& Store() { return store_; }
  lighting::LightingPanel& Panel() { return panel_; }

  // The keyboard arrived and its data is loaded.
  void ReloadAfterArrival();
  // Another program (quorlinctl) changed the keyboard: its data is read
  // again, and nothing is written to it. When the window holds edits it
  // has not applied, the user chooses: keep them (laid over what the
  // keyboard holds now, to be applied) or take the keyboard's.
  void ReloadAfterChange();
  // After each flow: with nothing pending, what the working store holds is
  // what the window's next edits are measured against.
  void RememberIfClean();
  // A profile button: edit slot n's lighting, and make it the Active profile.
  void SelectProfileSlot(int slot);
  // True when pending key changes were saved and written (or none pended).
  // Refused, with a message, while the working store holds nothing read
  // from the keyboard or a file.
  bool Apply();
  void RestoreDefaults();
  // Asks for the file, then restores it. True when the keyboard got it.
  bool RestoreFromFile();
  bool RestoreFromFile(const std::filesystem::path& file);
  bool BackUpToFile();
  bool BackUpToFile(const std::filesystem::path& file);
  // The keyboard changed its lighting itself.
  void LightingReload();
  // The keyboard went back to its factory state.
  void ResetReload();

  // Writes what the working store holds to the keyboard (all three key
  // tables) without the file or dialog steps; the command-line tool's Apply.
  // Refused as Apply is. False also when the keyboard took everything but
  // the host copy could not be saved.
  bool ApplyAllProfiles();

 private:
  profiles::ApplyTargets Targets();
  void RefreshPanel();
  bool UserModeListed() const;
  void ClearKeysOfProfile(int profile);
  void ShowButtonsForActiveProfile();
  bool SwitchAfterReset(int profile);
  // True, with a message, when `working` holds nothing read to apply.
  bool RefuseUnloaded(const profiles::WorkingContents& working);

  FlowParts p_;
  // The working store as it was with nothing pending (see RememberIfClean).
  std::optional<profiles::WorkingContents> clean_;
  profiles::ProfileStore store_;
  lighting::LightingPanel panel_;
};

}  // namespace quorlin::flows
