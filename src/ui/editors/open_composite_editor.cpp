#include "ui/editors/open_composite_editor.h"

#include "ui/editors/composite_dialog.h"
#include "ui/skin/skin_file.h"

namespace quorlin::ui {

Quorlin_DlgComposite* CompositeEditorOf(QWidget* window) {
  if (window == nullptr) return nullptr;
  return window->findChild<Quorlin_DlgComposite*>(QStringLiteral("Quorlin_DlgComposite"),
                                                  Qt::FindDirectChildrenOnly);
}

void OpenCompositeEditor(QWidget* window, CompositeHost& host, const KeyEditRequest& request) {
  const std::optional<int> profile = host.ActiveProfile();
  if (!profile) {
    host.Messages().ShowMessage(host.Texts().Text("COMPOSITE_NO_PROFILE"));
    return;
  }
  Quorlin_DlgComposite* editor = CompositeEditorOf(window);
  if (editor == nullptr) editor = new Quorlin_DlgComposite(window, host, DefaultSkinDir());
  if (editor->isVisible()) return;
  editor->OpenFor(request, *profile);
}

bool CompositeEditorOpen(QWidget* window) {
  const Quorlin_DlgComposite* editor = CompositeEditorOf(window);
  return editor != nullptr && editor->isVisible();
}

bool CompositeEditorRecording(QWidget* window) {
  const Quorlin_DlgComposite* editor = CompositeEditorOf(window);
  return editor != nullptr && editor->isVisible() && editor->Recording();
}

void StopCompositeRecording(QWidget* window) {
  if (Quorlin_DlgComposite* editor = CompositeEditorOf(window)) editor->StopRecording();
}

void RelabelCompositeEditor(QWidget* window, int language_index) {
  Quorlin_DlgComposite* editor = CompositeEditorOf(window);
  if (editor != nullptr && editor->isVisible()) editor->Relabel(language_index);
}

void CloseCompositeEditor(QWidget* window) {
  Quorlin_DlgComposite* editor = CompositeEditorOf(window);
  if (editor != nullptr && editor->isVisible()) editor->ClickCancel();
}

}  // namespace quorlin::ui
