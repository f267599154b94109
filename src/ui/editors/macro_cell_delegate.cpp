#include "ui/editors/macro_cell_delegate.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace quorlin::ui {

namespace {
constexpr int kDelayColumn = 2;
}  // namespace

MacroCellDelegate::MacroCellDelegate(Hooks hooks, QObject* parent)
    : QStyledItemDelegate(parent), hooks_(std::move(hooks)) {
  // However the view ends an edit, it is no longer the open one.
  connect(this, &QAbstractItemDelegate::closeEditor, this, [this](QWidget* editor) {
    if (open_ == editor) open_ = nullptr;
  });
}

QWidget* MacroCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const {
  QWidget* editor = nullptr;
  if (index.column() == kDelayColumn) {
    auto* edit = new QLineEdit(parent);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), edit));
    editor = edit;
  } else {
    auto* combo = new QComboBox(parent);
    combo->addItems(hooks_.choices(index.column()));
    // A choice is the whole edit: take it and end, through the view.
    connect(combo, &QComboBox::activated, this, [this, combo] {
      auto* self = const_cast<MacroCellDelegate*>(this);
      emit self->commitData(combo);
      emit self->closeEditor(combo, QAbstractItemDelegate::NoHint);
    });
    editor = combo;
  }
  open_ = editor;
  return editor;
}

void MacroCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  const Value value = hooks_.current(index.row(), index.column());
  if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
    if (const auto* digits = std::get_if<QString>(&value)) edit->setText(*digits);
    edit->selectAll();
  } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    if (const auto* row = std::get_if<int>(&value)) combo->setCurrentIndex(*row);
  }
}

void MacroCellDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                     const QModelIndex& index) const {
  if (committing_ || !index.isValid()) return;
  Value value;
  if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
    value = edit->text();
  } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    if (combo->currentIndex() < 0) return;
    value = combo->currentIndex();
  } else {
    return;
  }
  committing_ = true;
  // The row shows the committed value from the dialog's own model.
  hooks_.commit(index.row(), index.column(), value);
  committing_ = false;
}

void MacroCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                             const QModelIndex&) const {
  editor->setGeometry(option.rect);
}

void MacroCellDelegate::EndEdit(bool commit) {
  QWidget* editor = open_.data();
  if (editor == nullptr) return;
  open_ = nullptr;
  if (commit) emit commitData(editor);
  // The view takes it out of its own lists at once and deletes it later.
  emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}

}  // namespace quorlin::ui
