#pragma once
// The scale the skin's pictures are prepared at. A screen with a device pixel
// ratio above 1.25 gets the twice-size pictures (smoothly scaled down to the
// ratio below 2); every prepared surface and piece carries the scale as its
// device pixel ratio, so the skin's rectangles stay in logical pixels.

#include <QObject>

class QWidget;

namespace quorlin::ui {

// 1 up to a ratio of 1.25, else the ratio up to 2 (beyond 2 the twice-size
// pictures are enlarged by the painter).
double SkinScaleFor(double device_pixel_ratio);

// The process's scale: at first the primary screen's, later the screen of
// the last skinned window that moved.
double SkinScale();

// Prepares every prepared surface again at `scale` when it differs from the
// current one (in place: pointers handed out stay valid), tells the
// listeners of SkinScaleChanges, and repaints every window.
void SetSkinScale(double scale);

class SkinScaleNotifier : public QObject {
  Q_OBJECT
 signals:
  void changed(double scale);
};
SkinScaleNotifier& SkinScaleChanges();

// Follows the screen `window` (a top-level widget) shows on: once shown, a
// move to a screen of another scale sets the skin's scale to that screen's.
void FollowScreenScale(QWidget* window);

}  // namespace quorlin::ui
