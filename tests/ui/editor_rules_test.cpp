#include <gtest/gtest.h>

#include "editor_test_support.h"
#include "keys/key_action_store.h"
#include "ui/editors/editor_position.h"
#include "ui/editors/key_assignment.h"
#include "ui/editors/key_input.h"
#include "ui/editors/on_screen_keyboard.h"

namespace quorlin::ui {
namespace {

using keys::KeyAction;
using keys::KeyActionKind;

constexpr int kKeyA = 0x1E;
constexpr int kG3 = 258;

struct BuildCase {
  const char* name;
  int edited;
  PageChoice choice;
  KeyActionKind kind;
  uint16_t aux;
  uint32_t param;
};

TEST(EditorRules, BuildKeyActionByPage) {
  const KeyAction original{KeyActionKind::kDisabled, 0, 0, 0, 0};
  const BuildCase cases[] = {
      {"key",
       kKeyA,
       {.kind = PageKind::kSingleKey, .captured = 0x30},
       KeyActionKind::kSingleKey,
       0,
       0x30},
      {"key to itself",
       kKeyA,
       {.kind = PageKind::kSingleKey, .captured = 0x1E},
       KeyActionKind::kDefault,
       0,
       0},
      {"nothing captured", kKeyA, {.kind = PageKind::kSingleKey}, KeyActionKind::kDefault, 0, 0},
      {"G key keeps its code",
       kG3,
       {.kind = PageKind::kSingleKey, .captured = 0x30},
       KeyActionKind::kSingleKey,
       0x0303,
       0x30},
      {"wheel down",
       kKeyA,
       {.kind = PageKind::kSingleKey, .mouse = true, .mouse_row = 4},
       KeyActionKind::kSingleKey,
       0,
       0x0162},
      {"macro",
       kG3,
       {.kind = PageKind::kMacro, .macro_id = 7, .play_count = 3},
       KeyActionKind::kMacro,
       3,
       7},
      {"macro page without macros",
       kKeyA,
       {.kind = PageKind::kMacro},
       KeyActionKind::kDefault,
       0,
       0},
      {"media", kKeyA, {.kind = PageKind::kMedia, .media_row = 17}, KeyActionKind::kMedia, 0, 17},
      {"function",
       kKeyA,
       {.kind = PageKind::kFunction, .function_row = 10},
       KeyActionKind::kFunction,
       0,
       10},
      {"cleared",
       kKeyA,
       {.kind = PageKind::kCleared, .captured = 0x30},
       KeyActionKind::kDefault,
       0,
       0},
  };
  for (const BuildCase& c : cases) {
    const KeyAction a = BuildKeyAction(c.edited, c.choice, original);
    EXPECT_EQ(a.kind, c.kind) << c.name;
    EXPECT_EQ(a.aux, c.aux) << c.name;
    EXPECT_EQ(a.param, c.param) << c.name;
  }
}

TEST(EditorRules, KindsWithoutAPageAreKeptWhole) {
  // A run-program key opened and confirmed unchanged must not lose its path.
  const KeyAction original{KeyActionKind::kRunProgram, 0, 0x40, 1, 0};
  PageChoice choice;
  choice.kind = static_cast<PageKind>(KeyActionKind::kRunProgram);
  EXPECT_EQ(BuildKeyAction(kKeyA, choice, original), original);
  EXPECT_FALSE(IsEditorKind(choice.kind));
  EXPECT_EQ(ShownPage(choice.kind), PageKind::kSingleKey);
}

struct PlaceCase {
  const char* name;
  QRect key;
  QPoint expected;
};

TEST(EditorRules, EditorSitsBesideTheKeyAtEveryScreenEdge) {
  const QRect screen(0, 0, 1600, 1000);
  const QSize size(640, 460);
  const PlaceCase cases[] = {
      {"top left: below right", QRect(100, 100, 40, 40), QPoint(140, 140)},
      {"bottom left: above", QRect(100, 900, 40, 40), QPoint(140, 440)},
      {"top right: left, below", QRect(1500, 100, 40, 40), QPoint(860, 140)},
      {"bottom right: left, above", QRect(1500, 900, 40, 40), QPoint(860, 440)},
      {"middle bottom", QRect(800, 700, 40, 40), QPoint(840, 240)},
  };
  for (const PlaceCase& c : cases)
    EXPECT_EQ(EditorPositionBesideKey(c.key, size, screen), c.expected) << c.name;

  // Too large for any side: on the screen, as near the key as it can be.
  const QRect small(0, 0, 800, 600);
  const QPoint p = EditorPositionBesideKey(QRect(380, 280, 40, 40), size, small);
  EXPECT_TRUE(small.contains(QRect(p, size))) << p.x() << "," << p.y();
  EXPECT_EQ(EditorPositionCentred(size, screen), QPoint(480, 270));
}

struct KeyCase {
  const char* name;
  QEvent::Type type;
  uint16_t evdev;
  bool repeat;
  uint32_t keysym;
  keys::KeyCode key;
  CaptureAction single_key;
  CaptureAction recorder;
  bool synthetic;
};

TEST(EditorRules, EveryKindOfKeyThroughCaptureAndRecorder) {
  using enum CaptureAction;
  const auto press = QEvent::KeyPress;
  const auto release = QEvent::KeyRelease;
  const KeyCase cases[] = {
      {"A press", press, 30, false, 0x61, 0x1E, kTake, kTake, false},
      {"A release", release, 30, false, 0x61, 0x1E, kSwallow, kTake, false},
      {"A held", press, 30, true, 0x61, 0x1E, kSwallow, kSwallow, false},
      {"A held, X11 release", release, 30, true, 0x61, 0x1E, kSwallow, kSwallow, false},
      {"keypad 1, Num Lock on", press, 79, false, 0xFFB1, 0x4F, kTake, kTake, false},
      {"keypad 1, Num Lock off", press, 79, false, 0xFF9C, 0x4F, kTake, kTake, false},
      {"Right Shift", press, 54, false, 0xFFE2, 0x36, kTake, kTake, false},
      {"Print Screen press", press, 99, false, 0xFF61, 0x137, kTake, kSwallow, false},
      {"Print Screen release", release, 99, false, 0xFF61, 0x137, kTake, kTake, true},
      {"Left Windows press", press, 125, false, 0xFFEB, 0x15B, kTake, kTake, false},
      {"Right Windows release", release, 126, false, 0xFFEC, 0x15C, kTake, kTake, false},
      {"Application", press, 127, false, 0xFF67, 0x15D, kTake, kTake, false},
      {"volume up passes", press, 115, false, 0x1008FF13, 0x130, kPass, kPass, false},
      {"unknown passes", press, 240, false, 0, 0, kPass, kPass, false},
  };
  for (const KeyCase& c : cases) {
    const QKeyEvent event = testing::NativeKey(c.type, c.evdev, c.repeat, c.keysym);
    const auto input = KeyInputFromEvent(event);
    ASSERT_TRUE(input.has_value()) << c.name;
    EXPECT_EQ(input->key, c.key) << c.name;
    EXPECT_EQ(SingleKeyCapture(*input, true), c.single_key) << c.name;
    const RecordStep step = RecorderStep(*input);
    EXPECT_EQ(step.action, c.recorder) << c.name;
    EXPECT_EQ(step.synthetic_press, c.synthetic) << c.name;
    if (step.action == kTake) {
      EXPECT_EQ(step.direction, c.type == release ? 1 : 0) << c.name;
    }
    // With the mouse ticked nothing is taken, and media keys still pass.
    EXPECT_NE(SingleKeyCapture(*input, false), kTake) << c.name;
  }
}

TEST(EditorRules, OnScreenKeyboardIsTheFirstInstalledOrTheDesktopsOwn) {
  struct Case {
    const char* name;
    QStringList installed;
    QString desktop;
    QString expected;  // empty: none, the button is disabled
  };
  const Case cases[] = {
      {"onboard first", {"florence", "onboard", "gsettings"}, "GNOME", "onboard"},
      {"another program", {"florence"}, "KDE", "florence"},
      {"GNOME's own", {"gsettings"}, "ubuntu:GNOME", "gsettings"},
      {"gsettings elsewhere is no keyboard", {"gsettings"}, "XFCE", ""},
      {"nothing", {}, "GNOME", ""},
  };
  for (const Case& c : cases) {
    const auto found = FindOnScreenKeyboard(
        {"onboard", "florence"},
        [&c](const QString& name) { return c.installed.contains(name) ? "/usr/bin/" + name : ""; },
        c.desktop);
    EXPECT_EQ(found ? found->name : QString(), c.expected) << c.name;
    if (found) {
      EXPECT_EQ(found->program, "/usr/bin/" + c.expected) << c.name;
    }
  }
}

}  // namespace
}  // namespace quorlin::ui
