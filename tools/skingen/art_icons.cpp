#include "art_icons.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace quorlin::skingen {
namespace {

QPainterPath Polyline(std::initializer_list<QPointF> points) {
  QPainterPath path;
  bool first = true;
  for (const QPointF& p : points) {
    if (first)
      path.moveTo(p);
    else
      path.lineTo(p);
    first = false;
  }
  return path;
}

// Every pictogram on a 24 x 24 grid; strokes use the pen, fills the brush.
void Draw(QPainter& p, Icon icon, const QColor& colour) {
  const QBrush fill(colour);
  auto stroke = [&p](const QPainterPath& path) {
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
  };
  auto solid = [&p, &fill](const QPainterPath& path) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
  };
  switch (icon) {
    case Icon::kHelp: {
      p.drawEllipse(QPointF(12, 12), 9, 9);
      QPainterPath q;
      q.moveTo(9.2, 9.3);
      q.cubicTo(9.2, 6.2, 14.8, 6.2, 14.8, 9.3);
      q.cubicTo(14.8, 11.4, 12, 11.6, 12, 13.8);
      stroke(q);
      solid([] {
        QPainterPath d;
        d.addEllipse(QPointF(12, 17.2), 1.1, 1.1);
        return d;
      }());
      break;
    }
    case Icon::kMinimise:
      stroke(Polyline({{6, 12.5}, {18, 12.5}}));
      break;
    case Icon::kClose:
    case Icon::kCross:
      stroke(Polyline({{6.5, 6.5}, {17.5, 17.5}}));
      stroke(Polyline({{17.5, 6.5}, {6.5, 17.5}}));
      break;
    case Icon::kMenu:
      for (double y : {7.0, 12.0, 17.0}) stroke(Polyline({{5, y}, {19, y}}));
      break;
    case Icon::kGlobe: {
      p.drawEllipse(QPointF(12, 12), 9, 9);
      p.drawEllipse(QRectF(8, 3, 8, 18));
      stroke(Polyline({{3, 12}, {21, 12}}));
      stroke(Polyline({{4.5, 7.5}, {19.5, 7.5}}));
      stroke(Polyline({{4.5, 16.5}, {19.5, 16.5}}));
      break;
    }
    case Icon::kChat: {
      QPainterPath b;
      b.addRoundedRect(QRectF(3.5, 4.5, 17, 12), 3, 3);
      stroke(b);
      stroke(Polyline({{8, 16.5}, {7, 20.5}, {12, 16.5}}));
      for (double x : {8.5, 12.0, 15.5})
        solid([x] {
          QPainterPath d;
          d.addEllipse(QPointF(x, 10.5), 1.1, 1.1);
          return d;
        }());
      break;
    }
    case Icon::kShare: {
      for (QPointF c : {QPointF(17, 6), QPointF(7, 12), QPointF(17, 18)})
        p.drawEllipse(c, 2.6, 2.6);
      stroke(Polyline({{9.3, 10.8}, {14.7, 7.3}}));
      stroke(Polyline({{9.3, 13.2}, {14.7, 16.7}}));
      break;
    }
    case Icon::kPlus:
      stroke(Polyline({{12, 5}, {12, 19}}));
      stroke(Polyline({{5, 12}, {19, 12}}));
      break;
    case Icon::kMinus:
      stroke(Polyline({{5, 12}, {19, 12}}));
      break;
    case Icon::kFolder:
      stroke(Polyline(
          {{3.5, 18.5}, {3.5, 5.5}, {9.5, 5.5}, {11.5, 8}, {20.5, 8}, {20.5, 18.5}, {3.5, 18.5}}));
      stroke(Polyline({{3.5, 11}, {20.5, 11}}));
      break;
    case Icon::kTrash:
      stroke(Polyline({{4.5, 6.5}, {19.5, 6.5}}));
      stroke(Polyline({{9.5, 6.5}, {9.5, 4}, {14.5, 4}, {14.5, 6.5}}));
      stroke(Polyline({{6.5, 6.5}, {7.5, 20}, {16.5, 20}, {17.5, 6.5}}));
      stroke(Polyline({{10.3, 10}, {10.3, 16.5}}));
      stroke(Polyline({{13.7, 10}, {13.7, 16.5}}));
      break;
    case Icon::kRecord:
      solid([] {
        QPainterPath d;
        d.addEllipse(QPointF(12, 12), 6, 6);
        return d;
      }());
      break;
    case Icon::kReset: {
      QPainterPath arc;
      arc.arcMoveTo(QRectF(4.5, 4.5, 15, 15), 120);
      arc.arcTo(QRectF(4.5, 4.5, 15, 15), 120, 290);
      stroke(arc);
      stroke(Polyline({{5.2, 4.6}, {7.6, 8.6}, {11.6, 6.8}}));
      break;
    }
    case Icon::kSave:
      stroke(
          Polyline({{4.5, 4.5}, {16.5, 4.5}, {19.5, 7.5}, {19.5, 19.5}, {4.5, 19.5}, {4.5, 4.5}}));
      stroke(Polyline({{8, 4.5}, {8, 9.5}, {15, 9.5}, {15, 4.5}}));
      stroke(Polyline({{7.5, 19.5}, {7.5, 14}, {16.5, 14}, {16.5, 19.5}}));
      break;
    case Icon::kUpload:
      stroke(Polyline({{12, 16}, {12, 4.5}}));
      stroke(Polyline({{7, 9.5}, {12, 4.5}, {17, 9.5}}));
      stroke(Polyline({{4.5, 15}, {4.5, 19.5}, {19.5, 19.5}, {19.5, 15}}));
      break;
    case Icon::kTop:
      stroke(Polyline({{6, 5}, {18, 5}}));
      stroke(Polyline({{12, 19}, {12, 9}}));
      stroke(Polyline({{7.5, 13.5}, {12, 9}, {16.5, 13.5}}));
      break;
    case Icon::kUp:
      stroke(Polyline({{12, 19}, {12, 5.5}}));
      stroke(Polyline({{7, 10.5}, {12, 5.5}, {17, 10.5}}));
      break;
    case Icon::kDown:
      stroke(Polyline({{12, 5}, {12, 18.5}}));
      stroke(Polyline({{7, 13.5}, {12, 18.5}, {17, 13.5}}));
      break;
    case Icon::kBottom:
      stroke(Polyline({{6, 19}, {18, 19}}));
      stroke(Polyline({{12, 5}, {12, 15}}));
      stroke(Polyline({{7.5, 10.5}, {12, 15}, {16.5, 10.5}}));
      break;
    case Icon::kKeyboard: {
      QPainterPath b;
      b.addRoundedRect(QRectF(2.5, 6.5, 19, 11), 2, 2);
      stroke(b);
      for (double x : {6.0, 9.3, 12.6, 15.9})
        for (double y : {9.6, 12.3})
          solid([x, y] {
            QPainterPath d;
            d.addRect(QRectF(x - 0.9, y - 0.8, 1.9, 1.6));
            return d;
          }());
      stroke(Polyline({{8, 15}, {16, 15}}));
      break;
    }
    case Icon::kMouse: {
      QPainterPath b;
      b.addRoundedRect(QRectF(6.5, 3.5, 11, 17), 5.5, 5.5);
      stroke(b);
      stroke(Polyline({{12, 3.5}, {12, 9}}));
      stroke(Polyline({{6.5, 9}, {17.5, 9}}));
      break;
    }
    case Icon::kMedia: {
      p.drawEllipse(QPointF(12, 12), 9, 9);
      QPainterPath t;
      t.moveTo(10, 8);
      t.lineTo(16, 12);
      t.lineTo(10, 16);
      t.closeSubpath();
      solid(t);
      break;
    }
    case Icon::kFunction: {
      QPainterPath b;
      b.addRoundedRect(QRectF(3.5, 3.5, 17, 17), 3, 3);
      stroke(b);
      stroke(Polyline({{8, 17}, {8, 7.5}, {12, 7.5}}));
      stroke(Polyline({{8, 12}, {11, 12}}));
      stroke(Polyline({{13.5, 17}, {13.5, 11.5}}));
      QPainterPath n;
      n.moveTo(13.5, 13);
      n.cubicTo(14, 11.2, 17.2, 11, 17.2, 13.2);
      n.lineTo(17.2, 17);
      stroke(n);
      break;
    }
    case Icon::kMacro: {
      QPainterPath b;
      b.addRoundedRect(QRectF(3.5, 5.5, 17, 13), 2.5, 2.5);
      stroke(b);
      stroke(Polyline({{7, 15}, {7, 9}, {9.5, 12.5}, {12, 9}, {12, 15}}));
      stroke(Polyline({{14.5, 12}, {17.5, 12}}));
      stroke(Polyline({{16, 10.5}, {17.5, 12}, {16, 13.5}}));
      break;
    }
    case Icon::kLayers:
      stroke(Polyline({{12, 4}, {21, 8.5}, {12, 13}, {3, 8.5}, {12, 4}}));
      stroke(Polyline({{3, 12.5}, {12, 17}, {21, 12.5}}));
      stroke(Polyline({{3, 16.5}, {12, 21}, {21, 16.5}}));
      break;
    case Icon::kChip: {
      QPainterPath b;
      b.addRoundedRect(QRectF(6.5, 6.5, 11, 11), 1.5, 1.5);
      stroke(b);
      for (double v : {9.5, 12.0, 14.5}) {
        stroke(Polyline({{v, 3}, {v, 6.5}}));
        stroke(Polyline({{v, 17.5}, {v, 21}}));
        stroke(Polyline({{3, v}, {6.5, v}}));
        stroke(Polyline({{17.5, v}, {21, v}}));
      }
      break;
    }
    case Icon::kChevronLeft:
      stroke(Polyline({{14.5, 6}, {8.5, 12}, {14.5, 18}}));
      break;
    case Icon::kChevronRight:
      stroke(Polyline({{9.5, 6}, {15.5, 12}, {9.5, 18}}));
      break;
    case Icon::kChevronDown:
      stroke(Polyline({{6.5, 9.5}, {12, 15}, {17.5, 9.5}}));
      break;
    case Icon::kSwap:
      stroke(Polyline({{8, 4.5}, {8, 19}}));
      stroke(Polyline({{4.5, 8}, {8, 4.5}, {11.5, 8}}));
      stroke(Polyline({{16, 19.5}, {16, 5}}));
      stroke(Polyline({{12.5, 16}, {16, 19.5}, {19.5, 16}}));
      break;
    case Icon::kBulb: {
      QPainterPath b;
      b.moveTo(9, 16.5);
      b.cubicTo(9, 14, 6, 12.5, 6, 9.2);
      b.cubicTo(6, 5.8, 8.8, 3.5, 12, 3.5);
      b.cubicTo(15.2, 3.5, 18, 5.8, 18, 9.2);
      b.cubicTo(18, 12.5, 15, 14, 15, 16.5);
      b.closeSubpath();
      stroke(b);
      stroke(Polyline({{9.5, 19}, {14.5, 19}}));
      stroke(Polyline({{10.5, 21.3}, {13.5, 21.3}}));
      break;
    }
    case Icon::kBrush: {
      stroke(Polyline({{19.5, 4.5}, {11.5, 12.5}}));
      QPainterPath tip;
      tip.moveTo(11.8, 12.2);
      tip.cubicTo(9.5, 10.5, 6.5, 12, 6.5, 15);
      tip.cubicTo(6.5, 17.5, 5.5, 18.8, 4, 19.5);
      tip.cubicTo(8.5, 20.5, 13.5, 18.5, 11.8, 12.2);
      solid(tip);
      break;
    }
    case Icon::kBucket: {
      stroke(Polyline({{11, 3.5}, {19, 11.5}, {11.5, 19}, {4, 11.5}, {11, 4.5}}));
      stroke(Polyline({{4.5, 11.5}, {18.5, 11.5}}));
      QPainterPath drop;
      drop.moveTo(20.5, 14.5);
      drop.cubicTo(22, 17, 22, 19.5, 20.5, 19.5);
      drop.cubicTo(19, 19.5, 19, 17, 20.5, 14.5);
      solid(drop);
      break;
    }
    case Icon::kArrowLeft:
      stroke(Polyline({{19, 12}, {5.5, 12}}));
      stroke(Polyline({{10.5, 7}, {5.5, 12}, {10.5, 17}}));
      break;
    case Icon::kArrowRight:
      stroke(Polyline({{5, 12}, {18.5, 12}}));
      stroke(Polyline({{13.5, 7}, {18.5, 12}, {13.5, 17}}));
      break;
    case Icon::kArrowUp:
      stroke(Polyline({{12, 19}, {12, 5.5}}));
      stroke(Polyline({{7, 10.5}, {12, 5.5}, {17, 10.5}}));
      break;
    case Icon::kArrowDown:
      stroke(Polyline({{12, 5}, {12, 18.5}}));
      stroke(Polyline({{7, 13.5}, {12, 18.5}, {17, 13.5}}));
      break;
    case Icon::kSpread:
      solid([] {
        QPainterPath d;
        d.addEllipse(QPointF(12, 12), 1.8, 1.8);
        return d;
      }());
      stroke(Polyline({{8.5, 12}, {2.5, 12}}));
      stroke(Polyline({{5.5, 9}, {2.5, 12}, {5.5, 15}}));
      stroke(Polyline({{15.5, 12}, {21.5, 12}}));
      stroke(Polyline({{18.5, 9}, {21.5, 12}, {18.5, 15}}));
      break;
    case Icon::kGather:
      solid([] {
        QPainterPath d;
        d.addEllipse(QPointF(12, 12), 1.8, 1.8);
        return d;
      }());
      stroke(Polyline({{2.5, 12}, {8.5, 12}}));
      stroke(Polyline({{5.5, 9}, {8.5, 12}, {5.5, 15}}));
      stroke(Polyline({{21.5, 12}, {15.5, 12}}));
      stroke(Polyline({{18.5, 9}, {15.5, 12}, {18.5, 15}}));
      break;
    case Icon::kCheck:
      stroke(Polyline({{5.5, 12.5}, {10, 17}, {18.5, 7.5}}));
      break;
    case Icon::kWindowsKey:
      for (QRectF r : {QRectF(4.5, 4.5, 6.5, 6.5), QRectF(13, 4.5, 6.5, 6.5),
                       QRectF(4.5, 13, 6.5, 6.5), QRectF(13, 13, 6.5, 6.5)})
        solid([r] {
          QPainterPath d;
          d.addRect(r);
          return d;
        }());
      break;
    case Icon::kAppMenuKey: {
      QPainterPath b;
      b.addRoundedRect(QRectF(5.5, 4.5, 13, 15), 1.5, 1.5);
      stroke(b);
      for (double y : {8.5, 12.0, 15.5}) stroke(Polyline({{8.5, y}, {15.5, y}}));
      break;
    }
    case Icon::kEnterGlyph:
      stroke(Polyline({{18.5, 5.5}, {18.5, 13.5}, {5.5, 13.5}}));
      stroke(Polyline({{9.5, 9.5}, {5.5, 13.5}, {9.5, 17.5}}));
      break;
    case Icon::kBackspaceGlyph:
      stroke(Polyline({{20, 12}, {4.5, 12}}));
      stroke(Polyline({{9, 7.5}, {4.5, 12}, {9, 16.5}}));
      break;
    case Icon::kTabGlyph:
      stroke(Polyline({{4, 12}, {18, 12}}));
      stroke(Polyline({{13.5, 7.5}, {18, 12}, {13.5, 16.5}}));
      stroke(Polyline({{20.5, 6.5}, {20.5, 17.5}}));
      break;
    case Icon::kShiftGlyph:
      stroke(Polyline({{12, 4},
                       {20, 12.5},
                       {15.5, 12.5},
                       {15.5, 19.5},
                       {8.5, 19.5},
                       {8.5, 12.5},
                       {4, 12.5},
                       {12, 4}}));
      break;
    case Icon::kLock: {
      QPainterPath b;
      b.addRoundedRect(QRectF(5.5, 10.5, 13, 10), 1.5, 1.5);
      stroke(b);
      QPainterPath shackle;
      shackle.moveTo(8.5, 10.5);
      shackle.lineTo(8.5, 7.5);
      shackle.cubicTo(8.5, 3, 15.5, 3, 15.5, 7.5);
      shackle.lineTo(15.5, 10.5);
      stroke(shackle);
      break;
    }
  }
}

}  // namespace

void DrawIcon(QPainter& painter, Icon icon, const QRectF& box, const QColor& colour,
              double stroke) {
  const double side = std::min(box.width(), box.height());
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(box.center().x() - side / 2, box.center().y() - side / 2);
  painter.scale(side / 24.0, side / 24.0);
  QPen pen(colour, stroke * 24.0 / side);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  Draw(painter, icon, colour);
  painter.restore();
}

}  // namespace quorlin::skingen
