#include "ui/autoprofile/auto_profile_dialog.h"

#include <QHeaderView>
#include <QMenu>

#include "platform/user_folders.h"
#include "text/format.h"
#include "ui/skin/placement.h"
#include "ui/skin/skin_catalogue.h"
#include "ui/skin/skin_families.h"
#include "ui/skin/skin_style.h"

namespace quorlin::ui {

namespace {

namespace catalogue = skin_catalogue;
namespace families = skin_families;

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

constexpr int kAppColumnWidth = 330;

}  // namespace

CAutoProfileDlg::CAutoProfileDlg(AutoProfileDialogHost& host, QWidget* parent)
    : CBaseDialog(parent, host.SkinDir() / catalogue::kAutoProfileSkin, host.SkinDir()),
      host_(host),
      title_(new QLabel(this)),
      enabled_(new QCheckBox(this)),
      rules_label_(new QLabel(this)),
      list_(new QTableWidget(this)),
      fallback_label_(new QLabel(this)),
      fallback_(new QComboBox(this)),
      message_(new QLabel(this)),
      running_menu_(new QMenu(this)),
      buttons_{{{"FUNC_RUNNING", nullptr},
                {"FUNC_ADD", nullptr},
                {"FUNC_DELETE", nullptr},
                {"CONTROL_OK", nullptr},
                {"CONTROL_CANCEL", nullptr}}} {
  setObjectName("AutoProfileDialog");
  for (SkinButton& b : buttons_) b.button = new CPngButton(this);
  connect(button("FUNC_RUNNING"), &QAbstractButton::clicked, this, &CAutoProfileDlg::OnAddRunning);
  connect(button("FUNC_ADD"), &QAbstractButton::clicked, this, &CAutoProfileDlg::OnAddByName);
  connect(button("FUNC_DELETE"), &QAbstractButton::clicked, this, &CAutoProfileDlg::OnRemove);
  connect(button("CONTROL_OK"), &QAbstractButton::clicked, this, &CAutoProfileDlg::OnOK);
  connect(button("CONTROL_CANCEL"), &QAbstractButton::clicked, this, &CAutoProfileDlg::OnCancel);
  QFont bold = title_->font();
  bold.setBold(true);
  bold.setPixelSize(15);
  title_->setFont(bold);
  message_->setWordWrap(true);
  message_->setStyleSheet("color: #ffb060;");
  list_->setColumnCount(2);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->setTextElideMode(Qt::ElideMiddle);
  list_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->horizontalHeader()->setSectionsClickable(false);
  list_->setColumnWidth(0, kAppColumnWidth);
  connect(enabled_, &QCheckBox::toggled, this, [this](bool on) { rules_.enabled = on; });
  connect(fallback_, &QComboBox::activated, this, [this](int index) {
    rules_.fallback = index <= 0 ? std::nullopt : std::optional<int>(index - 1);
  });
}

CPngButton* CAutoProfileDlg::button(const char* skin_key) const {
  for (const SkinButton& b : buttons_) {
    if (std::string_view(b.key) == skin_key) return b.button;
  }
  return nullptr;
}

QString CAutoProfileDlg::T(const char* key) const {
  return Q(host_.Texts().Text(key));
}

QString CAutoProfileDlg::ProfileText(int profile) const {
  return Q(text::FormatWithInt(host_.Texts().Text("AUTO_PROFILE_N"), profile + 1));
}

void CAutoProfileDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  // The skin reaches this window's own controls; the questions it asks
  // keep the desktop's look.
  ApplySkinStyle(this, SkinStyleSheet(skinDir()));
  ApplySkinMenuStyle(running_menu_, this);
  PlaceControls();
  rules_ = flows::LoadAutoProfiles(host_.Settings());
  ApplyTexts();
  RebuildList();
}

