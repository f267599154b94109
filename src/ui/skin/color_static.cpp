#include "ui/skin/color_static.h"

namespace quorlin::ui {

ColorStatic::ColorStatic(QWidget* parent) : ColorStatic(QString(), parent) {}

ColorStatic::ColorStatic(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setAutoFillBackground(false);
  setAttribute(Qt::WA_TranslucentBackground);
  SetTextColour(kDefaultColour);
}

void ColorStatic::SetTextColour(const QColor& colour) {
  colour_ = colour;
  QPalette p = palette();
  p.setColor(QPalette::WindowText, colour);
  p.setColor(QPalette::Text, colour);
  setPalette(p);
  repaint();
}

}  // namespace quorlin::ui
