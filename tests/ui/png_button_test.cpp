// The image button: which picture each state shows, frame mode, captions,
// tooltips, double clicks and the draw callback.

#include "ui/skin/png_button.h"

#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QMouseEvent>
#include <QSignalSpy>

#include "skin_test_support.h"
#include "ui/skin/button_face.h"

namespace quorlin::ui {
namespace {

struct FaceCase {
  const char* name;
  ButtonFaceState state;
  ButtonFace expected;
};

ButtonFaceState State(bool enabled, bool two, bool on, bool pressed, bool hover, bool selected) {
  return {enabled, two, on, pressed, hover, selected};
}

class ButtonFaceTest : public ::testing::TestWithParam<FaceCase> {};

TEST_P(ButtonFaceTest, FirstMatchingRuleWins) {
  EXPECT_EQ(ChooseButtonFace(GetParam().state), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ButtonFaceTest,
    ::testing::Values(FaceCase{"plain",
                               State(true, false, false, false, false, false),
                               {FaceSurface::kNormal, FaceColour::kNormal}},
                      FaceCase{"disabled beats everything",
                               State(false, true, true, true, true, true),
                               {FaceSurface::kDisabled, FaceColour::kDisabled}},
                      FaceCase{"two pictures, on",
                               State(true, true, true, true, true, true),
                               {FaceSurface::kPictureOn, FaceColour::kNormal}},
                      FaceCase{"two pictures, off",
                               State(true, true, false, false, true, false),
                               {FaceSurface::kPictureOff, FaceColour::kNormal}},
                      FaceCase{"pressed and hovered",
                               State(true, false, false, true, true, true),
                               {FaceSurface::kDown, FaceColour::kDown}},
                      FaceCase{"hovered and selected",
                               State(true, false, false, false, true, true),
                               {FaceSurface::kOver, FaceColour::kOver}},
                      FaceCase{"selected",
                               State(true, false, false, false, false, true),
                               {FaceSurface::kSelected, FaceColour::kSelected}}));

// A button over five one-colour surfaces, so a grab tells which it shows.
class PngButtonTest : public testing::QtFixture {
 protected:
  void SetUp() override {
    const QColor colours[7] = {Qt::red,    Qt::green, Qt::blue,   Qt::gray,
                               Qt::yellow, Qt::cyan,  Qt::magenta};
    for (int i = 0; i < 7; ++i)
      pictures_[i] = QPixmap::fromImage(testing::Solid(200, 200, colours[i]));
    parent_.resize(200, 200);
    button_ = new CPngButton(&parent_);
    button_->setGeometry(20, 20, 40, 30);
    button_->SetStateSurfaces(
        20, 20, {&pictures_[0], &pictures_[1], &pictures_[2], &pictures_[3], &pictures_[4]});
  }
  QColor Shown(QPoint at = {20, 15}) { return button_->grab().toImage().pixelColor(at); }

  QPixmap pictures_[7];
  QWidget parent_;
  CPngButton* button_ = nullptr;
};

TEST_F(PngButtonTest, EachStateShowsItsSurface) {
  EXPECT_EQ(Shown(), QColor(Qt::red));
  button_->SetSelected(true, true);
  EXPECT_EQ(Shown(), QColor(Qt::yellow));
  QEnterEvent enter(QPointF(5, 5), QPointF(25, 25), QPointF(25, 25));
  QCoreApplication::sendEvent(button_, &enter);
  EXPECT_TRUE(button_->isHovered());
  EXPECT_EQ(Shown(), QColor(Qt::green));
  button_->setDown(true);
  EXPECT_EQ(Shown(), QColor(Qt::blue));  // pressed and hovered: down
  button_->setDown(false);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(button_, &leave);
  EXPECT_EQ(Shown(), QColor(Qt::yellow));
  button_->SetTwoPictureMode(&pictures_[5], &pictures_[6], true, true);
  EXPECT_EQ(Shown(), QColor(Qt::magenta));
  button_->setEnabled(false);
  EXPECT_EQ(Shown(), QColor(Qt::gray));  // disabled wins over two-picture mode
}

TEST_F(PngButtonTest, SettersClearHoverAndPress) {
  QEnterEvent enter(QPointF(5, 5), QPointF(25, 25), QPointF(25, 25));
  QCoreApplication::sendEvent(button_, &enter);
  button_->setDown(true);
  button_->SetStateSurfaces(
      {&pictures_[0], &pictures_[1], &pictures_[2], &pictures_[3], &pictures_[4]});
  EXPECT_FALSE(button_->isHovered());
  EXPECT_FALSE(button_->isDown());
  EXPECT_EQ(button_->pictureOrigin(), QPoint(20, 20));  // kept by the variant without origin
}

TEST_F(PngButtonTest, FrameModeDrawsOnlyATwoPixelFrame) {
  button_->SetFrame(QColor(0, 0, 255), true);
  const QImage shown = button_->grab().toImage();
  EXPECT_EQ(shown.pixelColor(0, 10), QColor(0, 0, 255));
  EXPECT_EQ(shown.pixelColor(1, 10), QColor(0, 0, 255));
  EXPECT_EQ(shown.pixelColor(39, 10), QColor(0, 0, 255));
  EXPECT_EQ(shown.pixelColor(20, 29), QColor(0, 0, 255));
  EXPECT_NE(shown.pixelColor(2, 10), QColor(0, 0, 255));
  EXPECT_NE(shown.pixelColor(20, 15), QColor(Qt::red));  // no picture inside
  button_->SetFrame(QColor(0, 0, 255), false);
  EXPECT_EQ(Shown(QPoint(0, 10)), QColor(Qt::red));
}

TEST_F(PngButtonTest, CaptionTakesTheColourOfTheState) {
  button_->setGeometry(0, 0, 120, 40);
  button_->setText(QStringLiteral("MMMMMMMM"));
  CPngButton::CaptionColours colours;
  colours.normal = QColor(1, 2, 3);
  colours.disabled = QColor(250, 250, 250);
  button_->SetCaptionStyle(true, 14, QStringLiteral("DejaVu Sans"), colours);
  auto has_colour = [this](QColor c) {
    const QImage shown = button_->grab().toImage();
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x)
        if (shown.pixelColor(x, y) == c) return true;
    return false;
  };
  EXPECT_TRUE(has_colour(QColor(1, 2, 3)));
  button_->setEnabled(false);
  EXPECT_TRUE(has_colour(QColor(250, 250, 250)));
  EXPECT_FALSE(has_colour(QColor(1, 2, 3)));
}

TEST_F(PngButtonTest, EmptyTooltipTextKeepsTheEarlierOne) {
  button_->SetTooltipText(QStringLiteral("Help"), true);
  button_->SetTooltipText(QString(), false);
  EXPECT_EQ(button_->tooltipText(), QStringLiteral("Help"));
  EXPECT_TRUE(button_->isTooltipActive());
  button_->SetTooltipText(QStringLiteral("Close"), false);
  EXPECT_EQ(button_->tooltipText(), QStringLiteral("Close"));
  EXPECT_FALSE(button_->isTooltipActive());
}

TEST_F(PngButtonTest, DoubleClickGivesTwoClicks) {
  parent_.show();
  QSignalSpy clicks(button_, &QAbstractButton::clicked);
  // The window system delivers a double click as press, release,
  // double-click, release.
  const QPointF at(10, 10);
  const QPointF global = button_->mapToGlobal(at);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                            QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
    const bool release = type == QEvent::MouseButtonRelease;
    QMouseEvent event(type, at, global, Qt::LeftButton, release ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(button_, &event);
  }
  EXPECT_EQ(clicks.count(), 2);
}

TEST_F(PngButtonTest, DrawCallbackHearsWhetherTheNormalPictureWasDrawn) {
  std::vector<bool> calls;
  button_->SetDrawCallback([&calls](CPngButton*, bool normal) { calls.push_back(normal); });
  button_->grab();
  button_->SetSelected(true, true);
  button_->grab();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_TRUE(calls.front());
  EXPECT_FALSE(calls.back());
}

}  // namespace
}  // namespace quorlin::ui