void CAutoProfileDlg::PlaceControls() {
  const PreparedSurfaces& surfaces = PrepareStateSurfaces(
      "AutoProfile", skinDir(), catalogue::DistinctFiles({catalogue::kAutoProfileSet}), size());
  const ButtonSurfaces set = SurfacesOf(surfaces, catalogue::kAutoProfileSet);
  for (const SkinButton& b : buttons_) {
    PlaceImageButton(b.button, skin(), families::kButtonSection, b.key, set);
  }
  const std::string_view section = families::kButtonSection;
  PlaceControl(title_, skin(), section, "AUTO_TITLE");
  PlaceControl(enabled_, skin(), section, "AUTO_ENABLED");
  PlaceControl(rules_label_, skin(), section, "AUTO_RULES");
  PlaceControl(list_, skin(), section, "PROGRAM_LIST");
  PlaceControl(fallback_label_, skin(), section, "AUTO_FALLBACK_LABEL");
  PlaceControl(fallback_, skin(), section, "AUTO_FALLBACK");
  PlaceControl(message_, skin(), section, "AUTO_MESSAGE");
}

void CAutoProfileDlg::Relabel() {
  if (!isVisible()) return;
  ApplyTexts();
  RebuildList();
  update();
}

void CAutoProfileDlg::ApplyTexts() {
  setWindowTitle(T("AUTO_TITLE"));
  title_->setText(T("AUTO_TITLE"));
  enabled_->setText(T("AUTO_ENABLED"));
  rules_label_->setText(T("AUTO_RULES"));
  fallback_label_->setText(T("AUTO_FALLBACK"));
  for (const char* key : {"CONTROL_OK", "CONTROL_CANCEL", "FUNC_RUNNING"}) {
    CPngButton* b = button(key);
    const char* text_key = std::string_view(key) == "CONTROL_OK"       ? "PROFILE_OK"
                           : std::string_view(key) == "CONTROL_CANCEL" ? "PROFILE_CANCLE"
                                                                       : "AUTO_ADD_RUNNING";
    b->setText(T(text_key));
    b->SetCaptionStyle(true, 9, "Arial Unicode MS", MainCaptionColours());
  }
  button("FUNC_RUNNING")->SetTooltipText(T("AUTO_ADD_RUNNING"));
  button("FUNC_ADD")->SetTooltipText(T("AUTO_ADD_NAME"));
  button("FUNC_DELETE")->SetTooltipText(T("AUTO_REMOVE"));
  list_->setHorizontalHeaderLabels({T("AUTO_COL_APP"), T("AUTO_COL_PROFILE")});
  FillFallback();
  const FocusSource& focus = host_.Focus();
  message_->setText(!focus.Available()         ? T("AUTO_NO_FOCUS_SOURCE")
                    : !focus.SeesEveryWindow() ? T("AUTO_XWAYLAND_ONLY")
                                               : QString());
}

void CAutoProfileDlg::FillFallback() {
  fallback_->clear();
  fallback_->addItem(T("AUTO_FALLBACK_NONE"));
  for (int p = 0; p < 3; ++p) fallback_->addItem(ProfileText(p));
  fallback_->setCurrentIndex(rules_.fallback ? *rules_.fallback + 1 : 0);
  enabled_->setChecked(rules_.enabled);
}

void CAutoProfileDlg::RebuildList() {
  const int selected = list_->currentRow();
  list_->setRowCount(static_cast<int>(rules_.rules.size()));
  for (std::size_t i = 0; i < rules_.rules.size(); ++i) {
    const int row = static_cast<int>(i);
    auto* app = new QTableWidgetItem(Q(rules_.rules[i].app));
    app->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    app->setToolTip(app->text());
    list_->setItem(row, 0, app);
    auto* choice = new QComboBox(list_);
    for (int p = 0; p < 3; ++p) choice->addItem(ProfileText(p));
    choice->setCurrentIndex(rules_.rules[i].profile);
    // The rule is found by its application: rows move when one is removed.
    connect(choice, &QComboBox::activated, this, [this, name = rules_.rules[i].app](int index) {
      const int at = flows::FindRule(rules_, name);
      if (at >= 0) rules_.rules[static_cast<std::size_t>(at)].profile = index;
    });
    list_->setCellWidget(row, 1, choice);
  }
  if (selected >= 0 && selected < list_->rowCount()) list_->selectRow(selected);
}

