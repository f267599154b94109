#pragma once
// What the keyboard view, the lighting panel widget and the preview display
// are built from. The main window owns every part and outlives the views.

#include <QPixmap>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "flows/program_state.h"
#include "lighting/lighting_panel.h"
#include "platform/settings_store.h"
#include "text/text_source.h"
#include "ui/main/device_jobs.h"
#include "ui/skin/prepared_surfaces.h"
#include "ui/skin/skin_file.h"

namespace quorlin::ui {

// One full-window set of state pictures: normal, hover, pressed, disabled.
struct MainSurfaceSet {
  const QPixmap* normal = nullptr;
  const QPixmap* over = nullptr;
  const QPixmap* down = nullptr;
  const QPixmap* disable = nullptr;
};

class ButtonCutouts;
class MainSurfaceLoad;

// The main window's full-window pictures. The views read them only while
// they are constructed: every button cuts its own rectangles out once, so
// the window may drop the big pictures afterwards.
struct MainSurfaces {
  MainSurfaceSet first;
  MainSurfaceSet second;  // the flip indicator's second look
  const QPixmap* arrows = nullptr;
  // Set when the pictures above are stand-ins: once the views have cut
  // their pieces, they fill them from here.
  const MainSurfaceLoad* stand_ins_for = nullptr;
};

// MainSurfaces out of pictures prepared from skin_catalogue::MainWindowFiles().
MainSurfaces MainSurfacesFrom(const PreparedSurfaces& prepared);

// The full-window pictures for the construction of the window's buttons.
// Nine of them decoded together would be the program's largest use of
// memory by far, so the buttons first cut their pieces from empty
// stand-ins (Surfaces), then FillPieces reads one picture at a time, draws
// every piece cut from it and drops it before reading the next. A picture
// that cannot be loaded ends the program, as any skin picture does.
class MainSurfaceLoad {
 public:
  explicit MainSurfaceLoad(std::filesystem::path skin_dir);
  MainSurfaces Surfaces() const;
  void FillPieces(std::initializer_list<ButtonCutouts*> cutouts) const;

 private:
  const QPixmap* Find(std::string_view file) const;
  std::filesystem::path skin_dir_;
  std::map<std::string, QPixmap, std::less<>> stand_ins_;
};

struct MainViewParts {
  // Main.ini as the window read it; the views keep a reference (the direction
  // controls are placed again whenever the mode changes).
  const SkinFile& skin;
  MainSurfaces surfaces;
  // The lighting panel's small pictures (PrepareSkinPictures of
  // skin_catalogue::PanelPictureFiles()); kept for the life of the program.
  const PreparedSurfaces& panel_pictures;
  flows::ProgramState& state;
  // Every panel call that sends frames runs as a job; the views redraw from
  // what the job returned.
  DeviceJobs& jobs;
  lighting::LightingPanel& panel;
  // Looked up again at each relabel, so a language switch shows at once.
  const text::TextSource& texts;
  // Where the flip setting lives (section "PROFILES" of the program's
  // settings).
  platform::SettingsStore& settings;
  // Opening the lighting view settles pending key changes and switches to
  // the keyboard's Active profile first; runs on the device worker, inside
  // the light switch's job. 0 refuses (the key editor is open).
  lighting::SwitchProfileFn switch_profile;
  // The keyboard's Active profile (0..2, -1 unknown): the page the key view
  // marks come from.
  std::function<int()> active_profile;
};

}  // namespace quorlin::ui
