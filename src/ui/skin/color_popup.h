#pragma once
// The drop-down of a colour button: an "automatic" choice, a palette and an
// "other" button that opens the full colour dialog.

#include <QColor>
#include <QFrame>
#include <QString>

namespace quorlin::ui {

class ColorPopup : public QFrame {
  Q_OBJECT

 public:
  ColorPopup(QWidget* parent, const QColor& current, const QColor& automatic,
             const QString& automatic_text, const QString& other_text);

  // The classic 40-colour palette, row by row.
  static const QColor& PaletteColour(int index);
  static constexpr int kPaletteSize = 40;
  static constexpr int kPaletteColumns = 8;

 signals:
  // An invalid colour stands for the automatic choice.
  void colorPicked(const QColor& color);

 private:
  void Pick(const QColor& color);
  void PickOther();

  QColor current_;
};

}  // namespace quorlin::ui
