// The main window with its dialogs plugged in, as the program runs it:
// in process, offscreen, against the simulated keyboard.

#include "program/dialog_wiring.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <functional>

#include "main_window_rig.h"
#include "text/language.h"
#include "ui/editors/composite_dialog.h"
#include "ui/editors/open_composite_editor.h"
#include "ui/main/keyboard_view.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/profile_dialog.h"
#include "ui/main/profile_menu.h"
#include "ui/skin/color_static.h"
#include "ui/update/update_dialog.h"

namespace quorlin::ui {
namespace {

namespace ids = main_ids;
using testing::WindowRig;

constexpr keys::KeyCode kKeyA = 0x1E;
constexpr int kPositionOfA = 0;  // in the keyboard view's key list

struct WiredWindow {
  explicit WiredWindow(testing::RigOptions options = {}) : rig(options), wiring(*rig.window) {
    app::WireDialogs(*rig.window, wiring);
    rig.Arrive();
    rig.window->show();
  }
  // Once `ready` holds, runs `then` (inside whatever modal loop is open).
  static void When(std::function<bool()> ready, std::function<void()> then) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, ready, then] {
      if (!ready()) return;
      timer->stop();
      timer->deleteLater();
      then();
    });
    timer->start(5);
  }
  ~WiredWindow() {
    // The dialogs are the window's children and hold the wiring.
    rig.window.reset();
  }

  // Runs `inside` once the next modal dialog or menu has taken over.
  static void WhenModal(std::function<void()> inside, int after_ms = 0) {
    QTimer::singleShot(after_ms, [inside = std::move(inside)] { inside(); });
  }
  void ClickKeyA() {
    auto* view = rig.window->findChild<KeyboardView*>();
    ASSERT_NE(view, nullptr);
    CPngButton* key = view->KeyButton(kPositionOfA);
    QTest::mouseClick(key, Qt::LeftButton, {}, key->rect().center());
  }
  keys::KeyAction ActionOfA() {
    auto working = rig.state.working.Lock();
    const int page = rig.link->CachedActiveProfile();
    return working->actions.pages[static_cast<std::size_t>(page)][kKeyA];
  }
  bool ApplyEnabled() const { return rig.window->Button(ids::kIdApply)->isEnabled(); }
  std::size_t FramesSent() const { return rig.backend->Sim()->ReceivedFrames().size(); }

  WindowRig rig;
  app::DialogWiring wiring;
};

TEST(DialogWiring, AKeyClickOpensTheEditorForThatKeyAndOkStoresItsAction) {
  WiredWindow w;
  ASSERT_FALSE(w.ApplyEnabled());
  const keys::KeyAction before = w.ActionOfA();
  bool seen = false;
  WiredWindow::WhenModal([&] {
    Quorlin_DlgComposite* editor = CompositeEditorOf(w.rig.window.get());
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_FALSE(editor->isMacroOnly());
    // The flows now see an open editor and refuse a profile switch.
    EXPECT_TRUE(w.rig.window->KeyEditorOpen());
    EXPECT_FALSE(w.rig.window->MacroRecordingRunning());
    seen = true;
    editor->ClickPage(PageKind::kFunction);
    editor->functionList()->setCurrentIndex(10);
    editor->ClickOk();
  });
  w.ClickKeyA();
  ASSERT_TRUE(seen);
  EXPECT_FALSE(w.rig.window->KeyEditorOpen());
  const keys::KeyAction after = w.ActionOfA();
  EXPECT_NE(after, before);
  EXPECT_EQ(after.kind, keys::KeyActionKind::kFunction);
  EXPECT_EQ(after.param, 10u);
  EXPECT_TRUE(w.ApplyEnabled());
  EXPECT_TRUE(w.rig.state.modified);
}

