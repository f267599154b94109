#include "ui/skin/prepared_surfaces.h"

#include <QCoreApplication>
#include <QPainter>
#include <memory>

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
    for (const std::string& file : files) set->surfaces_[file] = Load(*set, file);
    if (sets_.empty()) qAddPostRoutine(&SurfaceRegistry::ClearAll);
    return *sets_.emplace(std::string(name), std::move(set)).first->second;
  }

  // Every surface again at the skin's scale, in place. A picture that can
  // no longer be read keeps its surface: shown enlarged or reduced, not lost.
  void Rescale() {
    const double scale = SkinScale();
    for (auto& [name, set] : sets_)
      for (auto& [file, surface] : set->surfaces_) {
        std::optional<QImage> picture = TryLoadScaledSkinImage(set->dir_ / file, scale, nullptr);
        if (!picture) continue;
        ++loads_;
        surface = set->padded_to_ ? Padded(*picture, *set->padded_to_, scale)
                                  : QPixmap::fromImage(*picture);
      }
  }

  int loads() const { return loads_; }

 private:
  QPixmap Load(const PreparedSurfaces& set, const std::string& file) {
    const double scale = SkinScale();
    QImage picture = LoadScaledSkinImage(set.dir_ / file, scale);
    ++loads_;
    return set.padded_to_ ? Padded(picture, *set.padded_to_, scale) : QPixmap::fromImage(picture);
  }

  static QPixmap Padded(const QImage& picture, QSize client, double scale) {
    const QSize padded(client.width() + 100, client.height() + 100);
    QPixmap surface(QSizeF(padded.width() * scale, padded.height() * scale).toSize());
    surface.setDevicePixelRatio(scale);
    surface.fill(Qt::black);
    QPainter painter(&surface);
    // A plain picture standing in for a missing twin is enlarged smoothly.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(0, 0, picture);
    return surface;
  }

  static void ClearAll() { Instance().sets_.clear(); }

  std::map<std::string, std::unique_ptr<PreparedSurfaces>, std::less<>> sets_;
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

int PreparedPictureLoads() {
  return SurfaceRegistry::Instance().loads();
}

}  // namespace quorlin::ui