void CAutoProfileDlg::OnAddRunning() {
  running_menu_->clear();
  const std::vector<RunningApp> apps = host_.Focus().RunningApplications();
  for (const RunningApp& app : apps) {
    QString label = Q(app.name);
    if (!app.title.isEmpty() && app.title != label) label += QStringLiteral("  —  ") + app.title;
    QAction* action = running_menu_->addAction(app.icon, label);
    connect(action, &QAction::triggered, this, [this, app] { AddRunning(app); });
  }
  if (apps.empty()) running_menu_->addAction(T("AUTO_RUNNING_NONE"))->setEnabled(false);
  CPngButton* b = button("FUNC_RUNNING");
  running_menu_->popup(b->mapToGlobal(QPoint(0, b->height())));
}

void CAutoProfileDlg::AddRunning(const RunningApp& app) {
  AddByName(Q(app.name));
}

void CAutoProfileDlg::OnAddByName() {
  const QString name = host_.AskAppName(this, T("AUTO_ADD_NAME_PROMPT"));
  if (!name.isEmpty()) AddByName(name);
}

void CAutoProfileDlg::AddByName(const QString& name) {
  const std::string app = name.trimmed().toStdString();
  std::string why;
  if (!flows::ValidAppName(app, &why)) {
    host_.ShowMessage(this, T(why.c_str()));
    return;
  }
  int at = flows::FindRule(rules_, app);
  if (at < 0) {
    if (rules_.rules.size() + rules_.unreadable.size() >=
        static_cast<std::size_t>(flows::kMostAutoProfileRules)) {
      host_.ShowMessage(this, T("CLI_AUTO_ERR_FULL"));
      return;
    }
    // A new rule starts on profile 1; its choice is right beside it.
    flows::SetRule(rules_, app, 0);
    at = static_cast<int>(rules_.rules.size()) - 1;
  }
  RebuildList();
  list_->selectRow(at);
}

void CAutoProfileDlg::OnRemove() {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(rules_.rules.size())) return;
  rules_.rules.erase(rules_.rules.begin() + row);
  RebuildList();
}

void CAutoProfileDlg::OnOK() {
  if (!flows::SaveAutoProfiles(host_.Settings(), rules_)) {
    host_.ShowMessage(this, Q(text::FormatWithText(host_.Texts().Text("AUTO_SAVE_FAILED"),
                                                   platform::SettingsFilePath().string())));
    return;
  }
  host_.AutoProfilesChanged();
  done(QDialog::Accepted);
}

void CAutoProfileDlg::OnCancel() {
  done(QDialog::Rejected);
}

CAutoProfileDlg* AutoProfileDialogOf(QWidget* window) {
  if (window == nullptr) return nullptr;
  return window->findChild<CAutoProfileDlg*>(QString(), Qt::FindDirectChildrenOnly);
}

void OpenAutoProfileDialog(QWidget* window, AutoProfileDialogHost& host) {
  CAutoProfileDlg* dialog = AutoProfileDialogOf(window);
  if (dialog == nullptr) dialog = new CAutoProfileDlg(host, window);
  if (dialog->isVisible()) {
    dialog->raise();
    dialog->activateWindow();
    return;
  }
  dialog->ShowModeless();
}

void RelabelAutoProfileDialog(QWidget* window) {
  if (CAutoProfileDlg* dialog = AutoProfileDialogOf(window)) dialog->Relabel();
}

void CloseAutoProfileDialog(QWidget* window) {
  CAutoProfileDlg* dialog = AutoProfileDialogOf(window);
  if (dialog == nullptr || !dialog->isVisible()) return;
  // A name being asked for is cancelled too: its own event loop would
  // otherwise keep the program from ending.
  for (QDialog* question : dialog->findChildren<QDialog*>()) question->reject();
  dialog->runningMenu()->hide();
  dialog->OnCancel();
}

}  // namespace quorlin::ui
