#include "panel_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <functional>

#include "art_controls.h"
#include "skin_writer.h"
#include "ui/skin/skin_catalogue.h"

namespace quorlin::skingen {
namespace {

namespace catalogue = ui::skin_catalogue;

// Every picture sits on the flat panel colour, so it blends into the panel.
QImage Canvas(int w, int h, double scale,
              const std::function<void(QPainter&, const QRectF&)>& draw) {
  QImage image = ScaledCanvas(QSize(w, h), scale, QImage::Format_RGB32);
  image.fill(theme::kPanel);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p, QRectF(0, 0, w, h));
  return image;
}

// A switch: a rounded track with a knob at the off or on end.
QImage Switch(int w, int h, bool on, const QBrush& on_track, double scale) {
  return Canvas(w, h, scale, [&](QPainter& p, const QRectF& r) {
    const QRectF track = r.adjusted(2, 3, -2, -3);
    p.setPen(QPen(on ? QColor(255, 170, 80, 160) : QColor(62, 67, 76), 1));
    p.setBrush(on ? on_track : QBrush(QColor(40, 44, 51)));
    p.drawRoundedRect(track, track.height() / 2, track.height() / 2);
    const double d = track.height() - 4;
    const QRectF knob(on ? track.right() - d - 2 : track.left() + 2, track.top() + 2, d, d);
    p.setPen(Qt::NoPen);
    p.setBrush(on ? QColor(255, 255, 255) : QColor(150, 156, 165));
    p.drawEllipse(knob);
  });
}

}  // namespace

// The lighting switch only shows or hides the lighting settings; the LEDs
// stay as they are. A knob-and-track switch with "OFF" on it was read as the
// lights being off, and words on a picture cannot follow the language, so it
// is drawn as a disclosure button: a bulb (what it is about) beside a
// chevron that points down ("open it") while the settings are hidden and up
// ("fold it away") while they show. Drawn at `scale` times its 56 x 28 size.
QImage LightSwitchPicture(bool open, double scale) {
  // Drawn in logical pixels on a canvas that carries the scale.
  QImage image = ScaledCanvas(QSize(56, 28), scale, QImage::Format_RGB32);
  image.fill(theme::kPanel);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF face(2.5, 3.5, 51, 21);
  if (open) {
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, QColor(255, 146, 32));
    fill.setColorAt(1, theme::kAccentDeep);
    p.setPen(QPen(QColor(255, 176, 96), 1));
    p.setBrush(fill);
  } else {
    p.setPen(QPen(QColor(78, 84, 95), 1));
    p.setBrush(QColor(40, 44, 51));
  }
  p.drawRoundedRect(face, 6, 6);
  const QColor ink = open ? QColor(255, 255, 255) : QColor(196, 201, 209);
  DrawIcon(p, Icon::kBulb, QRectF(8, 5, 18, 18), ink, 2.0);
  // A thin divider between the bulb and the chevron, as on a split button.
  p.setPen(QPen(open ? QColor(255, 214, 170, 150) : QColor(70, 76, 86), 1));
  p.drawLine(QPointF(31.5, 8), QPointF(31.5, 20));
  const double cx = 42.5, cy = 14, half = 5, rise = open ? -2.75 : 2.75;
  p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF(
      {QPointF(cx - half, cy - rise), QPointF(cx, cy + rise), QPointF(cx + half, cy - rise)}));
  return image;
}

namespace {

QBrush RainbowTrack(const QRectF& r) {
  QLinearGradient g(r.topLeft(), r.topRight());
  const QColor stops[6] = {QColor(235, 60, 60),  QColor(240, 170, 40), QColor(90, 200, 80),
                           QColor(40, 190, 210), QColor(70, 110, 240), QColor(190, 80, 220)};
  for (int i = 0; i < 6; ++i) g.setColorAt(i / 5.0, stops[i]);
  return g;
}

// A square button with a pictogram; `chosen` fills it with the accent.
QImage Choice(int w, int h, Icon icon, bool chosen, double scale) {
  return Canvas(w, h, scale, [&](QPainter& p, const QRectF& r) {
    const QRectF face = r.adjusted(1.5, 1.5, -1.5, -1.5);
    if (chosen) {
      QLinearGradient fill(face.topLeft(), face.bottomLeft());
      fill.setColorAt(0, QColor(255, 146, 32));
      fill.setColorAt(1, theme::kAccentDeep);
      p.setPen(QPen(QColor(255, 176, 96), 1));
      p.setBrush(fill);
    } else {
      p.setPen(QPen(QColor(62, 68, 78), 1));
      p.setBrush(QColor(38, 42, 49));
    }
    p.drawRoundedRect(face, 6, 6);
    const double side = std::min(w, h) * 0.66;
    DrawIcon(p, icon, QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side),
             chosen ? QColor(255, 255, 255) : theme::kTextDim, 2.0);
  });
}

