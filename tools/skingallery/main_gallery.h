#pragma once

#include <filesystem>
#include <memory>

#include "gallery_dialog.h"
#include "gallery_text.h"

namespace quorlin::gallery {

// The main window with every control in place. The lighting panel shows the
// controls of one effect at a time, as the real window does.
class MainGallery {
 public:
  MainGallery(const std::filesystem::path& skin_dir, const GalleryText& text);
  GalleryDialog& dialog() { return *dialog_; }

  void SetFlip(int flip);
  // 0 closes the lighting view; 1 (wave), 17 (preset colours) and 20 (user
  // colours) show their control groups and colour the keys.
  void ShowLighting(int mode);
  // The state a user sees most: a profile and a rate chosen, some keys with
  // functions of their own.
  void SetEverydayState();

 private:
  void PlaceButtons();
  void PlacePanel(const GalleryText& text);
  void SetCaptions(const GalleryText& text);
  void ShowGroup(std::initializer_list<const char*> keys, bool shown);

  std::unique_ptr<GalleryDialog> dialog_;
  const ui::PreparedSurfaces* surfaces_ = nullptr;
  const ui::PreparedSurfaces* pictures_ = nullptr;
};

bool WriteMainGallery(const std::filesystem::path& skin_dir, const GalleryText& text,
                      const std::filesystem::path& out);

}  // namespace quorlin::gallery
