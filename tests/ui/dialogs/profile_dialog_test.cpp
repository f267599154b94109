// The profile manager and the profile popup menu over the simulated
// keyboard: what reaches the keyboard, the settings and the files.

#include <gtest/gtest.h>

#include <QMenu>
#include <algorithm>

#include "device/commands.h"
#include "dialog_rig.h"
#include "keys/key_catalogue.h"
#include "profiles/profile_file.h"
#include "ui/main/profile_menu.h"

namespace quorlin::ui {
namespace {

namespace fs = std::filesystem;
using testing::Rig;

int Count(const std::vector<int>& commands, int command) {
  return static_cast<int>(std::count(commands.begin(), commands.end(), command));
}

// An open manager over a keyboard whose contents arrived.
struct Manager {
  explicit Manager(int active_profile = 1) : rig(active_profile) {
    rig.Arrive();
    dialog = &ProfileManagerOf(rig.window.get(), rig);
    dialog->OnInitDialog();
    dialog->show();
    rig.sim.backend.ClearReceivedFrames();
  }
  bool ApplyEnabled() const { return dialog->button("CONTROL2_APPLY")->isEnabled(); }
  // As a click on the row's check box.
  void Check(int row, bool checked) {
    dialog->list()->item(row, 0)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  }
  std::vector<bool> Checks() const {
    std::vector<bool> out;
    for (int r = 0; r < dialog->list()->rowCount(); ++r)
      out.push_back(dialog->list()->item(r, 0)->checkState() == Qt::Checked);
    return out;
  }