QImage Swatch(const QColor& colour, bool chosen, double scale) {
  return Canvas(32, 32, scale, [&](QPainter& p, const QRectF& r) {
    const QPointF c = r.center();
    if (chosen) {
      p.setPen(QPen(QColor(255, 255, 255), 2));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(c, 14, 14);
    }
    QRadialGradient fill(c - QPointF(3, 3), 14);
    fill.setColorAt(0, colour.lighter(125));
    fill.setColorAt(1, colour);
    p.setPen(QPen(colour.darker(150), 1));
    p.setBrush(fill);
    p.drawEllipse(c, 10.5, 10.5);
    if (chosen)
      DrawIcon(p, Icon::kCheck, QRectF(c.x() - 7, c.y() - 7, 14, 14), QColor(255, 255, 255), 2.6);
  });
}

// A slider face for `position` of `count` positions (0 .. count - 1). The
// knob of position k sits where a click picks k: the face is read as though
// it started 10 pixels further left.
QImage SliderFace(int position, int count, bool speed, double scale) {
  constexpr int kW = 220, kH = 22, kMargin = 10;
  return Canvas(kW, kH, scale, [&](QPainter& p, const QRectF& r) {
    const double span = kW - 2 * kMargin;
    auto x_of = [&](int k) { return kMargin + k * span / (count - 1); };
    const double y = r.center().y();
    const QRectF track(kMargin - 2, y - 2.5, span + 4, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(44, 48, 56));
    p.drawRoundedRect(track, 2.5, 2.5);
    const double knob_x = x_of(position);
    if (position > 0) {
      QLinearGradient fill(track.topLeft(), QPointF(knob_x, y));
      fill.setColorAt(0, speed ? QColor(255, 200, 60) : QColor(150, 66, 0));
      fill.setColorAt(1, theme::kAccent);
      p.setBrush(fill);
      p.drawRoundedRect(QRectF(track.left(), track.top(), knob_x - track.left(), track.height()),
                        2.5, 2.5);
    }
    for (int k = 0; k < count; ++k) {
      p.setBrush(k <= position ? QColor(255, 214, 170) : QColor(84, 90, 100));
      p.drawEllipse(QPointF(x_of(k), y), 1.3, 1.3);
    }
    QRadialGradient knob(QPointF(knob_x - 2, y - 2), 9);
    knob.setColorAt(0, QColor(255, 255, 255));
    knob.setColorAt(1, QColor(208, 212, 218));
    p.setPen(QPen(theme::kAccent, 2));
    p.setBrush(knob);
    p.drawEllipse(QPointF(knob_x, y), 7, 7);
  });
}

// One frame of the busy indicator: ten dots round a circle, the brightest
// moving on one place per frame.
QImage ProgressFrame(int frame, double scale) {
  return Canvas(24, 24, scale, [&](QPainter& p, const QRectF& r) {
    constexpr double kPi = 3.14159265358979323846;
    for (int i = 0; i < 10; ++i) {
      const double angle = -kPi / 2 + i * 2 * kPi / 10;
      const int age = (frame - i + 10) % 10;  // 0 = the head
      QColor c = theme::kAccent;
      c.setAlpha(std::max(40, 255 - age * 36));
      p.setPen(Qt::NoPen);
      p.setBrush(c);
      const double radius = age == 0 ? 2.3 : 1.8;
      p.drawEllipse(r.center() + QPointF(std::cos(angle), std::sin(angle)) * 8.5, radius, radius);
    }
  });
}

QImage PaletteSwatch(const QColor& colour, double scale) {
  return Canvas(22, 22, scale, [&](QPainter& p, const QRectF& r) {
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(colour);
    p.drawRoundedRect(r.adjusted(2.5, 2.5, -2.5, -2.5), 4, 4);
  });
}

}  // namespace

