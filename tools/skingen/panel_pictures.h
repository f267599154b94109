#pragma once
// The lighting panel's small pictures: switches, direction pairs, swatches,
// brushes, the busy indicator's frames, the slider faces and the palette.

#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

namespace quorlin::skingen {

struct NamedPicture {
  std::string file;
  QImage image;
};

// Each drawn at `scale` (1 or 2, see ScaledCanvas).
std::vector<NamedPicture> PanelPictures(double scale = 1);
// The lighting switch ("dengup.bmp" hidden, "dengdown.bmp" shown) at `scale`
// times its size.
QImage LightSwitchPicture(bool open, double scale);
// The combo box arrow and the check mark of the plain controls (with alpha).
std::vector<NamedPicture> ControlPictures(double scale = 1);
bool WritePanelPictures(const std::filesystem::path& dir, double scale);

}  // namespace quorlin::skingen
