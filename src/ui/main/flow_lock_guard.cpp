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

void CQuorlinDlg::TakeFlowLocks(std::optional<flows::FlowLocks>& locks) {
  std::optional<std::filesystem::path> sim_state;
  if (ctx_.options.sim_state_file) sim_state = *ctx_.options.sim_state_file;
  const std::string key = flows::FlowKeyboardKey(ctx_.link, sim_state);
  const std::filesystem::path data_folder = platform::CurrentUserFolders().data;
  // quorlinctl holds the keyboard for a whole command (and sends RELOAD
  // while it still does): wait for it, a while, and then let the user know
  // rather than leave a change silently undone.
  const auto deadline = std::chrono::steady_clock::now() + options_.lock_wait;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    locks.emplace(key, data_folder, std::clamp(left, std::chrono::milliseconds(0), kLockSlice));
    if (locks->Held() || closing_ || left <= kLockSlice) break;
  }
}

int CQuorlinDlg::RunHoldingFlowLocks(const std::function<int()>& work) {
  std::optional<flows::FlowLocks> locks;
  TakeFlowLocks(locks);
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
  job_locks_ = &locks;
  job_thread_ = std::this_thread::get_id();
  const int result = work();
  job_locks_ = nullptr;
  if (!ctx_.backend.SaveIfChanged(error)) std::fprintf(stderr, "quorlin: %s\n", error.c_str());
  return result;
}

bool CQuorlinDlg::ReleaseJobLocksWhileAsking() {
  if (job_locks_ == nullptr || !*job_locks_ || !(*job_locks_)->Held() ||
      std::this_thread::get_id() != job_thread_)
    return false;
  // Whoever goes next (quorlinctl) sees what the job did so far.
  std::string error;
  if (!ctx_.backend.SaveIfChanged(error)) std::fprintf(stderr, "quorlin: %s\n", error.c_str());
  job_locks_->reset();
  return true;
}

void CQuorlinDlg::RetakeJobLocks() {
  TakeFlowLocks(*job_locks_);
  if (!(*job_locks_)->Held()) {
    // The job goes on as the keyboard itself would let it; it only no
    // longer keeps quorlinctl out.
    std::fprintf(stderr, "quorlin: %s\n", (*job_locks_)->Error().c_str());
    return;
  }
  std::string error;
  if (!ctx_.backend.SyncFromFile(error)) std::fprintf(stderr, "quorlin: %s\n", error.c_str());
}

}  // namespace quorlin::ui
