#pragma once
// The drawn parts the default skin is made of: window frame, panels, wells,
// key caps, buttons, tabs and indicators, each in the looks of a state
// picture.

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRect>
#include <QString>
#include <optional>

#include "art_icons.h"
#include "art_theme.h"
#include "skin_window.h"

namespace quorlin::skingen {

// What the "disable" picture means for a control: the window decides, per
// control, which picture stands for its disabled or its checked state.
enum class DisableMeans { kDimmed, kChosen, kAssigned, kPressed };

void DrawWindowFrame(QPainter& p, QSize size, int radius);
void DrawTitleBar(QPainter& p, QSize size, int height, int radius);
void DrawPanel(QPainter& p, const QRect& rect, int radius, const QColor& fill, const QColor& edge);
// The sunken field behind a list, an edit box or a combo box.
void DrawWell(QPainter& p, const QRect& rect, int radius = 5);
void DrawDivider(QPainter& p, QPoint from, QPoint to);
void DrawTextIn(QPainter& p, const QRect& rect, const QString& text, const QFont& font,
                const QColor& colour, int flags = Qt::AlignCenter);
// The maker's name as a word mark.
void DrawWordMark(QPainter& p, const QRect& rect, const QColor& text, const QColor& mark,
                  double size);

// A rounded outline through the corners of a polygon (convex or not).
QPainterPath RoundedPolygon(const QPolygonF& corners, double radius);

struct Legend {
  QString main;              // the big legend
  QString shift;             // the small upper legend of a two-legend key
  QString sub;               // the small lower legend (keypad navigation)
  std::optional<Icon> icon;  // a pictogram instead of, or beside, the text
  bool small_text = false;   // a name rather than a character
};

// A key cap filling `shape` (the cap's outline, gaps already taken off).
// The legend sits in `legend_box` when one is given (the upper part of an
// L-shaped cap), else on the whole top face.
void DrawKeycap(QPainter& p, const QPainterPath& shape, const Legend& legend, Look look,
                std::optional<QRectF> legend_box = {});
QPainterPath CapShape(const QRectF& rect, double radius = 5);

enum class ButtonStyle { kPlain, kPrimary, kQuiet };

// A rounded button face without text, for a caption the control draws.
void DrawButtonFace(QPainter& p, const QRect& rect, Look look, DisableMeans disable,
                    ButtonStyle style = ButtonStyle::kPlain, std::optional<Icon> icon = {},
                    const QString& text = {});
// One part of a row of joined buttons; `first` and `last` round the ends.
void DrawSegment(QPainter& p, const QRect& rect, Look look, DisableMeans disable, bool first,
                 bool last, const QString& text = {});
// A small square button with a pictogram.
void DrawIconButton(QPainter& p, const QRect& rect, Icon icon, Look look, DisableMeans disable,
                    bool danger = false);
// A page tab; `down` is the chosen page.
void DrawTab(QPainter& p, const QRect& rect, Look look, std::optional<Icon> icon = {});
// An indicator light with a short name under or beside it.
void DrawIndicator(QPainter& p, const QRect& rect, Look look, const QString& label);

// Colours for a look.
QColor LegendColour(Look look);

}  // namespace quorlin::skingen
