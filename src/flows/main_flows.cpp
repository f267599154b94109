#include "flows/main_flows.h"

#include "device/commands.h"
#include "flows/reload_merge.h"
#include "keys/key_stores.h"
#include "lighting/user_lighting_files.h"
#include "profiles/apply_settings.h"
#include "profiles/data_folder.h"
#include "profiles/profile_file.h"
#include "text/format.h"

namespace quorlin::flows {

namespace fs = std::filesystem;

namespace {

const std::vector<profiles::FileFilter> kProfileFilters = {{"(*.qlf)", "*.qlf"}, {"(*.*)", "*.*"}};

profiles::ProfileStoreParts StoreParts(const FlowParts& p) {
  return profiles::ProfileStoreParts{
      p.link,
      p.state.working,
      p.texts,
      p.view,
      p.data_folder,
      p.program_data_dir / profiles::UserSettingsFileName(profiles::kDefaultUserSettingsNumber),
      p.writer};
}

}  // namespace

MainFlows::MainFlows(FlowParts parts)
    : p_(std::move(parts)),
      store_(StoreParts(p_)),
      panel_(p_.state.lighting, p_.link,
             lighting::MakeUserLightingPaths(p_.data_folder, p_.program_data_dir)) {}

profiles::ApplyTargets MainFlows::Targets() {
  return profiles::ApplyTargets{p_.link, p_.state.applied, p_.state.macro_deleted, p_.texts,
                                p_.view};
}

void MainFlows::RefreshPanel() {
  p_.view.RefreshLightingPanel(panel_.View());
}

bool MainFlows::UserModeListed() const {
  return lighting::ListsUserMode(p_.state.lighting.modes);
}

void MainFlows::ShowButtonsForActiveProfile() {
  const int active = store_.ActiveProfile();
  p_.state.checked_profile_button = active;
  p_.view.ShowProfileButtons(active);
  if (lighting::ValidProfileSlot(active)) p_.state.lighting.edited_slot = active;
}

void MainFlows::ReloadAfterArrival() {
  store_.ReloadFromKeyboard(false);
  ShowButtonsForActiveProfile();
  panel_.ReadLighting({lighting::ViewFlagFromFile::kExact, true});
  RefreshPanel();
  if (UserModeListed()) lighting::RecomputeBaseMarks(p_.state.lighting);
}

void MainFlows::ReloadAfterChange() {
  bool keep = false;
  if (p_.view.Modified() && clean_)
    keep = p_.view.AskYesNo(p_.texts.Text("MAIN_RELOAD_KEEP_EDITS"));
  std::optional<profiles::WorkingContents> edited;
  if (keep) edited = *p_.state.working.Lock();
  if (store_.ReloadFromKeyboard(keep) && keep) {
    {
      auto working = p_.state.working.Lock();
      profiles::WorkingContents keyboard = *working;
      *working = LayEditsOver(*clean_, *edited, keyboard);
      // The next edits are measured against what the keyboard holds now.
      clean_ = std::move(keyboard);
    }
    store_.ShowActiveProfile();
  }
  ShowButtonsForActiveProfile();
  // Reads only: the user-mode colours come from the file, as shown.
  panel_.ReadLighting({lighting::ViewFlagFromFile::kSetOnly, false});
  if (UserModeListed()) panel_.ReloadUserSlots(lighting::kUserSlotCount, false);
  RefreshPanel();
  if (UserModeListed()) lighting::RecomputeBaseMarks(p_.state.lighting);
}

void MainFlows::RememberIfClean() {
  if (p_.view.Modified()) return;
  clean_ = *p_.state.working.Lock();
}

void MainFlows::SelectProfileSlot(int slot) {
  p_.state.lighting.edited_slot = slot;
  panel_.ReadLighting({lighting::ViewFlagFromFile::kSetOnly, false});
  if (UserModeListed()) panel_.ReloadUserSlots(lighting::kUserSlotCount, true);
  RefreshPanel();
  if (p_.state.lighting.panel.view_open) p_.view.RefreshLightingPanel(panel_.CloseLightView());
  if (store_.ActiveProfile() == slot) return;
  if (store_.SwitchProfile(slot)) {
    p_.state.checked_profile_button = slot;
    p_.view.ShowProfileButtons(slot);
  }
}

bool MainFlows::Apply() {
  if (p_.view.MacroRecordingRunning()) {
    if (!p_.view.AskYesNo(p_.texts.Text("MAIN_APPLY_PROMPT"))) return false;
    p_.view.StopMacroRecording();
  }
  p_.view.SetBusy(true);
  bool applied = true;
  std::string not_saved;
  if (p_.view.Modified()) {
    auto working = p_.state.working.Lock();
    applied = false;
    if (!RefuseUnloaded(*working)) {
      const bool saved = store_.SaveHostCopy(*working, &not_saved);
      const bool written = profiles::ApplySettings(*working, false, Targets());
      applied = saved && written;
      if (saved) not_saved.clear();
      if (!written) not_saved.clear();  // the write failure was said already
    }
  }
  // The keyboard has it, the program's copy does not: said, and Apply
  // stays on for another try.
  if (!not_saved.empty())
    p_.view.ShowMessage(text::FormatWithText(p_.texts.Text("MAIN_HOST_COPY_NOT_SAVED"), not_saved));
  if (applied && p_.view.Modified()) p_.view.SetModified(false);
  p_.view.SetBusy(false);
  return applied;
}

bool MainFlows::ApplyAllProfiles() {
  auto working = p_.state.working.Lock();
  if (RefuseUnloaded(*working)) return false;
  // The keyboard still gets the change when the program's copy cannot be
  // written, but the caller must learn that the copy is behind.
  const bool saved = store_.SaveHostCopy(*working);
  const bool written = profiles::ApplySettings(*working, true, Targets());
  return saved && written;
}

// A store that never held a whole image (every read of the keyboard failed,
// or a host copy could not be loaded) has no macros only for want of
// reading: writing it would empty the keyboard's macro area.
bool MainFlows::RefuseUnloaded(const profiles::WorkingContents& working) {
  if (working.loaded) return false;
  p_.view.ShowMessage(p_.texts.Text("EXTRA_APPLY_NOTHING_READ"));
  return true;
}

void MainFlows::ClearKeysOfProfile(int profile) {
  {
    auto working = p_.state.working.Lock();
    keys::ClearProfileRecords(working->actions, working->texts, profile);
  }
  p_.view.SetModified(true);
}

void MainFlows::RestoreDefaults() {
  if (p_.view.AskYesNo(p_.texts.Text("MAIN_PROMPT_DEFAULT"))) {
    const int active = store_.ActiveProfile();
    ClearKeysOfProfile(active >= 0 && active < 3 ? active : 0);
    store_.ShowActiveProfile();
    if (p_.state.lighting.panel.view_open) {
      p_.view.RefreshLightingPanel(panel_.RestoreLightingDefaults());
    }
    Apply();
  }
  SelectProfileSlot(0);
}

bool MainFlows::RestoreFromFile() {
  profiles::FileDialogRequest request;
  request.default_extension = std::string(profiles::kProfileFileExtension);
  request.initial = "*.qlf";
  request.filters = kProfileFilters;
  const auto file = p_.view.ChooseFileToOpen(request);
  if (!file) return false;
  return RestoreFromFile(*file);
}

bool MainFlows::RestoreFromFile(const fs::path& file) {
  if (profiles::CheckProfileFile(file, p_.texts, p_.view) != profiles::FileCheck::kLoadable) {
    p_.view.ShowMessage(p_.texts.Text("MAIN_PROMPT_INPORT"));
    return false;
  }
  bool written = false;
  std::string not_saved;
  {
    auto working = p_.state.working.Lock();
    // Loaded aside first: a file that changed since the check leaves the
    // working store as it was instead of empty.
    profiles::WorkingContents loaded;
    if (!profiles::LoadProfileImage(file, loaded)) {
      p_.view.ShowMessage(p_.texts.Text("MAIN_PROMPT_INPORT"));
      return false;
    }
    *working = std::move(loaded);
    if (store_.SaveHostCopy(*working, &not_saved)) not_saved.clear();
    written = profiles::ApplySettings(*working, true, Targets());
  }
  store_.ShowActiveProfile();
  if (written && !not_saved.empty())
    p_.view.ShowMessage(text::FormatWithText(p_.texts.Text("MAIN_HOST_COPY_NOT_SAVED"), not_saved));
  // What the file brought and the keyboard did not take is still pending:
  // Apply stays on to write it.
  p_.view.SetModified(!written);
  if (written) p_.view.ShowFileDone(FlowView::FileDone::kRestored, file);
  return written;
}

bool MainFlows::BackUpToFile() {
  profiles::FileDialogRequest request;
  request.default_extension = std::string(profiles::kProfileFileExtension);
  request.initial = "Profile.qlf";
  request.filters = kProfileFilters;
  request.confirm_overwrite = true;
  const auto file = p_.view.ChooseFileToSave(request);
  if (!file) return false;
  return BackUpToFile(*file);
}

bool MainFlows::BackUpToFile(const fs::path& file) {
  bool saved = false;
  {
    auto working = p_.state.working.Lock();
    saved = profiles::SaveProfileImage(*working, file, p_.writer);
  }
  if (saved) p_.view.ShowFileDone(FlowView::FileDone::kBackedUp, file);
  return saved;
}

void MainFlows::LightingReload() {
  panel_.ReadLighting({lighting::ViewFlagFromFile::kSetOnly, false});
  RefreshPanel();
}

// The profile switch of a reset reload. It does not ask about pending key
// changes: those are the reset's own (every key back to its default, as on
// the keyboard now), and either answer would undo them in memory or write
// them back. It still refuses while the key editor is open.
bool MainFlows::SwitchAfterReset(int profile) {
  if (p_.view.KeyEditorOpen()) {
    p_.view.ShowMessage(p_.texts.Text("PROFILE_SEELCT_PROMPT2"));
    return false;
  }
  store_.SetActiveProfile(profile);
  store_.ShowActiveProfile();
  store_.BuildProfileMenu();
  return true;
}

void MainFlows::ResetReload() {
  for (int profile = 0; profile < 3; ++profile) ClearKeysOfProfile(profile);
  store_.ShowActiveProfile();

  device::DeviceInfo info;
  if (device::ReadDeviceInfo(p_.link.Channel(), info) == device::kOk) {
    // As a profile switch does, a byte naming no profile means profile 0;
    // the switch below then writes it back as 0.
    const int active = info.ActiveProfile();
    p_.state.lighting.edited_slot = lighting::ValidProfileSlot(active) ? active : 0;
  }
  if (p_.state.lighting.panel.view_open) panel_.CloseLightView();

  const int edited = p_.state.lighting.edited_slot;
  if (SwitchAfterReset(edited)) {
    ShowButtonsForActiveProfile();
    if (UserModeListed()) {
      const lighting::UserLightingPaths paths =
          lighting::MakeUserLightingPaths(p_.data_folder, p_.program_data_dir);
      for (int slot = 0; slot < 3; ++slot) {
        lighting::CopyDefaultUserFile(paths, slot);
        p_.state.lighting.edited_slot = slot;
        panel_.ReloadUserSlots(lighting::kResetUserSlotCount, false);
      }
      // The list ends up showing the edited slot's names, not the last
      // slot's that was reset.
      p_.state.lighting.edited_slot = edited;
      panel_.ReloadUserSlots(lighting::kResetUserSlotCount, false);
    }
  }
  LightingReload();
}

}  // namespace quorlin::flows
