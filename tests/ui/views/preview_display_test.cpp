#include <QTest>

#include "ui/main/picture_control.h"
#include "ui/skin/png_button.h"
#include "views_fixture.h"

namespace quorlin::ui {
namespace {

using namespace testing;  // NOLINT: the fixture's helpers

void Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
}

void ToggleLight(ViewsFixture& f) {
  QWidget* light = f.panel_widget().Control(panel_control::kLightSwitch);
  QTest::mouseClick(light, Qt::LeftButton, {}, light->rect().center());
  Settle();
}

// The preview's timer runs exactly while the lighting view is open and the
// keyboard picture can be seen; otherwise nothing wakes the program.
TEST(PreviewDisplay, TimerRunsOnlyWhileTheLightingViewIsOpenAndVisible) {
  ViewsFixture f;
  PreviewDisplay& preview = f.views->Preview();
  Settle();
  EXPECT_FALSE(preview.Running()) << "hidden window, view closed";
  ToggleLight(f);
  EXPECT_FALSE(preview.Running()) << "hidden window, view open";
  f.window->show();
  Settle();
  EXPECT_TRUE(preview.Running()) << "shown, view open";
  f.window->hide();
  Settle();
  EXPECT_FALSE(preview.Running()) << "hidden again";
  f.window->show();
  Settle();
  EXPECT_TRUE(preview.Running());
  f.window->showMinimized();
  Settle();
  EXPECT_FALSE(preview.Running()) << "minimised";
  f.window->showNormal();
  Settle();
  EXPECT_TRUE(preview.Running());
  ToggleLight(f);
  EXPECT_FALSE(preview.Running()) << "view closed";
}

TEST(PreviewDisplay, StepsColourTheKeysOnlyWhileTheViewIsOpen) {
  ViewsFixture f;
  f.window->show();
  PreviewDisplay& preview = f.views->Preview();
  preview.Step();
  EXPECT_EQ(preview.Ticks(), 0);
  const QColor unlit = f.EdgeColour(f.keys().KeyButton(0));

  ToggleLight(f);  // slot 0 shows mode 1, the wave
  preview.Step();
  EXPECT_EQ(preview.Ticks(), 1);
  EXPECT_TRUE(f.keys().ShownColour(0).has_value());
  const lighting::Rgb c = *f.keys().ShownColour(0);
  EXPECT_EQ(f.EdgeColour(f.keys().KeyButton(0)), QColor(c.red, c.green, c.blue));

  // An effect without a preview (mode 7) takes the colours away.
  f.panel.SelectModeAt(f.PositionOf(7));
  f.views->ShowPanelView(f.panel.View());
  preview.Step();
  EXPECT_FALSE(f.keys().ShownColour(0).has_value());

  ToggleLight(f);
  EXPECT_FALSE(f.keys().ShownColour(0).has_value());
  EXPECT_EQ(f.EdgeColour(f.keys().KeyButton(0)), unlit);
}

TEST(PreviewDisplay, RealTicksArriveWhileRunning) {
  ViewsFixture f;
  f.window->show();
  ToggleLight(f);
  ASSERT_TRUE(f.views->Preview().Running());
  QTest::qWait(4 * lighting::kPreviewTickMs);
  EXPECT_GE(f.views->Preview().Ticks(), 1);
}

}  // namespace
}  // namespace quorlin::ui
