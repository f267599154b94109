#pragma once
// One Skin file: the pictures of a window (section "SCREEN") and the
// rectangles of its controls. The file is read once when the object is made;
// a window makes one each time it initialises, so edits to the file are seen
// the next time the window opens.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ini_file.h"
#include "ui/skin/picture_extent.h"
#include "ui/skin/skin_rect.h"

namespace quorlin::ui {

// The Skins folder of this program: beside the executable in a build tree,
// under the installed data folder otherwise.
std::filesystem::path DefaultSkinDir();

class SkinFile {
 public:
  // Pictures are found relative to `skin_dir`; by default the file's folder.
  // A file that cannot be read has no keys (LoadError() says why).
  explicit SkinFile(std::filesystem::path file, std::optional<std::filesystem::path> skin_dir = {});

  const std::filesystem::path& file() const { return file_; }
  const std::filesystem::path& dir() const { return dir_; }

  // A value of section "SCREEN"; an empty value counts as absent.
  std::optional<std::string> ScreenValue(std::string_view key) const;
  // The background picture. Without a "Main" value (or without a readable
  // file) this is the Skin file itself, which no picture loader opens: the
  // failure then names the file at fault.
  std::filesystem::path BackgroundPath() const;
  // The outline picture: "Mask", else the background.
  std::filesystem::path MaskPath() const;
  // The address of the main window's web link, cut to 259 characters.
  std::optional<std::string> Link() const;

  // The rectangle of a key, clamped to the window (see ClampSkinRect); a
  // missing key gives (1, 1, 1, 1).
  SkinRect Rect(std::string_view section, std::string_view key) const;
  // The window's size: the background picture's, or kLargestWindowSide
  // square when its header cannot be read.
  PictureExtent Window() const { return window_; }
  // Empty when the file was read.
  const std::string& LoadError() const { return load_error_; }
  SkinRect ButtonRect(std::string_view key) const;
  bool HasKey(std::string_view section, std::string_view key) const;

 private:
  std::filesystem::path file_;
  std::filesystem::path dir_;
  platform::IniFile ini_;
  std::string load_error_;
  PictureExtent window_;
};

// Why a Skin file cannot give a window its look ("" when it can): the
// system's reason it cannot be read, or the missing background entry.
std::string SkinFileProblem(const std::filesystem::path& file);

}  // namespace quorlin::ui
