#pragma once

#include <filesystem>

namespace quorlin::skingen {

// The three notification icons at every size the window hands the tray,
// drawn at `scale` (see ScaledCanvas).
bool WriteTrayIcons(const std::filesystem::path& dir, double scale);

}  // namespace quorlin::skingen
