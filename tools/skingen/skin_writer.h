#pragma once
// Writing the skin's files.

#include <QImage>
#include <filesystem>
#include <string>

#include "skin_window.h"

namespace quorlin::skingen {

inline constexpr int kJpegQuality = 90;

// False with a message on standard error when the file cannot be written.
bool SaveJpeg(const QImage& image, const std::filesystem::path& file);
bool SavePng(const QImage& image, const std::filesystem::path& file);
bool SaveImageWithAlpha(const QImage& image, const std::filesystem::path& file);
bool SaveBmp(const QImage& image, const std::filesystem::path& file);

// The Skin file of a window: its pictures, then one rectangle per control.
std::string SkinFileText(const SkinWindow& window);
bool WriteTextFile(const std::filesystem::path& file, const std::string& text);

}  // namespace quorlin::skingen
