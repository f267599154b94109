#include "ui/skin/color_popup.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

namespace quorlin::ui {
namespace {

constexpr int kCellSize = 18;

QString CellStyle(const QColor& color, bool current) {
  return QStringLiteral(
             "QToolButton { background: %1; border: 1px solid %2; }"
             "QToolButton:hover { border: 2px solid #ff8200; }")
      .arg(color.name(), current ? QStringLiteral("#ffffff") : QStringLiteral("#3a3f48"));
}

}  // namespace

const QColor& ColorPopup::PaletteColour(int index) {
  static const std::array<QColor, kPaletteSize> palette = {
      QColor(0, 0, 0),       QColor(153, 51, 0),    QColor(51, 51, 0),     QColor(0, 51, 0),
      QColor(0, 51, 102),    QColor(0, 0, 128),     QColor(51, 51, 153),   QColor(51, 51, 51),
      QColor(128, 0, 0),     QColor(255, 102, 0),   QColor(128, 128, 0),   QColor(0, 128, 0),
      QColor(0, 128, 128),   QColor(0, 0, 255),     QColor(102, 102, 153), QColor(128, 128, 128),
      QColor(255, 0, 0),     QColor(255, 153, 0),   QColor(153, 204, 0),   QColor(51, 153, 102),
      QColor(51, 204, 204),  QColor(51, 102, 255),  QColor(128, 0, 128),   QColor(153, 153, 153),
      QColor(255, 0, 255),   QColor(255, 204, 0),   QColor(255, 255, 0),   QColor(0, 255, 0),
      QColor(0, 255, 255),   QColor(0, 204, 255),   QColor(153, 51, 102),  QColor(192, 192, 192),
      QColor(255, 153, 204), QColor(255, 204, 153), QColor(255, 255, 153), QColor(204, 255, 204),
      QColor(204, 255, 255), QColor(153, 204, 255), QColor(204, 153, 255), QColor(255, 255, 255),
  };
  return palette[static_cast<std::size_t>(index) % palette.size()];
}

ColorPopup::ColorPopup(QWidget* parent, const QColor& current, const QColor& automatic,
                       const QString& automatic_text, const QString& other_text)
    : QFrame(parent, Qt::Popup), current_(current) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFrameShape(QFrame::StyledPanel);
  setStyleSheet(
      QStringLiteral("ColorPopup { background: #1c1f25; border: 1px solid #3a3f48; }"
                     "QPushButton { color: #e8eaed; background: #2a2e36; border: 1px solid #3a3f48;"
                     " padding: 3px 8px; }"
                     "QPushButton:hover { border-color: #ff8200; }"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(6);

  auto* automatic_button = new QPushButton(automatic_text, this);
  QPixmap chip(12, 12);
  chip.fill(automatic);
  automatic_button->setIcon(QIcon(chip));
  connect(automatic_button, &QPushButton::clicked, this, [this] { Pick(QColor()); });
  layout->addWidget(automatic_button);

  auto* grid = new QGridLayout;
  grid->setSpacing(3);
  for (int i = 0; i < kPaletteSize; ++i) {
    const QColor color = PaletteColour(i);
    auto* cell = new QToolButton(this);
    cell->setFixedSize(kCellSize, kCellSize);
    cell->setAutoRaise(true);
    cell->setStyleSheet(CellStyle(color, current.isValid() && color == current));
    cell->setToolTip(color.name().toUpper());
    connect(cell, &QToolButton::clicked, this, [this, color] { Pick(color); });
    grid->addWidget(cell, i / kPaletteColumns, i % kPaletteColumns);
  }
  layout->addLayout(grid);

  auto* other_button = new QPushButton(other_text, this);
  connect(other_button, &QPushButton::clicked, this, &ColorPopup::PickOther);
  layout->addWidget(other_button);
}

void ColorPopup::Pick(const QColor& color) {
  emit colorPicked(color);
  close();
}

void ColorPopup::PickOther() {
  // The dialog must not belong to the popup, which closes as it opens, nor
  // to a skinned control, whose look it would take: it is the desktop's.
  QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
  const QColor start = current_;
  hide();
  const QColor chosen = QColorDialog::getColor(start.isValid() ? start : Qt::white, owner);
  if (chosen.isValid()) emit colorPicked(chosen);
  close();
}

}  // namespace quorlin::ui
