// The per-user locks around the main window's device jobs.

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "flows/flow_locks.h"
#include "platform/user_folders.h"
#include "text/format.h"
#include "ui/main/quorlin_dlg.h"

namespace quorlin::ui {

namespace {

// How long one attempt waits before the worker looks again whether the
// window is closing: Exit must not sit out the whole wait.
constexpr std::chrono::milliseconds kLockSlice{100};

}  // namespace

int CQuorlinDlg::RunHoldingFlowLocks(const std::function<int()>& work) {
  std::optional<std::filesystem::path> sim_state;
  if (ctx_.options.sim_state_file) sim_state = *ctx_.options.sim_state_file;
  const std::string key = flows::FlowKeyboardKey(ctx_.link, sim_state);
  const std::filesystem::path data_folder = platform::CurrentUserFolders().data;

  // quorlinctl holds the keyboard for a whole command (and sends RELOAD
  // while it still does): wait for it, a while, and then let the user know
  // rather than leave a change silently undone.
  const auto deadline = std::chrono::steady_clock::now() + options_.lock_wait;
  std::optional<flows::FlowLocks> locks;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    locks.emplace(key, data_folder, std::clamp(left, std::chrono::milliseconds(0), kLockSlice));
    if (locks->Held() || closing_ || left <= kLockSlice) break;
  }
  if (!locks->Held()) {
    const std::string reason = locks->Error();
    std::fprintf(stderr, "quorlin: %s\n", reason.c_str());
    if (!closing_) {
      // Queued, not waited for: the worker goes on with the next job.
      const QString text = Text("MAIN_KEYBOARD_BUSY");
      QMetaObject::invokeMethod(
          this,
          [this, text, reason] {
            if (!closing_)
              prompts_->Message(
                  this, QString(),
                  QString::fromStdString(text::FormatWithText(text.toStdString(), reason)));
          },
          Qt::QueuedConnection);
    }
    return 0;
  }

  // A simulated keyboard's memory lives in a file quorlinctl shares.
  std::string error;
  if (!ctx_.backend.SyncFromFile(error)) std::fprintf(stderr, "quorlin: %s\n", error.c_str());
  const int result = work();
  if (!ctx_.backend.SaveIfChanged(error)) std::fprintf(stderr, "quorlin: %s\n", error.c_str());
  return result;
}

}  // namespace quorlin::ui
