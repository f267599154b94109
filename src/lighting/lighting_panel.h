#pragma once
// The lighting panel's controller: one function per thing the user can do
// on the panel, each changing the program's lighting state, sending what
// that change needs to the keyboard at once (nothing waits for Apply) and
// returning what the panel and the keys now show. Also the reads and
// resets the main window's flows run on the lighting.
//
// Everything runs on the user-interface thread; the keyboard is reached
// through the link's command channel, one transaction at a time.

#include <functional>
#include <string_view>

#include "device/device_link.h"
#include "device/result.h"
#include "lighting/colour.h"
#include "lighting/lighting_state.h"
#include "lighting/panel_view.h"
#include "lighting/user_lighting_files.h"

namespace quorlin::lighting {

// Settles pending key changes and makes `profile` the keyboard's Active
// profile; 0 when it refuses (an editor is open), anything else otherwise.
using SwitchProfileFn = std::function<int(int profile)>;

// How a lighting read treats the view flag kept in the view settings file.
enum class ViewFlagFromFile {
  kExact,    // the flag becomes what the file says (arrival)
  kSetOnly,  // the file can open the view, never close it (profile button, reload)
};

struct ReadLightingOptions {
  ViewFlagFromFile view_flag = ViewFlagFromFile::kExact;
  // On arrival the user-mode slots are loaded, and the per-key table sent,
  // between the Device info read and the record reads.
  bool load_user_slots_in_batch = false;
};

class LightingPanel {
 public:
  LightingPanel(LightingState& state, device::DeviceLink& link, UserLightingPaths paths);

  PanelView View() const { return PresentPanel(state_); }

  // Reads the mode list and the three Lighting records and fills the panel
  // from the edited slot's record. When the Device info read fails nothing
  // else is sent and the panel keeps its state, with an empty mode list.
  // When a record read fails, the first failure is returned; the records
  // that came are kept, and the panel changes only if the edited slot's did.
  device::Result ReadLighting(const ReadLightingOptions& options = {});

  // Panel events.
  PanelView SelectModeAt(int list_position);
  PanelView MoveBrightness(int value);
  PanelView MoveSpeed(int slider_position);
  PanelView ChooseDirection(uint8_t direction);  // 255 left picture, 0 right picture
  PanelView ToggleMultiColour();
  PanelView ChooseMainColour(Rgb colour);
  PanelView ChooseSolidColour(Rgb colour);
  PanelView ChooseSwatch(int swatch);
  PanelView ChooseReportRate(int choice);
  PanelView ToggleLightSwitch(const SwitchProfileFn& switch_profile);
  PanelView OpenLightView(const SwitchProfileFn& switch_profile);
  // Also run by a profile button and a keyboard reset.
  PanelView CloseLightView();

  // User mode.
  PanelView ChooseTool(PaintTool tool);
  // The caller resolves the picker's "automatic" choice to its colour.
  PanelView ChoosePaintColour(Rgb colour);
  PanelView ChooseBaseColour(Rgb colour);
  PanelView ChooseUserSlot(int list_position);
  PanelView RenameUserSlot(std::string_view name);
  // A click on a lit key (a key button by its position, or Fn) in the
  // lighting view. The G keys are not painted: their click opens the editor.
  PanelView PaintKey(int lit_key);

  // Flows.
  // Refills the user-mode slot list of the edited slot with `count` names
  // and loads its present slot; writes the per-key table unless `write` is
  // false.
  void ReloadUserSlots(int count, bool write);
  // Loads a user-mode slot of a profile slot into the panel and the table.
  void LoadUserSlot(int profile_slot, int user_slot, bool write);
  // The lighting part of Restore defaults for the edited slot. When the
  // default user lighting file could not be copied over the slot's file,
  // sets `*user_file_written` to false (the keyboard then gets the colours
  // the old file holds); leaves it alone otherwise.
  PanelView RestoreLightingDefaults(bool* user_file_written = nullptr);

 private:
  int Slot() const { return state_.edited_slot; }
  bool UserModeListed() const { return ListsUserMode(state_.modes); }
  void SelectMode(int mode);
  void ChooseSingleColour(Rgb colour);
  void SaveSlotSettingsNow();
  void WriteWholeTable(int profile_slot);

  LightingState& state_;
  device::DeviceLink& link_;
  UserLightingPaths paths_;
};

}  // namespace quorlin::lighting
