#include "ui/update/update_dialog.h"

#include <QPainter>
#include <QPointer>
#include <system_error>

#include "device/commands.h"
#include "profiles/profile_file.h"
#include "ui/skin/placement.h"
#include "ui/skin/skin_catalogue.h"
#include "ui/skin/skin_families.h"
#include "ui/skin/skin_style.h"
#include "ui/update/update_texts.h"

namespace quorlin::ui {
namespace fs = std::filesystem;

namespace {

namespace catalogue = skin_catalogue;
namespace families = skin_families;

const QColor kPathColour(232, 234, 237);
const QColor kNoteColour(154, 160, 168);

void DimWhenDisabled(CPngButton* button, bool) {
  if (button->isEnabled()) return;
  QPainter painter(button);
  painter.fillRect(button->rect(), QColor(14, 16, 19, 150));
}

bool IsUpdateFile(const fs::path& file) {
  std::error_code ec;
  return !file.empty() && fs::is_regular_file(file, ec);
}

}  // namespace

CQuorlin_DlgUpdate::CQuorlin_DlgUpdate(UpdateDialogHost& host, QWidget* parent)
    : CBaseDialog(parent, host.SkinDir() / catalogue::kUpdateSkin, host.SkinDir()),
      host_(host),
      path_(new ColorStatic(this)),
      combo_(new QComboBox(this)),
      buttons_{{{"CONTROL_UPButton", nullptr},
                {"CONTROL_CUPButton", nullptr},
                {"CONTROL_OPENButton", nullptr},
                {"CONTROL_BACKUPButton", nullptr}}} {
  setModal(true);
  for (SkinButton& b : buttons_) b.button = new CPngButton(this);
  connect(button("CONTROL_UPButton"), &QAbstractButton::clicked, this,
          &CQuorlin_DlgUpdate::OnUpdate);
  connect(button("CONTROL_CUPButton"), &QAbstractButton::clicked, this,
          &CQuorlin_DlgUpdate::OnCancelUpdate);
  connect(button("CONTROL_OPENButton"), &QAbstractButton::clicked, this,
          &CQuorlin_DlgUpdate::OnOpen);
  connect(button("CONTROL_BACKUPButton"), &QAbstractButton::clicked, this,
          &CQuorlin_DlgUpdate::OnBackup);
  path_->setWordWrap(true);
  QFont font = path_->font();
  font.setPointSize(9);
  path_->setFont(font);
  path_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // Present in the skin but not used.
  combo_->hide();
}

CPngButton* CQuorlin_DlgUpdate::button(const char* skin_key) const {
  for (const SkinButton& b : buttons_) {
    if (std::string_view(b.key) == skin_key) return b.button;
  }
  return nullptr;
}

void CQuorlin_DlgUpdate::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  ApplySkinStyle(this, SkinStyleSheet(skinDir()));
  PlaceControls();
  SetWorking(false);
  ShowChosenFile();
}

void CQuorlin_DlgUpdate::PlaceControls() {
  const PreparedSurfaces& surfaces = PrepareStateSurfaces(
      "Update", skinDir(), catalogue::DistinctFiles({catalogue::kUpdateSet}), size());
  ButtonSurfaces set = SurfacesOf(surfaces, catalogue::kUpdateSet);
  // The skin's disabled picture is its highlighted one, which would make
  // Update look ready exactly where it can never run; a disabled button
  // shows its normal picture dimmed instead.
  set.disabled = set.normal;
  for (const SkinButton& b : buttons_) {
    PlaceImageButton(b.button, skin(), families::kButtonSection, b.key, set);
    b.button->SetDrawCallback(DimWhenDisabled);
  }
  PlaceControl(path_, skin(), families::kButtonSection, "CONTROL_UPStatic");
  PlaceControl(combo_, skin(), families::kButtonSection, "CONTROL_UPCombox");
}

void CQuorlin_DlgUpdate::ShowChosenFile() {
  if (!host_.UpdaterCanRun()) {
    path_->SetTextColour(kNoteColour);
    path_->setText(QString::fromStdString(host_.Texts().Text("UPDATE_WINDOWS_ONLY")));
  } else {
    path_->SetTextColour(kPathColour);
    path_->setText(QString::fromStdString(chosen_.string()));
  }
  update();
}

