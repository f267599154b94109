// The window off the happy path, end to end on the simulated keyboard with
// the real device worker, Qt's own questions in their own modal loops and
// quorlinctl as a separate process talking through the instance channel:
// ending while a question is open, quorlinctl changing the keyboard while
// the window holds edits or an editor, and RELOADs that pile up.

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <set>

#include "app/instance_server.h"
#include "device/frame.h"
#include "flows/flow_locks.h"
#include "macros/macro_name.h"
#include "main_window_rig.h"
#include "platform/instance_channel.h"
#include "platform/process_lock.h"
#include "platform/runtime_folder.h"
#include "platform/user_folders.h"
#include "program/dialog_wiring.h"
#include "ui/editors/composite_dialog.h"
#include "ui/editors/open_composite_editor.h"
#include "ui/main/keyboard_view.h"
#include "ui/main/main_window_ids.h"

namespace quorlin::ui {
namespace {

namespace ids = main_ids;
using testing::SpinUntil;
using testing::WindowRig;

constexpr int kPositionOfA = 0;  // in the keyboard view's key list
constexpr keys::KeyCode kKeyA = 0x1E;

// Once `ready` holds, runs `then` (inside whatever modal loop is open).
void When(std::function<bool()> ready, std::function<void()> then) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, ready, then] {
    if (!ready()) return;
    timer->stop();
    timer->deleteLater();
    then();
  });
  timer->start(5);
}

QMessageBox* OpenQuestion() {
  return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
}

// Answers a question with a real click on its button.
void Answer(QMessageBox* box, QMessageBox::StandardButton which) {
  QAbstractButton* b = box->button(which);
  ASSERT_NE(b, nullptr);
  QTest::mouseClick(b, Qt::LeftButton);
}

std::set<uint8_t> WriteCommands() {
  namespace c = device::cmd;
  return {c::kWriteDeviceInfo, c::kWriteLighting,   c::kWriteKeyTable,
          c::kWriteMacroArea,  c::kWriteKeyColours, c::kBootMode};
}

// The window with its dialogs, its instance socket listening where
// quorlinctl looks for it, and quorlinctl at hand.
struct Desk {
  Desk() : rig({.threaded = true, .sim_state = true, .real_prompts = true}), wiring(*rig.window) {
    app::WireDialogs(*rig.window, wiring);
    std::filesystem::permissions(rig.folder.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    // The locks where quorlinctl (run with this XDG_RUNTIME_DIR) takes them.
    const std::filesystem::path runtime = rig.folder.path() / "quorlin";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    platform::OverrideProgramRuntimeFolder(runtime);
    socket = platform::InstanceSocketPath([&](std::string_view name) -> std::optional<std::string> {
      if (name == "XDG_RUNTIME_DIR") return rig.folder.path().string();
      return std::nullopt;
    });
    server = std::make_unique<app::InstanceServer>(
        socket, [this](const std::string& r) { rig.window->HandleRequest(r); });
    EXPECT_TRUE(server->Listen());
    rig.Arrive();
    rig.window->show();
  }
  ~Desk() {
    server.reset();
    rig.window.reset();
    platform::OverrideProgramRuntimeFolder(std::nullopt);
  }

  // quorlinctl on the same simulated keyboard, events running meanwhile
  // (its RELOAD reaches the window); its exit status, -1 when it hung.
  int Cli(QStringList args, int limit_ms = 20000) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(rig.folder.path().string()));
    env.insert("XDG_CONFIG_HOME", QString::fromStdString((rig.folder.path() / "cfg").string()));
    env.insert("XDG_DATA_HOME", QString::fromStdString((rig.folder.path() / "data").string()));
    p.setProcessEnvironment(env);
    args =
        QStringList{"--simulate", "--sim-state", QString::fromStdString(rig.state_file.string())} +
        args;
    p.start(QString(QUORLIN_BIN_DIR) + "/quorlinctl", args);
    if (!p.waitForStarted()) return -1;
    if (!SpinUntil([&] { return p.state() == QProcess::NotRunning; }, limit_ms)) {
      p.kill();
      p.waitForFinished();
      return -1;
    }
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  }
  void ClickKeyA() {
    auto* view = rig.window->findChild<KeyboardView*>();
    ASSERT_NE(view, nullptr);
    CPngButton* key = view->KeyButton(kPositionOfA);
    QTest::mouseClick(key, Qt::LeftButton, {}, key->rect().center());
  }
  bool Idle() { return !rig.window->Jobs().Busy(); }
  std::size_t WritesSent() {
    const std::set<uint8_t> writes = WriteCommands();
    std::size_t n = 0;
    for (uint8_t c : rig.Commands()) n += writes.contains(c) ? 1 : 0;
    return n;
  }

  WindowRig rig;
  app::DialogWiring wiring;
  std::filesystem::path socket;
  std::unique_ptr<app::InstanceServer> server;
};

