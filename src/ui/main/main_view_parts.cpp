#include "ui/main/main_view_parts.h"

#include "ui/skin/skin_catalogue.h"

namespace quorlin::ui {
namespace {

namespace catalogue = skin_catalogue;

MainSurfaceSet SetFrom(const PreparedSurfaces& prepared, const catalogue::StatePictureSet& set) {
  return {prepared.Find(set.normal), prepared.Find(set.over), prepared.Find(set.down),
          prepared.Find(set.disabled)};
}

}  // namespace

std::vector<std::string> MainSurfaceFiles() {
  std::vector<std::string> files =
      catalogue::DistinctFiles({catalogue::kMainSet, catalogue::kMainFlipSet});
  files.emplace_back(catalogue::kMainArrows);
  files.emplace_back(catalogue::kMainColour0);
  files.emplace_back(catalogue::kMainColour1);
  return files;
}

MainSurfaces MainSurfacesFrom(const PreparedSurfaces& prepared) {
  return {SetFrom(prepared, catalogue::kMainSet), SetFrom(prepared, catalogue::kMainFlipSet),
          prepared.Find(catalogue::kMainArrows)};
}

}  // namespace quorlin::ui
