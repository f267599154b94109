#include "skin_window.h"

#include <QPainterPath>

namespace quorlin::skingen {

const ImageButton* SkinWindow::FindButton(const std::string& key) const {
  for (const ImageButton& b : buttons)
    if (b.key == key) return &b;
  return nullptr;
}

const PlacedControl* SkinWindow::FindPlaced(const std::string& key) const {
  for (const PlacedControl& c : placed)
    if (c.key == key) return &c;
  return nullptr;
}

QImage ScaledCanvas(QSize logical, double scale, QImage::Format format) {
  QImage image(logical * scale, format);
  image.setDevicePixelRatio(scale);
  return image;
}

QRect DeviceRect(const QRect& logical, double scale) {
  return QRectF(logical.x() * scale, logical.y() * scale, logical.width() * scale,
                logical.height() * scale)
      .toAlignedRect();
}

namespace {

QImage Render(const SkinWindow& window, Look look, Variant variant, bool background, double scale) {
  QImage image = ScaledCanvas(window.size, scale, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  window.base(painter, window, variant);
  for (const ImageButton& button : window.buttons) {
    if (background && !button.in_background) continue;
    // A button's art never leaves its rectangle: a neighbour shows its own
    // rectangle of the same picture.
    painter.save();
    painter.setClipRect(button.rect);
    button.art(painter, button.rect, look, variant);
    painter.restore();
  }
  return image;
}

}  // namespace

QImage RenderScene(const SkinWindow& window, Look look, Variant variant, double scale) {
  return Render(window, look, variant, false, scale);
}

QImage RenderBackground(const SkinWindow& window, double scale) {
  return Render(window, Look::kNormal, 0, true, scale);
}

QImage StatePicture(const QImage& scene) {
  QImage picture(scene.size(), QImage::Format_RGB32);
  picture.setDevicePixelRatio(scene.devicePixelRatio());
  picture.fill(scene.pixel(scene.width() - 1, scene.height() - 1));
  QPainter painter(&picture);
  painter.drawImage(-1, -1, scene);
  return picture;
}

QImage MaskPicture(const SkinWindow& window, double scale) {
  QImage mask = ScaledCanvas(window.size, scale, QImage::Format_RGB32);
  mask.fill(Qt::white);
  QPainter painter(&mask);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  QPainterPath outline;
  outline.addRoundedRect(QRectF(0, 0, window.size.width(), window.size.height()),
                         window.corner_radius, window.corner_radius);
  painter.drawPath(outline);
  return mask;
}

}  // namespace quorlin::skingen
