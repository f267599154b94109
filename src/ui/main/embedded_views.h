#pragma once
// The one place where the keyboard view, the lighting panel and the
// preview display are made and tied to the main window (through its
// EmbeddedViews and MainWindowHooks). Called during creation, after the
// window's own buttons are placed.

namespace quorlin::ui {

class CQuorlinDlg;

void EmbedKeyboardViewAndPanel(CQuorlinDlg& window);

}  // namespace quorlin::ui
