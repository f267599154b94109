// The key editor's key capture: the single-key field and the macro
// recorder take keys through an application-wide filter while it is open.

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>

#include "keys/key_name.h"
#include "ui/editors/composite_dialog.h"
#include "ui/editors/composite_parts.h"

namespace quorlin::ui {

using namespace composite_parts;

void Quorlin_DlgComposite::InstallCapture(bool on) {
  if (on == capture_installed_ || qApp == nullptr) return;
  if (on)
    qApp->installEventFilter(this);
  else
    qApp->removeEventFilter(this);
  capture_installed_ = on;
}

bool Quorlin_DlgComposite::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
    return CBaseDialog::eventFilter(watched, event);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != this) return false;
  auto* key_event = static_cast<QKeyEvent*>(event);
  if (type == QEvent::ShortcutOverride) {
    // While the editor takes keys, no shortcut of the program acts on them.
    if (model_.Recording() || shown_page_ == PageKind::kSingleKey) key_event->accept();
    return false;
  }
  return HandleKey(watched, key_event);
}

bool Quorlin_DlgComposite::HandleKey(QObject* watched, QKeyEvent* event) {
  const std::optional<KeyInput> input = KeyInputFromEvent(*event);
  if (model_.Recording() && input) {
    const RecordStep step = RecorderStep(*input);
    if (step.action == CaptureAction::kTake) Record(*input);
    if (step.action != CaptureAction::kPass) return true;
  } else if (shown_page_ == PageKind::kSingleKey && input && watched != CellEditor()) {
    switch (SingleKeyCapture(*input, kb_check_->isChecked())) {
      case CaptureAction::kPass:
        break;
      case CaptureAction::kSwallow:
        return true;
      case CaptureAction::kTake:
        captured_ = input->key;
        key_input_->setText(Q(keys::KeyNameText(captured_, texts_)));
        page_kind_ = PageKind::kSingleKey;
        SetModified(true);
        return true;
    }
  }
  if (event->type() != QEvent::KeyPress) return false;
  if (event->key() == Qt::Key_F1 && !model_.Recording()) {
    host_.OpenHelp();
    return true;
  }
  // Enter commits an open cell and Escape cancels it (the delegate does
  // both); anywhere else they are eaten so that neither closes the editor.
  if (IsEnterOrEscape(event->key())) {
    if (QWidget* cell = CellEditor(); cell != nullptr && watched == cell) return false;
    return true;
  }
  return false;
}

void Quorlin_DlgComposite::StopRecording() {
  if (!model_.Recording()) return;
  model_.StopRecording();
  ShowRecordButton();
  UpdateMacroButtons();
}

void Quorlin_DlgComposite::ShowRecordButton() {
  CPngButton* record = button("FUNC_MACRO_RECORD");
  const bool on = model_.Recording();
  record->setText(Q(texts_.Text(on ? "A_RECORD3" : "A_RECORD")));
  const QString tip = Q(texts_.Text(on ? "MACRO_ACTION_STOP_RECORD" : "MACRO_ACTION_RECORD"));
  record->SetTooltipText(tip);
  record->SetSelected(on, true);
}

void Quorlin_DlgComposite::ClickRecord() {
  if (model_.Recording())
    StopRecording();
  else
    StartRecording();
}

void Quorlin_DlgComposite::StartRecording() {
  if (model_.CurrentMacro() == nullptr) return;
  CloseCellEditor();
  model_.StartRecording(clock_());
  ShowRecordButton();
  UpdateMacroButtons();
  // Keys typed while recording must not land in the selector or the field.
  action_list_->setFocus();
}

void Quorlin_DlgComposite::Record(const KeyInput& input) {
  const RecordStep step = RecorderStep(input);
  const int record_delay = record_delay_->isChecked() ? 1 : 0;
  bool added = false;
  if (step.synthetic_press)
    added = model_.AddRecordedEvent(input.key, macros::kPress, kSyntheticPressDelay, record_delay);
  const uint32_t elapsed = model_.TakeElapsed(clock_());
  added = model_.AddRecordedEvent(input.key, step.direction, elapsed, record_delay) || added;
  if (!added) return;
  ShowRows();
  SetModified(true);
}

}  // namespace quorlin::ui
