#pragma once
// What the main window's flows need from the window. The modified flag is
// kept in the program state, never in the window, so it has one truth.

#include <filesystem>

#include "flows/program_state.h"
#include "lighting/panel_view.h"
#include "profiles/flow_view.h"

namespace quorlin::flows {

class FlowView : public profiles::FlowView {
 public:
  explicit FlowView(ProgramState& state) : state_(state) {}

  bool Modified() const final { return state_.modified; }
  void SetModified(bool modified) final {
    state_.modified = modified;
    ShowModified(modified);
  }

  // Apply enabled while key changes are pending.
  virtual void ShowModified(bool modified) = 0;
  virtual void RefreshLightingPanel(const lighting::PanelView& panel) = 0;
  // Profile button `profile` checked and the other two not; -1 none.
  virtual void ShowProfileButtons(int profile) = 0;
  // A short confirmation that a back-up or restore went through, naming the
  // file; it must not wait for the user. Views with no place for it ignore it.
  enum class FileDone { kBackedUp, kRestored };
  virtual void ShowFileDone(FileDone /*done*/, const std::filesystem::path& /*file*/) {}

 protected:
  ProgramState& state_;
};

}  // namespace quorlin::flows
