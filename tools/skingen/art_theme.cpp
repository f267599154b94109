#include "art_theme.h"

namespace quorlin::skingen {

QFont SkinFont(double pixel_size, Weight weight, bool condensed) {
  QFont font(condensed ? QStringLiteral("DejaVu Sans Condensed") : QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(static_cast<int>(pixel_size + 0.5));
  font.setWeight(weight == Weight::kBold ? QFont::Bold : QFont::Normal);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

}  // namespace quorlin::skingen
