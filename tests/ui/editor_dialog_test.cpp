#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <functional>

#include "editor_test_support.h"
#include "macros/macro_list.h"
#include "macros/macro_name.h"
#include "ui/editors/composite_dialog.h"
#include "ui/editors/open_composite_editor.h"

namespace quorlin::ui {
namespace {

using keys::KeyAction;
using keys::KeyActionKind;
using testing::NativeKey;

const std::filesystem::path kSkinDir = QUORLIN_SKIN_DIR;
constexpr keys::KeyCode kKeyA = 0x1E;
constexpr int kProfile = 1;

class EditorTest : public testing::QtFixture {
 public:
  EditorTest() : dialog(nullptr, host, kSkinDir) {
    dialog.SetClock([this] { return now_ms; });
  }
  ~EditorTest() override { dialog.done(0); }

  void Open(keys::KeyCode key, bool macro_only = false) {
    dialog.Prepare({key, QRect(100, 100, 40, 40), macro_only}, kProfile);
    dialog.show();
  }
  void Press(uint16_t evdev, bool repeat = false, uint32_t keysym = 0) {
    QKeyEvent e = NativeKey(QEvent::KeyPress, evdev, repeat, keysym);
    QApplication::sendEvent(&dialog, &e);
  }
  void Release(uint16_t evdev, uint32_t keysym = 0, bool repeat = false) {
    QKeyEvent e = NativeKey(QEvent::KeyRelease, evdev, repeat, keysym);
    QApplication::sendEvent(&dialog, &e);
  }
  KeyAction Stored(keys::KeyCode key, int profile = kProfile) {
    auto working = host.State().working.Lock();
    return working->actions.pages[static_cast<std::size_t>(profile)]
                                 [static_cast<std::size_t>(keys::KeyIndexFromCode(key))];
  }
  void Store(keys::KeyCode key, const KeyAction& action, int profile = kProfile) {
    auto working = host.State().working.Lock();
    working->actions.pages[static_cast<std::size_t>(profile)]
                          [static_cast<std::size_t>(keys::KeyIndexFromCode(key))] = action;
  }
  void AddWorkingMacro(uint16_t id, const std::string& name) {
    auto working = host.State().working.Lock();
    macros::MacroRecord record;
    record.identifier = id;
    macros::SetMacroName(record, name);
    working->macro_list.push_back(record);
  }

