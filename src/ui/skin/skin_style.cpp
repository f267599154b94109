#include "ui/skin/skin_style.h"

#include <QChildEvent>
#include <QEvent>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include "ui/skin/skin_catalogue.h"

namespace quorlin::ui {

namespace {

constexpr const char* kSkinnedProperty = "skinned";
constexpr const char* kSkinSheetProperty = "skinSheet";

// One selector of the sheet, for a skinned control and for what lies
// inside one: "QLineEdit:focus" becomes
// "QLineEdit[skinned="true"]:focus, [skinned="true"] QLineEdit:focus".
QString ScopedSelector(const QString& selector) {
  const QString mark = QStringLiteral("[%1=\"true\"]").arg(kSkinnedProperty);
  const QString s = selector.trimmed();
  if (s.isEmpty()) return s;
  // A tooltip is its own window; it takes the look of the control it is
  // for, and nothing else shows one of ours.
  if (s.startsWith(QStringLiteral("QToolTip"))) return s;
  qsizetype end = 0;
  while (end < s.size() && (s[end].isLetterOrNumber() || s[end] == u'_' || s[end] == u'*')) ++end;
  return s.left(end) + mark + s.mid(end) + QStringLiteral(", ") + mark + u' ' + s;
}

// Marks every control a skinned window gets, now or later; the windows
// it opens (questions, choosers, other dialogs) are left as they are.
class SkinScope final : public QObject {
 public:
  explicit SkinScope(QWidget* window) : QObject(window) { window->installEventFilter(this); }

  static void Mark(QObject* child) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (widget != nullptr && !widget->isWindow()) widget->setProperty(kSkinnedProperty, true);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ChildAdded && watched == parent())
      Mark(static_cast<QChildEvent*>(event)->child());
    return false;
  }
};

}  // namespace

QString ScopeToSkinnedControls(const QString& sheet) {
  QString scoped;
  for (const QString& rule : sheet.split(u'}', Qt::SkipEmptyParts)) {
    const qsizetype brace = rule.indexOf(u'{');
    if (brace < 0) continue;
    QStringList selectors;
    for (const QString& selector : rule.left(brace).split(u',', Qt::SkipEmptyParts))
      selectors << ScopedSelector(selector);
    scoped += selectors.join(QStringLiteral(", ")) + u' ' + rule.mid(brace).trimmed() + " }\n";
  }
  return scoped;
}

void ApplySkinStyle(QWidget* window, const QString& sheet) {
  // Once a window: the sheet is applied again on each opening.
  if (!window->property(kSkinSheetProperty).isValid()) {
    new SkinScope(window);
    for (QObject* child : window->children()) SkinScope::Mark(child);
  }
  window->setProperty(kSkinSheetProperty, sheet);
  window->setStyleSheet(ScopeToSkinnedControls(sheet));
}

void ApplySkinMenuStyle(QWidget* menu, const QWidget* skinned_window) {
  if (skinned_window == nullptr) return;
  const QVariant sheet = skinned_window->window()->property(kSkinSheetProperty);
  if (sheet.isValid()) menu->setStyleSheet(sheet.toString());
}

QString SkinStyleSheet(const std::filesystem::path& skin_dir) {
  const QString arrow =
      QString::fromStdString((skin_dir / skin_catalogue::kComboArrow).generic_string());
  const QString check =
      QString::fromStdString((skin_dir / skin_catalogue::kCheckMark).generic_string());
  QString sheet = QStringLiteral(R"(
QWidget { color: #e8eaed; font-family: "DejaVu Sans", "Segoe UI", sans-serif; font-size: 12px; }
QLabel { background: transparent; }
QLineEdit, QComboBox, QAbstractItemView, QSpinBox {
  background: #0e1013; border: 1px solid #343942; border-radius: 5px;
  selection-background-color: #ff8200; selection-color: #ffffff; }
QLineEdit { padding: 2px 6px; }
QLineEdit:focus, QComboBox:focus, QAbstractItemView:focus { border-color: #ff8200; }
QLineEdit:disabled, QComboBox:disabled { color: #5e636c; border-color: #262a31; }
QComboBox { padding: 2px 8px; }
QComboBox:hover { border-color: #5a606b; }
QComboBox::drop-down { border: none; width: 22px; }
QComboBox::down-arrow { image: url("@ARROW@"); width: 10px; height: 6px; }
QComboBox::down-arrow:on { top: 1px; }
QComboBox QAbstractItemView { background: #1c1f25; border: 1px solid #3a3f48; outline: 0; }
QAbstractItemView { alternate-background-color: #14171b; gridline-color: #262a31; }
QAbstractItemView::item { padding: 3px 4px; }
QAbstractItemView::item:hover { background: #262a31; }
QAbstractItemView::item:selected { background: #ff8200; color: #ffffff; }
QHeaderView::section { background: #1c1f25; color: #9aa0a8; border: none;
  border-right: 1px solid #262a31; border-bottom: 1px solid #343942; padding: 4px 6px;
  font-weight: bold; }
QCheckBox, QRadioButton { spacing: 6px; background: transparent; }
QCheckBox::indicator, QRadioButton::indicator { width: 14px; height: 14px;
  border: 1px solid #4a505a; background: #0e1013; }
QCheckBox::indicator { border-radius: 3px; }
QRadioButton::indicator { border-radius: 8px; }
QCheckBox::indicator:hover, QRadioButton::indicator:hover { border-color: #ff8200; }
QCheckBox::indicator:checked, QRadioButton::indicator:checked { background: #ff8200;
  border-color: #ffa040; image: url("@CHECK@"); }
QScrollBar:vertical { background: transparent; width: 10px; margin: 2px; }
QScrollBar::handle:vertical { background: #3a3f48; border-radius: 3px; min-height: 24px; }
QScrollBar::handle:vertical:hover { background: #ff8200; }
QScrollBar::add-line, QScrollBar::sub-line { height: 0; width: 0; }
QScrollBar:horizontal { background: transparent; height: 10px; margin: 2px; }
QScrollBar::handle:horizontal { background: #3a3f48; border-radius: 3px; min-width: 24px; }
QMenu { background: #1c1f25; border: 1px solid #3a3f48; padding: 4px; }
QMenu::item { padding: 5px 22px; border-radius: 4px; }
QMenu::item:selected { background: #ff8200; color: #ffffff; }
QMenu::separator { height: 1px; background: #343942; margin: 4px 8px; }
QToolTip { background: #1c1f25; color: #e8eaed; border: 1px solid #ff8200; padding: 4px; }
)");
  sheet.replace(QStringLiteral("@ARROW@"), arrow);
  sheet.replace(QStringLiteral("@CHECK@"), check);
  return sheet;
}

CPngButton::CaptionColours MainCaptionColours() {
  CPngButton::CaptionColours colours;
  colours.normal = ColorFromColorRef(0xFFFFFF);
  colours.over = ColorFromColorRef(0x0082FF);
  colours.down = ColorFromColorRef(0x049BFF);
  colours.disabled = ColorFromColorRef(0x7F7F7F);
  colours.selected = ColorFromColorRef(0xFFFFFF);
  return colours;
}

}  // namespace quorlin::ui
