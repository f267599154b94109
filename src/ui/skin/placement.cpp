#include "ui/skin/placement.h"

namespace quorlin::ui {
namespace {

QRect ToQRect(const SkinRect& r) {
  return QRect(r.x, r.y, r.w, r.h);
}

}  // namespace

void PlaceControl(QWidget* control, const SkinFile& skin, std::string_view section,
                  std::string_view key) {
  control->setGeometry(ToQRect(skin.Rect(section, key)));
}

void PlaceControlAt(QWidget* control, const SkinFile& skin, std::string_view section,
                    std::string_view key) {
  const SkinRect r = skin.Rect(section, key);
  control->move(r.x, r.y);
  control->update();
}

void PlaceImageButton(CPngButton* button, const SkinFile& skin, std::string_view section,
                      std::string_view key, const ButtonSurfaces& surfaces) {
  const SkinRect r = skin.Rect(section, key);
  button->setGeometry(ToQRect(r));
  button->SetStateSurfaces(r.x, r.y, surfaces);
  if (IsUnplacedOrigin(r)) button->setEnabled(false);
}

void PlaceArrowButton(CPngButton* button, const SkinFile& skin, std::string_view section,
                      std::string_view key, std::string_view origin_section,
                      std::string_view origin_key, const QPixmap* surface) {
  button->setGeometry(ToQRect(skin.Rect(section, key)));
  const SkinRect origin = skin.Rect(origin_section, origin_key);
  button->SetStateSurfaces(origin.x, origin.y, SameSurface(surface));
}

}  // namespace quorlin::ui
