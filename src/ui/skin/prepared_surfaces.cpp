#include "ui/skin/prepared_surfaces.h"

#include <QCoreApplication>
#include <QImageReader>
#include <QPainter>
#include <memory>
#include <tuple>
#include <unordered_map>

#include "ui/skin/packed_pieces.h"
#include "ui/skin/picture_piece.h"
#include "ui/skin/skin_failure.h"
#include "ui/skin/skin_picture.h"
#include "ui/skin/skin_scale.h"

namespace quorlin::ui {

// The process's prepared surfaces. Pixmaps must go before the application
// object does, so the registry empties itself when the application ends;
// the registry itself is never destroyed, as static objects may be
// destroyed before the application object.
class SurfaceRegistry {
 public:
  static SurfaceRegistry& Instance() {
    static SurfaceRegistry* registry = new SurfaceRegistry;
    return *registry;
  }

  const PreparedSurfaces& Prepare(std::string_view name, const std::filesystem::path& dir,
                                  const std::vector<std::string>& files, const QSize* padded_to) {
    auto found = sets_.find(name);
    if (found != sets_.end()) return *found->second;
    auto set = std::make_unique<PreparedSurfaces>();
    set->dir_ = dir;
    if (padded_to) set->padded_to_ = *padded_to;
    for (const std::string& file : files) {
      if (!padded_to) {
        // Kept packed: a control shows one of its pictures at a time.
        PackPiece(set->surfaces_[file] = Load(*set, file));
        continue;
      }
      // A window's state picture is only named here: its buttons' pieces
      // are cut from it when first drawn. It is checked now, so a missing
      // picture still ends the program as the window opens.
      CheckReadable(dir / file);
      const QPixmap& stand_in = set->surfaces_[file];
      stand_ins_[&stand_in] = {set.get(), file};
    }
    if (sets_.empty()) qAddPostRoutine(&SurfaceRegistry::ClearAll);
    return *sets_.emplace(std::string(name), std::move(set)).first->second;
  }

  // The piece of a state picture a button at `origin` of `size` shows;
  // asked for first, it waits to be cut. nullptr for any other surface.
  const QPixmap* Piece(const QPixmap* surface, QPoint origin, QSize size) {
    if (surface == nullptr || !stand_ins_.contains(surface)) return nullptr;
    const auto [it, added] =
        pieces_.try_emplace(PieceKey{surface, origin.x(), origin.y(), size.width(), size.height()});
    if (added) ++waiting_;
    return &it->second.pixmap;
  }

  // Cuts every waiting piece, reading each picture once; the pieces of one
  // picture are next to each other in the map.
  void CutWaiting() {
    if (waiting_ == 0) return;
    const double scale = SkinScale();
    QImage picture;  // one buffer: a window's pictures are all its size
    const QPixmap* read_for = nullptr;
    bool read = false;
    std::string why;
    for (auto& [key, piece] : pieces_) {
      if (!piece.waiting) continue;
      piece.waiting = false;
      if (key.stand_in != read_for) {
        const StandIn& s = stand_ins_.at(key.stand_in);
        read = ReadScaledSkinImage(s.set->dir_ / s.file, CuttingScale(scale), picture, &why);
        if (read) ++loads_;
        read_for = key.stand_in;
      }
      if (!read) {
        // Cut before, at another scale: shown enlarged or reduced, not lost.
        if (IsPackedPiece(&piece.pixmap)) continue;
        const StandIn& s = stand_ins_.at(key.stand_in);
        FailOnSkinPicture(s.set->dir_ / s.file, why);
      }
      piece.pixmap = CutPiece(QRect(key.x, key.y, key.w, key.h), picture, scale);
      PackPiece(piece.pixmap);
    }
    waiting_ = 0;
  }