void CQuorlin_DlgUpdate::SetWorking(bool working) {
  working_ = working;
  const bool can_update = host_.UpdaterCanRun();
  for (const SkinButton& b : buttons_) {
    const std::string_view key = b.key;
    const bool needs_updater = key == "CONTROL_UPButton" || key == "CONTROL_OPENButton";
    // A button the skin leaves out stays disabled.
    const bool placed = b.button->pictureOrigin() != QPoint(1, 1);
    b.button->setEnabled(placed && !working && (can_update || !needs_updater));
  }
}

void CQuorlin_DlgUpdate::OnOpen() {
  if (!host_.UpdaterCanRun()) return;
  profiles::FileDialogRequest request;
  request.default_extension = "exe";
  request.initial = host_.PackageDir() / update_texts::kUpdaterPattern;
  request.filters = {
      {std::string(update_texts::kUpdaterFilterLabel), std::string(update_texts::kUpdaterPattern)}};
  const auto file = host_.View().ChooseFileToOpen(request);
  chosen_ = file ? *file : fs::path();
  ShowChosenFile();
}

void CQuorlin_DlgUpdate::OnUpdate() {
  if (working_ || !host_.UpdaterCanRun()) return;
  if (!IsUpdateFile(chosen_)) {
    host_.View().ShowMessage(update_texts::kChooseUpdateFile);
    return;
  }
  device::DeviceLink& link = host_.Link();
  SetWorking(true);
  host_.Jobs().Run([&link] { return device::SendBootMode(link.Channel()); },
                   [guard = QPointer<CQuorlin_DlgUpdate>(this)](int result) {
                     if (!guard) return;
                     guard->SetWorking(false);
                     if (result != device::kOk) {
                       guard->host_.View().ShowMessage(update_texts::kNoBootMode);
                       return;
                     }
                     guard->StartChosenFile();
                   });
}

void CQuorlin_DlgUpdate::StartChosenFile() {
  const bool started = host_.Starter().Start(chosen_);
  chosen_.clear();
  ShowChosenFile();
  if (started) {
    done(QDialog::Rejected);
  } else {
    host_.View().ShowMessage(update_texts::kCannotStart);
  }
}

void CQuorlin_DlgUpdate::OnCancelUpdate() {
  chosen_.clear();
  ShowChosenFile();
  done(QDialog::Rejected);
}

void CQuorlin_DlgUpdate::OnBackup() {
  if (working_) return;
  profiles::FileDialogRequest request;
  request.default_extension = std::string(profiles::kProfileFileExtension);
  request.initial = "*.qlf";
  request.filters = {{"(*.qlf)", "*.qlf"}, {"(*.*)", "*.*"}};
  request.confirm_overwrite = true;
  const auto file = host_.View().ChooseFileToSave(request);
  if (!file) return;
  profiles::WorkingStore& working = host_.Working();
  SetWorking(true);
  host_.Jobs().Run(
      [&working, path = *file] { return profiles::SaveProfileImage(working, path) ? 1 : 0; },
      [guard = QPointer<CQuorlin_DlgUpdate>(this)](int saved) {
        if (!guard) return;
        guard->SetWorking(false);
        guard->host_.View().ShowMessage(saved == 1 ? update_texts::kBackupDone
                                                   : update_texts::kBackupFailed);
      });
}

CQuorlin_DlgUpdate& UpdateDialogOf(QWidget* window, UpdateDialogHost& host) {
  auto* dialog = window->findChild<CQuorlin_DlgUpdate*>(QString(), Qt::FindDirectChildrenOnly);
  if (dialog == nullptr) dialog = new CQuorlin_DlgUpdate(host, window);
  return *dialog;
}

int OpenUpdateDialog(QWidget* window, UpdateDialogHost& host) {
  CQuorlin_DlgUpdate& dialog = UpdateDialogOf(window, host);
  if (dialog.isVisible()) return QDialog::Rejected;
  return dialog.DoModal();
}

void CloseUpdateDialog(QWidget* window) {
  if (window == nullptr) return;
  auto* dialog = window->findChild<CQuorlin_DlgUpdate*>(QString(), Qt::FindDirectChildrenOnly);
  if (dialog != nullptr && dialog->isVisible()) dialog->reject();
}

void RelabelUpdateDialog(QWidget* window) {
  if (window == nullptr) return;
  if (auto* dialog = window->findChild<CQuorlin_DlgUpdate*>(QString(), Qt::FindDirectChildrenOnly))
    dialog->Relabel();
}

}  // namespace quorlin::ui