// A write that failed leaves the Active profile unknown: it is asked again
// before the editor refuses, which it does only when the keyboard is mute.
TEST(DialogWiring, WithoutAKnownActiveProfileTheEditorAsksTheKeyboardAgainBeforeRefusing) {
  for (const bool keyboard_answers : {true, false}) {
    SCOPED_TRACE(keyboard_answers ? "keyboard answers" : "keyboard mute");
    WiredWindow w;
    w.rig.link->InvalidateActiveProfile();
    if (!keyboard_answers) w.rig.Sim().SilenceNextFrames(1000);
    bool editor_opened = false;
    WiredWindow::When([] { return QApplication::activeModalWidget() != nullptr; },
                      [&] {
                        Quorlin_DlgComposite* editor = CompositeEditorOf(w.rig.window.get());
                        editor_opened = editor != nullptr && editor->isVisible();
                        if (editor_opened) editor->ClickCancel();
                      });
    w.ClickKeyA();
    ASSERT_TRUE(testing::SpinUntil([&] { return !w.rig.window->Jobs().Busy(); }));
    QApplication::processEvents();
    EXPECT_EQ(editor_opened, keyboard_answers);
    EXPECT_EQ(w.rig.prompts.messages.size(), keyboard_answers ? 0u : 1u);
    if (!keyboard_answers)
      EXPECT_EQ(w.rig.prompts.messages[0].toStdString(),
                w.rig.texts->Text("COMPOSITE_NO_PROFILE"));
    w.rig.Sim().ClearFaults();
  }
}

TEST(DialogWiring, TheProfileButtonAndATrayClickShowTheProfileMenuAndItsDefaultSendsNothing) {
  struct Case {
    const char* name;
    std::function<void(WiredWindow&)> show;
    int menu_after_ms;
  };
  // The tray's menu waits for the double-click interval, so a double click
  // is not taken for a single one.
  const int interval = QApplication::doubleClickInterval();
  const Case cases[] = {
      {"profile button", [](WiredWindow& w) { w.rig.window->OnCommand(ids::kIdProfileManager); },
       0},
      {"tray click",
       [interval](WiredWindow& w) {
         auto* tray = w.rig.window->findChild<QSystemTrayIcon*>();
         ASSERT_NE(tray, nullptr);
         emit tray->activated(QSystemTrayIcon::Trigger);
         EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
         QTest::qWait(interval + 400);
       },
       interval + 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WiredWindow w;
    std::size_t frames_with_menu = 0;
    bool manager_entry = false;
    WiredWindow::WhenModal(
        [&] {
          auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
          ASSERT_NE(menu, nullptr);
          QAction* default_entry = nullptr;
          for (QAction* a : menu->actions()) {
            if (a->data().toInt() == ids::kCmdFirstProfileItem) default_entry = a;
            if (a->data().toInt() == kManageProfilesItemId) manager_entry = true;
          }
          frames_with_menu = w.FramesSent();
          ASSERT_NE(default_entry, nullptr);
          QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(default_entry).center());
        },
        c.menu_after_ms);
    c.show(w);
    ASSERT_GT(frames_with_menu, 0u);
    EXPECT_TRUE(manager_entry);
    EXPECT_EQ(w.FramesSent(), frames_with_menu);
  }
}

// The first click of a double click arrives as a single click: its menu
// must not open, or it would grab the mouse and swallow the second click.
TEST(DialogWiring, ATrayDoubleClickOpensTheWindowAndNoMenu) {
  WiredWindow w;
  auto* tray = w.rig.window->findChild<QSystemTrayIcon*>();
  ASSERT_NE(tray, nullptr);
  w.rig.window->hide();
  bool menu_seen = false;
  const int interval = QApplication::doubleClickInterval();
  QTimer::singleShot(interval + 200, [&] {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      menu_seen = true;
      popup->close();
    }
  });
  emit tray->activated(QSystemTrayIcon::Trigger);
  emit tray->activated(QSystemTrayIcon::DoubleClick);
  QTest::qWait(interval + 400);
  EXPECT_FALSE(menu_seen);
  EXPECT_TRUE(w.rig.window->isVisible());
}

TEST(DialogWiring, FirmwareUpdateInTheButtonMenuOpensTheUpdateDialog) {
  WiredWindow w;
  w.rig.window->RelabelMenus();
  QAction* item = nullptr;
  for (QAction* a : w.rig.window->ButtonMenu()->actions())
    if (a->data().toInt() == ids::kCmdFirmwareUpdate) item = a;
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(item->isVisible());
  EXPECT_EQ(item->text(), "Firmware update...");
  bool open = false;
  WiredWindow::WhenModal([&] {
    auto* dialog = w.rig.window->findChild<CQuorlin_DlgUpdate*>();
    open = dialog != nullptr && dialog->isVisible();
    // Exit's way of closing it.
    CloseUpdateDialog(w.rig.window.get());
  });
  item->trigger();
  EXPECT_TRUE(open);
}