std::vector<NamedPicture> PanelPictures(double scale) {
  std::vector<NamedPicture> all;
  auto add = [&all](std::string_view name, QImage image) {
    all.push_back({std::string(name), std::move(image)});
  };

  add(catalogue::kLightSwitchOff, LightSwitchPicture(false, scale));
  add(catalogue::kLightSwitchOn, LightSwitchPicture(true, scale));
  const QRectF colour_track(2, 3, 44, 18);
  add(catalogue::kMultiColourOff, Switch(48, 24, false, RainbowTrack(colour_track), scale));
  add(catalogue::kMultiColourOn, Switch(48, 24, true, RainbowTrack(colour_track), scale));

  // Direction pairs, in the catalogue's order: each picture, then its chosen state.
  const Icon directions[6] = {Icon::kArrowLeft, Icon::kArrowRight, Icon::kArrowUp,
                              Icon::kArrowDown, Icon::kSpread,     Icon::kGather};
  for (int i = 0; i < 6; ++i) {
    add(catalogue::kDirectionPictures[2 * i], Choice(44, 28, directions[i], false, scale));
    add(catalogue::kDirectionPictures[2 * i + 1], Choice(44, 28, directions[i], true, scale));
  }

  const QColor swatches[4] = {QColor(232, 48, 48), QColor(245, 206, 30), QColor(46, 196, 76),
                              QColor(40, 110, 240)};
  for (int i = 0; i < 4; ++i) {
    add(catalogue::kSwatchPictures[2 * i], Swatch(swatches[i], false, scale));
    add(catalogue::kSwatchPictures[2 * i + 1], Swatch(swatches[i], true, scale));
  }

  add(catalogue::kBrushPictures[0], Choice(36, 32, Icon::kBrush, false, scale));
  add(catalogue::kBrushPictures[1], Choice(36, 32, Icon::kBrush, true, scale));
  add(catalogue::kBrushPictures[2], Choice(36, 32, Icon::kBucket, false, scale));
  add(catalogue::kBrushPictures[3], Choice(36, 32, Icon::kBucket, true, scale));

  for (int n = 1; n <= catalogue::kProgressFrameCount; ++n)
    add(catalogue::ProgressFrame(n), ProgressFrame(n - 1, scale));

  // Brightness 0..5 and speed positions 0..5 use the first twelve faces; the
  // rest are a fourteen-step set for a finer slider.
  for (int n = 0; n < catalogue::kSliderPictureCount; ++n) {
    QImage face;
    if (n < catalogue::kSpeedSliderFirstPicture) {
      face = SliderFace(n, 6, false, scale);
    } else if (n < 2 * catalogue::kSpeedSliderFirstPicture) {
      face = SliderFace(n - catalogue::kSpeedSliderFirstPicture, 6, true, scale);
    } else {
      face = SliderFace(n - 2 * catalogue::kSpeedSliderFirstPicture, 14, false, scale);
    }
    add(catalogue::SliderPicture(n), std::move(face));
  }

  const QColor palette[8] = {QColor(232, 48, 48),  QColor(255, 130, 0),  QColor(245, 206, 30),
                             QColor(46, 196, 76),  QColor(30, 200, 210), QColor(40, 110, 240),
                             QColor(150, 70, 230), QColor(240, 240, 240)};
  for (int n = 1; n <= catalogue::kPaletteSwatchCount; ++n)
    add(catalogue::PaletteSwatch(n), PaletteSwatch(palette[n - 1], scale));
  return all;
}

std::vector<NamedPicture> ControlPictures(double scale) {
  auto transparent = [scale](int w, int h) {
    QImage image = ScaledCanvas(QSize(w, h), scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
  };
  QImage arrow = transparent(10, 6);
  {
    QPainter p(&arrow);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(theme::kTextDim, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(1, 1), QPointF(5, 5), QPointF(9, 1)}));
  }
  QImage check = transparent(12, 12);
  {
    QPainter p(&check);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(2.5, 6.5), QPointF(5, 9), QPointF(9.5, 3)}));
  }
  return {{std::string(catalogue::kComboArrow), arrow},
          {std::string(catalogue::kCheckMark), check}};
}

bool WritePanelPictures(const std::filesystem::path& dir, double scale) {
  bool ok = true;
  for (const NamedPicture& picture : PanelPictures(scale))
    ok = SaveBmp(picture.image, dir / ScaledFileName(picture.file, scale)) && ok;
  for (const NamedPicture& picture : ControlPictures(scale))
    ok = SaveImageWithAlpha(picture.image, dir / ScaledFileName(picture.file, scale)) && ok;
  return ok;
}

}  // namespace quorlin::skingen
