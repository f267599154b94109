#pragma once
// Writing the skin's files.

#include <QImage>
#include <filesystem>
#include <string>
#include <string_view>

#include "skin_window.h"

namespace quorlin::skingen {

inline constexpr int kJpegQuality = 90;

// The file a picture drawn at `scale` goes to: its own name at 1, the
// twice-size twin's at 2.
std::string ScaledFileName(std::string_view file, double scale);

// False with a message on standard error when the file cannot be written.
bool SaveJpeg(const QImage& image, const std::filesystem::path& file);
bool SavePng(const QImage& image, const std::filesystem::path& file);
bool SaveImageWithAlpha(const QImage& image, const std::filesystem::path& file);
bool SaveBmp(const QImage& image, const std::filesystem::path& file);

// The Skin file of a window: its pictures, then one rectangle per control.
std::string SkinFileText(const SkinWindow& window);
bool WriteTextFile(const std::filesystem::path& file, const std::string& text);

}  // namespace quorlin::skingen
