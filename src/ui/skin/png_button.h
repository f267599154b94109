#pragma once
// The image button every skinned window is built from. It has no look of its
// own: in each state it shows its own rectangle of one of the window's
// full-size state pictures, optionally with a caption drawn over it, or, in
// frame mode, only a two-pixel frame in one colour.

#include <QAbstractButton>
#include <QColor>
#include <QString>
#include <QTimer>
#include <functional>

#include "ui/skin/button_face.h"
#include "ui/skin/draw_text_flags.h"
#include "ui/skin/prepared_surfaces.h"

namespace quorlin::ui {

class CPngButton : public QAbstractButton {
  Q_OBJECT

 public:
  // Called after every paint with whether the normal picture was drawn.
  using DrawCallback = std::function<void(CPngButton* button, bool normal_drawn)>;

  struct CaptionColours {
    QColor normal = Qt::black;
    QColor over = Qt::black;
    QColor down = Qt::black;
    QColor disabled = Qt::black;
    QColor selected = Qt::black;
  };

  static constexpr int kDefaultPointSize = 8;
  static constexpr const char* kDefaultFace = "Tahoma Unicode MS";
  static constexpr int kTooltipDelayMs = 300;

  explicit CPngButton(QWidget* parent = nullptr);
  ~CPngButton() override;

  // The picture origin is the button's place in the window: the button shows
  // the rectangle of each surface that starts one pixel above and left of it.
  // Each setter clears the hover, pressed and tracking state and repaints.
  void SetStateSurfaces(int x, int y, const ButtonSurfaces& surfaces);
  void SetStateSurfaces(const ButtonSurfaces& surfaces);  // keeps the origin
  void SetPictureOrigin(int x, int y);
  void SetTwoPictureMode(const QPixmap* off, const QPixmap* on, bool mode, bool on_flag);
  void SetSelected(bool selected, bool repaint = false);
  void SetFrame(const QColor& colour, bool on);
  void SetCaptionStyle(bool on, int point_size, const QString& face, const CaptionColours& colours,
                       unsigned format = draw_text::kDefaultFormat);
  // Added to the left, right, top and bottom edges of the caption rectangle
  // (so a positive right or bottom margin widens it).
  void SetTextMargins(int left, int right, int top, int bottom);
  // Escapement in tenths of a degree, counter-clockwise.
  void SetTextRotation(int escapement, bool rotated);
  // An empty text changes nothing; otherwise the text is kept and shown
  // 300 ms into a hover while `active`.
  void SetTooltipText(const QString& text, bool active = true);
  void SetDrawCallback(DrawCallback callback);

  bool isHovered() const { return hover_; }
  bool isSelected() const { return selected_; }
  bool isFrameOn() const { return frame_on_; }
  const QString& tooltipText() const { return tooltip_text_; }
  bool isTooltipActive() const { return tooltip_active_; }
  QPoint pictureOrigin() const { return origin_; }
  // What the next paint shows.
  ButtonFace currentFace() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  const QPixmap* SurfaceFor(FaceSurface surface) const;
  void AskForPieces() const;
  QColor ColourFor(FaceColour colour) const;
  void ClearInteraction();
  void StartHover();
  void ShowTooltip();
  void DrawCaption(QPainter& painter, const QColor& colour);

  ButtonSurfaces surfaces_;
  const QPixmap* picture_off_ = nullptr;
  const QPixmap* picture_on_ = nullptr;
  bool two_picture_mode_ = false;
  bool on_ = false;
  QPoint origin_{1, 1};
  bool hover_ = false;
  bool selected_ = false;

  bool caption_on_ = false;
  int point_size_ = kDefaultPointSize;
  QString face_ = QString::fromLatin1(kDefaultFace);
  CaptionColours colours_;
  unsigned format_ = draw_text::kDefaultFormat;
  int margin_left_ = 0;
  int margin_right_ = 0;
  int margin_top_ = 0;
  int margin_bottom_ = 0;
  int escapement_ = 0;
  bool rotated_ = false;

  DrawCallback draw_callback_;
  QString tooltip_text_;
  bool tooltip_active_ = false;
  QTimer tooltip_timer_;

  bool frame_on_ = false;
  QColor frame_colour_;
};

}  // namespace quorlin::ui