TEST(DialogWiring, ExitWithTheEditorOpenClosesItFirstAndKeepsTheStoreAsItWas) {
  WiredWindow w;
  const keys::KeyAction before = w.ActionOfA();
  bool exited = false;
  WiredWindow::WhenModal([&] {
    Quorlin_DlgComposite* editor = CompositeEditorOf(w.rig.window.get());
    ASSERT_NE(editor, nullptr);
    editor->ClickPage(PageKind::kFunction);
    editor->functionList()->setCurrentIndex(10);
    exited = w.rig.window->Exit();
    EXPECT_FALSE(editor->isVisible());
  });
  w.ClickKeyA();
  EXPECT_TRUE(exited);
  // Asked inside the editor's loop, the end comes once that loop is left.
  EXPECT_TRUE(testing::SpinUntil([&] { return w.rig.window->Ended(); }));
  EXPECT_EQ(w.ActionOfA(), before);
}

// The manager reached through the profile menu stays open as long as the
// user likes: the program must still end on Exit (or the KILL request),
// and the preview must not stand still meanwhile.
TEST(DialogWiring, KillEndsTheProgramWhileTheProfileManagerFromTheMenuIsOpen) {
  WiredWindow w({.threaded = true});
  bool manager_seen = false;
  bool busy_meanwhile = true;
  WiredWindow::When([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); },
                    [] {
                      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                      for (QAction* a : menu->actions())
                        if (a->data().toInt() == kManageProfilesItemId) menu->setActiveAction(a);
                      QTest::keyClick(menu, Qt::Key_Return);
                    });
  auto manager = [&w] { return w.rig.window->findChild<CQuorlin_DlgProfile*>(); };
  WiredWindow::When([&] { return manager() && manager()->isVisible(); },
                    [&] {
                      manager_seen = true;
                      busy_meanwhile = w.rig.window->Jobs().Busy();
                      // Were the jobs still busy, KILL would wait for ever.
                      if (busy_meanwhile) {
                        CloseProfileManager(w.rig.window.get());
                      } else {
                        w.rig.window->HandleRequest("KILL");
                      }
                    });
  w.rig.window->OnCommand(ids::kIdProfileManager);
  ASSERT_TRUE(testing::SpinUntil([&] { return manager_seen; }, 20000));
  EXPECT_FALSE(busy_meanwhile);
  EXPECT_TRUE(testing::SpinUntil([&] { return w.rig.window->Ended(); }, 20000));
  EXPECT_FALSE(manager()->isVisible());
}

TEST(DialogWiring, ALanguageSwitchRelabelsTheProfileManagerAndTheUpdateDialog) {
  const auto german = [](const char* key) {
    return QString::fromStdString(text::LangText(QUORLIN_DATA_DIR, key, 2));
  };
  struct Case {
    const char* name;
    std::function<void(WiredWindow&)> open;
    std::function<QString(WiredWindow&)> shown;
    const char* key;
  };
  const Case cases[] = {
      {"profile manager", [](WiredWindow& w) { OpenProfileManager(w.rig.window.get(), w.wiring); },
       [](WiredWindow& w) {
         return w.rig.window->findChild<CQuorlin_DlgProfile*>()->button("CONTROL_OK")->text();
       },
       "PROFILE_OK"},
      {"update dialog", [](WiredWindow& w) { OpenUpdateDialog(w.rig.window.get(), w.wiring); },
       [](WiredWindow& w) {
         return w.rig.window->findChild<CQuorlin_DlgUpdate*>()->pathText()->text();
       },
       "UPDATE_WINDOWS_ONLY"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WiredWindow w;
    QString after;
    WiredWindow::WhenModal([&] {
      auto* picker = static_cast<QComboBox*>(w.rig.window->Control(ids::kIdLanguagePicker));
      picker->setCurrentIndex(2);
      emit picker->activated(2);
      after = c.shown(w);
      CloseProfileManager(w.rig.window.get());
      CloseUpdateDialog(w.rig.window.get());
    });
    c.open(w);
    EXPECT_EQ(after, german(c.key));
  }
}

}  // namespace
}  // namespace quorlin::ui
