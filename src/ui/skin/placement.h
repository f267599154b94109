#pragma once
// Moving a window's controls to the rectangles of its Skin file. A key the
// file lacks places the control at (1, 1), one pixel square; an image button
// placed there is also disabled, so a skin can leave a button out.

#include <QWidget>
#include <string_view>

#include "ui/skin/png_button.h"
#include "ui/skin/prepared_surfaces.h"
#include "ui/skin/skin_file.h"

namespace quorlin::ui {

// To the key's rectangle.
void PlaceControl(QWidget* control, const SkinFile& skin, std::string_view section,
                  std::string_view key);
// To the key's position, keeping the control's size.
void PlaceControlAt(QWidget* control, const SkinFile& skin, std::string_view section,
                    std::string_view key);
// To the key's rectangle, with the five surfaces seen from the key's origin.
void PlaceImageButton(CPngButton* button, const SkinFile& skin, std::string_view section,
                      std::string_view key, const ButtonSurfaces& surfaces);
// To the rectangle of `key`, showing `surface` from the origin given by
// `origin_key` of `origin_section` in every state.
void PlaceArrowButton(CPngButton* button, const SkinFile& skin, std::string_view section,
                      std::string_view key, std::string_view origin_section,
                      std::string_view origin_key, const QPixmap* surface);

}  // namespace quorlin::ui
