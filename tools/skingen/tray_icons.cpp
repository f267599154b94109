#include "tray_icons.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include "art_icons.h"
#include "art_theme.h"
#include "skin_writer.h"
#include "ui/main/tray_icon_files.h"

namespace quorlin::skingen {

namespace {

namespace files = ui::tray_icons;

// A rounded key cap with the keyboard pictogram, in the skin's colours: the
// accent while the keyboard is there, dim without it, and the accent with a
// bright dot for the keyboard's alternate state. Panels of all desktop
// themes are either dark or light, so the cap carries its own dark ground.
QImage TrayIcon(int icon_id, int size, double scale) {
  QImage image = ScaledCanvas(QSize(size, size), scale, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size;
  const QRectF cap(s * 0.04, s * 0.04, s * 0.92, s * 0.92);
  p.setPen(QPen(theme::kWindowEdge, std::max(1.0, s / 32.0)));
  p.setBrush(theme::kWindow);
  p.drawRoundedRect(cap, s * 0.2, s * 0.2);

  const bool present = icon_id != files::kNoKeyboard;
  const QColor glyph = present ? theme::kAccent : theme::kTextFaint;
  const double stroke = size <= 22 ? 2.4 : 2.0;
  DrawIcon(p, Icon::kKeyboard, cap.adjusted(s * 0.1, s * 0.1, -s * 0.1, -s * 0.1), glyph, stroke);

  if (icon_id == files::kNoKeyboard) {
    // A slash through the keyboard: it is not there.
    p.setPen(QPen(theme::kTextDim, std::max(1.5, s / 12.0), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.22, s * 0.78), QPointF(s * 0.78, s * 0.22));
  } else if (icon_id == files::kAlternate) {
    const double d = s * 0.34;
    p.setPen(QPen(theme::kWindow, std::max(1.0, s / 24.0)));
    p.setBrush(theme::kText);
    p.drawEllipse(QRectF(s - d - s * 0.02, s * 0.02, d, d));
  }
  return image;
}

}  // namespace

bool WriteTrayIcons(const std::filesystem::path& dir, double scale) {
  bool ok = true;
  for (int id : {files::kNoKeyboard, files::kKeyboardPresent, files::kAlternate})
    for (int size : files::kSizes)
      ok = SavePng(TrayIcon(id, size, scale),
                   dir / ScaledFileName(files::FileName(id, size), scale)) &&
           ok;
  return ok;
}

}  // namespace quorlin::skingen
