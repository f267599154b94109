#include "ui/main/skin_overlay.h"

#include <QEvent>
#include <QRegion>

namespace quorlin::ui {

SkinOverlay::SkinOverlay(QWidget* window) : QWidget(window) {
  setAttribute(Qt::WA_NoSystemBackground);
  setAttribute(Qt::WA_TranslucentBackground);
  setGeometry(window->rect());
  window->installEventFilter(this);
}

void SkinOverlay::UpdateInputArea() {
  QRegion area;
  for (QObject* child : children()) {
    auto* w = qobject_cast<QWidget*>(child);
    // A child as large as the overlay is a drawing layer over the controls,
    // not a control.
    if (w != nullptr && !w->isHidden() && !w->isWindow() && w->geometry() != rect())
      area += w->geometry();
  }
  // An empty mask means no mask at all to Qt, which would make the whole
  // window this layer's: with nothing shown the layer takes no input.
  setAttribute(Qt::WA_TransparentForMouseEvents, area.isEmpty());
  if (!area.isEmpty()) setMask(area);
}

bool SkinOverlay::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize) {
    setGeometry(parentWidget()->rect());
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quorlin::ui
