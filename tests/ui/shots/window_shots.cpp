// Pictures of the main window, the about box, the profile manager and the
// firmware update dialog in each language, for looking at and for the help
// pages (scripts/help-pictures): window_shots OUTPUT_FOLDER. Runs against
// the simulated keyboard with its own settings in a temporary folder, the
// dialogs wired to the window as in the program.

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "app/keyboard_backend.h"
#include "app/quorlin_app.h"
#include "device/keyboard_finder.h"
#include "keys/key_code.h"
#include "platform/user_folders.h"
#include "profiles/key_view.h"
#include "program/dialog_wiring.h"
#include "shot_tool.h"
#include "support/simulated_window.h"
#include "text/language.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/profile_dialog.h"
#include "ui/main/quorlin_dlg.h"
#include "ui/update/update_dialog.h"

namespace {

using namespace quorlin;
namespace fs = std::filesystem;
using shots::Save;
using shots::Settle;

// Runs a modal dialog of the window, takes its picture once it has settled
// and closes it.
template <typename Open, typename Find, typename Close>
bool SaveModal(Open open, Find find, Close close, const fs::path& file) {
  bool ok = false;
  QTimer::singleShot(400, [&] {
    QWidget* dialog = find();
    ok = dialog != nullptr && Save(dialog, file);
    close();
  });
  open();
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<shots::ShotFolders> folders =
      shots::StartShotTool(argc, argv, "window_shots");
  if (!folders) return 2;
  const fs::path& out = folders->out;
  const fs::path& scratch = folders->scratch;
  QApplication qt(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);

  quorlin::testing::SimulatedWindow rig(scratch, /*started_hidden=*/false);
  auto& backend = rig.backend;
  auto& link = rig.link;
  auto& texts = rig.texts;
  ui::CQuorlinDlg& window = *rig.window;
  app::DialogWiring wiring(window);
  app::WireDialogs(window, wiring);
  window.OnInitDialog();
  device::ConnectKeyboard(link);
  link.last_presence_state = 1;
  window.RunFlow(ui::CQuorlinDlg::ReloadAfterArrival);
  window.WaitForDeviceJobs();
  window.OnOpen(ui::main_ids::kTagOpen);
  window.SetModified(true);
  // Two keys with a function of their own, so the key view shows its marks.
  rig.state.working.With([](profiles::WorkingContents& working) {
    auto& page = working.actions.pages[0];
    page[static_cast<std::size_t>(keys::KeyIndexFromCode(0x1E))] = {keys::KeyActionKind::kSingleKey,
                                                                    0, 0x30, 0, 0};
    page[static_cast<std::size_t>(keys::KeyIndexFromCode(keys::GKeyCode(1)))] = {
        keys::KeyActionKind::kSingleKey, 0, 0x06, 0, 0};
  });
  window.RefreshKeyView(0, rig.state.working.With([&texts](const profiles::WorkingContents& w) {
    return profiles::DescribeKeyViewPage(w, 0, texts);
  }));

  bool ok = true;
  const char* names[] = {"pt", "en", "de"};
  for (int position = 0; position < static_cast<int>(text::kLanguages.size()); ++position) {
    const int index = texts.Choose(position);
    window.OnLanguageChanged(text::kLanguageChangedTag, index);
    Settle(300);
    ok = Save(&window, out / ("main_key_view_" + std::string(names[position]) + ".png")) && ok;
    window.OpenAbout();
    Settle(300);
    ok = Save(window.AboutBox(), out / ("about_" + std::string(names[position]) + ".png")) && ok;
    window.AboutBox()->close();
    Settle(100);
    const std::string tag = names[position];
    ok = SaveModal([&] { ui::OpenProfileManager(&window, wiring); },
                   [&] { return &ui::ProfileManagerOf(&window, wiring); },
                   [&] { ui::CloseProfileManager(&window); }, out / ("profile_" + tag + ".png")) &&
         ok;
    ok = SaveModal([&] { ui::OpenUpdateDialog(&window, wiring); },
                   [&] { return &ui::UpdateDialogOf(&window, wiring); },
                   [&] { ui::CloseUpdateDialog(&window); }, out / ("update_" + tag + ".png")) &&
         ok;
  }
  // A write in progress, at a slow keyboard's pace.
  backend.Sim()->SetReportInterval(std::chrono::microseconds(8000));
  window.RunFlow([](flows::MainFlows& f) { f.ApplyAllProfiles(); });
  Settle(200);
  ok = Save(&window, out / "main_busy.png") && ok;
  window.WaitForDeviceJobs();
  backend.Sim()->SetReportInterval(std::chrono::microseconds(0));

  // The lighting view with the preview running, in every language
  // (nothing pending, so switching profiles asks nothing).
  window.SetModified(false);
  auto& panel = window.Flows().Panel();
  auto& store = window.Flows().Store();
  window.RefreshLightingPanel(
      panel.OpenLightView([&store](int profile) { return store.SwitchProfile(profile) ? 1 : 0; }));
  for (int position = 0; position < static_cast<int>(text::kLanguages.size()); ++position) {
    window.OnLanguageChanged(text::kLanguageChangedTag, texts.Choose(position));
    for (int mode : {1, 6, 17, 20}) {
      const auto& modes = panel.View().modes;
      const auto found = std::find(modes.begin(), modes.end(), mode);
      if (found == modes.end()) continue;
      window.RefreshLightingPanel(panel.SelectModeAt(static_cast<int>(found - modes.begin())));
      Settle(700);
      ok = Save(&window, out / ("main_lighting_mode" + std::to_string(mode) + "_" +
                                std::string(names[position]) + ".png")) &&
           ok;
    }
  }
  window.Exit();
  std::error_code ec;
  fs::remove_all(scratch, ec);
  return ok ? 0 : 1;
}
