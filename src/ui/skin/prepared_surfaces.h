#pragma once
// Prepared pictures: each skin picture a window shows is decoded once per
// process into a surface ready for drawing, so painting never decodes. The
// surfaces of a window outlive the window; opening it again reuses them.

#include <QPixmap>
#include <QSize>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/skin/skin_catalogue.h"

namespace quorlin::ui {

// One window's prepared pictures, by file name.
class PreparedSurfaces {
 public:
  // The surface of a file that was prepared; nullptr for any other name.
  const QPixmap* Find(std::string_view file) const;
  std::size_t size() const { return surfaces_.size(); }

 private:
  friend class SurfaceRegistry;
  std::map<std::string, QPixmap, std::less<>> surfaces_;
  std::filesystem::path dir_;
  std::optional<QSize> padded_to_;
};

// The five surfaces an image button shows (not owned; any may be null).
struct ButtonSurfaces {
  const QPixmap* normal = nullptr;
  const QPixmap* over = nullptr;
  const QPixmap* down = nullptr;
  const QPixmap* disabled = nullptr;
  const QPixmap* selected = nullptr;
};
ButtonSurfaces SurfacesOf(const PreparedSurfaces& surfaces,
                          const skin_catalogue::StatePictureSet& set);
// One surface for all five states (the arrow buttons).
ButtonSurfaces SameSurface(const QPixmap* surface);

// Surfaces are prepared at the skin's scale (skin_scale.h) and carry it as
// their device pixel ratio.
//
// The full-window state pictures of `window`: on the first call each file
// (relative to `skin_dir`) is drawn at (0, 0) onto a surface as large as
// the window's client area plus 100 (logical) pixels each way, so a button near an
// edge never reads outside it. Later calls for the same window return the
// same surfaces without reading anything. A picture that cannot be loaded
// ends the program.
const PreparedSurfaces& PrepareStateSurfaces(std::string_view window,
                                             const std::filesystem::path& skin_dir,
                                             const std::vector<std::string>& files,
                                             QSize client_size);

// Small pictures shown at their own size (the lighting panel's), prepared
// once per process under `group` like the state surfaces.
const PreparedSurfaces& PrepareSkinPictures(std::string_view group,
                                            const std::filesystem::path& skin_dir,
                                            const std::vector<std::string>& files);

// Every prepared surface read again at the skin's current scale (see
// skin_scale.h), in place.
void RescalePreparedSurfaces();

// How many picture files have been decoded into surfaces so far.
int PreparedPictureLoads();

}  // namespace quorlin::ui