  Rig rig;
  CQuorlin_DlgProfile* dialog = nullptr;
};

TEST(ProfileManager, OpensWithTheHostCopiesAndTheActiveRowChecked) {
  Manager m(1);
  EXPECT_EQ(m.rig.open_count, 1);
  ASSERT_EQ(m.dialog->list()->rowCount(), 3);
  EXPECT_EQ(m.dialog->list()->item(2, 1)->text(), "$Profile2");
  EXPECT_EQ(m.dialog->list()->item(2, 2)->text().toStdString(),
            (m.rig.folder.path() / "data").string() + "/");
  EXPECT_EQ(m.Checks(), (std::vector<bool>{false, true, false}));
  EXPECT_FALSE(m.ApplyEnabled());
  const QString header = m.dialog->list()->horizontalHeaderItem(0)->text();
  EXPECT_TRUE(header.startsWith(QString::fromUtf8("激活"))) << header.toStdString();
  EXPECT_EQ(m.dialog->list()->horizontalHeaderItem(0)->toolTip(), "PROFILE_COLUMN_ACTIVE");
}

TEST(ProfileManager, ApplyActivatesTheCheckedRowAndSavesTheList) {
  Manager m(1);
  m.Check(2, true);
  EXPECT_EQ(m.Checks(), (std::vector<bool>{false, false, true})) << "one check at most";
  EXPECT_TRUE(m.ApplyEnabled());
  m.rig.state.modified = true;

  m.dialog->OnApply();
  EXPECT_EQ(m.rig.sim.keyboard->ActiveProfile(), 2);
  EXPECT_TRUE(fs::exists(m.rig.folder.path() / "data" / "$Profile2"));
  const std::string folder = (m.rig.folder.path() / "data").string() + "/";
  EXPECT_EQ(m.rig.Saved(1), folder + "$Profile0.qlf");
  EXPECT_EQ(m.rig.Saved(2), folder + "$Profile1.qlf");
  EXPECT_EQ(m.rig.Saved(3), folder + "$Profile2.qlf");
  EXPECT_EQ(m.rig.Saved(0), "3");
  EXPECT_FALSE(m.ApplyEnabled());
  EXPECT_FALSE(m.rig.state.modified);
  EXPECT_EQ(m.rig.view.last_key_view_page, 2);
  EXPECT_EQ(m.rig.shown_active, std::vector<int>{2});
  EXPECT_TRUE(m.dialog->IsOpen()) << "Apply keeps the dialog open";
}

TEST(ProfileManager, EveryWayOfClosingLowersTheOpenCountOnce) {
  struct Case {
    const char* name;
    void (*close)(Manager&);
    bool writes;
  } cases[] = {
      {"Cancel", [](Manager& m) { m.dialog->OnCancel(); }, false},
      {"OK", [](Manager& m) { m.dialog->OnOK(); }, true},
      {"keyboard gone", [](Manager& m) { CloseProfileManager(m.rig.window.get()); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Manager m(0);
    m.Check(1, true);
    c.close(m);
    EXPECT_EQ(m.rig.open_count, 0);
    EXPECT_FALSE(m.dialog->IsOpen());
    EXPECT_FALSE(ProfileManagerHasChanges(m.rig.window.get()));
    EXPECT_EQ(m.rig.Saved(0).has_value(), c.writes);
    EXPECT_EQ(m.rig.sim.keyboard->ActiveProfile(), c.writes ? 1 : 0);
    CloseProfileManager(m.rig.window.get());
    EXPECT_EQ(m.rig.open_count, 0) << "a closed manager is not closed again";
  }
}

TEST(ProfileManager, DeleteRemovesOnlyTheSelectedRow) {
  Manager m(0);
  m.dialog->OnDelete();
  EXPECT_EQ(m.dialog->list()->rowCount(), 3);
  EXPECT_FALSE(m.ApplyEnabled()) << "Delete with no selection leaves Apply disabled";

  m.Check(2, true);
  m.dialog->list()->clearSelection();
  m.dialog->OnDelete();
  EXPECT_TRUE(m.ApplyEnabled()) << "and enabled";

  m.dialog->list()->selectRow(1);
  m.dialog->OnDelete();
  ASSERT_EQ(m.dialog->list()->rowCount(), 2);
  EXPECT_EQ(m.dialog->list()->item(1, 1)->text(), "$Profile2");
  EXPECT_TRUE(fs::exists(m.rig.folder.path() / "data" / "$Profile0")) << "no file is deleted";
}

// Rows stand for host copies by path: after a Delete moved "$Profile2" up
// to the second row, checking it still activates on-board profile 2.
TEST(ProfileManager, ApplyAfterADeleteActivatesTheProfileOfTheCheckedFile) {
  Manager m(0);
  m.dialog->list()->selectRow(1);
  m.dialog->OnDelete();
  ASSERT_EQ(m.dialog->list()->item(1, 1)->text(), "$Profile2");
  m.Check(1, true);
  m.dialog->OnApply();
  EXPECT_EQ(m.rig.sim.keyboard->ActiveProfile(), 2);
}

TEST(ProfileManager, AddWritesAnEmptyProfileFileAndListsIt) {
  Manager m(0);
  const fs::path file = m.rig.folder.path() / "Tournament.qlf";
  m.rig.view.file_choice = file;
  m.dialog->OnAdd();
  EXPECT_EQ(profiles::CheckProfileFile(file, m.rig.texts, m.rig.view),
            profiles::FileCheck::kLoadable);
  ASSERT_EQ(m.dialog->list()->rowCount(), 4);
  EXPECT_EQ(m.dialog->list()->item(3, 1)->text(), "Tournament");
  EXPECT_TRUE(m.ApplyEnabled());

  // A file that cannot be written gets no row.
  m.rig.view.file_choice = m.rig.folder.path() / "no such folder" / "x.qlf";
  m.dialog->OnAdd();
  EXPECT_EQ(m.dialog->list()->rowCount(), 4);
  EXPECT_EQ(m.rig.view.messages.back(), "PROFILE_NEW_FAILED");
}

TEST(ProfileManager, LoadListsTheChosenFileWithoutReadingIt) {
  Manager m(0);
  m.rig.view.file_choice = std::nullopt;
  m.dialog->OnLoad();
  EXPECT_EQ(m.dialog->list()->rowCount(), 3);
  EXPECT_FALSE(m.ApplyEnabled());

  m.rig.view.file_choice = m.rig.folder.path() / "elsewhere" / "Old.backup.qlf";
  m.dialog->OnLoad();
  ASSERT_EQ(m.dialog->list()->rowCount(), 4);
  EXPECT_EQ(m.dialog->list()->item(3, 1)->text(), "Old.backup");
  EXPECT_TRUE(m.ApplyEnabled());
}

TEST(ProfileManager, ACheckedFileRowAsksTheKeyboardForNoProfile) {
  Manager m(1);
  m.rig.view.file_choice = m.rig.folder.path() / "Mine.qlf";
  m.dialog->OnLoad();
  m.Check(3, true);
  m.dialog->OnApply();
  EXPECT_EQ(Count(m.rig.Commands(), device::cmd::kWriteDeviceInfo), 0);
  EXPECT_EQ(m.rig.sim.keyboard->ActiveProfile(), 1);
  EXPECT_EQ(m.rig.Saved(0), "4");
  EXPECT_EQ(m.rig.Saved(4), (m.rig.folder.path() / "Mine.qlf").string());
}

TEST(ProfileMenu, EntriesFollowTheModelAndTheManagerEntryComesLast) {
  Rig rig(2);
  rig.Arrive();
  const profiles::ProfileMenu& model = rig.flows.Store().BuildProfileMenu();
  std::unique_ptr<QMenu> menu(MakeProfilePopupMenu(model, rig.texts, rig.window.get()));
  std::vector<int> ids;
  int checked = 0;
  for (QAction* a : menu->actions()) {
    if (a->isSeparator()) continue;
    ids.push_back(a->data().toInt());
    if (a->isChecked()) checked = a->data().toInt();
  }
  EXPECT_EQ(ids, (std::vector<int>{9000, 9001, 9002, 9003, kManageProfilesItemId}));
  EXPECT_EQ(checked, 9003);
  EXPECT_EQ(menu->actions().back()->text(), "PROFILE_MANAGER_OPEN");
}

TEST(ProfileMenu, DefaultEntrySendsNothingAndAProfileEntrySwitches) {
  Rig rig(1);
  rig.Arrive();
  RunProfileMenuItem(rig.window.get(), rig, 9000);
  EXPECT_TRUE(rig.Commands().empty());
  EXPECT_EQ(rig.view.profile_button, "$Profile1") << "the menu is rebuilt";

  RunProfileMenuItem(rig.window.get(), rig, 9001);
  EXPECT_EQ(rig.sim.keyboard->ActiveProfile(), 0);
  EXPECT_EQ(rig.view.profile_button, "$Profile0");
  EXPECT_EQ(rig.shown_active, (std::vector<int>{1, 0}));
}

TEST(ProfileMenu, SwitchWithUnappliedKeyChangesAsksAndNoRestoresTheHostCopy) {
  Rig rig(1);
  rig.Arrive();
  const auto index = static_cast<std::size_t>(keys::KeyIndexFromCode(0x001E));
  {
    auto working = rig.state.working.Lock();
    working->actions.pages[1].at(index).kind = keys::KeyActionKind::kDisabled;
  }
  rig.state.modified = true;
  rig.view.answers = {false};
  RunProfileMenuItem(rig.window.get(), rig, 9003);
  EXPECT_EQ(rig.view.messages, std::vector<std::string>{"PROFILE_SELECT_PROMPT"});
  EXPECT_FALSE(rig.state.modified);
  EXPECT_EQ(rig.sim.keyboard->ActiveProfile(), 2);
  auto working = rig.state.working.Lock();
  EXPECT_NE(working->actions.pages[1].at(index).kind, keys::KeyActionKind::kDisabled)
      << "the edit is gone: the old host copy is loaded again";
}

TEST(ProfileMenu, UnappliedManagerChangesAskToo) {
  Manager m(1);
  m.Check(0, true);
  m.rig.view.answers = {false};
  RunProfileMenuItem(m.rig.window.get(), m.rig, 9003);
  EXPECT_EQ(m.rig.view.messages, std::vector<std::string>{"PROFILE_SELECT_PROMPT"});
  EXPECT_EQ(m.rig.sim.keyboard->ActiveProfile(), 2);

  // Without pending changes the open manager shows the switch.
  m.rig.view.messages.clear();
  m.dialog->OnCancel();
  m.dialog->OnInitDialog();
  RunProfileMenuItem(m.rig.window.get(), m.rig, 9001);
  EXPECT_TRUE(m.rig.view.messages.empty());
  EXPECT_EQ(m.Checks(), (std::vector<bool>{true, false, false}));
  EXPECT_FALSE(m.ApplyEnabled());
}

}  // namespace
}  // namespace quorlin::ui
