// The smaller skinned widgets: caption flags, the colour-choice button's
// face, the colour static and the picture combo box.

#include <gtest/gtest.h>

#include "skin_test_support.h"
#include "ui/skin/color_static.h"
#include "ui/skin/draw_text_flags.h"
#include "ui/skin/image_combo_box.h"
#include "ui/skin/skin_color_btn.h"
#include "ui/skin/skin_failure.h"

namespace quorlin::ui {
namespace {

TEST(DrawTextFlags, MapToQtAlignment) {
  struct Case {
    unsigned format;
    int expected;
  } cases[] = {
      {draw_text::kDefaultFormat,
       Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic},
      {0x28, Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine | Qt::TextShowMnemonic},
      {0x24, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic},
      {draw_text::kRight | draw_text::kWordBreak | draw_text::kNoPrefix,
       Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap},
  };
  for (const Case& c : cases) EXPECT_EQ(QtTextFlags(c.format), c.expected) << std::hex << c.format;
  EXPECT_EQ(draw_text::kDefaultFormat, 37u);
}

TEST(DrawTextFlags, ColorRefHasRedInTheLowByte) {
  EXPECT_EQ(ColorFromColorRef(0x0082FF), QColor(255, 130, 0));
  EXPECT_EQ(ColorFromColorRef(0x008B9294), QColor(0x94, 0x92, 0x8B));
}

// The colour palette opens below its button, else above, and always whole
// on the screen.
TEST(SkinColorBtn, ThePaletteIsPlacedWhollyOnTheScreen) {
  const QRect screen(0, 0, 1920, 1080);
  const QSize popup(200, 150);
  struct Case {
    QRect button;
    QPoint expected;
  };
  const Case cases[] = {
      {{100, 100, 40, 20}, {100, 120}},    // room below
      {{100, 1000, 40, 20}, {100, 850}},   // above: no room below
      {{1850, 100, 40, 20}, {1720, 120}},  // moved in from the right edge
      {{-30, 100, 40, 20}, {0, 120}},      // and from the left
  };
  for (const Case& c : cases)
    EXPECT_EQ(CSkinColorBtn::PopupPosition(c.button, popup, screen), c.expected) << c.button.x();
}

TEST(SkinFailure, MessageNamesTheFileAndTheReason) {
  const std::string message = SkinFailureMessage("/opt/q/Skins/main_over.jpg", "no such file");
  EXPECT_NE(message.find("/opt/q/Skins/main_over.jpg"), std::string::npos);
  EXPECT_NE(message.find("no such file"), std::string::npos);
}

class WidgetTest : public testing::QtFixture {};

TEST_F(WidgetTest, ColourButtonFaceIsSwatchGreyPartAndArrow) {
  CSkinColorBtn button;
  button.resize(80, 26);
  button.setAutomaticColor(QColor(0, 200, 0));
  QImage face = button.grab().toImage();
  EXPECT_EQ(face.pixelColor(10, 13), QColor(0, 200, 0));  // automatic while nothing is chosen
  EXPECT_EQ(face.pixelColor(60, 6), QColor(0x94, 0x92, 0x8B));
  EXPECT_EQ(face.pixelColor(73, 12), QColor(Qt::black));  // inside the arrow

  button.setColor(QColor(255, 0, 0));
  EXPECT_EQ(button.grab().toImage().pixelColor(10, 13), QColor(255, 0, 0));
  button.setEnabled(false);
  EXPECT_NE(button.grab().toImage().pixelColor(10, 13),
            QColor(255, 0, 0));  // no fill when disabled
  button.setColor(QColor());
  EXPECT_EQ(button.shownColor(), QColor(0, 200, 0));
}

TEST_F(WidgetTest, ColorStaticIsWhiteUntilToldOtherwise) {
  ColorStatic label(QStringLiteral("Speed"));
  EXPECT_EQ(label.textColour(), QColor(255, 255, 255));
  label.SetTextColour(QColor(10, 20, 30));
  EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(10, 20, 30));
  EXPECT_FALSE(label.autoFillBackground());
}

TEST_F(WidgetTest, ImageComboBoxStretchesItsPictureOverItself) {
  const QPixmap picture = QPixmap::fromImage(testing::Solid(4, 4, QColor(200, 10, 10)));
  CImageComboBox combo;
  combo.resize(120, 28);
  combo.setPicture(&picture);
  const QImage shown = combo.grab().toImage();
  EXPECT_EQ(shown.pixelColor(2, 2), QColor(200, 10, 10));
  EXPECT_EQ(shown.pixelColor(117, 25), QColor(200, 10, 10));
}

}  // namespace
}  // namespace quorlin::ui
