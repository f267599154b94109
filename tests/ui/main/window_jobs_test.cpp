// The main window's device jobs beside quorlinctl (the per-user locks, the
// simulated keyboard's shared state file), what a write gives back, the
// preview's timer, the file chooser's filters and the autostart item.

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <fstream>
#include <thread>

#include "main_window_rig.h"
#include "platform/autostart.h"
#include "platform/process_lock.h"
#include "text/format.h"
#include "text/language.h"
#include "ui/main/lighting_panel_widget.h"
#include "ui/main/main_views.h"
#include "ui/main/main_window_ids.h"

namespace quorlin::ui::testing {
namespace {

namespace ids = main_ids;

// Events for a while, as a window would see them while waiting on a lock.
void RunEventsFor(int turns) {
  for (int n = 0; n < turns; ++n) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

// What quorlinctl does with --sim-state: it changes the file while it
// holds the simulated keyboard's lock (and sends RELOAD before letting go).
sim::KeyboardMemory ChangeStateFile(const std::filesystem::path& file) {
  std::string error;
  auto other = sim::VirtualKeyboard::FromFile(file, &error);
  EXPECT_NE(other, nullptr) << error;
  other->SetActiveProfile(2);
  sim::KeyboardMemory memory = other->Memory();
  memory.key_tables.at(12) ^= 0x01;
  EXPECT_TRUE(other->SetMemory(memory, &error)) << error;
  EXPECT_TRUE(other->Save(file, &error)) << error;
  return other->Memory();
}

TEST(WindowJobs, AReloadWaitsForQuorlinctlsLockAndRunsOnceItIsReleased) {
  WindowRig rig({.threaded = true, .sim_state = true});
  rig.Arrive();
  const sim::KeyboardMemory before = rig.keyboard->Memory();
  auto cli_lock = std::make_unique<platform::KeyboardLock>(
      platform::SimulatedKeyboardLockKey(rig.state_file), std::chrono::milliseconds(0));
  ASSERT_TRUE(cli_lock->Held()) << cli_lock->Error();
  const sim::KeyboardMemory changed = ChangeStateFile(rig.state_file);
  rig.window->HandleRequest("RELOAD");
  RunEventsFor(40);
  // Still waiting: the file is not read behind the other program's back.
  EXPECT_TRUE(rig.window->Jobs().Busy());
  EXPECT_EQ(rig.keyboard->Memory(), before);
  cli_lock.reset();
  ASSERT_TRUE(SpinUntil([&] { return !rig.window->Jobs().Busy(); }, 20000));
  const sim::KeyboardMemory now = rig.keyboard->Memory();
  // The other program's change is there (the reload then writes only the
  // key colours, which this program keeps in its own files).
  EXPECT_EQ(now.device_info, changed.device_info);
  EXPECT_EQ(now.key_tables, changed.key_tables);
  EXPECT_EQ(now.macro_area, changed.macro_area);
  EXPECT_TRUE(rig.prompts.messages.empty());
}

TEST(WindowJobs, AJobThatCannotHaveTheLocksIsNotRunAndTheUserIsTold) {
  WindowRig rig({.threaded = true, .sim_state = true, .lock_wait = std::chrono::milliseconds(50)});
  rig.Arrive();
  const platform::KeyboardLock cli_lock(platform::SimulatedKeyboardLockKey(rig.state_file),
                                        std::chrono::milliseconds(0));
  ASSERT_TRUE(cli_lock.Held());
  rig.Sim().ClearReceivedFrames();
  rig.window->RunFlow([](flows::MainFlows& f) { f.SelectProfileSlot(1); });
  ASSERT_TRUE(SpinUntil([&] { return !rig.prompts.messages.empty(); }, 20000));
  const std::string told = rig.prompts.messages[0].toStdString();
  const std::string busy = rig.texts->Text("MAIN_KEYBOARD_BUSY");
  EXPECT_EQ(told.substr(0, busy.find('%')), busy.substr(0, busy.find('%')));
  EXPECT_TRUE(rig.Commands().empty());
  // The busy indicator came to its end all the same.
  ASSERT_TRUE(SpinUntil([&] { return !rig.window->Jobs().Busy(); }));
  EXPECT_TRUE(rig.window->Button(ids::kIdProfile1)->isEnabled());
}

TEST(WindowJobs, APanelChangeOnTheSimulatedKeyboardIsKeptInTheStateFile) {
  WindowRig rig({.threaded = true, .sim_state = true});
  rig.Arrive();
  rig.window->OnCommand(ids::kCmdOpen);
  auto* panel = rig.window->findChild<LightingPanelWidget*>();
  ASSERT_NE(panel, nullptr);
  const sim::KeyboardMemory before = rig.keyboard->Memory();
  auto* rate = qobject_cast<CPngButton*>(panel->Control(panel_control::kReportRate3));
  ASSERT_NE(rate, nullptr);
  rate->click();
  ASSERT_TRUE(SpinUntil([&] { return !rig.window->Jobs().Busy(); }, 20000));
  ASSERT_NE(rig.keyboard->Memory(), before) << "the report rate went to the keyboard";
  std::string error;
  const auto saved = sim::VirtualKeyboard::FromFile(rig.state_file, &error);
  ASSERT_NE(saved, nullptr) << error;
  EXPECT_EQ(saved->Memory(), rig.keyboard->Memory());
}

TEST(WindowJobs, AWriteGivesBackOnlyTheControlsThatWereOn) {
  WindowRig rig;
  rig.Arrive();
  rig.window->OnCommand(ids::kCmdOpen);
  auto* panel = rig.window->findChild<LightingPanelWidget*>();
  ASSERT_NE(panel, nullptr);
  // As a skin that leaves them out would have it.
  rig.window->Button(ids::kIdRestoreDefaults)->setEnabled(false);
  QWidget* rate = panel->Control(panel_control::kReportRate4);
  rate->setEnabled(false);
  QAction* backup = nullptr;
  for (QAction* a : rig.window->ButtonMenu()->actions())
    if (a->data().toInt() == ids::kCmdBackUpToFile) backup = a;
  ASSERT_NE(backup, nullptr);
  backup->setEnabled(false);

  rig.window->RunFlow([](flows::MainFlows& f) { f.SelectProfileSlot(1); });
  EXPECT_FALSE(rig.window->Button(ids::kIdRestoreDefaults)->isEnabled());
  EXPECT_FALSE(rate->isEnabled());
  EXPECT_FALSE(backup->isEnabled());
  EXPECT_FALSE(rig.window->Button(ids::kIdApply)->isEnabled());  // nothing pending
  EXPECT_TRUE(rig.window->Button(ids::kIdProfile1)->isEnabled());
  EXPECT_TRUE(panel->Control(panel_control::kReportRate1)->isEnabled());
}

// A back-up and a restore say they went through, naming the file, in a
// line of the window that goes by itself: nothing waits for a click.
TEST(WindowJobs, BackUpAndRestoreConfirmInAStatusLineNamingTheFile) {
  WindowRig rig;
  rig.Arrive();
  rig.window->OnCommand(ids::kCmdOpen);
  rig.prompts.file = rig.folder.path() / "keys.qlf";
  rig.window->OnCommand(ids::kCmdBackUpToFile);
  QLabel* line = nullptr;
  ASSERT_TRUE(SpinUntil([&] {
    line = rig.window->findChild<QLabel*>("statusLine");
    return line != nullptr && line->isVisible();
  }));
  EXPECT_EQ(line->text(), "Backed up to keys.qlf");
  rig.window->OnCommand(ids::kCmdRestoreFromFile);
  EXPECT_TRUE(SpinUntil([&] { return line->text() == "Restored from keys.qlf"; }));
  EXPECT_TRUE(rig.prompts.messages.empty());
  EXPECT_TRUE(SpinUntil([&] { return !line->isVisible(); }, 8000)) << "the line goes by itself";
}

// Timer 1052 is the one that steps the preview, and only while the
// lighting view shows on a window that can be seen.
TEST(WindowJobs, TheWindowsPreviewTimerStepsThePreviewWhileTheLightingViewShows) {
  WindowRig rig;
  rig.Arrive();
  rig.window->OnCommand(ids::kCmdOpen);
  auto* views = rig.window->findChild<MainViews*>();
  ASSERT_NE(views, nullptr);
  QCoreApplication::processEvents();
  EXPECT_FALSE(rig.window->TimerActive(ids::kTimerPreview)) << "lighting view closed";
  QWidget* light = views->Panel().Control(panel_control::kLightSwitch);
  QTest::mouseClick(light, Qt::LeftButton, {}, light->rect().center());
  QCoreApplication::processEvents();
  ASSERT_TRUE(rig.window->TimerActive(ids::kTimerPreview));
  const int ticks = views->Preview().Ticks();
  EXPECT_TRUE(SpinUntil([&] { return views->Preview().Ticks() >= ticks + 2; }));
  rig.window->HideToTray();
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_FALSE(rig.window->TimerActive(ids::kTimerPreview)) << "hidden";
}

TEST(WindowPrompts, FilterLabelsNameTheirPatternOnce) {
  struct Case {
    std::vector<profiles::FileFilter> filters;
    const char* expected;
  };
  const Case cases[] = {
      {{{"(*.qlf)", "*.qlf"}, {"(*.*)", "*.*"}}, "(*.qlf);;(*.*)"},
      {{{"MyType Files (*.exe)", "*.exe"}}, "MyType Files (*.exe)"},
      {{{"Profiles", "*.qlf"}, {"", "*.*"}}, "Profiles (*.qlf);;(*.*)"},
  };
  for (const Case& c : cases) {
    profiles::FileDialogRequest request;
    request.filters = c.filters;
    EXPECT_EQ(FilterText(request).toStdString(), c.expected);
  }
}

TEST(WindowJobs, StartAtLoginIsLabelledFromTheLanguageFileWritesAndRemovesTheEntry) {
  WindowRig rig;
  const std::filesystem::path entry = platform::AutostartEntryPath();
  ASSERT_TRUE(entry.string().starts_with(rig.folder.path().string()));
  QAction* item = nullptr;
  for (QAction* a : rig.window->TrayMenu()->actions())
    if (a->data().toInt() == ids::kCmdStartAtLogin) item = a;
  ASSERT_NE(item, nullptr);
  for (int language : {0, 2}) {
    rig.texts->Choose(language);
    rig.window->RelabelMenus();
    EXPECT_EQ(item->text().toStdString(),
              text::LangText(QUORLIN_DATA_DIR, "MAIN_START_AT_LOGIN", rig.texts->CurrentIndex()));
  }
  item->trigger();
  EXPECT_TRUE(std::filesystem::is_regular_file(entry));
  EXPECT_TRUE(item->isChecked());
  item->trigger();
  EXPECT_FALSE(std::filesystem::exists(entry));
  EXPECT_FALSE(item->isChecked());
  EXPECT_TRUE(rig.prompts.messages.empty());

  // A file where the autostart folder should be: the switch cannot take.
  std::filesystem::remove_all(entry.parent_path());
  std::ofstream(entry.parent_path()) << "not a folder";
  item->trigger();
  ASSERT_EQ(rig.prompts.messages.size(), 1u);
  EXPECT_EQ(rig.prompts.messages[0].toStdString(),
            text::FormatWithText(rig.texts->Text("MAIN_START_AT_LOGIN_FAILED"), entry.string()));
  EXPECT_FALSE(item->isChecked());
}

}  // namespace
}  // namespace quorlin::ui::testing
