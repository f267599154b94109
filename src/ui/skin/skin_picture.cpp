#include "ui/skin/skin_picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <cmath>

#include "ui/skin/skin_failure.h"

namespace quorlin::ui {

QString QStringFromPath(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

namespace {

// Decodes into `into`, reusing its memory when the picture has its size and
// format.
bool ReadPicture(const std::filesystem::path& file, QImage& into, std::string* why) {
  QFile in(QStringFromPath(file));
  if (!in.open(QIODevice::ReadOnly)) {
    if (why) *why = in.errorString().toStdString();
    return false;
  }
  QBuffer bytes;
  bytes.setData(in.readAll());
  bytes.open(QIODevice::ReadOnly);
  QImageReader reader(&bytes);
  if (!reader.read(&into) || into.isNull()) {
    if (why) *why = "not a picture this program can read";
    return false;
  }
  return true;
}

}  // namespace

std::optional<QImage> TryLoadSkinImage(const std::filesystem::path& file, std::string* why) {
  QImage image;
  if (!ReadPicture(file, image, why)) return std::nullopt;
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

bool ReadScaledSkinImage(const std::filesystem::path& file, double scale, QImage& into,
                         std::string* why) {
  if (scale > 1) {
    std::filesystem::path twin = file;
    twin.replace_filename(TwiceSizeName(file.filename().string()));
    std::error_code ec;
    QImageReader plain(QStringFromPath(file));
    const QSize plain_size = plain.size();
    // A twin of another size would put every button's piece in the wrong
    // place: the plain picture is shown then.
    if (std::filesystem::exists(twin, ec) && plain_size.isValid() &&
        ReadPicture(twin, into, nullptr) && into.size() == plain_size * 2) {
      if (scale < 2) {
        const QSize target(static_cast<int>(std::lround(plain_size.width() * scale)),
                           static_cast<int>(std::lround(plain_size.height() * scale)));
        into = into.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      }
      into.setDevicePixelRatio(std::min(scale, 2.0));
      return true;
    }
  }
  if (!ReadPicture(file, into, why)) return false;
  into.setDevicePixelRatio(1);
  return true;
}

std::optional<QImage> TryLoadScaledSkinImage(const std::filesystem::path& file, double scale,
                                             std::string* why) {
  QImage image;
  if (!ReadScaledSkinImage(file, scale, image, why)) return std::nullopt;
  return image;
}

QImage LoadScaledSkinImage(const std::filesystem::path& file, double scale) {
  std::string why;
  std::optional<QImage> image = TryLoadScaledSkinImage(file, scale, &why);
  if (!image) FailOnSkinPicture(file, why);
  return std::move(*image);
}

void LoadScaledSkinImageInto(const std::filesystem::path& file, double scale, QImage& into) {
  std::string why;
  if (!ReadScaledSkinImage(file, scale, into, &why)) FailOnSkinPicture(file, why);
}

QPixmap LoadScaledSkinPixmap(const std::filesystem::path& file, double scale) {
  return QPixmap::fromImage(LoadScaledSkinImage(file, scale));
}

QSize LogicalSize(const QPixmap& picture) {
  return picture.deviceIndependentSize().toSize();
}

}  // namespace quorlin::ui
