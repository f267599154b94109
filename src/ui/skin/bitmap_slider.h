#pragma once
// A horizontal slider whose whole face is one picture: its owner gives it
// the picture of each position. Every move the user makes is reported with
// positionPosted, changed or not, so the owner can decide what to send. The
// rules for what a click, a key or the wheel does live below the UI, in the
// lighting panel's slider functions; this widget only feeds them events.

#include <QPixmap>
#include <QWidget>

#include "lighting/bitmap_slider.h"

namespace quorlin::ui {

class CBitmapSlider : public QWidget {
  Q_OBJECT

 public:
  explicit CBitmapSlider(QWidget* parent = nullptr, int control_id = 0);

  static constexpr int kDefaultPageSize = 10;

  int controlId() const { return control_id_; }
  void setControlId(int id) { control_id_ = id; }

  void SetRange(int min, int max);
  const lighting::SliderRange& range() const { return range_; }
  void SetPageSize(int page) { range_.page = page; }
  int pageSize() const { return range_.page; }
  // Moves the slider without reporting it.
  void SetPos(int position);
  int pos() const { return state_.position; }

  // The face to show (not owned).
  void SetPicture(const QPixmap* picture);
  const QPixmap* picture() const { return picture_; }

  // Whether the focus rectangle is drawn: from a press until the mouse
  // leaves the slider.
  bool isFocusRectShown() const { return state_.armed; }
  bool isDragging() const { return state_.dragging; }

  QSize sizeHint() const override;

 signals:
  void positionPosted(int control_id, int position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  int FaceWidth() const;
  // Takes the new state and posts what the rules say to post.
  void Apply(const lighting::SliderOutcome& outcome);

  int control_id_ = 0;
  lighting::SliderRange range_{0, 5, kDefaultPageSize};
  lighting::SliderState state_;
  const QPixmap* picture_ = nullptr;
};

}  // namespace quorlin::ui
