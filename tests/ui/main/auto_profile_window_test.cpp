// The automatic profile switch in the wired window, with a fake focus
// source: the real worker thread and the simulated keyboard's frames.

#include <gtest/gtest.h>

#include <QDir>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "main_window_rig.h"
#include "platform/instance_channel.h"
#include "program/dialog_wiring.h"
#include "text/language.h"
#include "ui/autoprofile/auto_profile_dialog.h"
#include "ui/main/main_window_ids.h"

namespace quorlin::ui {
namespace {

using namespace std::chrono_literals;

class FakeFocus final : public FocusSource {
 public:
  bool Available() const override { return available; }
  std::vector<RunningApp> RunningApplications() override { return running; }
  void Focus(std::string exe) { Tell(flows::FocusedWindow{std::move(exe), {}, {}, false, false}); }
  void FocusOwn() { Tell(flows::FocusedWindow{"quorlin", "quorlin", "quorlin", true, false}); }

  bool available = true;
  std::vector<RunningApp> running;
};

struct AutoWindow {
  AutoWindow() : rig(Threaded()), dialogs(*rig.window) {
    app::WireDialogs(*rig.window, dialogs);
    auto source = std::make_unique<FakeFocus>();
    focus = source.get();
    flows::AutoProfileSettings s;
    flows::SetRule(s, "xcalc", 1);
    flows::SetRule(s, "xlogo", 2);
    flows::SaveAutoProfiles(*rig.settings, s);
    autos = std::make_unique<app::AutoProfileWiring>(*rig.window, dialogs, std::move(source));
    app::WireAutoProfiles(*rig.window, *autos);
    rig.Arrive();
    testing::SpinUntil([&] { return !rig.window->Jobs().Busy(); });
    QCoreApplication::processEvents();  // the controller starts
    rig.Sim().ClearReceivedFrames();
  }
  ~AutoWindow() {
    autos.reset();
    rig.window.reset();
  }
  static testing::RigOptions Threaded() {
    testing::RigOptions o;
    o.threaded = true;
    return o;
  }
  int Active() const { return rig.keyboard->ActiveProfile(); }
  std::size_t Frames() { return rig.Sim().ReceivedFrames().size(); }
  // Runs events for `d` (the debounce and the worker get their turn).
  static void Pass(std::chrono::milliseconds d) {
    testing::SpinUntil([] { return false; }, static_cast<int>(d.count()));
  }

