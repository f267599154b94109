#pragma once
// How the main window reaches the key editor. The editor is one child of
// the window, made on first use and kept for the window's life (it keeps
// the macro name counter between openings).

#include <QWidget>

#include "ui/editors/composite_host.h"
#include "ui/main/main_window_hooks.h"

namespace quorlin::ui {

class Quorlin_DlgComposite;

// The hook `MainWindowHooks::open_key_editor` calls this with the window's
// host. The editor runs modally; it refuses to open, with a message, while
// the keyboard's Active profile cannot be read.
void OpenCompositeEditor(QWidget* window, CompositeHost& host, const KeyEditRequest& request);

// The editor of `window`, or nullptr before its first opening.
Quorlin_DlgComposite* CompositeEditorOf(QWidget* window);

// For the window's own flows and notices.
bool CompositeEditorOpen(QWidget* window);
bool CompositeEditorRecording(QWidget* window);
void StopCompositeRecording(QWidget* window);
// The language-change notice, forwarded while the editor is open.
void RelabelCompositeEditor(QWidget* window, int language_index);
// The window closes its child dialogs: the editor closes as by Cancel.
void CloseCompositeEditor(QWidget* window);

}  // namespace quorlin::ui
