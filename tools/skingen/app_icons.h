#pragma once
// The program's own icon (desktop menu, window list, package) in the sizes
// the hicolor icon theme expects.

#include <QImage>
#include <filesystem>

namespace quorlin::skingen {

// The icon drawn for one square size in pixels.
QImage AppIcon(int size);

// Writes <dir>/<N>x<N>/apps/quorlin.png for every theme size.
bool WriteAppIcons(const std::filesystem::path& dir);

// The "--app-icons DIR" mode of the generator: sets up Qt and writes them.
int AppIconsMain(int argc, char** argv, const std::filesystem::path& dir);

}  // namespace quorlin::skingen
