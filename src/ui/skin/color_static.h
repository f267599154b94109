#pragma once
// A label drawn straight on its window's picture, in one text colour.

#include <QColor>
#include <QLabel>

namespace quorlin::ui {

class ColorStatic : public QLabel {
  Q_OBJECT

 public:
  explicit ColorStatic(QWidget* parent = nullptr);
  ColorStatic(const QString& text, QWidget* parent = nullptr);

  static constexpr QColor kDefaultColour = QColor(255, 255, 255);

  // Changes the colour and redraws at once.
  void SetTextColour(const QColor& colour);
  QColor textColour() const { return colour_; }

 private:
  QColor colour_ = kDefaultColour;
};

}  // namespace quorlin::ui
