#pragma once

#include <filesystem>

namespace quorlin::skingen {

// The three notification icons at every size the window hands the tray.
bool WriteTrayIcons(const std::filesystem::path& dir);

}  // namespace quorlin::skingen
