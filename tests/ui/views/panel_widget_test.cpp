#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <string>

#include "lighting/lighting_record.h"
#include "ui/main/picture_control.h"
#include "ui/skin/bitmap_slider.h"
#include "ui/skin/png_button.h"
#include "ui/skin/skin_color_btn.h"
#include "views_fixture.h"

namespace quorlin::ui {
namespace {

using namespace testing;  // NOLINT: the fixture's helpers
namespace c = panel_control;
using lighting::LightingPanel;
using lighting::PanelView;

int PositionIn(const PanelView& view, int mode) {
  for (std::size_t i = 0; i < view.modes.size(); ++i)
    if (view.modes[i] == mode) return static_cast<int>(i);
  return -1;
}

// The panel state apart from the preview's restart request, which only the
// window's own selection raises.
lighting::PanelState Settled(lighting::PanelState s) {
  s.preview_restart = false;
  return s;
}

void Click(QWidget* w) {
  ASSERT_NE(w, nullptr);
  QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// Opens the lighting view with the light switch and picks `mode` in the list,
// on the window; the twin gets the same through the controller.
void OpenWithMode(ViewsFixture& f, KeyboardSide& twin, int mode) {
  Click(f.panel_widget().Control(c::kLightSwitch));
  twin.panel.ToggleLightSwitch({});
  const int position = f.PositionOf(mode);
  ASSERT_GE(position, 0) << mode;
  auto* list = f.control<QComboBox>(c::kModeList);
  if (list->currentIndex() != position) {
    list->setCurrentIndex(position);
    twin.panel.SelectModeAt(position);
  }
  f.Forget();
  twin.Forget();
}

// Each control, used on the window, sends exactly what the controller's
// function sends for the same choice.
TEST(PanelWidget, EachControlSendsWhatTheControllerSends) {
  struct Case {
    const char* name;
    int mode;  // chosen first, so the control is shown
    std::function<void(ViewsFixture&)> use;
    std::function<void(LightingPanel&)> call;
    bool sends = true;
  };
  auto colour = [](int id, QColor picked) {
    return
        [id, picked](ViewsFixture& f) { emit f.control<CSkinColorBtn>(id)->colorChosen(picked); };
  };
  auto slider = [](int id, int pos) {
    return
        [id, pos](ViewsFixture& f) { emit f.control<CBitmapSlider>(id)->positionPosted(id, pos); };
  };
  auto click = [](int id) {
    return [id](ViewsFixture& f) { Click(f.panel_widget().Control(id)); };
  };
  const Case cases[] = {
      {"brightness", 1, slider(c::kBrightnessSlider, 2), [](auto& p) { p.MoveBrightness(2); }},
      {"brightness unchanged", 1, slider(c::kBrightnessSlider, 4),
       [](auto& p) { p.MoveBrightness(4); }, false},
      {"speed", 1, slider(c::kSpeedSlider, 0), [](auto& p) { p.MoveSpeed(0); }},
      {"direction left", 1, click(c::kDirectionLeft), [](auto& p) { p.ChooseDirection(255); }},
      {"direction right", 1, click(c::kDirectionRight), [](auto& p) { p.ChooseDirection(0); }},
      {"multi-colour main", 1, click(c::kMainMultiColour), [](auto& p) { p.ToggleMultiColour(); }},
      {"multi-colour solid", 6, click(c::kSolidMultiColour),
       [](auto& p) { p.ToggleMultiColour(); }},
      {"main colour", 1, colour(c::kMainColour, QColor(10, 20, 30)),
       [](auto& p) {
         p.ChooseMainColour({10, 20, 30});
       }},
      {"solid colour", 6, colour(c::kSolidColour, QColor(1, 2, 3)),
       [](auto& p) {
         p.ChooseSolidColour({1, 2, 3});
       }},
      {"swatch green", 17, click(c::kSwatchRed + 2), [](auto& p) { p.ChooseSwatch(2); }},
      {"report rate 4", 1, click(c::kReportRate4), [](auto& p) { p.ChooseReportRate(3); }},
      {"mode static", 1,
       [](ViewsFixture& f) {
         f.control<QComboBox>(c::kModeList)->setCurrentIndex(f.PositionOf(6));
       },
       [](auto& p) { p.SelectModeAt(PositionIn(p.View(), 6)); }},
      {"base colour", 20, colour(c::kBaseColour, QColor(0, 200, 100)),
       [](auto& p) {
         p.ChooseBaseColour({0, 200, 100});
       }},
      {"user slot", 20,
       [](ViewsFixture& f) { f.control<QComboBox>(c::kUserSlotList)->setCurrentIndex(2); },
       [](auto& p) { p.ChooseUserSlot(2); }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    ViewsFixture f;
    KeyboardSide twin;
    twin.ReadSlot(0);
    OpenWithMode(f, twin, k.mode);
    k.use(f);
    k.call(twin.panel);
    EXPECT_EQ(f.Sent(), twin.Sent());
    EXPECT_EQ(!f.Sent().empty(), k.sends);
    // The panel shows the state the controller reached.
    EXPECT_EQ(f.panel_widget().View().brightness_position, twin.panel.View().brightness_position);
    EXPECT_EQ(Settled(f.state.lighting.panel), Settled(twin.state.lighting.panel));
  }
}

TEST(PanelWidget, ControlsDoNotWriteWhileThePanelFillsItself) {
  ViewsFixture f;
  // Redrawing with another mode list and slot moves the lists' selections;
  // that must not count as a choice.
  f.views->ShowPanelView(f.panel.View());
  Click(f.panel_widget().Control(c::kLightSwitch));
  f.Forget();
  f.views->ShowPanelView(f.panel.View());
  EXPECT_TRUE(f.Sent().empty());
}

// Which groups the window shows, by mode, as a user sees them.
TEST(PanelWidget, ShowsTheGroupsOfTheChosenMode) {
  struct Case {
    int mode;
    std::vector<int> shown;
    std::vector<int> hidden;
  };
  const Case cases[] = {
      {1,
       {c::kModeList, c::kBrightnessSlider, c::kSpeedSlider, c::kDirectionLeft, c::kMainColour},
       {c::kSolidColour, c::kSwatchRed, c::kPaintColour, c::kUserSlotList}},
      {6,
       {c::kBrightnessSlider, c::kSolidColour, c::kSolidMultiColour},
       {c::kSpeedSlider, c::kDirectionLeft, c::kMainColour, c::kSwatchRed}},
      {17,
       {c::kBrightnessSlider, c::kSwatchRed, c::kSwatchRed + 3},
       {c::kSpeedSlider, c::kMainColour, c::kSolidColour}},
      {20,
       {c::kPaintColour, c::kBaseColour, c::kBrush, c::kBaseBrush, c::kUserSlotList},
       {c::kSpeedSlider, c::kMainColour, c::kSwatchRed}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.mode);
    ViewsFixture f;
    KeyboardSide twin;
    twin.ReadSlot(0);
    f.window->show();
    OpenWithMode(f, twin, k.mode);
    for (int id : k.shown) EXPECT_TRUE(f.panel_widget().Control(id)->isVisible()) << id;
    for (int id : k.hidden) EXPECT_FALSE(f.panel_widget().Control(id)->isVisible()) << id;
  }
}

TEST(PanelWidget, ClosedViewShowsOnlyTheSwitchAndTheReportRate) {
  ViewsFixture f;
  f.window->show();
  EXPECT_FALSE(f.state.lighting.panel.view_open);
  for (int id : {c::kLightSwitch, c::kReportRate1, c::kReportRate4, c::kLightingLabel})
    EXPECT_TRUE(f.panel_widget().Control(id)->isVisible()) << id;
  for (int id : {c::kModeList, c::kBrightnessSlider, c::kMainColour, c::kUserSlotList})
    EXPECT_FALSE(f.panel_widget().Control(id)->isVisible()) << id;
  // Instead of an empty box: the profile's effect and brightness in one
  // line, gone once the settings show. The switch and brushes explain
  // themselves in the language files' words.
  auto* summary = f.control<QLabel>(c::kLightingSummary);
  ASSERT_TRUE(summary->isVisible());
  const lighting::PanelView& view = f.panel_widget().View();
  const int mode = view.modes[static_cast<std::size_t>(view.selected_position)];
  EXPECT_EQ(summary->text().toStdString(),
            f.texts.ModeName(mode) + ", brightness " + std::to_string(view.brightness_position));
  EXPECT_FALSE(f.panel_widget().Control(c::kLightSwitch)->toolTip().isEmpty());
  EXPECT_NE(f.panel_widget().Control(c::kBrush)->toolTip(),
            f.panel_widget().Control(c::kBaseBrush)->toolTip());
  Click(f.panel_widget().Control(c::kLightSwitch));
  EXPECT_FALSE(summary->isVisible());
  Click(f.panel_widget().Control(c::kLightSwitch));
  EXPECT_TRUE(summary->isVisible());
  // The busy indicator shows only while asked to.
  QWidget* progress = f.panel_widget().Control(c::kProgress);
  EXPECT_FALSE(progress->isVisible());
  f.views->Panel().ShowProgressFrame(3);
  EXPECT_TRUE(progress->isVisible());
  f.views->Panel().ShowProgressFrame(-1);
  EXPECT_FALSE(progress->isVisible());
  // The report rate the keyboard holds (slot 0: the first) is the checked one.
  EXPECT_TRUE(f.control<CPngButton>(c::kReportRate1)->isSelected());
  EXPECT_FALSE(f.control<CPngButton>(c::kReportRate2)->isSelected());
}

TEST(PanelWidget, LightSwitchOpensThroughTheProfileSwitchAndCloses) {
  ViewsFixture f;
  auto* light = f.control<PictureControl>(c::kLightSwitch);
  Click(light);
  EXPECT_EQ(f.switches, 1);
  EXPECT_TRUE(f.state.lighting.panel.view_open);
  EXPECT_TRUE(f.keys().LightingViewShown());
  const QPixmap* on = light->Picture();
  Click(light);
  EXPECT_FALSE(f.state.lighting.panel.view_open);
  EXPECT_FALSE(f.keys().LightingViewShown());
  EXPECT_EQ(f.switches, 1);
  EXPECT_NE(light->Picture(), on);
  EXPECT_NE(on, nullptr);
}

TEST(PanelWidget, RenamingASlotKeepsTheTypedTextAndSavesIt) {
  ViewsFixture f;
  KeyboardSide twin;
  twin.ReadSlot(0);
  OpenWithMode(f, twin, 20);
  QLineEdit* edit = f.control<QComboBox>(c::kUserSlotList)->lineEdit();
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "Mine");
  EXPECT_EQ(edit->text(), "Mine");
  EXPECT_EQ(edit->cursorPosition(), 4);
  EXPECT_EQ(f.state.lighting.user_slot_names[0], "Mine");
  EXPECT_EQ(lighting::ReadSlotNames(f.paths, 0, 1).front(), "Mine");
}

TEST(PanelWidget, NothingIsSentWhileALongWriteRuns) {
  ViewsFixture f;
  f.window->show();
  Click(f.panel_widget().Control(c::kLightSwitch));
  f.Forget();
  f.views->SetBusy(true);
  Click(f.panel_widget().Control(c::kDirectionLeft));
  Click(f.panel_widget().Control(c::kReportRate3));
  Click(f.panel_widget().Control(c::kLightSwitch));
  Click(f.keys().KeyButton(0));
  EXPECT_TRUE(f.Sent().empty());
  EXPECT_TRUE(f.state.lighting.panel.view_open);
  f.views->SetBusy(false);
  Click(f.panel_widget().Control(c::kReportRate3));
  EXPECT_FALSE(f.Sent().empty());
}

TEST(PanelWidget, LabelsFollowTheLanguage) {
  ViewsFixture f;
  auto* label = f.control<QLabel>(c::kBrightnessLabel);
  EXPECT_EQ(label->text(), "Brightness");
  text::StoreLanguageId(f.settings, 0x0407);
  f.views->Relabel();
  EXPECT_EQ(label->text(), "Helligkeit");
  EXPECT_EQ(f.control<QComboBox>(c::kModeList)->itemText(0).toStdString(), f.texts.ModeName(1));
}

}  // namespace
}  // namespace quorlin::ui
