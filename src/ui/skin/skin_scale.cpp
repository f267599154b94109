#include "ui/skin/skin_scale.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "ui/skin/prepared_surfaces.h"

namespace quorlin::ui {
namespace {

// Unknown (0) until asked with a screen to ask.
double& CurrentScale() {
  static double scale = 0;
  if (scale == 0) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      scale = SkinScaleFor(screen->devicePixelRatio());
  }
  return scale;
}

// Watches one window: its first show hooks its screen changes.
class ScreenFollower : public QObject {
 public:
  explicit ScreenFollower(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::Show && !hooked_) {
      if (QWindow* handle = window_->windowHandle()) {
        hooked_ = true;
        connect(handle, &QWindow::screenChanged, this, [this](QScreen* screen) {
          if (screen) SetSkinScale(SkinScaleFor(screen->devicePixelRatio()));
          // A move keeps the window's device pixels on some platforms; a
          // skinned window keeps its logical size on every screen.
          QMetaObject::invokeMethod(
              this,
              [this] {
                if (window_->minimumSize() == window_->maximumSize())
                  window_->resize(window_->minimumSize());
              },
              Qt::QueuedConnection);
        });
        // Shown first on a screen other than the primary one.
        SetSkinScale(SkinScaleFor(handle->devicePixelRatio()));
      }
    }
    return false;
  }

 private:
  QWidget* window_;
  bool hooked_ = false;
};

}  // namespace

double SkinScaleFor(double device_pixel_ratio) {
  if (device_pixel_ratio <= 1.25) return 1.0;
  return std::min(device_pixel_ratio, 2.0);
}

double SkinScale() {
  const double scale = CurrentScale();
  return scale == 0 ? 1.0 : scale;
}

void SetSkinScale(double scale) {
  if (scale == SkinScale()) return;
  CurrentScale() = scale;
  RescalePreparedSurfaces();
  emit SkinScaleChanges().changed(scale);
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible()) w->update();
}

SkinScaleNotifier& SkinScaleChanges() {
  static SkinScaleNotifier* notifier = new SkinScaleNotifier;
  return *notifier;
}

void FollowScreenScale(QWidget* window) {
  new ScreenFollower(window);
}

}  // namespace quorlin::ui