// Exit (quorlin --kill) while the worker waits for the answer to "Restore
// defaults" used to wait for that worker inside the question's own loop,
// for ever, with the keyboard's lock held against quorlinctl.
TEST(WindowOffPath, KillWithAQuestionOpenEndsQuicklyAndQuorlinctlIsNotKeptWaiting) {
  Desk d;
  d.rig.Sim().ClearReceivedFrames();
  int cli_status = -2;
  qint64 kill_to_end_ms = -1;
  QElapsedTimer since_kill;
  When([] { return OpenQuestion() != nullptr; },
       [&] {
         // No lock is held while the program waits for the user.
         cli_status = d.Cli({"info"}, 10000);
         since_kill.start();
         d.rig.window->HandleRequest(std::string(platform::kRequestKill));
       });
  d.rig.window->OnCommand(ids::kIdRestoreDefaults);
  ASSERT_TRUE(SpinUntil([&] { return d.rig.window->Ended(); }, 10000));
  kill_to_end_ms = since_kill.elapsed();
  EXPECT_EQ(cli_status, 0);
  EXPECT_LT(kill_to_end_ms, 2000);
  EXPECT_EQ(OpenQuestion(), nullptr);
  // Answered No: no key table was restored (the flow still selects the
  // first profile, as it does after No).
  for (uint8_t c : d.rig.Commands()) {
    EXPECT_NE(c, device::cmd::kWriteKeyTable);
    EXPECT_NE(c, device::cmd::kWriteMacroArea);
  }
}

// quorlinctl never waits silently: held out by the window's write, it says
// within a second what it waits for, and goes on once the lock is free.
TEST(WindowOffPath, QuorlinctlSaysAtOnceThatItWaitsForTheKeyboard) {
  Desk d;
  auto held = std::make_unique<platform::KeyboardLock>(
      platform::SimulatedKeyboardLockKey(d.rig.state_file), std::chrono::milliseconds(0));
  ASSERT_TRUE(held->Held());
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_RUNTIME_DIR", QString::fromStdString(d.rig.folder.path().string()));
  p.setProcessEnvironment(env);
  p.start(QString(QUORLIN_BIN_DIR) + "/quorlinctl",
          {"--simulate", "--sim-state", QString::fromStdString(d.rig.state_file.string()), "info"});
  ASSERT_TRUE(p.waitForStarted());
  QByteArray said;
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 1000 && !said.contains('\n')) {
    p.waitForReadyRead(50);
    said += p.readAllStandardError();
  }
  EXPECT_TRUE(QString::fromUtf8(said).trimmed().endsWith(
      QString::fromStdString(d.rig.texts->Text("CLI_WAITING_FOR_KEYBOARD"))))
      << said.toStdString();
  EXPECT_EQ(p.state(), QProcess::Running);
  held.reset();
  ASSERT_TRUE(p.waitForFinished(20000));
  EXPECT_EQ(p.exitCode(), 0);
}