  testing::FakeHost host;
  uint64_t now_ms = 0;
  Quorlin_DlgComposite dialog;
};

struct RoundTrip {
  const char* name;
  std::function<void(EditorTest&, Quorlin_DlgComposite&)> edit;
  KeyAction expected;
};

TEST_F(EditorTest, EachPageRoundTripsIntoTheWorkingStore) {
  const RoundTrip cases[] = {
      {"captured key B",
       [](EditorTest& t, Quorlin_DlgComposite&) {
         t.Press(48);
         t.Release(48);
       },
       {KeyActionKind::kSingleKey, 0, 0x30, 0, 0}},
      {"keypad 7 with Num Lock off is still keypad 7",
       [](EditorTest& t, Quorlin_DlgComposite&) { t.Press(71, false, 0xFF95); },
       {KeyActionKind::kSingleKey, 0, 0x47, 0, 0}},
      {"middle button",
       [](EditorTest&, Quorlin_DlgComposite& d) {
         d.ClickKeyboardOrMouse(true);
         d.mouseList()->setCurrentIndex(2);
       },
       {KeyActionKind::kSingleKey, 0, 0x0173, 0, 0}},
      {"media",
       [](EditorTest&, Quorlin_DlgComposite& d) {
         d.ClickPage(PageKind::kMedia);
         d.mediaList()->setCurrentIndex(4);
       },
       {KeyActionKind::kMedia, 0, 4, 0, 0}},
      {"function",
       [](EditorTest&, Quorlin_DlgComposite& d) {
         d.ClickPage(PageKind::kFunction);
         d.functionList()->setCurrentIndex(10);
       },
       {KeyActionKind::kFunction, 0, 10, 0, 0}},
      {"macro with play count",
       [](EditorTest&, Quorlin_DlgComposite& d) {
         d.ClickPage(PageKind::kMacro);
         d.macroSelector()->setCurrentIndex(1);
         emit d.macroSelector()->activated(1);
         d.playCountField()->setText("3");
         emit d.playCountField()->textEdited("3");
       },
       {KeyActionKind::kMacro, 3, 9, 0, 0}},
      {"a key given itself",
       [](EditorTest& t, Quorlin_DlgComposite&) { t.Press(30); },
       {KeyActionKind::kDefault, 0, 0, 0, 0}},
      {"cleared",
       [](EditorTest&, Quorlin_DlgComposite& d) { d.ClickClear(); },
       {KeyActionKind::kDefault, 0, 0, 0, 0}},
  };
  AddWorkingMacro(4, "First");
  AddWorkingMacro(9, "Second");
  for (const RoundTrip& c : cases) {
    Store(kKeyA, {KeyActionKind::kDisabled, 0, 0, 0, 0});
    host.State().modified = false;
    const int refreshes = host.refreshes;
    Open(kKeyA);
    c.edit(*this, dialog);
    EXPECT_TRUE(dialog.isModified()) << c.name;
    dialog.ClickOk();
    EXPECT_FALSE(dialog.isVisible()) << c.name;
    EXPECT_EQ(Stored(kKeyA), c.expected) << c.name;
    EXPECT_EQ(host.refreshes, refreshes + 1) << c.name;
    EXPECT_TRUE(host.State().modified) << c.name;

    // Opened again, the page shows what was stored.
    Open(kKeyA);
    const PageKind page = ShownPage(static_cast<PageKind>(c.expected.kind));
    EXPECT_EQ(dialog.shownPage(), page) << c.name;
    if (c.expected.param == 0x0173) {
      EXPECT_FALSE(dialog.keyboardBox()->isChecked());
      EXPECT_EQ(dialog.mouseList()->currentIndex(), 2);
    }
    dialog.ClickCancel();
  }
}

TEST_F(EditorTest, CancelLeavesTheStoreAsItWas) {
  AddWorkingMacro(1, "Keep");
  Store(kKeyA, {KeyActionKind::kMacro, 1, 1, 0, 0});
  const auto before = host.State().working.With([](auto& w) { return w.actions; });
  Open(kKeyA);
  EXPECT_EQ(dialog.shownPage(), PageKind::kMacro);
  // The title names the key. On the macro page the macro tab's tip, which
  // would cover the macro name field below it, stays off.
  const QString title = dialog.button("CONTROL_TITLE")->text();
  EXPECT_TRUE(title.startsWith("KEY_SETTING_FOR ") && !title.endsWith("%s")) << title.toStdString();
  EXPECT_FALSE(dialog.button("CONTROL_MACRO")->isTooltipActive());
  dialog.ClickRecord();
  Press(30);
  Release(30);
  dialog.ClickPage(PageKind::kSingleKey);
  EXPECT_TRUE(dialog.button("CONTROL_MACRO")->isTooltipActive());
  Press(48);
  dialog.ClickCancel();
  host.State().working.With([&](auto& w) {
    EXPECT_EQ(w.actions, before);
    ASSERT_EQ(w.macro_list.size(), 1u);
    EXPECT_EQ(w.macro_list[0].event_count, 0);
  });
  EXPECT_FALSE(host.State().modified);
}

TEST_F(EditorTest, CaptureTakesPrintScreenOnReleaseAndLetsMediaKeysPass) {
  Open(kKeyA);
  Press(115);  // volume up
  EXPECT_EQ(dialog.capturedKey(), keys::kNoKey);
  EXPECT_FALSE(dialog.isModified());
  Release(99);
  EXPECT_EQ(dialog.capturedKey(), 0x137);
  Press(54);  // Right Shift
  EXPECT_EQ(dialog.capturedKey(), 0x36);
  Release(126);  // Right Windows, taken on release too
  EXPECT_EQ(dialog.capturedKey(), 0x15C);
  dialog.ClickKeyboardOrMouse(true);
  Press(48);
  EXPECT_EQ(dialog.capturedKey(), 0x15C) << "with the mouse ticked keys change nothing";
}

TEST_F(EditorTest, EnterAndEscapeNeitherConfirmNorCancelAndF1OpensHelp) {
  Open(kKeyA);
  dialog.ClickPage(PageKind::kMedia);  // no capture on this page
  for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &e);
    EXPECT_TRUE(dialog.isVisible()) << key;
  }
  QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
  QApplication::sendEvent(&dialog, &f1);
  EXPECT_EQ(host.help_opened, 1);
}

