#include "ui/main/embedded_views.h"

#include "ui/main/quorlin_dlg.h"

namespace quorlin::ui {

// PLACEHOLDER until the keyboard view, lighting panel and preview widgets
// are merged: they are built here with the window as parent and their
// refresh functions set in window.Views(). Until then the key area shows
// the skin's background and the flows' refreshes have nothing to draw.
void EmbedKeyboardViewAndPanel(CQuorlinDlg& window) {
  (void)window;
}

}  // namespace quorlin::ui
