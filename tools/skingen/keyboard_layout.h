#pragma once
// The keyboard picture of the main window: a full-size ISO board with the
// extra key left of the right Shift, a Fn key, nine G keys in a column on
// the left and six top-row alternates above the function keys.

#include <QPainterPath>
#include <QRect>
#include <optional>
#include <string>
#include <vector>

#include "art_controls.h"

namespace quorlin::skingen {

struct KeyboardGeometry {
  int unit = 40;       // key pitch
  int gap = 4;         // between caps
  QPoint origin;       // top left of the function row (Esc)
  int g_column_x = 0;  // left of the G-key column
  int strip_y = 0;     // top of the row of alternates
  int strip_height = 26;
};

struct KeyCap {
  std::string skin_key;
  QRect rect;          // the button: the cap's bounding box
  QPainterPath shape;  // the cap's outline
  Legend legend;
  std::optional<QRectF> legend_box;  // where the legend goes, when not the whole cap
};

// Every cap of the picture: the 106 keys, Fn, G1..G9 and D1..D6.
std::vector<KeyCap> KeyboardCaps(const KeyboardGeometry& g);

// The skin key of the L-shaped Enter and of the key whose corner its
// rectangle covers.
inline constexpr const char* kEnterKey = "KEY_01C";
inline constexpr const char* kEnterNeighbourKey = "KEY_02B";

}  // namespace quorlin::skingen
