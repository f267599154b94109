#pragma once
// Loading the skin's pictures (JPEG, BMP, PNG, GIF), by content rather than
// by file name extension.

#include <QImage>
#include <QPixmap>
#include <QString>
#include <filesystem>
#include <optional>
#include <string>

namespace quorlin::ui {

QString QStringFromPath(const std::filesystem::path& path);

// The picture, or nothing with the reason in `why`.
std::optional<QImage> TryLoadSkinImage(const std::filesystem::path& file, std::string* why);

// The picture; a file that is missing or cannot be decoded ends the program
// (FailOnSkinPicture).
QImage LoadSkinImage(const std::filesystem::path& file);
QPixmap LoadSkinPixmap(const std::filesystem::path& file);

}  // namespace quorlin::ui
