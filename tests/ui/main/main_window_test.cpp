#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTimer>

#include "device/frame.h"
#include "main_window_rig.h"
#include "text/language.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/threaded_device_jobs.h"
#include "ui/main/tray_icon_files.h"

namespace quorlin::ui::testing {
namespace {

namespace ids = main_ids;
namespace cmd = device::cmd;

TEST(MainWindow, StartsHiddenWithIconWithoutKeyboardAndNoTimerRuns) {
  WindowRig rig({.plugged = false});
  ASSERT_TRUE(SpinUntil([&] { return rig.window->Initialised(); }));
  EXPECT_FALSE(rig.window->isVisible());
  EXPECT_EQ(rig.window->TrayIconId(), tray_icons::kNoKeyboard);
  for (int timer :
       {ids::kTimerProgress, ids::kTimerLightingReload, ids::kTimerPreview, ids::kTimerFullReload})
    EXPECT_FALSE(rig.window->TimerActive(timer)) << timer;
  EXPECT_FALSE(rig.window->Button(ids::kIdApply)->isEnabled());
}

TEST(MainWindow, OpenWithoutKeyboardExplainsAndStaysHidden) {
  struct Case {
    bool denied;
    const char* expected_key;
  };
  for (const Case c :
       {Case{false, "MAIN_NO_DEVICE_PROMPT"}, Case{true, "MAIN_NO_PERMISSION_PROMPT"}}) {
    WindowRig rig({.plugged = true});
    rig.Sim().SetOpenDenied(c.denied);
    if (!c.denied) rig.Sim().Unplug();
    rig.window->OnOpen(ids::kTagOpen);
    ASSERT_EQ(rig.prompts.messages.size(), 1u) << c.expected_key;
    EXPECT_TRUE(rig.prompts.messages[0].startsWith(
        QString::fromStdString(rig.texts->Text(c.expected_key))));
    EXPECT_FALSE(rig.window->isVisible());
  }
}

TEST(MainWindow, OpenShowsWindowOnlyWithTheRightTag) {
  WindowRig rig;
  rig.Arrive();
  rig.window->OnOpen(ids::kTagKill);
  EXPECT_FALSE(rig.window->isVisible());
  rig.window->OnOpen(ids::kTagOpen);
  EXPECT_TRUE(rig.window->isVisible());
  EXPECT_TRUE(rig.prompts.messages.empty());
}

TEST(MainWindow, FirmwareCheckOnOpenProposesTheUpdaterOnlyForOldVersions) {
  for (auto [version, prompted] :
       {std::pair{0x0104, true}, std::pair{0x0105, false}, std::pair{0x0000, false}}) {
    WindowRig rig({.firmware = static_cast<uint16_t>(version)});
    rig.Arrive();
    rig.window->OnOpen(ids::kTagOpen);
    EXPECT_TRUE(rig.window->isVisible());
    ASSERT_EQ(rig.prompts.messages.size(), prompted ? 1u : 0u) << version;
    // The version label names what the keyboard reported instead of staying an empty box.
    const QString shown = rig.window->Button(ids::kIdVersion)->text();
    EXPECT_EQ(shown.toStdString(), "Firmware " + device::FirmwareVersionText(version));
    if (prompted) {
      EXPECT_TRUE(rig.prompts.messages[0].contains("The current version is too low!"));
      EXPECT_TRUE(rig.prompts.messages[0].contains("Help"));  // where the updater lies
    }
  }
}

TEST(MainWindow, ArrivalReloadsAndChangesIconsThenRemovalHides) {
  WindowRig rig({.plugged = false, .start_hidden = true, .device_threads = true});
  ASSERT_TRUE(SpinUntil([&] { return rig.window->Initialised(); }));
  rig.Sim().ClearReceivedFrames();
  rig.Sim().Plug();
  ASSERT_TRUE(SpinUntil([&] { return rig.window->TrayIconId() == tray_icons::kKeyboardPresent; }));
  // The arrival reload read the key tables and the macro area.
  ASSERT_TRUE(SpinUntil([&] { return rig.Sent(cmd::kReadMacroArea); }));
  EXPECT_TRUE(rig.Sent(cmd::kReadKeyTable));
  // Started hidden: the arrival does not show the window.
  EXPECT_FALSE(rig.window->isVisible());
  EXPECT_TRUE(rig.window->Button(ids::kIdProfile1)->isSelected());

  rig.window->OnCommand(ids::kCmdOpen);
  ASSERT_TRUE(rig.window->isVisible());
  rig.Sim().Unplug();
  ASSERT_TRUE(SpinUntil([&] { return rig.window->TrayIconId() == tray_icons::kNoKeyboard; }));
  EXPECT_TRUE(SpinUntil([&] { return !rig.window->isVisible(); }));
  // Without the keyboard the window says so where the version stood, and
  // the buttons that would talk to it are off until it comes back.
  EXPECT_EQ(rig.window->Button(ids::kIdVersion)->text(), "No keyboard");
  EXPECT_FALSE(rig.window->Button(ids::kIdProfile1)->isEnabled());
  EXPECT_FALSE(rig.window->Button(ids::kIdMacro)->isEnabled());
  EXPECT_TRUE(rig.window->Button(ids::kIdCancel)->isEnabled());
  rig.Sim().Plug();
  ASSERT_TRUE(SpinUntil([&] { return rig.window->TrayIconId() == tray_icons::kKeyboardPresent; }));
  EXPECT_TRUE(SpinUntil([&] { return rig.window->Button(ids::kIdProfile1)->isEnabled(); }));
  EXPECT_NE(rig.window->Button(ids::kIdVersion)->text(), "No keyboard");
}

TEST(MainWindow, ArrivalAtStartShowsTheWindowOnce) {
  WindowRig rig({.device_threads = true});
  EXPECT_TRUE(SpinUntil([&] { return rig.window->isVisible(); }));
  EXPECT_EQ(rig.window->TrayIconId(), tray_icons::kKeyboardPresent);
}

TEST(MainWindow, KeyboardEventsSwapTheIconAndRestoreIt) {
  WindowRig rig;
  rig.Arrive();
  auto& n = rig.window->Notifications();
  n.SetTrayIcon(device::TrayIcon::kAlternate);
  QCoreApplication::processEvents();
  EXPECT_EQ(rig.window->TrayIconId(), tray_icons::kAlternate);
  n.SetTrayIcon(device::TrayIcon::kRestore);
  QCoreApplication::processEvents();
  EXPECT_EQ(rig.window->TrayIconId(), tray_icons::kKeyboardPresent);
}

TEST(MainWindow, ApplyIsEnabledExactlyWhileKeyChangesArePending) {
  WindowRig rig;
  rig.Arrive();
  rig.window->OnCommand(ids::kCmdOpen);
  CPngButton* apply = rig.window->Button(ids::kIdApply);
  EXPECT_FALSE(apply->isEnabled());
  rig.window->SetModified(true);
  EXPECT_TRUE(apply->isEnabled());
  rig.Sim().ClearReceivedFrames();
  apply->click();
  // The key table and the macro area went to the keyboard inside one batch.
  const auto sent = rig.Commands();
  ASSERT_FALSE(sent.empty());
  EXPECT_TRUE(rig.Sent(cmd::kBeginBatch));
  EXPECT_EQ(sent.back(), cmd::kEndBatch);
  EXPECT_TRUE(rig.Sent(cmd::kWriteKeyTable));
  EXPECT_TRUE(rig.Sent(cmd::kWriteMacroArea));
  EXPECT_FALSE(apply->isEnabled());
  EXPECT_FALSE(rig.state.modified);
}

TEST(MainWindow, EnterAndEscapeNeverCloseIt) {
  WindowRig rig;
  rig.Arrive();
  rig.window->OnCommand(ids::kCmdOpen);
  QWidget* picker = rig.window->Control(ids::kIdLanguagePicker);
  for (QWidget* target : {static_cast<QWidget*>(rig.window.get()), picker}) {
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
      QCoreApplication::sendEvent(target, &press);
      QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
      QCoreApplication::sendEvent(target, &release);
      QCoreApplication::processEvents();
      EXPECT_TRUE(rig.window->isVisible()) << key;
    }
  }
}

TEST(MainWindow, ArrowKeysStayOnTheModeList) {
  WindowRig rig;
  auto* modes = new QComboBox(rig.window.get());
  modes->addItems({"1", "2", "3"});
  rig.window->Views().mode_list = modes;
  rig.window->OnCommand(ids::kCmdOpen);
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QCoreApplication::sendEvent(modes, &down);
  EXPECT_EQ(modes->currentIndex(), 0);
}

TEST(MainWindow, ProfileButtonsMakeTheSlotActiveOnTheKeyboard) {
  WindowRig rig;
  rig.Arrive();
  rig.window->Button(ids::kIdProfile1 + 2)->click();
  EXPECT_EQ(rig.keyboard->ActiveProfile(), 2);
  EXPECT_TRUE(rig.window->Button(ids::kIdProfile1 + 2)->isSelected());
  EXPECT_FALSE(rig.window->Button(ids::kIdProfile1)->isSelected());
  EXPECT_EQ(rig.state.lighting.edited_slot, 2);
}

TEST(MainWindow, KeyboardTimersRereadLightingOrReloadEverything) {
  WindowRig rig;
  rig.Arrive();
  rig.Sim().ClearReceivedFrames();
  rig.window->Notifications().StartTimer(ids::kTimerLightingReload);
  QCoreApplication::processEvents();
  ASSERT_TRUE(SpinUntil([&] { return rig.Sent(cmd::kReadLighting); }));
  EXPECT_FALSE(rig.window->TimerActive(ids::kTimerLightingReload));  // one shot
  EXPECT_FALSE(rig.Sent(cmd::kWriteKeyTable));

  // A reset clears every key function in memory: Apply must offer to write.
  rig.window->Notifications().StartTimer(ids::kTimerFullReload);
  ASSERT_TRUE(SpinUntil([&] { return rig.window->Button(ids::kIdApply)->isEnabled(); }));
  EXPECT_FALSE(rig.window->TimerActive(ids::kTimerFullReload));
}

TEST(MainWindow, ReloadRequestReadsTheKeyboardAgain) {
  WindowRig rig;
  rig.Arrive();
  rig.Sim().ClearReceivedFrames();
  rig.window->HandleRequest("RELOAD");
  EXPECT_TRUE(rig.Sent(cmd::kReadKeyTable));
  EXPECT_TRUE(rig.Sent(cmd::kReadMacroArea));
  EXPECT_TRUE(rig.Sent(cmd::kReadLighting));
}

TEST(MainWindow, LanguagePickerRelabelsAtOnceAndTheChoiceSurvivesARestart) {
  WindowRig rig;
  auto* picker = static_cast<QComboBox*>(rig.window->Control(ids::kIdLanguagePicker));
  const int german = 2;
  ASSERT_EQ(text::kLanguages[german].id, 0x0407u);
  int relabelled = -1;
  rig.window->Views().relabel = [&](int index) { relabelled = index; };
  rig.window->OpenAbout();
  picker->setCurrentIndex(german);
  emit picker->activated(german);
  const auto de = [](const char* key) {
    return QString::fromStdString(text::LangText(QUORLIN_DATA_DIR, key, 2));
  };
  EXPECT_EQ(rig.window->Button(ids::kIdApply)->text(), de("PROFILE_APPLY"));
  EXPECT_EQ(rig.window->windowTitle(), de("MAIN_CAPTION"));
  EXPECT_EQ(rig.window->AboutBox()->windowTitle(), de("LANG_ABOUT_TITLE"));
  EXPECT_EQ(relabelled, german);
  rig.window->RelabelMenus();
  EXPECT_EQ(rig.window->TrayMenu()->actions().front()->text(), de("MENU_11"));
  // A later start reads the same store.
  text::LanguageFiles next(QUORLIN_DATA_DIR, *rig.settings, [] { return uint32_t{0x0409}; });
  EXPECT_EQ(next.CurrentIndex(), german);
}

TEST(MainWindow, AboutBoxOpensOnce) {
  WindowRig rig;
  rig.window->OpenAbout();
  CAboutDlg* first = rig.window->AboutBox();
  rig.window->OnCommand(ids::kCmdAbout);
  EXPECT_EQ(rig.window->AboutBox(), first);
  int boxes = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<CAboutDlg*>(w)) ++boxes;
  EXPECT_EQ(boxes, 1);
}

