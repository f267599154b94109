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
// The full-window state pictures of `window`, by name: each file (relative
// to `skin_dir`) is checked, not kept. A surface found here stands for its
// picture: a button given it shows its own piece (StatePiece), cut when
// first drawn and kept packed for the process, black past the picture's
// edges. A whole window's pictures at twice the size were over a hundred
// megabytes; its buttons' pieces, packed, are a few hundred kilobytes.
// Later calls for the same window return the same surfaces without reading
// anything. A picture that cannot be read ends the program.
const PreparedSurfaces& PrepareStateSurfaces(std::string_view window,
                                             const std::filesystem::path& skin_dir,
                                             const std::vector<std::string>& files,
                                             QSize client_size);

// Small pictures shown at their own size (the lighting panel's), prepared
// once per process under `group` like the state surfaces.
const PreparedSurfaces& PrepareSkinPictures(std::string_view group,
                                            const std::filesystem::path& skin_dir,
                                            const std::vector<std::string>& files);

// The piece of a state picture (from PrepareStateSurfaces) that a button
// whose pictures start at `origin` shows at `size`, both logical; nullptr for
// a surface that is not one. It stays put: a change of scale cuts it again
// in place. Until CutWaitingStatePieces it may be empty.
const QPixmap* StatePiece(const QPixmap* surface, QPoint origin, QSize size);
// Cuts every piece asked for since, reading each picture once.
void CutWaitingStatePieces();

// Every prepared surface read again at the skin's current scale (see
// skin_scale.h), in place; every state piece is cut again when next drawn.
void RescalePreparedSurfaces();

// How many picture files have been decoded into surfaces so far.
int PreparedPictureLoads();

}  // namespace quorlin::ui
