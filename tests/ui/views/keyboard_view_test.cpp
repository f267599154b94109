#include <QTest>
#include <fstream>
#include <sstream>

#include "keys/key_button_list.h"
#include "profiles/key_view.h"
#include "ui/main/flip_setting.h"
#include "ui/main/lighting_panel_widget.h"
#include "ui/skin/png_button.h"
#include "ui/skin/skin_picture.h"
#include "views_fixture.h"

namespace quorlin::ui {
namespace {

using namespace testing;  // NOLINT: the fixture's helpers
namespace control = key_view_control;

constexpr int kA = 0;  // positions in the key list
constexpr int kF1 = 52;
constexpr int kEsc = 37;

void Click(QWidget* w) {
  ASSERT_NE(w, nullptr);
  QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

struct EditRecorder {
  explicit EditRecorder(KeyboardView& view) {
    QObject::connect(&view, &KeyboardView::keyEditRequested,
                     [this](const KeyEditRequest& r) { requests.push_back(r); });
  }
  std::vector<KeyEditRequest> requests;
};

void OpenLighting(ViewsFixture& f, int mode) {
  Click(f.panel_widget().Control(panel_control::kLightSwitch));
  f.panel.SelectModeAt(f.PositionOf(mode));
  f.views->ShowPanelView(f.panel.View());
  f.Forget();
}

TEST(KeyboardView, ClicksAskForTheRightEditor) {
  struct Case {
    const char* name;
    bool lighting;
    std::function<CPngButton*(KeyboardView&)> button;
    std::optional<keys::KeyCode> key;  // nothing: no editor
    bool macro_only = false;
  };
  const Case cases[] = {
      {"A", false, [](auto& v) { return v.KeyButton(kA); }, keys::KeyCode{0x1E}},
      {"Print Screen", false, [](auto& v) { return v.KeyButton(64); }, keys::KeyCode{0x137}},
      {"G3", false, [](auto& v) { return v.GKeyButton(3); }, keys::GKeyCode(3)},
      {"G9 opens the macro page", false, [](auto& v) { return v.GKeyButton(9); }, keys::GKeyCode(9),
       true},
      {"G3 in the lighting view", true, [](auto& v) { return v.GKeyButton(3); }, keys::GKeyCode(3)},
      {"A in the lighting view paints", true, [](auto& v) { return v.KeyButton(kA); },
       std::nullopt},
      {"Fn has no function", false, [](auto& v) { return v.FnButton(); }, std::nullopt},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    ViewsFixture f;
    f.window->show();
    if (k.lighting) OpenLighting(f, 1);
    EditRecorder edits(f.keys());
    CPngButton* b = k.button(f.keys());
    Click(b);
    if (!k.key) {
      EXPECT_TRUE(edits.requests.empty());
      continue;
    }
    ASSERT_EQ(edits.requests.size(), 1u);
    EXPECT_EQ(edits.requests[0].key, *k.key);
    EXPECT_EQ(edits.requests[0].macro_only, k.macro_only);
    EXPECT_EQ(edits.requests[0].key_rect_global, QRect(b->mapToGlobal(QPoint(0, 0)), b->size()));
  }
}

// Clicks come in through the window, as the mouse's do: the two layers over
// the window each take only their own controls.
TEST(KeyboardView, ClicksThroughTheWindowReachTheControlUnderThePointer) {
  ViewsFixture f;
  f.window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(f.window.get()));
  EditRecorder edits(f.keys());
  auto click_at = [&f](const QWidget* w) {
    QTest::mouseClick(f.window->windowHandle(), Qt::LeftButton, {},
                      w->mapTo(f.window.get(), w->rect().center()));
  };
  click_at(f.keys().KeyButton(kA));
  ASSERT_EQ(edits.requests.size(), 1u);
  EXPECT_EQ(edits.requests[0].key, keys::KeyCode{0x1E});
  click_at(f.panel_widget().Control(panel_control::kReportRate3));
  EXPECT_EQ(f.state.lighting.panel.report_rate, 2);
  click_at(f.panel_widget().Control(panel_control::kLightSwitch));
  EXPECT_TRUE(f.state.lighting.panel.view_open);
  click_at(f.keys().GKeyButton(2));
  ASSERT_EQ(edits.requests.size(), 2u);
  EXPECT_EQ(edits.requests[1].key, keys::GKeyCode(2));
}

TEST(KeyboardView, PaintingSendsTheKeysColourOnlyInTheUserMode) {
  struct Case {
    int mode;
    int lit_key;
  };
  for (const Case k : {Case{20, kEsc}, Case{20, lighting::kFnLitKey}, Case{1, kEsc}}) {
    SCOPED_TRACE(::testing::Message() << "mode " << k.mode << " key " << k.lit_key);
    ViewsFixture f;
    KeyboardSide twin;
    twin.ReadSlot(0);
    f.window->show();
    OpenLighting(f, k.mode);
    twin.panel.ToggleLightSwitch({});
    twin.panel.SelectModeAt(f.PositionOf(k.mode));
    twin.Forget();

    CPngButton* key =
        k.lit_key == lighting::kFnLitKey ? f.keys().FnButton() : f.keys().KeyButton(k.lit_key);
    Click(key);
    twin.panel.PaintKey(k.lit_key);
    EXPECT_EQ(f.Sent(), twin.Sent());
    EXPECT_EQ(f.Sent().empty(), k.mode != 20);
    if (k.mode == 20) {
      const lighting::Rgb painted = f.state.lighting.panel.paint_colour;
      EXPECT_EQ(f.keys().ShownColour(k.lit_key), painted);
      EXPECT_EQ(f.EdgeColour(key), QColor(painted.red, painted.green, painted.blue));
    }
  }
}

TEST(KeyboardView, MarksAndTooltipsFollowTheWorkingStoreOfTheActiveProfile) {
  ViewsFixture f;
  const int profile = f.sim.link.ActiveProfile();
  const int a_index = keys::KeyIndexFromCode(0x1E);
  f.state.working.With([&](profiles::WorkingContents& w) {
    w.actions.pages[static_cast<std::size_t>(profile)][static_cast<std::size_t>(a_index)] = {
        keys::KeyActionKind::kDisabled};
  });
  f.keys().RefreshKeyMarks();
  EXPECT_TRUE(f.keys().KeyButton(kA)->isSelected());
  EXPECT_FALSE(f.keys().KeyButton(kA + 1)->isSelected());
  const auto described = f.state.working.With([&](const profiles::WorkingContents& w) {
    return profiles::DescribeKeyViewPage(w, profile, f.texts);
  });
  EXPECT_EQ(f.keys().KeyButton(kA)->tooltipText().toStdString(),
            described[keys::kViewGKeyCount + kA].tooltip);
  EXPECT_EQ(f.keys().GKeyButton(1)->tooltipText().toStdString(), described[0].tooltip);

  // Another Active profile shows its own page.
  f.sim.link.SelectActiveProfile((profile + 1) % 3);
  f.keys().RefreshKeyMarks();
  EXPECT_FALSE(f.keys().KeyButton(kA)->isSelected());

  // The lighting view clears the marks; closing it brings them back.
  f.sim.link.SelectActiveProfile(profile);
  f.keys().RefreshKeyMarks();
  OpenLighting(f, 1);
  EXPECT_FALSE(f.keys().KeyButton(kA)->isSelected());
  Click(f.panel_widget().Control(panel_control::kLightSwitch));
  EXPECT_TRUE(f.keys().KeyButton(kA)->isSelected());
  EXPECT_FALSE(f.keys().ShownColour(kA).has_value());
}

TEST(KeyboardView, FlipIsStoredAndSwapsTheTopRow) {
  ViewsFixture f;
  KeyboardView& v = f.keys();
  EXPECT_EQ(v.Flip(), 0);
  EXPECT_TRUE(v.KeyButton(kF1)->isEnabled());
  EXPECT_FALSE(v.TopRowAlternate(1)->isEnabled());
  Click(v.Button(control::kFlipLeft));
  EXPECT_EQ(f.settings.ReadText(platform::kAppSettingsKeyPath, platform::kProfilesSection, "Flip"),
            "1");
  EXPECT_FALSE(v.KeyButton(kF1 + 3)->isEnabled());
  EXPECT_TRUE(v.KeyButton(kF1 + 4)->isEnabled());  // F5 never flips
  EXPECT_TRUE(v.TopRowAlternate(6)->isEnabled());
  Click(v.Button(control::kFlipRight));
  EXPECT_EQ(f.settings.ReadText(platform::kAppSettingsKeyPath, platform::kProfilesSection, "Flip"),
            "0");
  EXPECT_TRUE(v.KeyButton(kF1)->isEnabled());
  EXPECT_FALSE(v.TopRowAlternate(1)->isEnabled());
}

TEST(KeyboardView, FlipSettingReadsOnlyZeroOrOne) {
  KeyboardSide side;
  const std::pair<const char*, int> cases[] = {{"1", 1}, {"0", 0}, {"2", 0}, {"x", 0}, {"1x", 0}};
  for (const auto& [stored, flip] : cases) {
    side.settings.WriteText(platform::kAppSettingsKeyPath, platform::kProfilesSection, "Flip",
                            stored);
    EXPECT_EQ(ReadFlipSetting(side.settings), flip) << stored;
  }
  WriteFlipSetting(side.settings, 2);
  EXPECT_EQ(
      side.settings.ReadText(platform::kAppSettingsKeyPath, platform::kProfilesSection, "Flip"),
      "0");
}

TEST(KeyboardView, AStoredFlipIsShownAtStart) {
  ViewsFixture f;
  WriteFlipSetting(f.settings, 1);
  const MainSurfaceLoad surfaces(kSkinDir);
  MainViews again(f.window.get(), MainViewParts{*f.skin,
                                                surfaces.Surfaces(),
                                                PrepareSkinPictures("MainPanel", kSkinDir, {}),
                                                f.state,
                                                f.jobs,
                                                f.panel,
                                                f.texts,
                                                f.settings,
                                                {},
                                                {}});
  EXPECT_EQ(again.Keyboard().Flip(), 1);
  EXPECT_TRUE(again.Keyboard().TopRowAlternate(1)->isEnabled());
  EXPECT_FALSE(again.Keyboard().KeyButton(kF1)->isEnabled());
}

TEST(KeyboardView, AKeyTheSkinLeavesOutIsDisabledAndOpensNothing) {
  // The shipped Main.ini without the A key's line.
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "views_skin_test";
  std::filesystem::create_directories(dir);
  std::ifstream in(kSkinDir / "Main.ini");
  std::ostringstream kept;
  for (std::string line; std::getline(in, line);)
    if (line.rfind("KEY_01E=", 0) != 0) kept << line << '\n';
  std::ofstream(dir / "Main.ini") << kept.str();
  {
    ViewsFixture f(dir / "Main.ini");
    f.window->show();
    EditRecorder edits(f.keys());
    CPngButton* a = f.keys().KeyButton(kA);
    EXPECT_FALSE(a->isEnabled());
    EXPECT_EQ(a->geometry(), QRect(1, 1, 1, 1));
    Click(a);
    EXPECT_TRUE(edits.requests.empty());
  }
  std::filesystem::remove_all(dir);
}

TEST(KeyboardView, ButtonsShowTheirOwnPieceOfTheWindowPictures) {
  ViewsFixture f;
  const QImage normal =
      LoadSkinImage(std::filesystem::path(kSkinDir) / skin_catalogue::kMainSet.normal);
  for (CPngButton* b : {f.keys().KeyButton(kA), f.keys().GKeyButton(1), f.keys().FnButton()}) {
    const QImage expected = normal.copy(QRect(b->pos() - QPoint(1, 1), b->size()))
                                .convertToFormat(QImage::Format_RGB32);
    const QImage shown = b->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, expected);
  }
}

}  // namespace
}  // namespace quorlin::ui
