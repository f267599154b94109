#include "ui/skin/skin_picture.h"

#include <QFile>

#include "ui/skin/skin_failure.h"

namespace quorlin::ui {

QString QStringFromPath(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

std::optional<QImage> TryLoadSkinImage(const std::filesystem::path& file, std::string* why) {
  QFile in(QStringFromPath(file));
  if (!in.open(QIODevice::ReadOnly)) {
    if (why) *why = in.errorString().toStdString();
    return std::nullopt;
  }
  const QByteArray bytes = in.readAll();
  QImage image = QImage::fromData(bytes);
  if (image.isNull()) {
    if (why) *why = "not a picture this program can read";
    return std::nullopt;
  }
  return image;
}

QImage LoadSkinImage(const std::filesystem::path& file) {
  std::string why;
  std::optional<QImage> image = TryLoadSkinImage(file, &why);
  if (!image) FailOnSkinPicture(file, why);
  return std::move(*image);
}

QPixmap LoadSkinPixmap(const std::filesystem::path& file) {
  return QPixmap::fromImage(LoadSkinImage(file));
}

}  // namespace quorlin::ui
