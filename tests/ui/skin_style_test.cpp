#include "ui/skin/skin_style.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>

#include "skin_test_support.h"

namespace quorlin::ui {
namespace {

const QColor kSkinText(0xe8, 0xea, 0xed);

// The colour a widget's text is drawn in once the style has polished it.
QColor TextColour(QWidget* w) {
  w->ensurePolished();
  return w->palette().color(QPalette::Text);
}

class SkinStyleTest : public testing::QtFixture {};

// Questions and choosers a skinned window opens are the desktop's: on a
// light desktop their text must stay dark, whatever the skin's text is.
TEST_F(SkinStyleTest, TheSkinReachesTheWindowsControlsAndNotTheDialogsItOpens) {
  QDialog window;
  auto* before = new QLineEdit(&window);  // made before the skin is applied
  ApplySkinStyle(&window, QStringLiteral("QWidget { color: #e8eaed; }"));
  auto* after = new QLineEdit(&window);  // and after
  QMessageBox question(QMessageBox::Question, QString(), QStringLiteral("?"),
                       QMessageBox::Yes | QMessageBox::No, &window);
  QFileDialog chooser(&window);
  chooser.setOption(QFileDialog::DontUseNativeDialog);
  QColorDialog colours(&window);

  EXPECT_EQ(TextColour(before), kSkinText);
  EXPECT_EQ(TextColour(after), kSkinText);
  const QColor desktop = QApplication::palette().color(QPalette::Text);
  ASSERT_NE(desktop, kSkinText);
  for (QDialog* d : {static_cast<QDialog*>(&question), static_cast<QDialog*>(&chooser),
                     static_cast<QDialog*>(&colours)}) {
    for (QWidget* inner : d->findChildren<QWidget*>()) {
      if (inner->inherits("QLabel") || inner->inherits("QLineEdit")) {
        EXPECT_NE(TextColour(inner), kSkinText)
            << d->metaObject()->className() << " " << inner->metaObject()->className();
      }
    }
  }
}

TEST_F(SkinStyleTest, EverySelectorIsLimitedToSkinnedControls) {
  EXPECT_EQ(ScopeToSkinnedControls(QStringLiteral("QLineEdit:focus, QComboBox QAbstractItemView "
                                                  "{ border: 0; }\nQToolTip { color: red; }")),
            QStringLiteral("QLineEdit[skinned=\"true\"]:focus, [skinned=\"true\"] QLineEdit:focus, "
                           "QComboBox[skinned=\"true\"] QAbstractItemView, [skinned=\"true\"] "
                           "QComboBox QAbstractItemView { border: 0; }\n"
                           "QToolTip { color: red; }\n"));
}

}  // namespace
}  // namespace quorlin::ui
