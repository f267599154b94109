#include "ui/main/main_window_runner.h"

#include "ui/main/quorlin_dlg.h"

namespace quorlin::ui {

int RunMainWindow(app::AppContext& context) {
  CQuorlinDlg window(context);
  return window.RunUntilExit();
}

}  // namespace quorlin::ui
