#include "ui/main/preview_display.h"

#include <QEvent>

#include "ui/main/keyboard_view.h"

namespace quorlin::ui {

PreviewDisplay::PreviewDisplay(KeyboardView& keys, flows::ProgramState& state, DeviceJobs& jobs,
                               std::unique_ptr<lighting::PreviewEngine> engine,
                               QTimer* window_timer)
    : keys_(keys),
      state_(state),
      jobs_(jobs),
      engine_(engine ? std::move(engine) : std::make_unique<lighting::PreviewEngine>()),
      own_timer_(window_timer ? nullptr : std::make_unique<QTimer>()),
      timer_(window_timer ? window_timer : own_timer_.get()) {
  timer_->setInterval(lighting::kPreviewTickMs);
  timer_->setSingleShot(false);
  timer_->setTimerType(Qt::CoarseTimer);
  // The window's timer reaches Step through the window's timer handler.
  if (own_timer_) connect(timer_, &QTimer::timeout, this, &PreviewDisplay::Step);
  keys_.installEventFilter(this);
  if (QWidget* window = keys_.window()) window->installEventFilter(this);
}

PreviewDisplay::~PreviewDisplay() = default;

void PreviewDisplay::FollowView(const lighting::PanelView& view) {
  view_open_ = view.key_frames != lighting::KeyFrames::kOff;
  UpdateTimer();
}

void PreviewDisplay::Step() {
  // A job may be writing the lighting state on the device worker; the next
  // tick comes soon enough.
  if (!view_open_ || jobs_.Busy()) return;
  ++ticks_;
  keys_.ShowPreviewFrame(lighting::StepPreview(*engine_, state_.lighting));
}

void PreviewDisplay::UpdateTimer() {
  const QWidget* window = keys_.window();
  const bool seen = keys_.isVisible() && (window == nullptr || !window->isMinimized());
  const bool run = view_open_ && seen;
  if (run && !timer_->isActive()) {
    timer_->start();
  } else if (!run && timer_->isActive()) {
    timer_->stop();
  }
}

bool PreviewDisplay::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::WindowStateChange:
      // The state of a hide or show is settled once the event is through.
      QMetaObject::invokeMethod(this, &PreviewDisplay::UpdateTimer, Qt::QueuedConnection);
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace quorlin::ui