  // Every surface again at the skin's scale, in place. A picture that can
  // no longer be read keeps its surface: shown enlarged or reduced, not lost.
  void Rescale() {
    const double scale = SkinScale();
    // Pieces are cut again, in place, when next drawn.
    for (auto& [key, piece] : pieces_) piece.waiting = true;
    waiting_ = static_cast<int>(pieces_.size());
    for (auto& [name, set] : sets_)
      for (auto& [file, surface] : set->surfaces_) {
        if (set->padded_to_) continue;  // named only
        std::optional<QImage> picture = TryLoadScaledSkinImage(set->dir_ / file, scale, nullptr);
        if (!picture) continue;
        ++loads_;
        surface = QPixmap::fromImage(*picture);
        PackPiece(surface);
      }
  }

  int loads() const { return loads_; }

 private:
  QPixmap Load(const PreparedSurfaces& set, const std::string& file) {
    const double scale = SkinScale();
    QImage picture = LoadScaledSkinImage(set.dir_ / file, scale);
    ++loads_;
    return QPixmap::fromImage(picture);
  }

  static void CheckReadable(const std::filesystem::path& file) {
    QImageReader reader(QStringFromPath(file));
    if (!reader.canRead()) FailOnSkinPicture(file, reader.errorString().toStdString());
  }

  static void ClearAll() {
    SurfaceRegistry& r = Instance();
    for (const auto& [key, piece] : r.pieces_) ForgetPiece(piece.pixmap);
    r.pieces_.clear();
    r.waiting_ = 0;
    r.stand_ins_.clear();
    for (const auto& [name, set] : r.sets_)
      for (const auto& [file, surface] : set->surfaces_) ForgetPiece(surface);
    r.sets_.clear();
  }

  struct StandIn {
    const PreparedSurfaces* set;
    std::string file;
  };
  struct PieceKey {
    const QPixmap* stand_in;
    int x, y, w, h;
    bool operator<(const PieceKey& o) const {
      return std::tie(stand_in, x, y, w, h) < std::tie(o.stand_in, o.x, o.y, o.w, o.h);
    }
  };
  struct StatePiece {
    QPixmap pixmap;
    bool waiting = true;
  };

  std::map<std::string, std::unique_ptr<PreparedSurfaces>, std::less<>> sets_;
  std::unordered_map<const QPixmap*, StandIn> stand_ins_;
  // Map nodes stay put: buttons hold pointers to the pixmaps.
  std::map<PieceKey, StatePiece> pieces_;
  int waiting_ = 0;
  int loads_ = 0;
};

const QPixmap* PreparedSurfaces::Find(std::string_view file) const {
  auto found = surfaces_.find(file);
  return found == surfaces_.end() ? nullptr : &found->second;
}

ButtonSurfaces SurfacesOf(const PreparedSurfaces& surfaces,
                          const skin_catalogue::StatePictureSet& set) {
  return {surfaces.Find(set.normal), surfaces.Find(set.over), surfaces.Find(set.down),
          surfaces.Find(set.disabled), surfaces.Find(set.selected)};
}

ButtonSurfaces SameSurface(const QPixmap* surface) {
  return {surface, surface, surface, surface, surface};
}

const PreparedSurfaces& PrepareStateSurfaces(std::string_view window,
                                             const std::filesystem::path& skin_dir,
                                             const std::vector<std::string>& files,
                                             QSize client_size) {
  return SurfaceRegistry::Instance().Prepare(window, skin_dir, files, &client_size);
}

const PreparedSurfaces& PrepareSkinPictures(std::string_view group,
                                            const std::filesystem::path& skin_dir,
                                            const std::vector<std::string>& files) {
  return SurfaceRegistry::Instance().Prepare(group, skin_dir, files, nullptr);
}

void RescalePreparedSurfaces() {
  SurfaceRegistry::Instance().Rescale();
}

const QPixmap* StatePiece(const QPixmap* surface, QPoint origin, QSize size) {
  return SurfaceRegistry::Instance().Piece(surface, origin, size);
}

void CutWaitingStatePieces() {
  SurfaceRegistry::Instance().CutWaiting();
}

int PreparedPictureLoads() {
  return SurfaceRegistry::Instance().loads();
}

}  // namespace quorlin::ui
