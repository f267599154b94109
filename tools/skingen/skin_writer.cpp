#include "skin_writer.h"

#include <QImageWriter>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "ui/skin/skin_families.h"
#include "ui/skin/skin_picture.h"

namespace quorlin::skingen {
namespace {

namespace families = ui::skin_families;

bool Save(const QImage& image, const std::filesystem::path& file, const char* format, int quality) {
  QImageWriter writer(QString::fromStdString(file.string()), format);
  if (quality >= 0) writer.setQuality(quality);
  if (writer.write(image)) return true;
  std::fprintf(stderr, "skingen: cannot write %s: %s\n", file.string().c_str(),
               writer.errorString().toStdString().c_str());
  return false;
}

void WriteRect(std::ostringstream& out, const std::string& key, const QRect& r) {
  out << key << '=' << r.x() << ',' << r.y() << ',' << r.width() << ',' << r.height() << "\r\n";
}

}  // namespace

std::string ScaledFileName(std::string_view file, double scale) {
  return scale == 1 ? std::string(file) : ui::TwiceSizeName(file);
}

bool SaveJpeg(const QImage& image, const std::filesystem::path& file) {
  return Save(image, file, "jpg", kJpegQuality);
}

bool SavePng(const QImage& image, const std::filesystem::path& file) {
  return Save(image.convertToFormat(QImage::Format_Grayscale8), file, "png", -1);
}

bool SaveImageWithAlpha(const QImage& image, const std::filesystem::path& file) {
  return Save(image, file, "png", -1);
}

bool SaveBmp(const QImage& image, const std::filesystem::path& file) {
  return Save(image.convertToFormat(QImage::Format_RGB888), file, "bmp", -1);
}

std::string SkinFileText(const SkinWindow& window) {
  std::ostringstream out;
  out << "; Default skin: the " << window.title << ".\r\n"
      << "; Made by skingen from its layout table; edit the table, not this file.\r\n"
      << "; A control's value is x,y,width,height in the window's client pixels; an image\r\n"
      << "; button shows each state picture from (x - 1, y - 1).\r\n\r\n";
  out << '[' << families::kScreenSection << "]\r\n";
  out << "Main=" << window.background << "\r\n";
  out << "Mask=" << window.mask << "\r\n";
  if (!window.link.empty()) out << "Link=" << window.link << "\r\n";
  out << "\r\n[" << families::kButtonSection << "]\r\n";
  out << "; Image buttons\r\n";
  for (const ImageButton& b : window.buttons) WriteRect(out, b.key, b.rect);
  out << "; Other controls\r\n";
  for (const PlacedControl& c : window.placed) WriteRect(out, c.key, c.rect);
  if (!window.arrow_origins.empty()) {
    out << "\r\n[" << families::kArrowSection << "]\r\n";
    out << "; Picture origins of the arrow buttons in the arrow picture\r\n";
    for (const PlacedControl& c : window.arrow_origins) WriteRect(out, c.key, c.rect);
  }
  return out.str();
}

bool WriteTextFile(const std::filesystem::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (out) return true;
  std::fprintf(stderr, "skingen: cannot write %s\n", file.string().c_str());
  return false;
}

}  // namespace quorlin::skingen
