// The key editor's macro page: the macro selector, the event rows and
// their in-place cell editors.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTreeWidget>

#include "keys/key_catalogue.h"
#include "keys/key_name.h"
#include "keys/pick_list.h"
#include "macros/record_delay.h"
#include "ui/editors/composite_dialog.h"
#include "ui/editors/composite_parts.h"

namespace quorlin::ui {

using namespace composite_parts;

void Quorlin_DlgComposite::ShowSelector() {
  updating_ = true;
  macro_selector_->clear();
  for (const std::string& name : model_.Names()) macro_selector_->addItem(Q(name));
  const auto current = model_.Current();
  macro_selector_->setCurrentIndex(current ? static_cast<int>(*current) : -1);
  if (!current) macro_selector_->setEditText(QString());
  play_count_->setText(Q(model_.PlayCountText()));
  updating_ = false;
  UpdateMacroButtons();
}

void Quorlin_DlgComposite::ShowRow(std::size_t row) {
  QTreeWidgetItem* item = action_list_->topLevelItem(static_cast<int>(row));
  if (item == nullptr) return;
  const macros::MacroEvent& event = model_.Rows()[row];
  item->setText(0, Q(keys::KeyNameText(event.key, texts_)));
  item->setText(
      1, QString::fromUtf8(event.direction == macros::kRelease ? kReleaseArrow : kPressArrow));
  item->setText(2, QString::number(event.delay));
  // The release arrow's text starts with two blanks; aligned on the right,
  // press and release arrows stand in one line whatever the blanks' width.
  item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
  item->setForeground(0, kRowGrey);
  item->setForeground(1, kRowGrey);
}

void Quorlin_DlgComposite::ShowRows() {
  CloseCellEditor();
  updating_ = true;
  const auto& rows = model_.Rows();
  while (action_list_->topLevelItemCount() > static_cast<int>(rows.size()))
    delete action_list_->takeTopLevelItem(action_list_->topLevelItemCount() - 1);
  while (action_list_->topLevelItemCount() < static_cast<int>(rows.size())) {
    auto* item = new QTreeWidgetItem();
    // The delegate edits the cells (see OnCellClicked).
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    action_list_->addTopLevelItem(item);
  }
  for (std::size_t row = 0; row < rows.size(); ++row) ShowRow(row);
  const auto selected = model_.SelectedRow();
  if (selected) {
    QTreeWidgetItem* item = action_list_->topLevelItem(static_cast<int>(*selected));
    action_list_->setCurrentItem(item);
    action_list_->scrollToItem(item);
  } else {
    action_list_->setCurrentItem(nullptr);
    action_list_->clearSelection();
  }
  updating_ = false;
}

void Quorlin_DlgComposite::UpdateMacroButtons() {
  const bool selected = model_.CurrentMacro() != nullptr;
  const bool recording = model_.Recording();
  for (const CaptionedButton& b : kRowButtons) button(b.skin_key)->setEnabled(selected);
  button("FUNC_MACRO_RECORD")->setEnabled(selected);
  button("FUNC_MACRO_ADD")->setEnabled(!recording);
  button("FUNC_MACRO_DELETE")->setEnabled(!recording);
  macro_selector_->setEnabled(!recording);
}

void Quorlin_DlgComposite::OnSelectorActivated(int index) {
  if (updating_ || index < 0) return;
  if (model_.Current() && *model_.Current() == static_cast<std::size_t>(index)) return;
  model_.Select(static_cast<std::size_t>(index));
  ShowSelector();
  ShowRows();
  SetModified(true);
}

void Quorlin_DlgComposite::OnSelectorEdited(const QString& text) {
  if (updating_) return;
  const bool was_empty = model_.Macros().empty();
  const auto shown = model_.Rename(text.toStdString());
  if (!shown) return;
  if (was_empty) {
    ShowSelector();
    ShowRows();
  } else if (const auto current = model_.Current()) {
    updating_ = true;
    macro_selector_->setItemText(static_cast<int>(*current), Q(model_.Names()[*current]));
    if (Q(*shown) != text) macro_selector_->setEditText(Q(*shown));
    updating_ = false;
  }
  SetModified(true);
}

void Quorlin_DlgComposite::OnAddMacro() {
  if (!model_.Add()) return;
  ShowSelector();
  ShowRows();
  SetModified(true);
}

void Quorlin_DlgComposite::OnDeleteMacro() {
  if (model_.CurrentMacro() == nullptr) return;
  flows::ProgramState& state = host_.State();
  const macros::InUseCheck in_use = [&state](uint32_t identifier) {
    auto working = state.working.Lock();
    return macros::MacroInUse(identifier, working->actions);
  };
  if (!model_.DeleteCurrent(in_use, state.macro_deleted)) return;
  ShowSelector();
  ShowRows();
  SetModified(true);
}

void Quorlin_DlgComposite::OnPlayCountEdited() {
  const QString corrected = Q(model_.SetPlayCountText(play_count_->text().toStdString()));
  // An empty field is being typed into; it reads as 1 when it is used.
  if (!play_count_->text().isEmpty() && corrected != play_count_->text())
    play_count_->setText(corrected);
  SetModified(true);
}

void Quorlin_DlgComposite::OnMoveRow(RowMove move) {
  if (!model_.SelectedRow()) return;
  model_.MoveSelectedRow(move);
  ShowRows();
  SetModified(true);
}

void Quorlin_DlgComposite::OnDeleteRow() {
  if (!model_.SelectedRow()) return;
  model_.DeleteSelectedRow();
  ShowRows();
  SetModified(true);
}

void Quorlin_DlgComposite::OnClearRows() {
  if (!model_.ClearRows()) return;
  ShowRows();
  SetModified(true);
}

void Quorlin_DlgComposite::OnRecordDelayToggled(bool on) {
  const int stored = macros::WriteRecordDelay(host_.Settings(), host_.Texts(), on ? 1 : 0);
  if ((stored == 1) != on) {
    QSignalBlocker block(record_delay_);
    record_delay_->setChecked(stored == 1);
  }
}

QWidget* Quorlin_DlgComposite::CellEditor() const {
  return cell_delegate_ ? cell_delegate_->OpenEditor() : nullptr;
}

void Quorlin_DlgComposite::CloseCellEditor(bool commit) {
  if (cell_delegate_) cell_delegate_->EndEdit(commit);
}

void Quorlin_DlgComposite::OnCellClicked(QTreeWidgetItem* item, int column) {
  const int row = action_list_->indexOfTopLevelItem(item);
  if (row < 0 || static_cast<std::size_t>(row) >= model_.Rows().size()) return;
  CloseCellEditor();
  model_.SelectRow(static_cast<std::size_t>(row));
  if (column < 0 || column > 2) {
    host_.Messages().ShowMessage(texts_.Text("MACRO_ACTION_ERR_MODIFY"));
    return;
  }
  // The view opens the editor through the list's delegate and owns it
  // until the edit ends.
  action_list_->editItem(item, column);
  if (QWidget* editor = CellEditor()) editor->setFocus();
}

QStringList Quorlin_DlgComposite::CellChoices(int column) const {
  QStringList items;
  if (column == 0) {
    for (int r = 0; r < static_cast<int>(keys::kPickList.size()); ++r)
      items << Q(keys::PickListName(r, texts_));
  } else {
    items << QString::fromUtf8(kPressArrow) << QString::fromUtf8(kReleaseArrow);
  }
  return items;
}

MacroCellDelegate::Value Quorlin_DlgComposite::CellValue(int row, int column) const {
  if (row < 0 || static_cast<std::size_t>(row) >= model_.Rows().size()) return QString();
  const macros::MacroEvent& event = model_.Rows()[static_cast<std::size_t>(row)];
  switch (column) {
    case 0: {
      const uint16_t pick_row = keys::PickListRow(event.key);
      return pick_row == keys::kNoPickListRow ? -1 : static_cast<int>(pick_row);
    }
    case 1:
      return event.direction == macros::kRelease ? 1 : 0;
    default:
      return QString::number(event.delay);
  }
}

void Quorlin_DlgComposite::OnCellCommitted(int row, int column,
                                           const MacroCellDelegate::Value& value) {
  if (row < 0 || static_cast<std::size_t>(row) >= model_.Rows().size()) return;
  const auto r = static_cast<std::size_t>(row);
  if (const int* choice = std::get_if<int>(&value)) {
    if (column == 0) model_.SetRowKey(r, keys::PickListCode(*choice));
    if (column == 1) model_.SetRowDirection(r, static_cast<uint16_t>(*choice));
  } else if (const QString* digits = std::get_if<QString>(&value); digits && column == 2) {
    if (model_.Recording()) StopRecording();
    model_.SetRowDelay(r, digits->toStdString());
  }
  ShowRow(r);
  SetModified(true);
}

}  // namespace quorlin::ui
