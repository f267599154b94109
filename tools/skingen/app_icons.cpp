#include "app_icons.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cstdio>
#include <string>
#include <system_error>

#include "art_theme.h"
#include "skin_writer.h"

namespace quorlin::skingen {
namespace fs = std::filesystem;
namespace {

// The sizes desktops ask the hicolor theme for, menus to app grids.
constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// A dark tile with one key cap lit from below in the skin's accent, the
// way the keyboard's own lighting glows between the caps.
void DrawTile(QPainter& p, double s) {
  const double margin = s / 16.0;
  const QRectF tile(margin, margin, s - 2 * margin, s - 2 * margin);
  QLinearGradient body(tile.topLeft(), tile.bottomLeft());
  body.setColorAt(0, theme::kTitleBar.lighter(130));
  body.setColorAt(1, theme::kWindow);
  p.setPen(QPen(theme::kWindowEdge, std::max(1.0, s / 64.0)));
  p.setBrush(body);
  p.drawRoundedRect(tile, s * 0.2, s * 0.2);
}

void DrawGlow(QPainter& p, const QRectF& cap) {
  QRadialGradient glow(cap.center() + QPointF(0, cap.height() * 0.35), cap.width() * 0.85);
  QColor warm = theme::kAccent;
  warm.setAlpha(150);
  glow.setColorAt(0, warm);
  glow.setColorAt(0.6, theme::kAccentSoft);
  glow.setColorAt(1, Qt::transparent);
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(cap.center() + QPointF(0, cap.height() * 0.3), cap.width() * 0.8,
                cap.height() * 0.6);
}

void DrawCap(QPainter& p, const QRectF& cap, double s) {
  const double radius = cap.width() * 0.16;
  p.setPen(QPen(theme::kAccent, std::max(1.0, s / 48.0)));
  p.setBrush(theme::kCapSide);
  p.drawRoundedRect(cap, radius, radius);
  // The top face sits up and back on the cap, as on a sculpted key.
  const QRectF top = cap.adjusted(cap.width() * 0.12, cap.height() * 0.08, -cap.width() * 0.12,
                                  -cap.height() * 0.2);
  QLinearGradient face(top.topLeft(), top.bottomLeft());
  face.setColorAt(0, theme::kCapTop);
  face.setColorAt(1, theme::kCapBottom);
  p.setPen(Qt::NoPen);
  p.setBrush(face);
  p.drawRoundedRect(top, radius * 0.8, radius * 0.8);
  if (s >= 24) {
    QFont font = SkinFont(top.height() * 0.72, Weight::kBold);
    p.setFont(font);
    p.setPen(theme::kAccent);
    p.drawText(top, Qt::AlignCenter, QStringLiteral("Q"));
  } else {
    // Too small for a letter: a lit bar reads as a key at menu size.
    p.setBrush(theme::kAccent);
    p.drawRect(QRectF(top.left() + top.width() * 0.25, top.center().y() - s / 32.0,
                      top.width() * 0.5, std::max(1.0, s / 16.0)));
  }
}

}  // namespace

QImage AppIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const double s = size;
  DrawTile(p, s);
  const QRectF cap(s * 0.24, s * 0.2, s * 0.52, s * 0.52);
  DrawGlow(p, cap);
  DrawCap(p, cap, s);
  p.end();
  return image;
}

bool WriteAppIcons(const fs::path& dir) {
  bool ok = true;
  for (const int size : kSizes) {
    const std::string name = std::to_string(size) + "x" + std::to_string(size);
    const fs::path folder = dir / name / "apps";
    std::error_code ec;
    fs::create_directories(folder, ec);
    ok = !ec && SaveImageWithAlpha(AppIcon(size), folder / "quorlin.png") && ok;
  }
  return ok;
}

int AppIconsMain(int argc, char** argv, const fs::path& dir) {
  // Drawing text needs the font database, not a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (!WriteAppIcons(dir)) {
    std::fprintf(stderr, "skingen: cannot write the program's icons into %s\n",
                 dir.string().c_str());
    return 1;
  }
  return 0;
}

}  // namespace quorlin::skingen
