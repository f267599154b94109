#pragma once
// The live preview on the keyboard picture: one step of the lighting
// effect every 50 ms while the lighting view is open. The timer is stopped,
// not idling, whenever the lighting view is closed or the keyboard picture
// cannot be seen (window hidden or minimised), so a program waiting in the
// tray never wakes up for it.
//
// In the main window the timer is the window's own (timer 1052): the
// display starts and stops it, and the window's timer handler calls Step.
// Without one given (the views on their own) the display keeps its own.

#include <QObject>
#include <QTimer>
#include <memory>

#include "flows/program_state.h"
#include "lighting/panel_view.h"
#include "lighting/preview_engine.h"
#include "ui/main/device_jobs.h"

namespace quorlin::ui {

class KeyboardView;

class PreviewDisplay : public QObject {
  Q_OBJECT

 public:
  // Without an engine one started from the clock is made.
  PreviewDisplay(KeyboardView& keys, flows::ProgramState& state, DeviceJobs& jobs,
                 std::unique_ptr<lighting::PreviewEngine> engine = {},
                 QTimer* window_timer = nullptr);
  ~PreviewDisplay() override;

  bool Running() const { return timer_->isActive(); }
  int Ticks() const { return ticks_; }

 public slots:
  // Follows the lighting view of a panel view (open unless key frames are off).
  void FollowView(const lighting::PanelView& view);
  // One step now: the next preview frame on the keys. A step is skipped while
  // a device job runs, as the job may be changing the lighting state.
  void Step();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void UpdateTimer();

  KeyboardView& keys_;
  flows::ProgramState& state_;
  DeviceJobs& jobs_;
  std::unique_ptr<lighting::PreviewEngine> engine_;
  std::unique_ptr<QTimer> own_timer_;  // only without the window's
  QTimer* timer_;
  bool view_open_ = false;
  int ticks_ = 0;
};

}  // namespace quorlin::ui
