// The firmware update dialog over the simulated keyboard: the boot-mode
// frame on the wire, the start of the chosen program, its failures, and
// the backup.

#include <gtest/gtest.h>

#include <fstream>

#include "device/frame.h"
#include "dialog_rig.h"
#include "profiles/profile_file.h"
#include "text/language.h"
#include "ui/main/profile_menu.h"
#include "ui/update/update_texts.h"

namespace quorlin::ui {
namespace {

namespace fs = std::filesystem;
using testing::Rig;

struct Updater {
  explicit Updater(bool can_run = true) {
    rig.updater_can_run = can_run;
    rig.Arrive();
    fs::create_directories(rig.PackageDir());
    std::ofstream(program) << "MZ";
    dialog = &UpdateDialogOf(rig.window.get(), rig);
    dialog->OnInitDialog();
    dialog->show();
  }
  void Choose(std::optional<fs::path> file) {
    rig.view.file_choice = std::move(file);
    dialog->OnOpen();
  }

  Rig rig;
  fs::path program = rig.folder.path() / "Package" / "updater.exe";
  CQuorlin_DlgUpdate* dialog = nullptr;
};

TEST(UpdateDialog, UpdateSendsTheBootModeFrameThenStartsTheChosenProgram) {
  Updater u;
  u.Choose(u.program);
  EXPECT_EQ(u.dialog->pathText()->text().toStdString(), u.program.string());
  u.dialog->OnUpdate();

  const auto frames = u.rig.sim.backend.ReceivedFrames();
  ASSERT_EQ(frames.size(), 1u);
  device::Frame expected{};
  expected[0] = 0x04;
  expected[3] = 0xEE;
  expected[4] = 0xEE;
  EXPECT_EQ(frames[0], expected) << "no checksum: bytes 1 and 2 stay 0";
  EXPECT_TRUE(u.rig.sim.keyboard->BootModeRequested());
  EXPECT_EQ(u.rig.starter.started, std::vector<fs::path>{u.program});
  EXPECT_TRUE(u.dialog->ChosenUpdateFile().empty());
  EXPECT_FALSE(u.dialog->isVisible()) << "a started updater closes the dialog";
  EXPECT_TRUE(u.rig.view.messages.empty());
}

TEST(UpdateDialog, FailuresAreReportedAndTheDialogStays) {
  struct Case {
    const char* name;
    void (*prepare)(Updater&);
    std::string_view message;
    int frames;  // the keyboard received
    bool started;
  } cases[] = {
      {"nothing chosen", [](Updater&) {}, update_texts::kChooseUpdateFile, 0, false},
      {"chooser cancelled",
       [](Updater& u) {
         u.Choose(u.program);
         u.Choose(std::nullopt);
       },
       update_texts::kChooseUpdateFile, 0, false},
      {"file gone",
       [](Updater& u) {
         u.Choose(u.program);
         fs::remove(u.program);
       },
       update_texts::kChooseUpdateFile, 0, false},
      {"a folder", [](Updater& u) { u.Choose(u.rig.PackageDir()); },
       update_texts::kChooseUpdateFile, 0, false},
      {"boot mode refused",
       [](Updater& u) {
         u.Choose(u.program);
         u.rig.sim.backend.FailNextWrites(1);
       },
       update_texts::kNoBootMode, 0, false},
      {"program does not start",
       [](Updater& u) {
         u.Choose(u.program);
         u.rig.starter.succeeds = false;
       },
       update_texts::kCannotStart, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Updater u;
    c.prepare(u);
    u.rig.sim.backend.ClearReceivedFrames();
    u.dialog->OnUpdate();
    EXPECT_EQ(u.rig.view.messages, std::vector<std::string>{std::string(c.message)});
    EXPECT_EQ(static_cast<int>(u.rig.sim.backend.ReceivedFrames().size()), c.frames);
    EXPECT_EQ(u.rig.starter.started.size(), c.started ? 1u : 0u);
    EXPECT_TRUE(u.dialog->isVisible());
  }
}

TEST(UpdateDialog, WhereTheUpdaterCannotRunOnlyBackupWorks) {
  Updater u(false);
  EXPECT_FALSE(u.dialog->button("CONTROL_UPButton")->isEnabled());
  EXPECT_FALSE(u.dialog->button("CONTROL_OPENButton")->isEnabled());
  EXPECT_TRUE(u.dialog->button("CONTROL_BACKUPButton")->isEnabled());
  EXPECT_TRUE(u.dialog->button("CONTROL_CUPButton")->isEnabled());
  EXPECT_EQ(u.dialog->pathText()->text(), "UPDATE_WINDOWS_ONLY");

  u.rig.view.file_choice = u.program;
  u.dialog->OnUpdate();
  EXPECT_TRUE(u.rig.sim.backend.ReceivedFrames().empty()) << "never into boot mode";
  EXPECT_TRUE(u.rig.starter.started.empty());

  const fs::path backup = u.rig.folder.path() / "before update.qlf";
  u.rig.view.file_choice = backup;
  u.dialog->OnBackup();
  EXPECT_EQ(u.rig.view.messages.back(), update_texts::kBackupDone);
  EXPECT_EQ(profiles::CheckProfileFile(backup, u.rig.texts, u.rig.view),
            profiles::FileCheck::kLoadable);
  EXPECT_TRUE(u.rig.sim.backend.ReceivedFrames().empty());
}

TEST(UpdateDialog, BackupThatCannotBeWrittenSaysSo) {
  Updater u;
  u.rig.view.file_choice = u.rig.folder.path() / "missing folder" / "b.qlf";
  u.dialog->OnBackup();
  EXPECT_EQ(u.rig.view.messages.back(), update_texts::kBackupFailed);
}

TEST(UpdateDialog, CancelUpdateForgetsTheChosenFile) {
  Updater u;
  u.Choose(u.program);
  u.dialog->OnCancelUpdate();
  EXPECT_FALSE(u.dialog->isVisible());
  EXPECT_TRUE(u.dialog->ChosenUpdateFile().empty());
}

TEST(ShippedLanguageFiles, HoldTheDialogsTexts) {
  const fs::path dir = QUORLIN_DATA_DIR;
  std::vector<std::string> keys = {"MENU_4",
                                   "PROFILE_MANAGER_OPEN",
                                   "PROFILE_ADD_TIP",
                                   "PROFILE_LOAD_TIP",
                                   "PROFILE_DELETE_TIP",
                                   "PROFILE_NEW_FAILED",
                                   "UPDATE_WINDOWS_ONLY"};
  for (const char* key : CQuorlin_DlgProfile::kColumnTextKeys) keys.emplace_back(key);
  for (int index = 0; index < static_cast<int>(text::kLanguages.size()); ++index) {
    for (const std::string& key : keys) {
      EXPECT_NE(text::LangText(dir, key, index), text::kMissingText) << key << " " << index;
    }
    EXPECT_NE(text::LangText(dir, "PROFILE_NEW_FAILED", index).find("%s"), std::string::npos);
  }
}

}  // namespace
}  // namespace quorlin::ui
