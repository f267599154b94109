#include "ui/main/main_view_parts.h"

#include "ui/skin/skin_catalogue.h"
#include "ui/skin/skin_picture.h"

namespace quorlin::ui {
namespace {

namespace catalogue = skin_catalogue;

MainSurfaceSet SetFrom(const PreparedSurfaces& prepared, const catalogue::StatePictureSet& set) {
  return {prepared.Find(set.normal), prepared.Find(set.over), prepared.Find(set.down),
          prepared.Find(set.disabled)};
}

}  // namespace

MainSurfaces MainSurfacesFrom(const PreparedSurfaces& prepared) {
  return {SetFrom(prepared, catalogue::kMainSet), SetFrom(prepared, catalogue::kMainFlipSet),
          prepared.Find(catalogue::kMainArrows)};
}

MainSurfaceLoad::MainSurfaceLoad(const std::filesystem::path& skin_dir) {
  std::vector<std::string> files =
      catalogue::DistinctFiles({catalogue::kMainSet, catalogue::kMainFlipSet});
  files.emplace_back(catalogue::kMainArrows);
  for (const std::string& file : files) pictures_.emplace(file, LoadSkinPixmap(skin_dir / file));
}

const QPixmap* MainSurfaceLoad::Find(std::string_view file) const {
  const auto it = pictures_.find(file);
  return it == pictures_.end() ? nullptr : &it->second;
}

MainSurfaces MainSurfaceLoad::Surfaces() const {
  auto set = [this](const catalogue::StatePictureSet& s) {
    return MainSurfaceSet{Find(s.normal), Find(s.over), Find(s.down), Find(s.disabled)};
  };
  return {set(catalogue::kMainSet), set(catalogue::kMainFlipSet), Find(catalogue::kMainArrows)};
}

}  // namespace quorlin::ui