TEST(MainWindow, ExitStopsWhenAChildDialogRefuses) {
  WindowRig rig;
  rig.Arrive();
  rig.window->OnCommand(ids::kCmdOpen);
  bool refuse = true;
  rig.window->Hooks().close_child_dialogs = [&] { return !refuse; };
  EXPECT_FALSE(rig.window->Exit());
  EXPECT_FALSE(rig.window->Ended());
  EXPECT_FALSE(rig.window->isVisible());
  refuse = false;
  rig.window->OnKill(ids::kTagKill);
  EXPECT_TRUE(rig.window->Ended());
}

// A second SIGTERM (or KILL) that arrives while Exit stops the device
// threads used to stop them again from a second thread: one of the two
// joins then threw and the program aborted.
TEST(MainWindow, ASecondExitWhileTheFirstStopsTheDeviceThreadsLeavesItToFinish) {
  WindowRig rig({.device_threads = true});
  ASSERT_TRUE(SpinUntil([&] { return rig.window->Initialised(); }));
  int nested = 0;
  for (int n = 0; n < 3; ++n)
    QTimer::singleShot(0, rig.window.get(), [&] {
      EXPECT_TRUE(rig.window->Exit());
      ++nested;
    });
  EXPECT_TRUE(rig.window->Exit());
  EXPECT_TRUE(rig.window->Ended());
  SpinUntil([&] { return nested == 3; }, 1000);
  EXPECT_EQ(nested, 3);
}

