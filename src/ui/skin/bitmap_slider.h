#pragma once
// A horizontal slider whose whole face is one picture: its owner gives it
// the picture of each position. Every move the user makes is reported with
// positionPosted, changed or not, so the owner can decide what to send.

#include <QPixmap>
#include <QWidget>

#include "ui/skin/slider_math.h"

namespace quorlin::ui {

class CBitmapSlider : public QWidget {
  Q_OBJECT

 public:
  explicit CBitmapSlider(QWidget* parent = nullptr, int control_id = 0);

  static constexpr int kDefaultPageSize = 10;

  int controlId() const { return control_id_; }
  void setControlId(int id) { control_id_ = id; }

  void SetRange(int min, int max);
  SliderRange range() const { return range_; }
  void SetPageSize(int page) { page_ = page; }
  int pageSize() const { return page_; }
  // Moves the slider without reporting it.
  void SetPos(int position);
  int pos() const { return position_; }

  // The face to show (not owned).
  void SetPicture(const QPixmap* picture);
  const QPixmap* picture() const { return picture_; }

  // Whether the focus rectangle is drawn: from a press until the mouse
  // leaves the slider.
  bool isFocusRectShown() const { return armed_; }
  bool isDragging() const { return dragging_; }

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
  void FollowPointer(int x);
  void Post(int position);

  int control_id_ = 0;
  SliderRange range_;
  int page_ = kDefaultPageSize;
  int position_ = 0;
  const QPixmap* picture_ = nullptr;
  bool dragging_ = false;
  bool armed_ = false;  // pressed since the mouse last came in
};

}  // namespace quorlin::ui
