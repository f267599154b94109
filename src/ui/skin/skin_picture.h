#pragma once
// Loading the skin's pictures (JPEG, BMP, PNG, GIF), by content rather than
// by file name extension.

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorlin::ui {

QString QStringFromPath(const std::filesystem::path& path);

// The name of a picture's twice-size twin, drawn for high-density screens:
// "main_bg.jpg" -> "main_bg@2x.jpg" (a name without an extension gets the
// suffix at its end).
inline std::string TwiceSizeName(std::string_view file) {
  const std::size_t slash = file.find_last_of("/\\");
  const std::size_t dot = file.rfind('.');
  const bool has_extension =
      dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
  if (!has_extension) return std::string(file) + "@2x";
  return std::string(file.substr(0, dot)) + "@2x" + std::string(file.substr(dot));
}

// The picture, or nothing with the reason in `why`.
std::optional<QImage> TryLoadSkinImage(const std::filesystem::path& file, std::string* why);

// The picture; a file that is missing or cannot be decoded ends the program
// (FailOnSkinPicture).
QImage LoadSkinImage(const std::filesystem::path& file);
QPixmap LoadSkinPixmap(const std::filesystem::path& file);

// The picture for a skin scale (see skin_scale.h), with the scale as its
// device pixel ratio: above 1 its twice-size twin when the skin has one of
// exactly twice the size, smoothly scaled down to a scale below 2; else the
// plain picture at ratio 1, so a skin with only plain pictures keeps working
// picture by picture. A missing or broken plain picture ends the program.
QImage LoadScaledSkinImage(const std::filesystem::path& file, double scale);
// The same without ending the program: nothing, with the reason, when the
// plain picture cannot be read (a change of scale keeps what it has then).
std::optional<QImage> TryLoadScaledSkinImage(const std::filesystem::path& file, double scale,
                                             std::string* why);
QPixmap LoadScaledSkinPixmap(const std::filesystem::path& file, double scale);
// The same into `into`, reusing its memory when the picture has its size and
// format: a run of full-size pictures then costs one buffer, not one each.
bool ReadScaledSkinImage(const std::filesystem::path& file, double scale, QImage& into,
                         std::string* why);
void LoadScaledSkinImageInto(const std::filesystem::path& file, double scale, QImage& into);

// The scale to read a picture at that buttons cut their pieces from at
// `scale`: between 1 and 2 the twice-size twin as it is, each piece being
// scaled smoothly as it is drawn. Scaling a dozen full-size pictures to 150 %
// costs more than the rest of the window's start together; the pieces
// cover a fraction of them.
inline double CuttingScale(double scale) {
  return scale > 1 ? 2.0 : 1.0;
}

// A picture's size in logical pixels.
QSize LogicalSize(const QPixmap& picture);

}  // namespace quorlin::ui