TEST(MainWindow, CancelHidesWithTrayAndTheWindowManagerCloseDoesNotExit) {
  WindowRig rig;
  rig.window->show();
  rig.window->close();
  EXPECT_FALSE(rig.window->Ended());
  EXPECT_FALSE(rig.window->isVisible());
}

// Some desktops have no tray: the window is then the only way in, so it
// shows at start, and Cancel minimises rather than hides.
TEST(MainWindow, WithoutATrayTheWindowShowsAndCancelMinimises) {
  WindowRig rig({.plugged = false, .tray = false});
  ASSERT_TRUE(SpinUntil([&] { return rig.window->Initialised(); }));
  EXPECT_TRUE(rig.window->isVisible());
  rig.window->OnOpen(ids::kTagOpen);  // no keyboard: says so, stays shown
  EXPECT_TRUE(rig.window->isVisible());
  EXPECT_EQ(rig.prompts.messages.size(), 1u);
  rig.window->Button(ids::kIdCancel)->click();
  EXPECT_TRUE(rig.window->isVisible());
  EXPECT_TRUE(rig.window->isMinimized());
  rig.window->Button(ids::kIdClose)->click();
  EXPECT_TRUE(rig.window->Ended());
}

// A full write at the keyboard's real pace runs on the worker: the window's
// event loop keeps turning and the data controls are off until it ends.
// Exit waits for a write in progress to finish.
TEST(MainWindow, StaysResponsiveDuringAFullWriteAndExitWaitsForIt) {
  WindowRig rig({.threaded = true});
  rig.Arrive();
  rig.Sim().SetReportInterval(std::chrono::microseconds(1000));
  rig.Sim().ClearReceivedFrames();
  int busy_ticks = 0;
  qint64 worst_gap_ms = 0;
  QElapsedTimer since_last;
  since_last.start();
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    worst_gap_ms = std::max(worst_gap_ms, since_last.restart());
    if (rig.window->Jobs().Busy()) ++busy_ticks;
  });
  probe.start(2);
  rig.window->RunFlow([](flows::MainFlows& f) { f.ApplyAllProfiles(); });
  EXPECT_FALSE(rig.window->Button(ids::kIdApply)->isEnabled());
  EXPECT_FALSE(rig.window->Button(ids::kIdProfile1)->isEnabled());
  EXPECT_TRUE(rig.window->TimerActive(ids::kTimerProgress));  // the busy picture animates
  ASSERT_TRUE(SpinUntil([&] { return !rig.window->Jobs().Busy(); }, 20000));
  const auto frames = rig.Commands().size();
  EXPECT_GT(busy_ticks, 1);
  // The busy indicator counted what the write sent.
  EXPECT_EQ(rig.window->FramesOfThisWrite(), static_cast<int>(frames));
  EXPECT_TRUE(rig.window->Button(ids::kIdProfile1)->isEnabled());
  EXPECT_FALSE(rig.window->TimerActive(ids::kTimerProgress));
  std::printf(
      "[ info ] %d frames at 1 ms per report; %d event-loop turns meanwhile, worst gap %lld ms\n",
      static_cast<int>(frames), busy_ticks, static_cast<long long>(worst_gap_ms));

  rig.Sim().ClearReceivedFrames();
  rig.window->RunFlow([](flows::MainFlows& f) { f.ApplyAllProfiles(); });
  EXPECT_TRUE(rig.window->Exit());
  EXPECT_FALSE(rig.window->Jobs().Busy());
  // The write ran to its end: the last frame closes the batch.
  ASSERT_FALSE(rig.Commands().empty());
  EXPECT_EQ(rig.Commands().back(), cmd::kEndBatch);
}

}  // namespace
}  // namespace quorlin::ui::testing
