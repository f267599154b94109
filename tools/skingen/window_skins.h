#pragma once
// The four windows of the default skin.

#include <QImage>
#include <string>
#include <vector>

#include "skin_window.h"

namespace quorlin::skingen {

// Main window variants: the second picture set shows the flip indicator
// with the top-row alternates active.
inline constexpr Variant kMainFlipped = 1;
SkinWindow MainWindowSkin();
// The picture of the two arrow buttons: every frame the Skin file names in
// section BUTTONINFO2, each drawn over the window at its arrow's place.
QImage MainArrowPicture(const SkinWindow& main, double scale = 1, QSize* size_out = nullptr);

// Key editor variants: one per page picture set.
enum EditorPage : Variant { kKeyPage = 0, kMacroPage, kMacroOnly, kMediaPage, kFunctionPage };
SkinWindow CompositeSkin();

SkinWindow ProfileSkin();
SkinWindow UpdateSkin();
SkinWindow AutoProfileSkin();

}  // namespace quorlin::skingen
