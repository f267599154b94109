#pragma once
// A skinned window with stand-in controls at every place its Skin file
// names, so the skin can be looked at without the real windows.

#include <QImage>
#include <QString>
#include <filesystem>
#include <map>
#include <string>

#include "ui/skin/base_dialog.h"
#include "ui/skin/placement.h"
#include "ui/skin/png_button.h"
#include "ui/skin/prepared_surfaces.h"
#include "ui/skin/skin_families.h"

namespace quorlin::gallery {

enum class ForcedState { kNone, kHover, kPressed, kChecked, kDisabled };

class GalleryDialog : public ui::CBaseDialog {
 public:
  GalleryDialog(const std::filesystem::path& skin_dir, std::string_view skin_file);

  ui::CPngButton* AddImageButton(const std::string& key, const ui::ButtonSurfaces& surfaces);
  ui::CPngButton* AddArrowButton(const std::string& key, const std::string& origin_key,
                                 const QPixmap* surface);
  // Places `widget` (made with this dialog as parent) at the key's rectangle.
  template <typename W>
  W* Place(const std::string& key, W* widget) {
    ui::PlaceControl(widget, skin(), ui::skin_families::kButtonSection, key);
    placed_[key] = widget;
    return widget;
  }

  ui::CPngButton* button(const std::string& key) const;
  QWidget* placed(const std::string& key) const;
  const std::map<std::string, ui::CPngButton*>& buttons() const { return buttons_; }

  // Every image button in one state, or back to its own.
  void ForceAll(ForcedState state);

  QImage Grab();
  // The grab with the outline applied, on a plain backdrop.
  QImage GrabMasked();

 private:
  std::map<std::string, ui::CPngButton*> buttons_;
  std::map<std::string, QWidget*> placed_;
  std::map<std::string, bool> own_enabled_;
};

bool SavePicture(const QImage& image, const std::filesystem::path& file);

}  // namespace quorlin::gallery
