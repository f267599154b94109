#include "art_controls.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

namespace quorlin::skingen {
namespace {

QColor WithAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

QPainterPath RoundedRectPath(const QRectF& r, double radius) {
  QPainterPath path;
  path.addRoundedRect(r, radius, radius);
  return path;
}

// A soft glow of the accent inside a shape, brightest at its edge.
void InnerGlow(QPainter& p, const QPainterPath& shape, const QColor& colour, double width) {
  p.save();
  p.setClipPath(shape, Qt::IntersectClip);
  for (int i = 0; i < 4; ++i) {
    QPen pen(WithAlpha(colour, 60 - i * 14), width + i * 2.0);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
  }
  p.restore();
}

}  // namespace

QColor LegendColour(Look look) {
  switch (look) {
    case Look::kOver:
      return QColor(255, 255, 255);
    case Look::kDown:
      return theme::kAccent;
    case Look::kDisable:
      return theme::kAccent;
    case Look::kUnlit:
      return QColor(78, 83, 92);
    case Look::kLit:
      return QColor(255, 255, 255);
    case Look::kNormal:
      break;
  }
  return theme::kText;
}

void DrawWindowFrame(QPainter& p, QSize size, int radius) {
  QLinearGradient body(0, 0, 0, size.height());
  body.setColorAt(0, QColor(19, 21, 25));
  body.setColorAt(1, theme::kWindow);
  p.fillRect(QRect(QPoint(0, 0), size), body);
  p.setPen(QPen(theme::kWindowEdge, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(0.75, 0.75, size.width() - 1.5, size.height() - 1.5), radius - 0.5,
                    radius - 0.5);
}

void DrawTitleBar(QPainter& p, QSize size, int height, int radius) {
  p.save();
  QPainterPath clip =
      RoundedRectPath(QRectF(1.5, 1.5, size.width() - 3, size.height() - 3), radius - 1);
  p.setClipPath(clip);
  QLinearGradient bar(0, 0, 0, height);
  bar.setColorAt(0, QColor(28, 31, 36));
  bar.setColorAt(1, theme::kTitleBar);
  p.fillRect(QRect(0, 0, size.width(), height), bar);
  p.restore();
  p.setPen(QPen(QColor(34, 37, 43), 1));
  p.drawLine(QPointF(1.5, height - 0.5), QPointF(size.width() - 1.5, height - 0.5));
  // A thin line of the accent under the bar's left end.
  QLinearGradient accent(0, 0, size.width() * 0.45, 0);
  accent.setColorAt(0, WithAlpha(theme::kAccent, 200));
  accent.setColorAt(1, WithAlpha(theme::kAccent, 0));
  p.fillRect(QRectF(radius, height - 1, size.width() * 0.45, 1), accent);
}

void DrawPanel(QPainter& p, const QRect& rect, int radius, const QColor& fill, const QColor& edge) {
  p.setPen(QPen(edge, 1));
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void DrawWell(QPainter& p, const QRect& rect, int radius) {
  p.setPen(QPen(theme::kWellEdge, 1));
  p.setBrush(theme::kWell);
  p.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
  p.setPen(QPen(QColor(0, 0, 0, 90), 1));
  p.drawLine(QPointF(rect.left() + radius, rect.top() + 1.5),
             QPointF(rect.right() - radius, rect.top() + 1.5));
}

void DrawDivider(QPainter& p, QPoint from, QPoint to) {
  p.setPen(QPen(QColor(38, 42, 49), 1));
  p.drawLine(QPointF(from) + QPointF(0.5, 0.5), QPointF(to) + QPointF(0.5, 0.5));
}

void DrawTextIn(QPainter& p, const QRect& rect, const QString& text, const QFont& font,
                const QColor& colour, int flags) {
  p.setFont(font);
  p.setPen(colour);
  p.drawText(rect, flags, text);
}

void DrawWordMark(QPainter& p, const QRect& rect, const QColor& text, const QColor& mark,
                  double size) {
  // Two slanted bars, then the name spaced out.
  const double h = size * 1.05;
  const double top = rect.center().y() - h / 2;
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(mark);
  for (int i = 0; i < 2; ++i) {
    const double x = rect.left() + 2 + i * size * 0.55;
    QPolygonF bar;
    bar << QPointF(x + size * 0.38, top) << QPointF(x + size * 0.72, top)
        << QPointF(x + size * 0.34, top + h) << QPointF(x, top + h);
    p.drawPolygon(bar);
  }
  QFont font = SkinFont(size, Weight::kBold);
  font.setLetterSpacing(QFont::AbsoluteSpacing, size * 0.18);
  p.setFont(font);
  p.setPen(text);
  p.drawText(
      QRectF(rect.left() + size * 1.75, rect.top(), rect.width() - size * 1.75, rect.height()),
      Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("VANTOREL"));
  p.restore();
}

QPainterPath RoundedPolygon(const QPolygonF& corners, double radius) {
  QPainterPath path;
  const int n = corners.size();
  for (int i = 0; i < n; ++i) {
    const QPointF prev = corners[(i + n - 1) % n];
    const QPointF cur = corners[i];
    const QPointF next = corners[(i + 1) % n];
    auto toward = [radius](QPointF from, QPointF to) {
      const QPointF d = to - from;
      const double len = std::hypot(d.x(), d.y());
      const double r = std::min(radius, len / 2);
      return from + d * (r / len);
    };
    const QPointF a = toward(cur, prev);
    const QPointF b = toward(cur, next);
    if (i == 0)
      path.moveTo(a);
    else
      path.lineTo(a);
    path.quadTo(cur, b);
  }
  path.closeSubpath();
  return path;
}

QPainterPath CapShape(const QRectF& rect, double radius) {
  return RoundedRectPath(rect, radius);
}

namespace {

// The top face of a cap: the outline shrunk unevenly, more at the bottom,
// as a sculpted cap's dish is.
QPainterPath FaceOf(const QPainterPath& shape, bool pressed) {
  const QRectF b = shape.boundingRect();
  const double l = 3.5, r = 3.5, t = pressed ? 3.5 : 2.0, bottom = pressed ? 3.0 : 5.5;
  QTransform map;
  map.translate(b.left() + l, b.top() + t);
  map.scale((b.width() - l - r) / b.width(), (b.height() - t - bottom) / b.height());
  map.translate(-b.left(), -b.top());
  return map.map(shape);
}

// The largest bold face, down to 7 pixels and condensed if need be, in which
// every line of `text` fits `width`.
QFont FittedFont(const QString& text, double size, double width, bool condensed_only = false) {
  const QStringList lines = text.split(QLatin1Char('\n'));
  for (bool condensed : {false, true}) {
    if (condensed_only && !condensed) continue;
    for (double s = size; s >= 7; s -= 0.5) {
      const QFont font = SkinFont(s, Weight::kBold, condensed);
      const QFontMetricsF metrics(font);
      bool fits = true;
      for (const QString& line : lines) fits = fits && metrics.horizontalAdvance(line) <= width;
      if (fits) return font;
      if (!condensed && s <= size - 1) break;  // rather condensed than tiny
    }
  }
  return SkinFont(7, Weight::kBold, true);
}

void DrawLegendText(QPainter& p, const QRectF& face, const Legend& legend, const QColor& colour,
                    const QColor& dim) {
  const double w = face.width();
  const bool narrow = w < 40;
  if (legend.icon && legend.main.isEmpty()) {
    const double side = std::min(face.height() * 0.55, 17.0);
    DrawIcon(p, *legend.icon,
             QRectF(face.center().x() - side / 2, face.center().y() - side / 2, side, side), colour,
             1.9);
    return;
  }
  if (!legend.shift.isEmpty()) {
    const QFont font = SkinFont(11.5, Weight::kBold);
    DrawTextIn(p, face.adjusted(0, 1, 0, -face.height() / 2 + 2).toRect(), legend.shift, font, dim,
               Qt::AlignHCenter | Qt::AlignBottom);
    DrawTextIn(p, face.adjusted(0, face.height() / 2 - 1, 0, -1).toRect(), legend.main, font,
               colour, Qt::AlignHCenter | Qt::AlignTop);
    return;
  }
  QRectF main_area = face;
  if (!legend.sub.isEmpty()) {
    main_area.setBottom(face.bottom() - face.height() * 0.36);
    DrawTextIn(p, face.adjusted(0, face.height() * 0.58, 0, -1).toRect(), legend.sub,
               SkinFont(8.5, Weight::kNormal, true), dim, Qt::AlignHCenter | Qt::AlignVCenter);
  }
  QFont font;
  if (legend.small_text) {
    font = narrow ? FittedFont(legend.main, 9.5, w - 4, true)
                  : FittedFont(legend.main, 10.5, w - (legend.icon ? 21 : 4));
  } else if (legend.main.size() == 1) {
    font = SkinFont(legend.sub.isEmpty() ? 15 : 13, Weight::kBold);
  } else {
    font = SkinFont(12, Weight::kBold);
  }
  if (legend.icon) {
    // A pictogram before a name (Shift, Tab, Enter, Backspace).
    const QFontMetricsF metrics(font);
    const double text_w = metrics.horizontalAdvance(legend.main);
    const double side = 13, gap = 4;
    const double x = main_area.center().x() - (side + gap + text_w) / 2;
    DrawIcon(p, *legend.icon, QRectF(x, main_area.center().y() - side / 2, side, side), colour,
             2.0);
    DrawTextIn(p, QRectF(x + side + gap, main_area.top(), text_w + 2, main_area.height()).toRect(),
               legend.main, font, colour, Qt::AlignLeft | Qt::AlignVCenter);
    return;
  }
  DrawTextIn(p, main_area.toRect(), legend.main, font, colour, Qt::AlignCenter);
}

}  // namespace

void DrawKeycap(QPainter& p, const QPainterPath& shape, const Legend& legend, Look look,
                std::optional<QRectF> legend_box) {
  const bool pressed = look == Look::kDown;
  const QRectF b = shape.boundingRect();
  p.save();
  p.setRenderHint(QPainter::Antialiasing);

  // Skirt.
  QLinearGradient skirt(b.topLeft(), b.bottomLeft());
  skirt.setColorAt(0, QColor(30, 33, 38));
  skirt.setColorAt(1, theme::kCapSide);
  if (look == Look::kLit) {
    skirt.setColorAt(0, QColor(58, 62, 70));
    skirt.setColorAt(1, QColor(40, 43, 49));
  }
  p.setPen(QPen(QColor(8, 9, 11), 1));
  p.setBrush(skirt);
  p.drawPath(shape);

  // Top face.
  const QPainterPath face = FaceOf(shape, pressed);
  const QRectF fb = face.boundingRect();
  QLinearGradient top(fb.topLeft(), fb.bottomLeft());
  switch (look) {
    case Look::kDown:
      top.setColorAt(0, theme::kCapPressedTop);
      top.setColorAt(1, theme::kCapPressedBottom);
      break;
    case Look::kUnlit:
      top.setColorAt(0, QColor(38, 41, 47));
      top.setColorAt(1, QColor(32, 35, 40));
      break;
    case Look::kOver:
      top.setColorAt(0, QColor(70, 75, 85));
      top.setColorAt(1, QColor(52, 56, 65));
      break;
    default:
      top.setColorAt(0, theme::kCapTop);
      top.setColorAt(1, theme::kCapBottom);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(top);
  p.drawPath(face);
  if (!pressed) {
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(fb.left() + 3, fb.top() + 0.5), QPointF(fb.right() - 3, fb.top() + 0.5));
  }

  // State marks.
  if (look == Look::kOver) {
    InnerGlow(p, shape, theme::kAccent, 1.5);
    p.setPen(QPen(theme::kAccent, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
  } else if (look == Look::kDown) {
    p.setPen(QPen(theme::kAccent, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
  } else if (look == Look::kDisable) {
    // A key with a function of its own: accent legend, outline and a corner mark.
    QPolygonF corner;
    corner << QPointF(fb.right() - 9, fb.top()) << QPointF(fb.right() - 2, fb.top())
           << QPointF(fb.right(), fb.top() + 2) << QPointF(fb.right(), fb.top() + 9);
    p.setPen(Qt::NoPen);
    p.setBrush(theme::kAccent);
    p.drawPolygon(corner);
    p.setPen(QPen(WithAlpha(theme::kAccent, 170), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
  } else if (look == Look::kLit) {
    QRadialGradient glow(fb.center(), std::max(fb.width(), fb.height()) * 0.6);
    glow.setColorAt(0, QColor(255, 255, 255, 40));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawPath(face);
  }

  const QColor colour = LegendColour(look);
  QColor dim = look == Look::kUnlit ? QColor(62, 66, 74) : theme::kTextDim;
  if (look == Look::kLit || look == Look::kOver) dim = QColor(214, 218, 224);
  QRectF legend_area = fb.adjusted(1, 0, -1, 0);
  if (legend_box) legend_area = legend_box->intersected(fb).adjusted(1, 0, -1, 0);
  if (look == Look::kLit) {
    // The legend glows: a blurred copy under the sharp one.
    for (const QPointF d : {QPointF(-0.8, 0), QPointF(0.8, 0), QPointF(0, -0.8), QPointF(0, 0.8)}) {
      p.save();
      p.translate(d);
      DrawLegendText(p, legend_area, legend, QColor(255, 255, 255, 60), QColor(255, 255, 255, 40));
      p.restore();
    }
  }
  DrawLegendText(p, legend_area, legend, colour, dim);
  p.restore();
}

namespace {

struct FacePaint {
  QColor fill_top;
  QColor fill_bottom;
  QColor edge;
  double edge_width = 1;
  QColor content;  // icon and baked text
  bool glow = false;
};

FacePaint FaceFor(Look look, DisableMeans disable, ButtonStyle style) {
  FacePaint f;
  f.fill_top = theme::kButton.lighter(108);
  f.fill_bottom = theme::kButton;
  f.edge = theme::kButtonEdge;
  f.content = theme::kText;
  if (style == ButtonStyle::kPrimary) {
    // Outlined in the accent, so a caption in the accent stays readable on it.
    f.edge = theme::kAccent;
    f.edge_width = 1.5;
    f.fill_top = QColor(74, 46, 20);
    f.fill_bottom = QColor(56, 36, 18);
  } else if (style == ButtonStyle::kQuiet) {
    f.fill_top = f.fill_bottom = QColor(0, 0, 0, 0);
    f.edge = QColor(0, 0, 0, 0);
    f.content = theme::kTextDim;
  }
  Look effective = look;
  if (look == Look::kUnlit || look == Look::kLit) effective = Look::kNormal;
  if (effective == Look::kDisable) {
    switch (disable) {
      case DisableMeans::kChosen:
        f.fill_top = QColor(255, 146, 32);
        f.fill_bottom = theme::kAccentDeep;
        f.edge = QColor(255, 160, 60);
        f.content = QColor(255, 255, 255);
        return f;
      case DisableMeans::kPressed:
        effective = Look::kDown;
        break;
      case DisableMeans::kAssigned:
      case DisableMeans::kDimmed:
        f.fill_top = f.fill_bottom =
            style == ButtonStyle::kQuiet ? QColor(0, 0, 0, 0) : QColor(30, 33, 38);
        f.edge = style == ButtonStyle::kQuiet ? QColor(0, 0, 0, 0) : QColor(44, 48, 55);
        f.content = QColor(84, 89, 98);
        return f;
    }
  }
  if (style == ButtonStyle::kPrimary && (effective == Look::kOver || effective == Look::kDown)) {
    const bool over = effective == Look::kOver;
    f.fill_top = over ? QColor(96, 58, 22) : QColor(44, 30, 18);
    f.fill_bottom = over ? QColor(74, 46, 20) : QColor(52, 34, 18);
    f.edge = over ? QColor(255, 170, 80) : theme::kAccent;
    f.edge_width = over ? 1.5 : 2.0;
    f.glow = over;
    f.content = over ? theme::kAccent : QColor(255, 155, 4);
    return f;
  }
  if (effective == Look::kOver) {
    f.fill_top = theme::kButtonHover.lighter(110);
    f.fill_bottom = theme::kButtonHover;
    f.edge = theme::kAccent;
    f.edge_width = 1.4;
    f.content = theme::kAccent;
    f.glow = true;
  } else if (effective == Look::kDown) {
    f.fill_top = theme::kButtonDown;
    f.fill_bottom = theme::kButtonDown.lighter(112);
    f.edge = theme::kAccent;
    f.edge_width = 1.8;
    f.content = QColor(255, 155, 4);
  }
  return f;
}

void PaintFace(QPainter& p, const QPainterPath& shape, const FacePaint& f) {
  const QRectF b = shape.boundingRect();
  QLinearGradient fill(b.topLeft(), b.bottomLeft());
  fill.setColorAt(0, f.fill_top);
  fill.setColorAt(1, f.fill_bottom);
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(shape);
  if (f.glow) InnerGlow(p, shape, theme::kAccent, 1.2);
  if (f.edge.alpha() > 0) {
    p.setPen(QPen(f.edge, f.edge_width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
  }
}

void PaintContent(QPainter& p, const QRect& rect, const FacePaint& f, std::optional<Icon> icon,
                  const QString& text) {
  const QFont font = SkinFont(12, Weight::kBold);
  if (icon && text.isEmpty() && rect.width() > 2 * rect.height()) {
    // A caption-ready face keeps its pictogram at the left end.
    const double side = std::min(18.0, rect.height() * 0.5);
    DrawIcon(p, *icon, QRectF(rect.left() + 12, rect.center().y() - side / 2 + 0.5, side, side),
             f.content, 1.8);
    return;
  }
  if (icon && text.isEmpty()) {
    const double side = std::min(18.0, rect.height() * 0.55);
    DrawIcon(
        p, *icon,
        QRectF(rect.center().x() - side / 2 + 0.5, rect.center().y() - side / 2 + 0.5, side, side),
        f.content, 1.8);
    return;
  }
  if (icon) {
    const QFontMetricsF metrics(font);
    const double side = 16, gap = 7;
    const double total = side + gap + metrics.horizontalAdvance(text);
    const double x = rect.center().x() - total / 2;
    DrawIcon(p, *icon, QRectF(x, rect.center().y() - side / 2 + 0.5, side, side), f.content, 1.8);
    DrawTextIn(p, QRectF(x + side + gap, rect.top(), total, rect.height()).toRect(), text, font,
               f.content, Qt::AlignLeft | Qt::AlignVCenter);
    return;
  }
  if (!text.isEmpty()) DrawTextIn(p, rect, text, font, f.content, Qt::AlignCenter);
}

}  // namespace

void DrawButtonFace(QPainter& p, const QRect& rect, Look look, DisableMeans disable,
                    ButtonStyle style, std::optional<Icon> icon, const QString& text) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const FacePaint f = FaceFor(look, disable, style);
  const QRectF r = QRectF(rect).adjusted(1, 1, -1, -1);
  PaintFace(p, RoundedRectPath(r, std::min(8.0, r.height() / 2 - 2)), f);
  PaintContent(p, rect, f, icon, text);
  p.restore();
}

void DrawSegment(QPainter& p, const QRect& rect, Look look, DisableMeans disable, bool first,
                 bool last, const QString& text) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const FacePaint f = FaceFor(look, disable, ButtonStyle::kPlain);
  // Joined segments meet edge to edge so the row reads as one control.
  const QRectF r = QRectF(rect).adjusted(first ? 1 : 0, 1, last ? -1 : 0, -1);
  // Round only the outer ends: each half of the segment is either the
  // rounded or the square outline.
  const double radius = 7;
  QPainterPath square, rounded, left_half, right_half;
  square.addRect(r);
  rounded.addRoundedRect(r, radius, radius);
  left_half.addRect(QRectF(r.left(), r.top(), r.width() / 2, r.height()));
  right_half.addRect(QRectF(r.center().x(), r.top(), r.width() / 2, r.height()));
  const QPainterPath shape = (first ? rounded : square)
                                 .intersected(left_half)
                                 .united((last ? rounded : square).intersected(right_half));
  PaintFace(p, shape.simplified(), f);
  if (!first && look != Look::kDisable) {
    p.setPen(QPen(QColor(20, 22, 26), 1));
    p.drawLine(QPointF(r.left() + 0.5, r.top() + 5), QPointF(r.left() + 0.5, r.bottom() - 5));
  }
  if (!text.isEmpty())
    DrawTextIn(p, rect, text, SkinFont(12, Weight::kBold), f.content, Qt::AlignCenter);
  p.restore();
}

void DrawIconButton(QPainter& p, const QRect& rect, Icon icon, Look look, DisableMeans disable,
                    bool danger) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  FacePaint f = FaceFor(look, disable, ButtonStyle::kQuiet);
  const QRectF r = QRectF(rect).adjusted(2, 2, -2, -2);
  if (look == Look::kOver || look == Look::kDown) {
    const QColor tint = danger ? QColor(224, 60, 48) : theme::kAccent;
    f.fill_top = f.fill_bottom = look == Look::kDown ? WithAlpha(tint, 90) : WithAlpha(tint, 46);
    f.edge = QColor(0, 0, 0, 0);
    f.glow = false;
    f.content = look == Look::kDown ? QColor(255, 255, 255)
                                    : (danger ? QColor(255, 120, 110) : theme::kAccent);
  } else if (look != Look::kDisable) {
    f.content = theme::kTextDim;
  }
  PaintFace(p, RoundedRectPath(r, 6), f);
  const double side = std::min(20.0, std::min(rect.width(), rect.height()) * 0.62);
  DrawIcon(
      p, icon,
      QRectF(rect.center().x() - side / 2 + 0.5, rect.center().y() - side / 2 + 0.5, side, side),
      f.content, 1.9);
  p.restore();
}

void DrawTab(QPainter& p, const QRect& rect, Look look, std::optional<Icon> icon) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = QRectF(rect).adjusted(1, 1, -1, 0);
  QColor fill(0, 0, 0, 0), content = theme::kTextDim, bar(0, 0, 0, 0);
  switch (look) {
    case Look::kOver:
      fill = QColor(36, 40, 46);
      content = theme::kAccent;
      bar = WithAlpha(theme::kAccent, 110);
      break;
    case Look::kDown:
      fill = QColor(40, 44, 51);
      content = theme::kText;
      bar = theme::kAccent;
      break;
    case Look::kDisable:
      content = QColor(70, 75, 83);
      break;
    default:
      break;
  }
  QPainterPath shape = RoundedRectPath(r.adjusted(0, 0, 0, 6), 7);
  QPainterPath clip;
  clip.addRect(r);
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(shape.intersected(clip));
  if (bar.alpha() > 0) {
    p.setBrush(bar);
    p.drawRoundedRect(QRectF(r.left() + 8, r.bottom() - 3, r.width() - 16, 3), 1.5, 1.5);
  }
  if (icon) DrawIcon(p, *icon, QRectF(r.left() + 10, r.center().y() - 8, 16, 16), content, 1.8);
  p.restore();
}

void DrawIndicator(QPainter& p, const QRect& rect, Look look, const QString& label) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = QRectF(rect).adjusted(1, 1, -1, -1);
  const bool lit = look == Look::kOver;
  // Indicators are never pressed or disabled; those pictures only need to
  // tell themselves apart.
  QColor plate = look == Look::kDown ? QColor(16, 17, 20) : QColor(30, 33, 39);
  if (look == Look::kDisable) plate = QColor(24, 26, 30);
  QColor edge = lit ? WithAlpha(theme::kAccent, 140) : QColor(46, 50, 58);
  if (look == Look::kDown) edge = QColor(120, 74, 30);
  p.setPen(QPen(edge, 1));
  p.setBrush(plate);
  p.drawRoundedRect(r, 5, 5);
  const bool stacked = r.height() >= 30;
  const QPointF led =
      stacked ? QPointF(r.center().x(), r.top() + 10) : QPointF(r.left() + 11, r.center().y());
  if (lit) {
    QRadialGradient halo(led, 9);
    halo.setColorAt(0, WithAlpha(theme::kAccent, 170));
    halo.setColorAt(1, WithAlpha(theme::kAccent, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(led, 9, 9);
    p.setBrush(QColor(255, 196, 120));
  } else {
    p.setPen(QPen(QColor(12, 13, 15), 1));
    p.setBrush(look == Look::kDisable ? QColor(40, 42, 46) : QColor(58, 54, 50));
  }
  p.drawEllipse(led, 3.6, 3.6);
  QColor text = lit ? theme::kText : theme::kTextDim;
  if (look == Look::kDisable) text = theme::kTextFaint;
  if (stacked) {
    DrawTextIn(p, QRectF(r.left(), r.top() + 17, r.width(), r.height() - 19).toRect(), label,
               SkinFont(9, Weight::kBold, true), text, Qt::AlignHCenter | Qt::AlignVCenter);
  } else {
    DrawTextIn(p, QRectF(r.left() + 20, r.top(), r.width() - 22, r.height()).toRect(), label,
               SkinFont(9.5, Weight::kBold, true), text, Qt::AlignLeft | Qt::AlignVCenter);
  }
  p.restore();
}

}  // namespace quorlin::skingen
