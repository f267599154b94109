#include "ui/main/main_views.h"

#include "ui/main/button_cutouts.h"

namespace quorlin::ui {

MainViews::MainViews(QWidget* window, const MainViewParts& parts,
                     std::unique_ptr<lighting::PreviewEngine> engine, QTimer* preview_timer)
    : QObject(window),
      keyboard_(new KeyboardView(window, parts)),
      panel_(new LightingPanelWidget(window, parts)),
      preview_(std::make_unique<PreviewDisplay>(*keyboard_, parts.state, parts.jobs,
                                                std::move(engine), preview_timer)) {
  if (const MainSurfaceLoad* load = parts.surfaces.stand_ins_for)
    load->FillPieces({&keyboard_->Cutouts(), &panel_->Cutouts()});
  connect(panel_, &LightingPanelWidget::viewChanged, this, [this](const lighting::PanelView& v) {
    keyboard_->ShowLightingView(v);
    preview_->FollowView(v);
  });
  connect(keyboard_, &KeyboardView::panelViewChanged, panel_, &LightingPanelWidget::ShowView);
  ShowPanelView(panel_->View());
  if (!keyboard_->LightingViewShown()) keyboard_->RefreshKeyMarks();
}

MainViews::~MainViews() = default;

void MainViews::ShowPanelView(const lighting::PanelView& view) {
  panel_->ShowView(view);
  keyboard_->ShowLightingView(view);
  preview_->FollowView(view);
}

void MainViews::SetBusy(bool busy) {
  keyboard_->SetBusy(busy);
  panel_->SetBusy(busy);
}

void MainViews::Relabel() {
  panel_->Relabel();
  keyboard_->Relabel();
}

}  // namespace quorlin::ui