// Dialogs that live only on the window's thread (a question of the key
// editor, the colour dialog, a file chooser) do not keep the program from
// ending either; what they would have chosen after Exit is dropped.
TEST(WindowOffPath, KillEndsTheProgramWhateverDialogOfTheWindowsOwnIsOpen) {
  struct Case {
    const char* name;
    std::function<bool(QWidget*)> open;  // true when it came back with a choice
  };
  const Case cases[] = {
      {"question",
       [](QWidget* w) {
         return QMessageBox::question(w, QString(), "?", QMessageBox::Yes | QMessageBox::No) ==
                QMessageBox::Yes;
       }},
      {"colour dialog", [](QWidget* w) { return QColorDialog::getColor(Qt::red, w).isValid(); }},
      {"file chooser",
       [](QWidget* w) {
         return !QFileDialog::getOpenFileName(w, QString(), QString(), QString(), nullptr,
                                              QFileDialog::DontUseNativeDialog)
                     .isEmpty();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Desk d;
    bool chose = true;
    QElapsedTimer since_kill;
    When([] { return QApplication::activeModalWidget() != nullptr; },
         [&] {
           since_kill.start();
           d.rig.window->HandleRequest(std::string(platform::kRequestKill));
         });
    QTimer::singleShot(0, d.rig.window.get(), [&] { chose = c.open(d.rig.window.get()); });
    ASSERT_TRUE(SpinUntil([&] { return d.rig.window->Ended(); }, 10000));
    EXPECT_LT(since_kill.elapsed(), 2000);
    EXPECT_FALSE(chose);
  }
}

// Many RELOADs read the keyboard at most twice, write nothing, and leave
// the window free to end at once.
TEST(WindowOffPath, ReloadsReadOnlyMergeIntoOneAndKillEndsAtOnceAfterThem) {
  Desk d;
  d.rig.Sim().ClearReceivedFrames();
  d.rig.window->HandleRequest(std::string(platform::kRequestReload));
  ASSERT_TRUE(SpinUntil([&] { return d.Idle(); }, 20000));
  const std::size_t one_reload = d.rig.Commands().size();
  ASSERT_GT(one_reload, 0u);
  EXPECT_EQ(d.WritesSent(), 0u);

  d.rig.Sim().ClearReceivedFrames();
  for (int n = 0; n < 300; ++n) d.rig.window->HandleRequest(std::string(platform::kRequestReload));
  ASSERT_TRUE(SpinUntil([&] { return d.Idle(); }, 20000));
  EXPECT_LE(d.rig.Commands().size(), 2 * one_reload);
  EXPECT_EQ(d.WritesSent(), 0u);

  for (int n = 0; n < 1000; ++n) d.rig.window->HandleRequest(std::string(platform::kRequestReload));
  QElapsedTimer clock;
  clock.start();
  d.rig.window->HandleRequest(std::string(platform::kRequestKill));
  ASSERT_TRUE(SpinUntil([&] { return d.rig.window->Ended(); }, 10000));
  EXPECT_LT(clock.elapsed(), 1000);
}

// Edits the window has not applied are not dropped behind the user's back
// when quorlinctl changes the keyboard: the user chooses.
TEST(WindowOffPath, AChangeByQuorlinctlAsksWhetherToKeepTheWindowsEdits) {
  for (const bool keep : {true, false}) {
    SCOPED_TRACE(keep ? "keep" : "take the keyboard's");
    Desk d;
    // A key edited in the editor and not applied.
    When(
        [&] {
          return CompositeEditorOf(d.rig.window.get()) != nullptr &&
                 CompositeEditorOf(d.rig.window.get())->isVisible();
        },
        [&] {
          Quorlin_DlgComposite* editor = CompositeEditorOf(d.rig.window.get());
          editor->ClickPage(PageKind::kFunction);
          editor->functionList()->setCurrentIndex(3);
          QTest::mouseClick(editor->button("CONTROL_OK"), Qt::LeftButton);
        });
    d.ClickKeyA();
    ASSERT_TRUE(d.rig.state.modified);
    const keys::KeyAction edited = [&] {
      auto w = d.rig.state.working.Lock();
      return w->actions.pages[static_cast<std::size_t>(d.rig.link->CachedActiveProfile())][kKeyA];
    }();

    QString asked;
    When([] { return OpenQuestion() != nullptr; },
         [&] {
           asked = OpenQuestion()->text();
           Answer(OpenQuestion(), keep ? QMessageBox::Yes : QMessageBox::No);
         });
    ASSERT_EQ(d.Cli({"macros", "add", "FromCli", "A:down", "A:up"}), 0);
    ASSERT_TRUE(SpinUntil([&] { return d.Idle() && !asked.isEmpty(); }, 20000));
    EXPECT_EQ(asked.toStdString(), d.rig.texts->Text("MAIN_RELOAD_KEEP_EDITS"));
    EXPECT_EQ(static_cast<bool>(d.rig.state.modified), keep);
    EXPECT_EQ(d.rig.window->Button(ids::kIdApply)->isEnabled(), keep);
    auto working = d.rig.state.working.Lock();
    const keys::KeyAction now =
        working->actions.pages[static_cast<std::size_t>(d.rig.link->CachedActiveProfile())][kKeyA];
    EXPECT_EQ(now == edited, keep);
    // The macro quorlinctl added is there either way.
    bool cli_macro = false;
    for (const auto& m : working->macro_list) cli_macro |= macros::MacroName(m) == "FromCli";
    EXPECT_TRUE(cli_macro);
  }
}

// quorlinctl adds macros while the key editor is open: the window's later
// Apply must not write the editor's old macro list over them.
TEST(WindowOffPath, MacrosQuorlinctlAddsWhileTheEditorIsOpenSurviveTheWindowsApply) {
  Desk d;
  When(
      [&] {
        return CompositeEditorOf(d.rig.window.get()) != nullptr &&
               CompositeEditorOf(d.rig.window.get())->isVisible();
      },
      [&] {
        Quorlin_DlgComposite* editor = CompositeEditorOf(d.rig.window.get());
        for (int n = 1; n <= 5; ++n)
          EXPECT_EQ(d.Cli({"macros", "add", QString("Cli%1").arg(n), "B:down", "B:up"}), 0);
        // The reloads wait for the editor, which still shows what it had.
        editor->ClickPage(PageKind::kFunction);
        editor->functionList()->setCurrentIndex(2);
        QTest::mouseClick(editor->button("CONTROL_OK"), Qt::LeftButton);
      });
  When([] { return OpenQuestion() != nullptr; }, [&] { Answer(OpenQuestion(), QMessageBox::Yes); });
  d.ClickKeyA();
  // The reloads the editor held back run once it closed (and ask).
  QTest::qWait(300);
  ASSERT_TRUE(SpinUntil([&] { return d.Idle(); }, 20000));
  QTest::mouseClick(d.rig.window->Button(ids::kIdApply), Qt::LeftButton);
  ASSERT_TRUE(SpinUntil([&] { return d.Idle(); }, 20000));
  EXPECT_FALSE(d.rig.state.modified);

  // What the keyboard holds now, read by another quorlinctl.
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_RUNTIME_DIR", QString::fromStdString(d.rig.folder.path().string()));
  env.insert("XDG_CONFIG_HOME", QString::fromStdString((d.rig.folder.path() / "cfg").string()));
  env.insert("XDG_DATA_HOME", QString::fromStdString((d.rig.folder.path() / "data").string()));
  p.setProcessEnvironment(env);
  p.start(
      QString(QUORLIN_BIN_DIR) + "/quorlinctl",
      {"--simulate", "--sim-state", QString::fromStdString(d.rig.state_file.string()), "macros"});
  ASSERT_TRUE(p.waitForFinished(20000));
  const QString listed = QString::fromUtf8(p.readAllStandardOutput());
  for (int n = 1; n <= 5; ++n) EXPECT_TRUE(listed.contains(QString("Cli%1").arg(n))) << n;
  // And the window's own edit went to the keyboard too.
  auto working = d.rig.state.working.Lock();
  EXPECT_EQ(
      working->actions.pages[static_cast<std::size_t>(d.rig.link->CachedActiveProfile())][kKeyA]
          .kind,
      keys::KeyActionKind::kFunction);
}

}  // namespace
}  // namespace quorlin::ui
