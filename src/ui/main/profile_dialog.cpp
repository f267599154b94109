#include "ui/main/profile_dialog.h"

#include <QHeaderView>
#include <algorithm>

#include "profiles/profile_file.h"
#include "text/format.h"
#include "ui/skin/placement.h"
#include "ui/skin/skin_catalogue.h"
#include "ui/skin/skin_families.h"
#include "ui/skin/skin_style.h"

namespace quorlin::ui {
namespace fs = std::filesystem;

namespace {

namespace catalogue = skin_catalogue;
namespace families = skin_families;

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

const std::vector<profiles::FileFilter> kProfileFilters = {{"(*.qlf)", "*.qlf"}, {"(*.*)", "*.*"}};

profiles::FileDialogRequest ProfileFileRequest(fs::path initial, bool save) {
  profiles::FileDialogRequest request;
  request.default_extension = std::string(profiles::kProfileFileExtension);
  request.initial = std::move(initial);
  request.filters = kProfileFilters;
  request.confirm_overwrite = save;
  return request;
}

// The list's check boxes look like the skin's other check boxes, so an
// unchecked row still shows where to click.
QString ListStyle(const fs::path& skin_dir) {
  const QString check = QString::fromStdString((skin_dir / catalogue::kCheckMark).generic_string());
  return QStringLiteral(
             "QTableWidget { outline: 0; }"
             "QTableWidget::indicator { width: 14px; height: 14px; border: 1px solid #4a505a;"
             " border-radius: 3px; background: #0e1013; }"
             "QTableWidget::indicator:hover { border-color: #ff8200; }"
             "QTableWidget::indicator:checked { background: #ff8200; border-color: #ffa040;"
             " image: url(\"%1\"); }")
      .arg(check);
}

QTableWidgetItem* Cell(const std::string& text) {
  auto* item = new QTableWidgetItem(Q(text));
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

}  // namespace

CQuorlin_DlgProfile::CQuorlin_DlgProfile(ProfileDialogHost& host, QWidget* parent)
    : CBaseDialog(parent, host.SkinDir() / catalogue::kProfileSkin, host.SkinDir()),
      host_(host),
      list_(new QTableWidget(this)),
      title_(new QLabel(this)),
      buttons_{{{"FUNC_ADD", nullptr},
                {"FUNC_LOAD", nullptr},
                {"FUNC_DELETE", nullptr},
                {"CONTROL_OK", nullptr},
                {"CONTROL_CANCEL", nullptr},
                {"CONTROL2_APPLY", nullptr}}} {
  setModal(true);
  for (SkinButton& b : buttons_) b.button = new CPngButton(this);
  connect(button("FUNC_ADD"), &QAbstractButton::clicked, this, &CQuorlin_DlgProfile::OnAdd);
  connect(button("FUNC_LOAD"), &QAbstractButton::clicked, this, &CQuorlin_DlgProfile::OnLoad);
  connect(button("FUNC_DELETE"), &QAbstractButton::clicked, this, &CQuorlin_DlgProfile::OnDelete);
  connect(button("CONTROL_OK"), &QAbstractButton::clicked, this, &CQuorlin_DlgProfile::OnOK);
  connect(button("CONTROL_CANCEL"), &QAbstractButton::clicked, this,
          &CQuorlin_DlgProfile::OnCancel);
  connect(button("CONTROL2_APPLY"), &QAbstractButton::clicked, this, &CQuorlin_DlgProfile::OnApply);

  list_->setColumnCount(static_cast<int>(kColumnTitles.size()));
  list_->setShowGrid(true);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->setWordWrap(false);
  list_->setTextElideMode(Qt::ElideMiddle);
  list_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->horizontalHeader()->setSectionsClickable(false);
  for (int c = 0; c < list_->columnCount(); ++c) {
    list_->setColumnWidth(c, kColumnWidths[static_cast<std::size_t>(c)]);
  }
  connect(list_, &QTableWidget::itemChanged, this, &CQuorlin_DlgProfile::OnItemChanged);
}

CPngButton* CQuorlin_DlgProfile::button(const char* skin_key) const {
  for (const SkinButton& b : buttons_) {
    if (std::string_view(b.key) == skin_key) return b.button;
  }
  return nullptr;
}

void CQuorlin_DlgProfile::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  if (!open_) {
    open_ = true;
    ++host_.ProfileManagerOpenCount();
  }
  ApplySkinStyle(this, SkinStyleSheet(skinDir()) + ListStyle(skinDir()));
  PlaceControls();
  ApplyTexts();
  rows_ = ProfileRows{};
  RebuildList();
  ShowModified();
  // Which row is active may take a question to the keyboard.
  profiles::ProfileStore& store = host_.Store();
  SetWorking(true);
  host_.Jobs().Run([&store] { return store.ActiveProfile(); },
                   [guard = QPointer<CQuorlin_DlgProfile>(this)](int active) {
                     if (!guard) return;
                     guard->SetWorking(false);
                     guard->FillFromHostCopies(active);
                   });
}

void CQuorlin_DlgProfile::PlaceControls() {
  const PreparedSurfaces& surfaces = PrepareStateSurfaces(
      "Profile", skinDir(), catalogue::DistinctFiles({catalogue::kProfileSet}), size());
  const ButtonSurfaces set = SurfacesOf(surfaces, catalogue::kProfileSet);
  for (const SkinButton& b : buttons_) {
    PlaceImageButton(b.button, skin(), families::kButtonSection, b.key, set);
  }
  PlaceControl(list_, skin(), families::kButtonSection, "PROGRAM_LIST");
  // The title strip is the band above the list; the word mark takes its
  // left end, so the title stands at the right end, over the list's edge.
  title_->setObjectName("profileTitle");
  title_->setStyleSheet("color: #e8eaed; font-weight: bold;");
  title_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  title_->setGeometry(list_->x() + list_->width() / 3, 0, list_->width() * 2 / 3,
                      std::max(list_->y() - 12, 24));
  title_->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CQuorlin_DlgProfile::Relabel() {
  ApplyTexts();
  update();
}

void CQuorlin_DlgProfile::ApplyTexts() {
  const text::TextSource& texts = host_.Texts();
  setWindowTitle(Q(texts.Text("PROFILE_MANAGER_TITLE")));
  title_->setText(windowTitle());
  struct Caption {
    const char* button;
    const char* key;
  };
  for (const Caption& c :
       {Caption{"CONTROL_OK", "PROFILE_OK"}, Caption{"CONTROL_CANCEL", "PROFILE_CANCLE"},
        Caption{"CONTROL2_APPLY", "PROFILE_APPLY"}}) {
    CPngButton* b = button(c.button);
    b->setText(Q(texts.Text(c.key)));
    b->SetCaptionStyle(true, 9, "Arial Unicode MS", MainCaptionColours());
  }
  for (const Caption& c :
       {Caption{"FUNC_ADD", "PROFILE_ADD_TIP"}, Caption{"FUNC_LOAD", "PROFILE_LOAD_TIP"},
        Caption{"FUNC_DELETE", "PROFILE_DELETE_TIP"}}) {
    button(c.button)->SetTooltipText(Q(texts.Text(c.key)));
  }
  for (std::size_t c = 0; c < kColumnTitles.size(); ++c) {
    const QString word = Q(texts.Text(kColumnTextKeys[c]));
    auto* header = new QTableWidgetItem(QString::fromUtf8(kColumnTitles[c]) + '\n' + word);
    header->setToolTip(word);
    list_->setHorizontalHeaderItem(static_cast<int>(c), header);
  }
}

std::array<std::filesystem::path, 3> CQuorlin_DlgProfile::HostCopies() {
  profiles::ProfileStore& store = host_.Store();
  return {store.HostCopyPath(0), store.HostCopyPath(1), store.HostCopyPath(2)};
}

void CQuorlin_DlgProfile::FillFromHostCopies(int active_profile) {
  rows_ = HostCopyRows(HostCopies(), active_profile);
  RebuildList();
  ShowModified();
}

void CQuorlin_DlgProfile::RebuildList() {
  syncing_ = true;
  list_->setRowCount(static_cast<int>(rows_.rows.size()));
  for (std::size_t i = 0; i < rows_.rows.size(); ++i) {
    const int r = static_cast<int>(i);
    auto* check = Cell({});
    check->setFlags(check->flags() | Qt::ItemIsUserCheckable);
    list_->setItem(r, 0, check);
    list_->setItem(r, 1, Cell(rows_.rows[i].name));
    QTableWidgetItem* folder = Cell(rows_.rows[i].folder);
    folder->setToolTip(folder->text());
    list_->setItem(r, 2, folder);
  }
  syncing_ = false;
  list_->setCurrentCell(-1, -1);
  SyncChecks();
}

void CQuorlin_DlgProfile::SyncChecks() {
  syncing_ = true;
  for (std::size_t i = 0; i < rows_.rows.size(); ++i) {
    if (QTableWidgetItem* item = list_->item(static_cast<int>(i), 0)) {
      item->setCheckState(rows_.rows[i].checked ? Qt::Checked : Qt::Unchecked);
    }
  }
  syncing_ = false;
}

void CQuorlin_DlgProfile::ShowModified() {
  CPngButton* apply = button("CONTROL2_APPLY");
  apply->setEnabled(rows_.modified && !working_ && apply->pictureOrigin() != QPoint(1, 1));
}

void CQuorlin_DlgProfile::SetWorking(bool working) {
  working_ = working;
  for (const SkinButton& b : buttons_) {
    // A button the skin leaves out stays disabled.
    const bool placed = b.button->pictureOrigin() != QPoint(1, 1);
    if (b.button != button("CONTROL2_APPLY")) b.button->setEnabled(placed && !working);
  }
  list_->setEnabled(!working);
  ShowModified();
}

void CQuorlin_DlgProfile::OnItemChanged(QTableWidgetItem* item) {
  if (syncing_ || item == nullptr || item->column() != 0) return;
  SetRowChecked(rows_, item->row(), item->checkState() == Qt::Checked);
  SyncChecks();
  ShowModified();
}

std::optional<int> CQuorlin_DlgProfile::SelectedRow() const {
  const QModelIndexList selected = list_->selectionModel()->selectedRows();
  if (selected.isEmpty()) return std::nullopt;
  return selected.front().row();
}

void CQuorlin_DlgProfile::ShowActive(int profile) {
  if (!open_) return;
  ShowActiveRow(rows_, RowOfProfile(rows_, HostCopies(), profile));
  SyncChecks();
  ShowModified();
}

void CQuorlin_DlgProfile::OnLoad() {
  profiles::ProfileStore& store = host_.Store();
  store.EnsureDataFolder();
  const auto file =
      host_.View().ChooseFileToOpen(ProfileFileRequest(store.DataFolder() / "*.qlf", false));
  if (!file) return;
  AppendRow(rows_, RowForFile(*file));
  RebuildList();
  ShowModified();
}

void CQuorlin_DlgProfile::OnAdd() {
  profiles::ProfileStore& store = host_.Store();
  store.EnsureDataFolder();
  // The text brings its own separator.
  const fs::path initial = store.DataFolder().string() + host_.Texts().Text("PROFILE_NEW");
  const auto file = host_.View().ChooseFileToSave(ProfileFileRequest(initial, true));
  if (!file) return;
  if (!profiles::MakeEmptyProfileImage(0, *file)) {
    // No row for a file that is not there.
    host_.View().ShowMessage(
        text::FormatWithText(host_.Texts().Text("PROFILE_NEW_FAILED"), file->string()));
    return;
  }
  AppendRow(rows_, RowForFile(*file));
  RebuildList();
  ShowModified();
}

void CQuorlin_DlgProfile::OnDelete() {
  if (!DeleteRow(rows_, SelectedRow())) return;
  RebuildList();
  ShowModified();
}

void CQuorlin_DlgProfile::OnApply() {
  RunApply(false);
}

void CQuorlin_DlgProfile::OnOK() {
  RunApply(true);
}

void CQuorlin_DlgProfile::OnCancel() {
  done(QDialog::Rejected);
}

void CQuorlin_DlgProfile::RunApply(bool close_after) {
  if (working_) return;
  WriteSavedProfileList(host_.Settings(), rows_);
  const int target = ProfileToActivate(rows_, HostCopies());
  profiles::ProfileStore& store = host_.Store();
  SetWorking(true);
  host_.Jobs().Run(
      [&store, target] {
        store.SetActiveProfile(target);
        store.ReloadFromKeyboard(false);
        store.BuildProfileMenu();
        return store.ActiveProfile();
      },
      [guard = QPointer<CQuorlin_DlgProfile>(this), close_after](int active) {
        if (guard) guard->FinishApply(active, close_after);
      });
}

void CQuorlin_DlgProfile::FinishApply(int active_profile, bool close_after) {
  SetWorking(false);
  rows_.modified = false;
  ShowModified();
  host_.View().SetModified(false);
  host_.ActiveProfileChanged(active_profile);
  if (close_after && open_) done(QDialog::Accepted);
}

void CQuorlin_DlgProfile::done(int result) {
  rows_.modified = false;
  ShowModified();
  if (open_) {
    open_ = false;
    --host_.ProfileManagerOpenCount();
  }
  CBaseDialog::done(result);
}

CQuorlin_DlgProfile& ProfileManagerOf(QWidget* window, ProfileDialogHost& host) {
  auto* dialog = window->findChild<CQuorlin_DlgProfile*>(QString(), Qt::FindDirectChildrenOnly);
  if (dialog == nullptr) dialog = new CQuorlin_DlgProfile(host, window);
  return *dialog;
}

int OpenProfileManager(QWidget* window, ProfileDialogHost& host) {
  CQuorlin_DlgProfile& dialog = ProfileManagerOf(window, host);
  if (dialog.IsOpen()) return QDialog::Rejected;
  return dialog.DoModal();
}

namespace {
CQuorlin_DlgProfile* OpenManager(QWidget* window) {
  if (window == nullptr) return nullptr;
  auto* dialog = window->findChild<CQuorlin_DlgProfile*>(QString(), Qt::FindDirectChildrenOnly);
  return dialog != nullptr && dialog->IsOpen() ? dialog : nullptr;
}
}  // namespace

bool ProfileManagerOpen(QWidget* window) {
  return OpenManager(window) != nullptr;
}

bool ProfileManagerHasChanges(QWidget* window) {
  const CQuorlin_DlgProfile* dialog = OpenManager(window);
  return dialog != nullptr && dialog->HasUnappliedChanges();
}

void ProfileManagerShowActive(QWidget* window, int profile) {
  if (CQuorlin_DlgProfile* dialog = OpenManager(window)) dialog->ShowActive(profile);
}

void CloseProfileManager(QWidget* window) {
  if (CQuorlin_DlgProfile* dialog = OpenManager(window)) dialog->OnCancel();
}

void RelabelProfileManager(QWidget* window) {
  if (window == nullptr) return;
  if (auto* dialog = window->findChild<CQuorlin_DlgProfile*>(QString(), Qt::FindDirectChildrenOnly))
    dialog->Relabel();
}

}  // namespace quorlin::ui
