// The lighting panel's bitmap slider: where clicks land, keys, the wheel and
// the focus rectangle.

#include "ui/skin/bitmap_slider.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "skin_test_support.h"

namespace quorlin::ui {
namespace {

class BitmapSliderTest : public testing::QtFixture {
 protected:
  void SetUp() override {
    face_ = QPixmap::fromImage(testing::Solid(200, 22, QColor(40, 40, 40)));
    slider_ = new CBitmapSlider(&window_, 1178);
    slider_->setGeometry(0, 0, 200, 22);
    slider_->SetPicture(&face_);
    window_.resize(300, 100);
    window_.show();
    spy_ = std::make_unique<QSignalSpy>(slider_, &CBitmapSlider::positionPosted);
  }
  std::vector<int> Posted() {
    std::vector<int> out;
    for (const QList<QVariant>& args : *spy_) {
      EXPECT_EQ(args.at(0).toInt(), 1178);
      out.push_back(args.at(1).toInt());
    }
    spy_->clear();
    return out;
  }
  void Wheel(int delta) {
    QWheelEvent wheel(QPointF(50, 10), slider_->mapToGlobal(QPointF(50, 10)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(slider_, &wheel);
  }

  QPixmap face_;
  QWidget window_;
  CBitmapSlider* slider_ = nullptr;
  std::unique_ptr<QSignalSpy> spy_;
};

TEST_F(BitmapSliderTest, PressDragAndReleasePost) {
  EXPECT_EQ(slider_->range().maximum, 5);
  EXPECT_EQ(slider_->pageSize(), 10);
  QTest::mousePress(slider_, Qt::LeftButton, {}, QPoint(75, 10));
  EXPECT_EQ(Posted(), std::vector<int>({2}));
  EXPECT_EQ(window_.focusWidget(), slider_);
  EXPECT_TRUE(slider_->isFocusRectShown());
  QTest::mouseMove(slider_, QPoint(150, 10));
  EXPECT_EQ(slider_->pos(), 4);
  QTest::mouseRelease(slider_, Qt::LeftButton, {}, QPoint(150, 10));
  const std::vector<int> posted = Posted();
  ASSERT_FALSE(posted.empty());
  EXPECT_EQ(posted.back(), 4);  // the release posts the position, changed or not
  EXPECT_FALSE(slider_->isDragging());
}

TEST_F(BitmapSliderTest, KeysPostEvenWhenNothingChanges) {
  slider_->setFocus();
  slider_->SetPos(5);
  QTest::keyClick(slider_, Qt::Key_Right);
  QTest::keyClick(slider_, Qt::Key_Left);
  QTest::keyClick(slider_, Qt::Key_PageUp);
  QTest::keyClick(slider_, Qt::Key_End);
  EXPECT_EQ(Posted(), std::vector<int>({5, 4, 0, 5}));
}

TEST_F(BitmapSliderTest, WheelCountsOnlyBetweenAPressAndLeaving) {
  slider_->SetPos(3);
  Wheel(120);
  EXPECT_TRUE(Posted().empty());
  QTest::mousePress(slider_, Qt::LeftButton, {}, QPoint(lighting::SliderPixel(3, 200), 10));
  QTest::mouseRelease(slider_, Qt::LeftButton, {},
                      QPoint(lighting::SliderPixel(3, 200), 10));
  Posted();
  Wheel(120);
  Wheel(-120);
  Wheel(-120);
  EXPECT_EQ(Posted(), std::vector<int>({2, 3, 4}));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(slider_, &leave);
  EXPECT_FALSE(slider_->isFocusRectShown());
  Wheel(-120);
  EXPECT_TRUE(Posted().empty());
}

TEST_F(BitmapSliderTest, PaintsItsPictureAsTheWholeFace) {
  slider_->setFocus();
  const QImage shown = slider_->grab().toImage();
  EXPECT_EQ(shown.pixelColor(100, 11), QColor(40, 40, 40));
}

TEST_F(BitmapSliderTest, DisabledIgnoresInput) {
  slider_->setEnabled(false);
  QTest::mouseClick(slider_, Qt::LeftButton, {}, QPoint(150, 10));
  QTest::keyClick(slider_, Qt::Key_Home);
  EXPECT_TRUE(Posted().empty());
}

}  // namespace
}  // namespace quorlin::ui
