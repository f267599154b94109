// The main window's side of the flows: what they ask of the window (from
// the device worker, carried over to the window's thread) and how the
// buttons hand them to the worker.

#include <QApplication>
#include <QMessageBox>

#include "ui/main/main_window_ids.h"
#include "ui/main/quorlin_dlg.h"

namespace quorlin::ui {

namespace ids = main_ids;

namespace {
QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}
}  // namespace

void CQuorlinDlg::RunFlow(std::function<void(flows::MainFlows&)> flow) {
  if (closing_) return;
  StartBusyIndicator();
  jobs_->Run(
      [this, flow = std::move(flow)] {
        flow(*flows_);
        flows_->RememberIfClean();
        return 1;
      },
      // (The worker's guard keeps a simulated keyboard's memory, under the
      // locks, for the next start and for quorlinctl.)
      [this](int) { StopBusyIndicator(); });
}

// Once the program is ending, every question is answered No or Cancel
// without being shown and no message waits for a click.
void CQuorlinDlg::ShowMessage(std::string_view text) {
  if (closing_) return;
  const QString t = Q(text);
  AskWithoutFlowLocks([&] {
    OnWindowThread([this, t] {
      if (!closing_) prompts_->Message(this, QString(), t);
    });
  });
}

bool CQuorlinDlg::AskYesNo(std::string_view text) {
  if (closing_) return false;
  const QString t = Q(text);
  return AskWithoutFlowLocks([&] {
    return OnWindowThread([this, t] { return !closing_ && prompts_->AskYesNo(this, t); });
  });
}

void CQuorlinDlg::ShowTextKey(std::string_view text_key) {
  if (!closing_) prompts_->Message(this, QString(), Text(text_key));
}

void CQuorlinDlg::RefreshKeyView(int profile, std::span<const profiles::KeyButtonState> buttons) {
  std::vector<profiles::KeyButtonState> copy(buttons.begin(), buttons.end());
  OnWindowThread([this, profile, copy = std::move(copy)] {
    if (views_.show_keys) views_.show_keys(profile, copy);
  });
}

bool CQuorlinDlg::KeyEditorOpen() const {
  if (hooks_.key_editor_open) return OnWindowThread(hooks_.key_editor_open);
  // The key editor is modal over this window.
  return OnWindowThread([] { return QApplication::activeModalWidget() != nullptr; });
}

bool CQuorlinDlg::MacroRecordingRunning() const {
  return hooks_.macro_recording_running && OnWindowThread(hooks_.macro_recording_running);
}

void CQuorlinDlg::StopMacroRecording() {
  if (hooks_.stop_macro_recording) OnWindowThread(hooks_.stop_macro_recording);
}

void CQuorlinDlg::TriggerApply() {
  // Asked from within a flow, on the thread that runs it: Apply follows there.
  flows_->Apply();
}

void CQuorlinDlg::SetBusy(bool busy) {
  OnWindowThread([this, busy] {
    if (busy) {
      StartBusyIndicator();
    } else {
      StopBusyIndicator();
    }
  });
}

std::optional<std::filesystem::path> CQuorlinDlg::ChooseFileToOpen(
    const profiles::FileDialogRequest& r) {
  using Chosen = std::optional<std::filesystem::path>;
  if (closing_) return std::nullopt;
  return AskWithoutFlowLocks([&] {
    return OnWindowThread([this, &r] { return closing_ ? Chosen() : prompts_->OpenFile(this, r); });
  });
}

std::optional<std::filesystem::path> CQuorlinDlg::ChooseFileToSave(
    const profiles::FileDialogRequest& r) {
  using Chosen = std::optional<std::filesystem::path>;
  if (closing_) return std::nullopt;
  return AskWithoutFlowLocks([&] {
    return OnWindowThread([this, &r] { return closing_ ? Chosen() : prompts_->SaveFile(this, r); });
  });
}

void CQuorlinDlg::SetProfileButton(std::string_view text, std::string_view tooltip) {
  const QString t = Q(text);
  const QString tip = Q(tooltip);
  OnWindowThread([this, t, tip] {
    if (CPngButton* b = Button(ids::kIdProfileManager)) {
      b->setText(t);
      b->SetTooltipText(tip);
    }
  });
}

bool CQuorlinDlg::ProfileManagerHasChanges() const {
  return hooks_.profile_manager_has_changes && OnWindowThread(hooks_.profile_manager_has_changes);
}

void CQuorlinDlg::ProfileManagerShowActive(int profile) {
  if (hooks_.profile_manager_show_active)
    OnWindowThread([this, profile] { hooks_.profile_manager_show_active(profile); });
}

void CQuorlinDlg::ShowModified(bool modified) {
  OnWindowThread([this, modified] {
    if (CPngButton* apply = Button(ids::kIdApply); apply && !unplaced_.contains(ids::kIdApply))
      apply->setEnabled(modified && busy_depth_ == 0);
  });
}

void CQuorlinDlg::RefreshLightingPanel(const lighting::PanelView& panel) {
  OnWindowThread([this, panel] {
    if (views_.show_panel) views_.show_panel(panel);
  });
}

void CQuorlinDlg::ShowProfileButtons(int profile) {
  OnWindowThread([this, profile] {
    for (int n = 0; n < 3; ++n)
      if (CPngButton* b = Button(ids::kIdProfile1 + n)) b->SetSelected(n == profile, true);
  });
}

void CQuorlinDlg::OnKeyboardRemoved() {
  // The dialogs that edit the keyboard's data close with it.
  if (about_) about_->close();
  ShowFirmwareVersion(std::nullopt);
  if (hooks_.close_profile_manager) hooks_.close_profile_manager();
  if (hooks_.close_child_dialogs) hooks_.close_child_dialogs();
  if (views_.mode_list) views_.mode_list->setFocus();
  if (CPngButton* b = Button(ids::kIdProfile1)) b->setFocus();
}

}  // namespace quorlin::ui
