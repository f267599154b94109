#pragma once
// Captions for the stand-in controls, from the program's English language
// file when it can be found.

#include <QString>
#include <filesystem>
#include <string_view>

#include "platform/ini_file.h"

namespace quorlin::gallery {

class GalleryText {
 public:
  explicit GalleryText(const std::filesystem::path& language_file);
  QString Text(std::string_view key) const { return Lookup("TEXT", key); }
  QString Light(std::string_view key) const { return Lookup("LIGHT", key); }
  QString Mode(int number) const { return Lookup("MODE", std::to_string(number)); }

 private:
  QString Lookup(std::string_view section, std::string_view key) const;
  platform::IniFile file_;
};

}  // namespace quorlin::gallery