TEST_F(EditorTest, RecorderTakesOnePressForAHeldKey) {
  AddWorkingMacro(2, "Held");
  Open(kKeyA, true);
  dialog.ClickRecord();
  ASSERT_TRUE(dialog.Recording());
  now_ms = 100;
  Press(30);
  for (int i = 0; i < 5; ++i) {
    Release(30, 0, true);  // X11 repeats come as release-and-press pairs
    Press(30, true);
  }
  now_ms = 400;
  Release(30);
  QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier, 59 + 8, 0xFFBE, 0);
  QApplication::sendEvent(&dialog, &f1);
  EXPECT_EQ(host.help_opened, 0) << "F1 is recorded, not help, while recording";
  const auto& rows = dialog.macroPage().Rows();
  EXPECT_EQ(rows, (std::vector<macros::MacroEvent>{
                      {50, kKeyA, macros::kPress}, {50, kKeyA, macros::kRelease}, {0, 0x3B, 0}}));
  EXPECT_EQ(dialog.actionList()->topLevelItemCount(), static_cast<int>(rows.size()));
  dialog.ClickApply();
  EXPECT_FALSE(dialog.Recording());
}

TEST_F(EditorTest, MacroOnlyEditorShowsTheMacroPageAlone) {
  AddWorkingMacro(5, "Only");
  Open(keys::GKeyCode(9), true);
  EXPECT_TRUE(dialog.isMacroOnly());
  EXPECT_EQ(dialog.button("CONTROL_TITLE")->text(), "MACRO_EDIT_TISHI");
  EXPECT_EQ(dialog.shownPage(), PageKind::kMacro);
  EXPECT_EQ(dialog.editedIndex(), 264);
  for (const char* key : {"CONTROL_KEY", "CONTROL_MEDIA", "CONTROL_FUNCTION", "CONTROL_CLEAR"})
    EXPECT_FALSE(dialog.button(key)->isEnabled()) << key;
  dialog.ClickPage(PageKind::kSingleKey);
  EXPECT_EQ(dialog.shownPage(), PageKind::kMacro);
  dialog.ClickOk();
  EXPECT_EQ(Stored(keys::GKeyCode(9)), (KeyAction{KeyActionKind::kMacro, 1, 5, 0, 0}));
}

TEST_F(EditorTest, RefusesToOpenOrApplyWithoutTheActiveProfile) {
  QWidget window;
  host.active_profile.reset();
  OpenCompositeEditor(&window, host, {kKeyA, QRect(), false});
  EXPECT_EQ(host.messages.shown, (std::vector<std::string>{"COMPOSITE_NO_PROFILE"}));
  EXPECT_EQ(CompositeEditorOf(&window), nullptr);

  // The keyboard goes away while the editor is open: OK keeps the edit.
  host.active_profile = kProfile;
  Open(kKeyA);
  Press(48);
  host.active_profile.reset();
  dialog.ClickOk();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(dialog.isModified());
  EXPECT_EQ(Stored(kKeyA).kind, KeyActionKind::kDefault);
  EXPECT_EQ(host.messages.shown.size(), 2u);
}

TEST_F(EditorTest, RecordDelayCheckboxIsStoredAtOnce) {
  Open(kKeyA, true);
  dialog.recordDelayBox()->setChecked(true);
  EXPECT_EQ(host.settings.ReadText(platform::kAppSettingsKeyPath, platform::kProfilesSection,
                                   "MACRO_ACTION_RECORD_DELAY"),
            "1");
  dialog.ClickCancel();
  Open(kKeyA, true);
  EXPECT_TRUE(dialog.recordDelayBox()->isChecked());
}

// The cell's editor is opened, typed into and ended by real input events,
// as a user does it; the editor is whatever has the focus.
class CellEditorTest : public EditorTest {
 public:
  QTreeWidget* List() { return dialog.actionList(); }
  void DoubleClickCell(int row, int column) {
    const QRect cell = List()->visualRect(List()->model()->index(row, column));
    ASSERT_TRUE(cell.isValid());
    // Through the window, so that each click lands on what is under it (the
    // second one on the editor the first one opened).
    const QPoint at = List()->viewport()->mapTo(&dialog, cell.center());
    QTest::mouseDClick(dialog.windowHandle(), Qt::LeftButton, {}, at);
  }
  // The editor the view holds on a cell, if any.
  QWidget* Editor(int row, int column) {
    return List()->indexWidget(List()->model()->index(row, column));
  }
  void RecordOneKey() {
    AddWorkingMacro(3, "Cells");
    Open(kKeyA, true);
    dialog.ClickRecord();
    Press(30);
    dialog.ClickRecord();
    ASSERT_NE(List()->topLevelItem(0), nullptr);
  }
};

