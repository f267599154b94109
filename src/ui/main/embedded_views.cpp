#include "ui/main/embedded_views.h"

#include "ui/main/quorlin_dlg.h"

// The keyboard view, the lighting panel and the preview display are built
// apart from the window; they are made and tied in here.
#include "ui/main/main_views.h"
#include "ui/skin/skin_catalogue.h"

namespace quorlin::ui {

void EmbedKeyboardViewAndPanel(CQuorlinDlg& window) {
  app::AppContext& ctx = window.Context();
  flows::MainFlows& flows = window.Flows();
  // The big state pictures exist while the views' buttons cut their pieces.
  const MainSurfaceLoad load(window.skinDir());
  const MainViewParts parts{
      window.skin(),
      load.Surfaces(),
      PrepareSkinPictures("MainPanel", window.skinDir(), skin_catalogue::PanelPictureFiles()),
      ctx.state,
      window.Jobs(),
      flows.Panel(),
      ctx.texts,
      ctx.settings,
      [&flows](int profile) { return flows.Store().SwitchProfile(profile) ? 1 : 0; },
      [&ctx] { return ctx.link.CachedActiveProfile(); }};
  // The preview steps on the window's timer 1052.
  auto* views = new MainViews(&window, parts, {}, &window.PreviewTimer());

  EmbeddedViews& v = window.Views();
  v.show_keys = [views](int, std::span<const profiles::KeyButtonState> buttons) {
    views->Keyboard().ShowKeyButtons(buttons);
  };
  v.show_panel = [views](const lighting::PanelView& panel) { views->ShowPanelView(panel); };
  v.preview_step = [views] { views->Preview().Step(); };
  v.relabel = [views](int) { views->Relabel(); };
  v.set_busy = [views](bool busy) { views->SetBusy(busy); };
  v.show_progress = [views](int frame) { views->Panel().ShowProgressFrame(frame); };
  v.edit_macro_key = [views] { views->Keyboard().RequestGKeyEdit(9); };
  v.mode_list = views->Panel().Control(panel_control::kModeList);
  QObject::connect(&views->Keyboard(), &KeyboardView::keyEditRequested, &window,
                   [&window](const KeyEditRequest& request) {
                     if (window.Hooks().open_key_editor)
                       window.Hooks().open_key_editor(&window, request);
                   });
}

}  // namespace quorlin::ui
