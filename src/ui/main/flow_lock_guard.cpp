// The per-user locks around the main window's device jobs. The build
// defines QUORLIN_FLOW_LOCKS when the flows library brings them.

#include <cstdio>

#include "platform/user_folders.h"
#include "ui/main/quorlin_dlg.h"

#ifdef QUORLIN_FLOW_LOCKS
#include "flows/flow_locks.h"
#endif

namespace quorlin::ui {

bool CQuorlinDlg::HoldFlowLocks(std::shared_ptr<void>& held) {
#ifdef QUORLIN_FLOW_LOCKS
  std::optional<std::filesystem::path> sim_state;
  if (ctx_.options.sim_state_file) sim_state = *ctx_.options.sim_state_file;
  auto locks = std::make_shared<flows::FlowLocks>(flows::FlowKeyboardKey(ctx_.link, sim_state),
                                                  platform::CurrentUserFolders().data);
  if (!locks->Held()) {
    std::fprintf(stderr, "quorlin: %s\n", locks->Error().c_str());
    return false;
  }
  held = std::move(locks);
#else
  (void)held;
#endif
  return true;
}

}  // namespace quorlin::ui
