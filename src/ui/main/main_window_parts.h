#pragma once
// What the main window's source files share: the text conversion and the
// web buttons beside the language picker.

#include <QString>
#include <string_view>

#include "ui/main/main_window_ids.h"

namespace quorlin::ui::main_window_parts {

inline QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

// The SCREEN keys of the three web buttons beside the language picker.
struct WebButton {
  int id;
  const char* placement_key;
  const char* address_key;
};
inline constexpr WebButton kWebButtons[] = {
    {main_ids::kIdWebSite, "CONTROL_Network", "Network"},
    {main_ids::kIdSocial1, "CONTROL_Facebook", "Facebook"},
    {main_ids::kIdSocial2, "CONTROL_twitter", "Twitter"},
};

}  // namespace quorlin::ui::main_window_parts
