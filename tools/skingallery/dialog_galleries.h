#pragma once

#include <filesystem>

#include "gallery_text.h"

namespace quorlin::gallery {

bool WriteEditorGallery(const std::filesystem::path& skin_dir, const GalleryText& text,
                        const std::filesystem::path& out);
bool WriteProfileGallery(const std::filesystem::path& skin_dir, const GalleryText& text,
                         const std::filesystem::path& out);
bool WriteUpdateGallery(const std::filesystem::path& skin_dir, const std::filesystem::path& out);

}  // namespace quorlin::gallery
