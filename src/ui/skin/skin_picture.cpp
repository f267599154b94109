#include "ui/skin/skin_picture.h"

#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <cmath>

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

std::optional<QImage> TryLoadScaledSkinImage(const std::filesystem::path& file, double scale,
                                             std::string* why) {
  if (scale > 1) {
    std::filesystem::path twin = file;
    twin.replace_filename(TwiceSizeName(file.filename().string()));
    std::error_code ec;
    QImageReader plain(QStringFromPath(file));
    const QSize plain_size = plain.size();
    if (std::filesystem::exists(twin, ec) && plain_size.isValid()) {
      std::optional<QImage> image = TryLoadSkinImage(twin, nullptr);
      // A twin of another size would put every button's piece in the wrong
      // place: the plain picture is shown then.
      if (image && image->size() == plain_size * 2) {
        if (scale < 2) {
          const QSize target(static_cast<int>(std::lround(plain_size.width() * scale)),
                             static_cast<int>(std::lround(plain_size.height() * scale)));
          *image = image->scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        image->setDevicePixelRatio(std::min(scale, 2.0));
        return image;
      }
    }
  }
  return TryLoadSkinImage(file, why);
}

QImage LoadScaledSkinImage(const std::filesystem::path& file, double scale) {
  std::string why;
  std::optional<QImage> image = TryLoadScaledSkinImage(file, scale, &why);
  if (!image) FailOnSkinPicture(file, why);
  return std::move(*image);
}

QPixmap LoadScaledSkinPixmap(const std::filesystem::path& file, double scale) {
  return QPixmap::fromImage(LoadScaledSkinImage(file, scale));
}

QSize LogicalSize(const QPixmap& picture) {
  return picture.deviceIndependentSize().toSize();
}

}  // namespace quorlin::ui
