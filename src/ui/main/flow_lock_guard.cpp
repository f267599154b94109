// The per-user locks around the main window's device jobs.

#include <cstdio>

#include "flows/flow_locks.h"
#include "platform/user_folders.h"
#include "ui/main/quorlin_dlg.h"

namespace quorlin::ui {

bool CQuorlinDlg::HoldFlowLocks(std::shared_ptr<void>& held) {
  std::optional<std::filesystem::path> sim_state;
  if (ctx_.options.sim_state_file) sim_state = *ctx_.options.sim_state_file;
  auto locks = std::make_shared<flows::FlowLocks>(flows::FlowKeyboardKey(ctx_.link, sim_state),
                                                  platform::CurrentUserFolders().data);
  if (!locks->Held()) {
    std::fprintf(stderr, "quorlin: %s\n", locks->Error().c_str());
    return false;
  }
  held = std::move(locks);
  return true;
}

}  // namespace quorlin::ui
