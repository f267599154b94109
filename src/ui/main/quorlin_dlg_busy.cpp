// The main window's timers, the busy indicator that runs while a write
// does, the keys it keeps from its controls and the device threads.

#include <QApplication>
#include <QKeyEvent>
#include <chrono>
#include <thread>

#include "text/format.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/main_window_parts.h"
#include "ui/main/quorlin_dlg.h"
#include "ui/main/window_notifications.h"
#include "ui/skin/packed_pieces.h"
#include "ui/skin/skin_catalogue.h"

namespace quorlin::ui {

namespace ids = main_ids;
namespace catalogue = skin_catalogue;
using main_window_parts::Q;

// ---------------------------------------------------------------------------
// Timers and the busy indicator

bool CQuorlinDlg::TimerActive(int timer_id) const {
  switch (timer_id) {
    case ids::kTimerProgress:
      return progress_timer_.isActive();
    case ids::kTimerLightingReload:
      return lighting_reload_timer_.isActive();
    case ids::kTimerPreview:
      return preview_timer_.isActive();
    case ids::kTimerFullReload:
      return full_reload_timer_.isActive();
    default:
      return false;
  }
}

void CQuorlinDlg::OnTimer(int timer_id) {
  switch (timer_id) {
    case ids::kTimerProgress:
      progress_frame_ = (progress_frame_ + 1) % ids::kProgressFrames;
      ShowProgress(progress_frame_);
      ShowFrameCount();
      break;
    case ids::kTimerLightingReload:
      lighting_reload_timer_.stop();
      RunFlow([](flows::MainFlows& f) { f.LightingReload(); });
      break;
    case ids::kTimerFullReload:
      full_reload_timer_.stop();
      RunFlow([](flows::MainFlows& f) { f.ResetReload(); });
      break;
    case ids::kTimerPreview:
      // A restart the panel asked for is the step's to carry out.
      if (views_.preview_step && !closing_) views_.preview_step();
      break;
    default:
      break;
  }
}

void CQuorlinDlg::StartDeviceTimer(int timer_id) {
  if (closing_) return;
  if (timer_id == ids::kTimerLightingReload) lighting_reload_timer_.start(0);
  if (timer_id == ids::kTimerFullReload) full_reload_timer_.start(0);
}

void CQuorlinDlg::StartBusyIndicator() {
  if (busy_depth_++ > 0) return;
  progress_frame_ = 0;
  frames_at_start_ = frames_sent_.load();
  ShowProgress(0);
  progress_timer_.start();
  SetDataControlsEnabled(false);
}

void CQuorlinDlg::StopBusyIndicator() {
  if (busy_depth_ == 0 || --busy_depth_ > 0) return;
  progress_timer_.stop();
  ShowProgress(-1);
  frame_count_->hide();
  SetDataControlsEnabled(true);
  ApplyKeyboardPresence();
}

int CQuorlinDlg::FramesOfThisWrite() const {
  return frames_sent_.load() - frames_at_start_;
}

void CQuorlinDlg::ShowFrameCount() {
  const int frames = FramesOfThisWrite();
  if (frames <= 0) return;
  frame_count_->setText(Q(text::FormatWithInt(ctx_.texts.Text("MAIN_FRAMES_SENT"), frames)));
  frame_count_->show();
}

void CQuorlinDlg::ShowProgress(int frame) {
  if (views_.show_progress) {
    progress_->hide();
    views_.show_progress(frame);
    return;
  }
  if (frame < 0) {
    progress_->hide();
    return;
  }
  if (const QPixmap* p = pictures_->Find(catalogue::ProgressFrame(frame + 1)))
    progress_->setPixmap(*DrawablePiece(p));
  progress_->show();
}

void CQuorlinDlg::SetDataControlsEnabled(bool enabled) {
  // A write takes the controls that are on and gives back just those: one
  // the skin left out, or a menu item turned off, stays off.
  if (!enabled) {
    paused_buttons_.clear();
    paused_actions_.clear();
    for (int id : {ids::kIdOk, ids::kIdProfileManager, ids::kIdMacro, ids::kIdRestoreDefaults,
                   ids::kIdProfile1, ids::kIdProfile1 + 1, ids::kIdProfile1 + 2}) {
      CPngButton* b = Button(id);
      if (!b || b->testAttribute(Qt::WA_Disabled)) continue;
      b->setEnabled(false);
      paused_buttons_.push_back(id);
    }
    for (int id : {ids::kCmdRestoreFromFile, ids::kCmdBackUpToFile}) {
      auto it = actions_.find(100000 + id);
      if (it == actions_.end() || !it->second->isEnabled()) continue;
      it->second->setEnabled(false);
      paused_actions_.push_back(id);
    }
  } else {
    for (int id : paused_buttons_)
      if (CPngButton* b = Button(id)) b->setEnabled(true);
    for (int id : paused_actions_)
      if (auto it = actions_.find(100000 + id); it != actions_.end()) it->second->setEnabled(true);
    paused_buttons_.clear();
    paused_actions_.clear();
  }
  // Apply follows the pending changes (ShowModified), where the skin has it.
  if (CPngButton* apply = Button(ids::kIdApply); apply && !unplaced_.contains(ids::kIdApply))
    apply->setEnabled(enabled && ctx_.state.modified);
  if (views_.set_busy) views_.set_busy(!enabled);
}

// ---------------------------------------------------------------------------
// Keyboard filtering

// (The system clock's change notice that wrote pending changes has no
// counterpart here: Apply runs only when asked.)
bool CQuorlinDlg::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() == this) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      // Enter and Escape never close the window.
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) return true;
      // The arrow keys would step through the modes, writing each to the keyboard.
      const bool arrow =
          key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
      if (arrow && views_.mode_list &&
          (widget == views_.mode_list || views_.mode_list->isAncestorOf(widget)))
        return true;
    }
  }
  return CBaseDialog::eventFilter(watched, event);
}

void CQuorlinDlg::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
    event->accept();
    return;
  }
  if (key == Qt::Key_F1) {
    OpenHelp();
    return;
  }
  CBaseDialog::keyPressEvent(event);
}

// ---------------------------------------------------------------------------
// Device threads

void CQuorlinDlg::StartDeviceThreads() {
  events_ = std::make_unique<device::EventReader>(ctx_.backend.Get(), *notifications_,
                                                  options_.event_rescan_ms);
  presence_ = std::make_unique<device::PresenceMonitor>(ctx_.link, *notifications_,
                                                        options_.presence_timing);
  events_->Start();
  presence_->Start();
}

void CQuorlinDlg::StopDeviceThreads() {
  if (!events_ && !presence_) return;
  closing_ = true;
  // Taken out first: the events processed below may call this again, and
  // two threads must never stop (and join) the same device thread.
  std::unique_ptr<device::PresenceMonitor> presence = std::move(presence_);
  std::unique_ptr<device::EventReader> events = std::move(events_);
  // A device thread may be waiting on this thread for a moment: keep the
  // events flowing while they end.
  std::atomic<bool> stopped{false};
  std::thread stopper([&presence, &events, &stopped] {
    if (presence) presence->Stop();
    if (events) events->Stop();
    stopped = true;
  });
  while (!stopped) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  stopper.join();
}

void CQuorlinDlg::WaitForDeviceJobs() {
  while (jobs_ && jobs_->Busy()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (jobs_->Busy()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace quorlin::ui
