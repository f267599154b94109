#pragma once
// The in-place editors of the macro page's event rows. The list's delegate
// is their one owner: the view creates each editor through it and destroys
// it through it, whether the edit is committed (Enter, focus leaves, a
// choice in a list) or cancelled (Escape, the page or the dialog closing).
// Nothing else ever deletes an editor, so the view never keeps one that is
// gone.

#include <QPointer>
#include <QStyledItemDelegate>
#include <functional>
#include <variant>

namespace quorlin::ui {

class MacroCellDelegate final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  // A committed cell: the key column gives a pick-list row, the action
  // column 0 (press) or 1 (release), the delay column the typed digits.
  using Value = std::variant<int, QString>;
  struct Hooks {
    // The editor's items for the key and action columns.
    std::function<QStringList(int column)> choices;
    // What the cell holds when its editor opens: a row of `choices`, or
    // the delay's digits.
    std::function<Value(int row, int column)> current;
    std::function<void(int row, int column, const Value& value)> commit;
  };

  MacroCellDelegate(Hooks hooks, QObject* parent);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override;

  // The editor now open, if any.
  QWidget* OpenEditor() const { return open_.data(); }
  // Ends the open edit: its value is taken first when `commit`, and the
  // editor is gone from the view when this returns.
  void EndEdit(bool commit);

 private:
  Hooks hooks_;
  mutable QPointer<QWidget> open_;
  // A commit can show a message (a delay out of range), whose loop moves
  // the focus away and would commit the same edit a second time.
  mutable bool committing_ = false;
};

}  // namespace quorlin::ui
