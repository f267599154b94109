#include "ui/main/main_view_parts.h"

#include "ui/main/button_cutouts.h"
#include "ui/skin/skin_catalogue.h"
#include "ui/skin/skin_picture.h"
#include "ui/skin/skin_scale.h"

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
          prepared.Find(catalogue::kMainArrows), nullptr};
}

MainSurfaceLoad::MainSurfaceLoad(std::filesystem::path skin_dir) : skin_dir_(std::move(skin_dir)) {
  std::vector<std::string> files =
      catalogue::DistinctFiles({catalogue::kMainSet, catalogue::kMainFlipSet});
  files.emplace_back(catalogue::kMainArrows);
  for (const std::string& file : files) stand_ins_.emplace(file, QPixmap());
}

const QPixmap* MainSurfaceLoad::Find(std::string_view file) const {
  const auto it = stand_ins_.find(file);
  return it == stand_ins_.end() ? nullptr : &it->second;
}

void MainSurfaceLoad::FillPieces(std::initializer_list<ButtonCutouts*> cutouts) const {
  QImage picture;  // one buffer for all: they are each the window's size
  for (const auto& [file, stand_in] : stand_ins_) {
    LoadScaledSkinImageInto(skin_dir_ / file, CuttingScale(SkinScale()), picture);
    for (ButtonCutouts* c : cutouts) c->Fill(&stand_in, picture, skin_dir_ / file);
  }
}

MainSurfaces MainSurfaceLoad::Surfaces() const {
  auto set = [this](const catalogue::StatePictureSet& s) {
    return MainSurfaceSet{Find(s.normal), Find(s.over), Find(s.down), Find(s.disabled)};
  };
  return {set(catalogue::kMainSet), set(catalogue::kMainFlipSet), Find(catalogue::kMainArrows),
          this};
}

}  // namespace quorlin::ui
