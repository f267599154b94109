#pragma once
// The keyboard view, the lighting panel widget and the preview display made
// and connected in one go, for the main window to embed: the panel's views
// reach the keys and the preview, a paint click's view reaches the panel.

#include <QObject>
#include <memory>

#include "ui/main/keyboard_view.h"
#include "ui/main/lighting_panel_widget.h"
#include "ui/main/main_view_parts.h"
#include "ui/main/preview_display.h"

namespace quorlin::ui {

class MainViews : public QObject {
  Q_OBJECT

 public:
  // `window` is the main window (the views' layers cover its client area).
  // `preview_timer` is the window's preview timer, which the preview then
  // starts and stops (the views keep their own without it).
  MainViews(QWidget* window, const MainViewParts& parts,
            std::unique_ptr<lighting::PreviewEngine> engine = {}, QTimer* preview_timer = nullptr);
  ~MainViews() override;

  KeyboardView& Keyboard() { return *keyboard_; }
  LightingPanelWidget& Panel() { return *panel_; }
  PreviewDisplay& Preview() { return *preview_; }

 public slots:
  // A panel view from the flows (FlowView::RefreshLightingPanel): the panel,
  // the key frames and the preview follow it.
  void ShowPanelView(const lighting::PanelView& view);
  // Language change: every label and tooltip again.
  void Relabel();
  // A long write (Apply, a restore, a reload) runs: no key or panel input.
  void SetBusy(bool busy);

 private:
  KeyboardView* keyboard_;
  LightingPanelWidget* panel_;
  std::unique_ptr<PreviewDisplay> preview_;
};

}  // namespace quorlin::ui
