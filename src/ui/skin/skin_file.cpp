#include "ui/skin/skin_file.h"

#include <utility>

#include "platform/user_folders.h"
#include "ui/skin/skin_catalogue.h"
#include "ui/skin/skin_families.h"

namespace quorlin::ui {
namespace {

// The reader's buffers: 2047 characters for the pictures, 260 for the rest.
constexpr std::size_t kScreenBufferSize = 2048;

std::filesystem::path PathFromUtf8(std::string_view text) {
  std::u8string u8(text.size(), u8'\0');
  for (std::size_t i = 0; i < text.size(); ++i) u8[i] = static_cast<char8_t>(text[i]);
  return std::filesystem::path(u8);
}

}  // namespace

std::filesystem::path DefaultSkinDir() {
  return platform::ProgramDataDir() / skin_catalogue::kFolderName;
}

SkinFile::SkinFile(std::filesystem::path file, std::optional<std::filesystem::path> skin_dir)
    : file_(std::move(file)), dir_(skin_dir ? std::move(*skin_dir) : file_.parent_path()) {
  // A missing file leaves no keys.
  if (platform::IniFile::Load(file_, &ini_, &load_error_) == platform::ReadStatus::kMissing) {
    load_error_ = file_.string() + ": no such file";
  }
  window_ = PictureExtentOfFile(BackgroundPath())
                .value_or(PictureExtent{kLargestWindowSide, kLargestWindowSide});
}

std::optional<std::string> SkinFile::ScreenValue(std::string_view key) const {
  std::string value = ini_.GetString(skin_families::kScreenSection, key, "", kScreenBufferSize);
  if (value.empty()) return std::nullopt;
  return value;
}

std::filesystem::path SkinFile::BackgroundPath() const {
  std::optional<std::string> name = ScreenValue("Main");
  if (!name) return file_;
  return dir_ / PathFromUtf8(*name);
}

std::filesystem::path SkinFile::MaskPath() const {
  std::optional<std::string> name = ScreenValue("Mask");
  if (!name) return BackgroundPath();
  return dir_ / PathFromUtf8(*name);
}

std::optional<std::string> SkinFile::Link() const {
  std::string value = ini_.GetString(skin_families::kScreenSection, "Link", "");
  if (value.empty()) return std::nullopt;
  return value;
}

SkinRect SkinFile::Rect(std::string_view section, std::string_view key) const {
  return ClampSkinRect(ParseSkinRect(ini_.GetString(section, key, kMissingRectText)), window_.width,
                       window_.height);
}

SkinRect SkinFile::ButtonRect(std::string_view key) const {
  return Rect(skin_families::kButtonSection, key);
}

bool SkinFile::HasKey(std::string_view section, std::string_view key) const {
  return ini_.Find(section, key).has_value();
}

std::string SkinFileProblem(const std::filesystem::path& file) {
  const SkinFile skin(file);
  if (!skin.LoadError().empty()) return skin.LoadError();
  if (!skin.ScreenValue("Main")) {
    return file.string() + ": no background picture (key Main of section " +
           std::string(skin_families::kScreenSection) + ")";
  }
  return {};
}

}  // namespace quorlin::ui
