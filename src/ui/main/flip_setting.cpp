#include "ui/main/flip_setting.h"

#include <charconv>
#include <string>

namespace quorlin::ui {
namespace {

using platform::kAppSettingsKeyPath;
using platform::kProfilesSection;

}  // namespace

int ReadFlipSetting(const platform::SettingsStore& settings) {
  const auto text = settings.ReadText(kAppSettingsKeyPath, kProfilesSection, kFlipValueName);
  if (!text) return 0;
  int value = 0;
  const char* end = text->data() + text->size();
  const auto [ptr, ec] = std::from_chars(text->data(), end, value);
  // A hand-edited or broken value never turns into a layout that does not
  // exist: anything but exactly 1 is the standard layout.
  return ec == std::errc() && ptr == end && value == 1 ? 1 : 0;
}

void WriteFlipSetting(platform::SettingsStore& settings, int flip) {
  const int stored = flip == 1 ? 1 : 0;
  settings.WriteText(kAppSettingsKeyPath, kProfilesSection, kFlipValueName, std::to_string(stored));
}

int ToggleFlipSetting(platform::SettingsStore& settings) {
  const int flip = ReadFlipSetting(settings) == 1 ? 0 : 1;
  WriteFlipSetting(settings, flip);
  return flip;
}

}  // namespace quorlin::ui
