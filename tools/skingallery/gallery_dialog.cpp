#include "gallery_dialog.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QPainter>
#include <cstdio>

namespace quorlin::gallery {

GalleryDialog::GalleryDialog(const std::filesystem::path& skin_dir, std::string_view skin_file)
    : ui::CBaseDialog(nullptr, skin_dir / skin_file, skin_dir) {
  LoadDialogSkin();
}

ui::CPngButton* GalleryDialog::AddImageButton(const std::string& key,
                                              const ui::ButtonSurfaces& surfaces) {
  auto* b = new ui::CPngButton(this);
  ui::PlaceImageButton(b, skin(), ui::skin_families::kButtonSection, key, surfaces);
  buttons_[key] = b;
  return b;
}

ui::CPngButton* GalleryDialog::AddArrowButton(const std::string& key, const std::string& origin_key,
                                              const QPixmap* surface) {
  auto* b = buttons_.count(key) ? buttons_[key] : new ui::CPngButton(this);
  ui::PlaceArrowButton(b, skin(), ui::skin_families::kButtonSection, key,
                       ui::skin_families::kArrowSection, origin_key, surface);
  buttons_[key] = b;
  return b;
}

ui::CPngButton* GalleryDialog::button(const std::string& key) const {
  auto found = buttons_.find(key);
  return found == buttons_.end() ? nullptr : found->second;
}

QWidget* GalleryDialog::placed(const std::string& key) const {
  auto found = placed_.find(key);
  return found == placed_.end() ? nullptr : found->second;
}

void GalleryDialog::ForceAll(ForcedState state) {
  for (auto& [key, b] : buttons_) {
    if (!own_enabled_.count(key)) own_enabled_[key] = b->isEnabled();
    b->setEnabled(own_enabled_[key]);
    b->setDown(false);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(b, &leave);
    switch (state) {
      case ForcedState::kHover: {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(b, &enter);
        break;
      }
      case ForcedState::kPressed:
        b->setDown(true);
        break;
      case ForcedState::kChecked:
        b->SetSelected(true, true);
        break;
      case ForcedState::kDisabled:
        b->setEnabled(false);
        break;
      case ForcedState::kNone:
        break;
    }
  }
}

QImage GalleryDialog::Grab() {
  return grab().toImage();
}

QImage GalleryDialog::GrabMasked() {
  const QImage window = Grab();
  constexpr int kMargin = 24;
  QImage out(window.width() + 2 * kMargin, window.height() + 2 * kMargin, QImage::Format_RGB32);
  out.fill(QColor(92, 98, 110));
  QPainter p(&out);
  p.translate(kMargin, kMargin);
  p.setClipRegion(outline());
  p.drawImage(0, 0, window);
  return out;
}

bool SavePicture(const QImage& image, const std::filesystem::path& file) {
  if (image.save(QString::fromStdString(file.string()), "PNG")) {
    std::printf("%s\n", file.string().c_str());
    return true;
  }
  std::fprintf(stderr, "skingallery: cannot write %s\n", file.string().c_str());
  return false;
}

}  // namespace quorlin::gallery
