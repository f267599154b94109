#include "gallery_text.h"

namespace quorlin::gallery {

GalleryText::GalleryText(const std::filesystem::path& language_file) {
  std::string error;
  platform::IniFile::Load(language_file, &file_, &error);
}

QString GalleryText::Lookup(std::string_view section, std::string_view key) const {
  return QString::fromStdString(file_.GetString(section, key, "#Error", 2048));
}

}  // namespace quorlin::gallery