  testing::WindowRig rig;
  app::DialogWiring dialogs;
  FakeFocus* focus = nullptr;
  std::unique_ptr<app::AutoProfileWiring> autos;
};

TEST(AutoProfileWindow, FocusSwitchesThroughTheWorkerAndUnchangedFocusSendsNothing) {
  AutoWindow w;
  ASSERT_EQ(w.Active(), 0);
  w.focus->Focus("xcalc");
  w.Pass(150ms);
  EXPECT_EQ(w.Frames(), 0u) << "still inside the debounce";
  ASSERT_TRUE(testing::SpinUntil([&] { return w.Active() == 1; }, 3000));
  ASSERT_TRUE(testing::SpinUntil([&] { return !w.rig.window->Jobs().Busy(); }));
  EXPECT_TRUE(w.rig.window->Button(main_ids::kIdProfile1 + 1)->isSelected());
  EXPECT_NE(w.rig.window->TrayTip().indexOf("xcalc"), -1) << w.rig.window->TrayTip().toStdString();

  w.rig.Sim().ClearReceivedFrames();
  w.focus->Focus("xcalc");  // another window of the same application
  w.focus->FocusOwn();      // the program's own window
  w.focus->Focus("xterm");  // no rule, no fallback
  w.Pass(500ms);
  EXPECT_EQ(w.Frames(), 0u);
  EXPECT_FALSE(w.autos->Controller().TimerRunning()) << "nothing pending: nothing wakes";
}

TEST(AutoProfileWindow, WaitsForUnappliedEditsAndTheLastFocusWins) {
  AutoWindow w;
  w.rig.window->SetModified(true);
  w.focus->Focus("xcalc");
  w.Pass(400ms);
  w.focus->Focus("xlogo");
  w.Pass(800ms);
  EXPECT_EQ(w.Frames(), 0u);
  EXPECT_EQ(w.Active(), 0);
  w.rig.window->SetModified(false);
  ASSERT_TRUE(testing::SpinUntil([&] { return w.Active() == 2; }, 3000));
}

TEST(AutoProfileWindow, WaitsWhileTheProfileManagerIsOpen) {
  AutoWindow w;
  ++w.dialogs.ProfileManagerOpenCount();
  w.focus->Focus("xlogo");
  w.Pass(700ms);
  EXPECT_EQ(w.Frames(), 0u);
  --w.dialogs.ProfileManagerOpenCount();
  ASSERT_TRUE(testing::SpinUntil([&] { return w.Active() == 2; }, 3000));
}

TEST(AutoProfileWindow, RulesRequestAndDialogInEveryLanguage) {
  AutoWindow w;
  // quorlinctl changed the rules: the RULES request reads them again.
  flows::AutoProfileSettings s = flows::LoadAutoProfiles(*w.rig.settings);
  flows::SetRule(s, "xterm", 2);
  flows::SaveAutoProfiles(*w.rig.settings, s);
  w.rig.window->HandleRequest(std::string(platform::kRequestRules));
  w.focus->Focus("xterm");
  ASSERT_TRUE(testing::SpinUntil([&] { return w.Active() == 2; }, 3000));

  w.focus->available = false;
  w.focus->running = {{"firefox", "Mozilla Firefox", QIcon()}};
  w.rig.window->OnCommand(main_ids::kCmdAutoProfiles);
  CAutoProfileDlg* dialog = AutoProfileDialogOf(w.rig.window.get());
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->list()->rowCount(), 3);
  EXPECT_FALSE(dialog->message()->text().isEmpty()) << "the desktop cannot tell";

  const QString shots = qEnvironmentVariable("QUORLIN_SHOTS_DIR");
  for (int position : {1, 2, 0}) {
    const int index = w.rig.texts->Choose(position);
    w.rig.window->OnLanguageChanged(text::kLanguageChangedTag, index);
    QCoreApplication::processEvents();
    const uint32_t id = w.rig.texts->CurrentId();
    if (id == 0x0407) {
      EXPECT_EQ(dialog->enabled()->text().toStdString(),
                "Profil mit der Anwendung im Fokus wechseln");
    }
    if (!shots.isEmpty()) {
      QDir().mkpath(shots);
      dialog->grab().save(shots +
                          QStringLiteral("/auto_profiles_%1.png").arg(id, 4, 16, QChar('0')));
    }
  }
  dialog->OnAddRunning();
  ASSERT_EQ(dialog->runningMenu()->actions().size(), 1);
  dialog->runningMenu()->actions().first()->trigger();
  dialog->runningMenu()->hide();
  ASSERT_EQ(dialog->Rules().rules.size(), 4u);
  EXPECT_EQ(dialog->Rules().rules.back().app, "firefox");
  dialog->AddByName("bad\tname");
  EXPECT_EQ(dialog->Rules().rules.size(), 4u);
  EXPECT_FALSE(w.rig.prompts.messages.empty());
  dialog->fallback()->setCurrentIndex(3);
  emit dialog->fallback()->activated(3);
  dialog->OnOK();
  const flows::AutoProfileSettings saved = flows::LoadAutoProfiles(*w.rig.settings);
  EXPECT_EQ(saved.rules.size(), 4u);
  EXPECT_EQ(saved.fallback, 2);
}

TEST(AutoProfileWindow, ExitCancelsTheDialogAndTheNameItAsksFor) {
  AutoWindow w;
  w.rig.window->OnCommand(main_ids::kCmdAutoProfiles);
  CAutoProfileDlg* dialog = AutoProfileDialogOf(w.rig.window.get());
  ASSERT_NE(dialog, nullptr);
  bool closed = false;
  QTimer::singleShot(50, [&] { closed = w.rig.window->Hooks().close_child_dialogs(); });
  dialog->OnAddByName();  // the question's own loop runs until Exit's hook ends it
  EXPECT_TRUE(closed);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->Rules().rules.size(), 2u);
}

}  // namespace
}  // namespace quorlin::ui