TEST_F(CellEditorTest, CellsAreEditedInPlace) {
  RecordOneKey();
  QTreeWidgetItem* row = List()->topLevelItem(0);
  DoubleClickCell(0, 0);
  auto* key = qobject_cast<QComboBox*>(Editor(0, 0));
  ASSERT_NE(key, nullptr);
  key->setCurrentIndex(0);
  QTest::keyClick(key, Qt::Key_Down);  // the Pick list's second key, B
  DoubleClickCell(0, 1);
  auto* direction = qobject_cast<QComboBox*>(Editor(0, 1));
  ASSERT_NE(direction, nullptr);
  QTest::keyClick(direction, Qt::Key_Down);
  DoubleClickCell(0, 2);
  auto* delay = qobject_cast<QLineEdit*>(Editor(0, 2));
  ASSERT_NE(delay, nullptr);
  QTest::keyClicks(delay, "50000");
  QTest::keyClick(delay, Qt::Key_Return);
  QApplication::processEvents();

  EXPECT_EQ(dialog.macroPage().Rows(),
            (std::vector<macros::MacroEvent>{{40000, 0x30, macros::kRelease}}));
  // Said once, although the message took the focus from the cell.
  EXPECT_EQ(host.messages.shown, (std::vector<std::string>{"MACRO_ACTION_ERR_DELAY_MAX"}));
  EXPECT_EQ(row->text(2), "40000");
  EXPECT_TRUE(dialog.isModified());
}

// Closing the editor with a cell editor just ended, or still open, must
// leave the list nothing that is gone (it used to show a deleted editor
// again while the dialog hid its children).
TEST_F(CellEditorTest, TheDialogClosesEveryWayWithACellJustEditedOrOpen) {
  enum class End { kOk, kCancel, kApplyThenOk };
  struct Case {
    End end;
    bool press_enter;  // else the cell is still open when the dialog ends
    uint32_t kept_delay;
  };
  const Case cases[] = {
      {End::kOk, true, 100},    {End::kOk, false, 100},         {End::kCancel, true, 100},
      {End::kCancel, false, 0}, {End::kApplyThenOk, true, 100}, {End::kApplyThenOk, false, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.end) * 2 + (c.press_enter ? 0 : 1));
    RecordOneKey();
    DoubleClickCell(0, 2);
    auto* delay = qobject_cast<QLineEdit*>(Editor(0, 2));
    ASSERT_NE(delay, nullptr);
    delay->selectAll();
    QTest::keyClicks(delay, "100");
    if (c.press_enter) QTest::keyClick(delay, Qt::Key_Return);
    QApplication::processEvents();
    const std::vector<macros::MacroEvent> rows_before_end = dialog.macroPage().Rows();
    switch (c.end) {
      case End::kOk:
        QTest::mouseClick(dialog.button("CONTROL_OK"), Qt::LeftButton);
        break;
      case End::kCancel:
        QTest::mouseClick(dialog.button("CONTROL_CANCEL"), Qt::LeftButton);
        break;
      case End::kApplyThenOk:
        QTest::mouseClick(dialog.button("CONTROL2_APPLY"), Qt::LeftButton);
        QApplication::processEvents();
        QTest::mouseClick(dialog.button("CONTROL_OK"), Qt::LeftButton);
        break;
    }
    // Deleted editors go with the next turn of the loop.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    EXPECT_FALSE(dialog.isVisible());
    if (c.end != End::kCancel) {
      auto working = host.State().working.Lock();
      ASSERT_FALSE(working->macro_list.empty());
      ASSERT_GT(working->macro_list.back().event_count, 0);
      EXPECT_EQ(working->macro_list.back().events.front().delay, c.kept_delay);
    } else if (c.press_enter) {
      EXPECT_EQ(rows_before_end.front().delay, c.kept_delay);
    }
    // The list can be shown and laid out again with nothing left of it.
    Open(kKeyA, true);
    List()->updateGeometry();
    QApplication::processEvents();
    dialog.done(0);
    host.state = std::make_unique<flows::ProgramState>();
  }
}

}  // namespace
}  // namespace quorlin::ui
