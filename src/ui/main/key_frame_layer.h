#pragma once
// The colour frames of the lighting view, drawn for all keys by one layer
// above the key buttons. A preview step recolours up to every key twenty
// times a second; drawing the frames here costs one paint of the rings that
// changed, where a frame per button would repaint each button and the
// window picture under it.

#include <QColor>
#include <QRect>
#include <QRegion>
#include <QWidget>
#include <optional>
#include <vector>

namespace quorlin::ui {

class KeyFrameLayer : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kFrameWidth = 2;

  // `places[i]` holds the rectangles framed together as slot i (the nine G
  // keys share one colour), in the parent's coordinates.
  KeyFrameLayer(QWidget* parent, std::vector<std::vector<QRect>> places);

  // The colour of every slot, nothing where no frame shows.
  void Show(const std::vector<std::optional<QColor>>& colours);
  const std::optional<QColor>& Colour(int slot) const {
    return colours_[static_cast<std::size_t>(slot)];
  }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const QRegion& Ring(std::size_t slot) const { return rings_[slot]; }

  std::vector<QRegion> rings_;  // the frame's pixels, by slot
  std::vector<QRect> bounds_;   // around each ring
  // What a slot's paint fills: its whole rectangles where they cover no
  // other slot (the mask keeps the key inside), else the ring's own strips.
  std::vector<std::vector<QRect>> fills_;
  QRegion all_rings_;  // the mask while every slot shows a frame
  std::vector<std::optional<QColor>> colours_;
};

}  // namespace quorlin::ui
