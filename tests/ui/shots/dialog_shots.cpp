// Pictures of the desktop's own dialogs the skinned windows open (the
// questions, the back-up and restore choosers, the colour dialog) and of
// the tray menu, under a light and a dark desktop palette in every
// language, to see that each stays readable: dialog_shots OUTPUT_FOLDER.

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QStyleFactory>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "device/keyboard_finder.h"
#include "platform/user_folders.h"
#include "program/dialog_wiring.h"
#include "shot_tool.h"
#include "support/simulated_window.h"
#include "text/language.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/quorlin_dlg.h"
#include "ui/main/window_prompts.h"

namespace {

using namespace quorlin;
namespace fs = std::filesystem;
using shots::Save;
using shots::Settle;

// Opens a modal dialog, takes its picture once it has settled and answers
// it with Cancel or No.
bool SaveModal(const std::function<void()>& open, const fs::path& file) {
  bool ok = false;
  QTimer::singleShot(500, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ok = Save(dialog, file);
    if (dialog) dialog->reject();
  });
  open();
  return ok;
}

QPalette DarkPalette() {
  QPalette p;
  const QColor window(45, 45, 48), base(30, 30, 32), text(230, 230, 230);
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, window);
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, window);
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::ToolTipBase, base);
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::Highlight, QColor(42, 130, 218));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
  p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 128));
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<shots::ShotFolders> folders =
      shots::StartShotTool(argc, argv, "dialog_shots");
  if (!folders) return 2;
  const fs::path& out = folders->out;
  const fs::path& scratch = folders->scratch;
  QApplication qt(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setStyle(QStyleFactory::create("Fusion"));

  quorlin::testing::SimulatedWindow rig(scratch, /*started_hidden=*/false);
  ui::CQuorlinDlg& window = *rig.window;
  app::DialogWiring wiring(window);
  app::WireDialogs(window, wiring);
  window.OnInitDialog();
  device::ConnectKeyboard(rig.link);
  rig.link.last_presence_state = 1;
  window.RunFlow(ui::CQuorlinDlg::ReloadAfterArrival);
  window.WaitForDeviceJobs();
  window.OnOpen(ui::main_ids::kTagOpen);

  ui::DialogPrompts prompts;
  profiles::FileDialogRequest request;
  request.initial = scratch / "Profile.qlf";
  request.filters = {{"(*.qlf)", "*.qlf"}, {"(*.*)", "*.*"}};
  request.default_extension = "qlf";
  auto text = [&rig](const char* key) { return QString::fromStdString(rig.texts.Text(key)); };

  bool ok = true;
  const char* names[] = {"pt", "en", "de"};
  for (const bool dark : {false, true}) {
    QApplication::setPalette(dark ? DarkPalette() : QApplication::style()->standardPalette());
    const std::string look = dark ? "dark" : "light";
    for (int position = 0; position < static_cast<int>(text::kLanguages.size()); ++position) {
      window.OnLanguageChanged(text::kLanguageChangedTag, rig.texts.Choose(position));
      Settle(200);
      const std::string tag = look + "_" + names[position] + ".png";
      ok = SaveModal([&] { prompts.AskYesNo(&window, text("MAIN_PROMPT_DEFAULT")); },
                     out / ("question_restore_defaults_" + tag)) &&
           ok;
      ok = SaveModal([&] { prompts.Message(&window, QString(), text("MAIN_NO_DEVICE_PROMPT")); },
                     out / ("message_no_keyboard_" + tag)) &&
           ok;
      ok = SaveModal([&] { prompts.OpenFile(&window, request); },
                     out / ("chooser_restore_" + tag)) &&
           ok;
      ok =
          SaveModal([&] { prompts.SaveFile(&window, request); }, out / ("chooser_backup_" + tag)) &&
          ok;
      ok = SaveModal([&] { QColorDialog::getColor(Qt::white, &window); },
                     out / ("colour_dialog_" + tag)) &&
           ok;
      window.RelabelMenus();
      window.TrayMenu()->popup(QPoint(200, 200));
      Settle(300);
      ok = Save(window.TrayMenu(), out / ("tray_menu_" + tag)) && ok;
      window.TrayMenu()->hide();
    }
  }
  window.Exit();
  std::error_code ec;
  fs::remove_all(scratch, ec);
  return ok ? 0 : 1;
}
