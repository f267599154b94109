#pragma once
// The colour-choice button of the lighting panel: a swatch of the current
// colour beside a grey drop-down part; a click opens a palette with an
// "automatic" choice and an "other" button.

#include <QAbstractButton>
#include <QColor>
#include <QString>

namespace quorlin::ui {

class CSkinColorBtn : public QAbstractButton {
  Q_OBJECT

 public:
  // Where the palette pops up for a button at `button` (global), so that
  // all of it is inside `area` (the screen's available part).
  static QPoint PopupPosition(const QRect& button, const QSize& popup, const QRect& area);

  explicit CSkinColorBtn(QWidget* parent = nullptr);

  // The chosen colour; invalid while the automatic choice stands.
  QColor color() const { return color_; }
  void setColor(const QColor& color);
  QColor automaticColor() const { return automatic_; }
  void setAutomaticColor(const QColor& color);
  // What the swatch shows: the chosen colour, else the automatic one.
  QColor shownColor() const { return color_.isValid() ? color_ : automatic_; }

  void setAutomaticText(const QString& text) { automatic_text_ = text; }
  void setOtherText(const QString& text) { other_text_ = text; }

  // Opens the palette below the button.
  void showPalette();

  QSize sizeHint() const override { return {72, 24}; }

 signals:
  // After the user picked; an invalid colour for the automatic choice.
  void colorChosen(const QColor& color);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QColor color_;
  QColor automatic_ = Qt::black;
  QString automatic_text_ = QStringLiteral("Automatic");
  QString other_text_ = QStringLiteral("other");
};

}  // namespace quorlin::ui
