#pragma once
// The main window's views on a skinned window, wired to a simulated
// keyboard, a fresh data folder and settings file, and the shipped skin and
// language files. Jobs run inline, so a control's frames are on the wire
// when the click returns.

#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <memory>
#include <vector>

#include "device/frame.h"
#include "device/sim_link.h"
#include "flows/program_state.h"
#include "lighting/lighting_panel.h"
#include "lighting/user_lighting_files.h"
#include "platform/settings_store.h"
#include "platform/temp_folder.h"
#include "text/language.h"
#include "ui/main/main_views.h"
#include "ui/skin/base_dialog.h"
#include "ui/skin/prepared_surfaces.h"
#include "ui/skin/skin_catalogue.h"

namespace quorlin::ui::testing {

inline const std::filesystem::path kSkinDir = QUORLIN_SKIN_DIR;

inline void EnsureApplication() {
  if (QApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "ui_views_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

// One frame the keyboard received: header, and the data of writes.
struct Wire {
  uint8_t command = 0;
  uint16_t address = 0;
  std::vector<uint8_t> data;
  friend bool operator==(const Wire&, const Wire&) = default;
  friend std::ostream& operator<<(std::ostream& os, const Wire& w) {
    os << "{cmd " << int{w.command} << " @" << w.address;
    for (uint8_t b : w.data) os << ' ' << int{b};
    return os << '}';
  }
};

// A keyboard, its data folder and a lighting panel, without any window:
// also the twin that shows what the controller alone sends.
struct KeyboardSide {
  KeyboardSide()
      : settings(folder.path() / "settings.ini"),
        texts(QUORLIN_DATA_DIR, settings, [] { return 0x0409u; }),
        paths(lighting::MakeUserLightingPaths(folder.path() / "data", QUORLIN_DATA_DIR)),
        panel(state.lighting, sim.link, paths) {
    EXPECT_TRUE(sim.Connect());
    EXPECT_TRUE(lighting::PrepareDataFolderOnFirstRun(paths));
  }

  // Reads `slot`'s lighting as a profile button does, then forgets the frames.
  void ReadSlot(int slot) {
    state.lighting.edited_slot = slot;
    EXPECT_EQ(panel.ReadLighting({lighting::ViewFlagFromFile::kExact, true}), device::kOk);
    sim.backend.ClearReceivedFrames();
  }

  std::vector<Wire> Sent() const {
    std::vector<Wire> out;
    for (const auto& f : sim.backend.ReceivedFrames()) {
      const device::FrameHeader h = device::ReadFrameHeader(f);
      Wire w{h.command, h.address, {}};
      if (h.command == device::cmd::kWriteLighting || h.command == device::cmd::kWriteKeyColours)
        w.data.assign(f.begin() + 8, f.begin() + 8 + h.length);
      out.push_back(w);
    }
    return out;
  }
  void Forget() { sim.backend.ClearReceivedFrames(); }

  device::testing::SimLink sim;
  TempFolder folder;
  platform::IniSettingsStore settings;
  text::LanguageFiles texts;
  flows::ProgramState state;
  lighting::UserLightingPaths paths;
  lighting::LightingPanel panel;
};

// The window with the views on it.
struct ViewsFixture : KeyboardSide {
  explicit ViewsFixture(std::filesystem::path skin_file = kSkinDir / "Main.ini") {
    EnsureApplication();
    window = std::make_unique<CBaseDialog>(nullptr, skin_file, kSkinDir);
    window->LoadDialogSkin();
    skin = std::make_unique<SkinFile>(skin_file, kSkinDir);
    // As the window does: the big pictures only while the views are made.
    const MainSurfaceLoad surfaces(kSkinDir);
    const PreparedSurfaces& pictures =
        PrepareSkinPictures("MainPanel", kSkinDir, skin_catalogue::PanelPictureFiles());
    ReadSlot(0);
    MainViewParts parts{*skin,
                        surfaces.Surfaces(),
                        pictures,
                        state,
                        jobs,
                        panel,
                        texts,
                        settings,
                        [this](int) { return ++switches, 1; },
                        [this] { return sim.link.ActiveProfile(); }};
    views = std::make_unique<MainViews>(window.get(), parts);
  }
  ~ViewsFixture() {
    views.reset();
    window.reset();
  }

  KeyboardView& keys() { return views->Keyboard(); }
  LightingPanelWidget& panel_widget() { return views->Panel(); }
  template <typename W>
  W* control(int id) {
    return qobject_cast<W*>(panel_widget().Control(id));
  }
  // The list position of `mode` in the mode list.
  int PositionOf(int mode) const {
    return lighting::PositionOfMode(state.lighting.modes, mode).value_or(-1);
  }

  // The colour drawn on the left edge of a key, as the window shows it.
  QColor EdgeColour(const QWidget* key) {
    const QPoint at = key->mapTo(window.get(), QPoint(0, key->height() / 2));
    return window->grab().toImage().pixelColor(at);
  }

  InlineDeviceJobs jobs;
  int switches = 0;
  std::unique_ptr<CBaseDialog> window;
  std::unique_ptr<SkinFile> skin;
  std::unique_ptr<MainViews> views;
};

}  // namespace quorlin::ui::testing
