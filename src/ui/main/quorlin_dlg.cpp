#include "ui/main/quorlin_dlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QUrl>
#include <array>
#include <chrono>
#include <thread>

#include "device/commands.h"
#include "device/keyboard_finder.h"
#include "platform/autostart.h"
#include "platform/instance_channel.h"
#include "platform/user_folders.h"
#include "profiles/profile_stores.h"
#include "text/format.h"
#include "text/language.h"
#include "ui/main/about_dlg.h"
#include "ui/main/embedded_views.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/threaded_device_jobs.h"
#include "ui/main/tray_icon_files.h"
#include "ui/main/window_notifications.h"
#include "ui/skin/placement.h"
#include "ui/skin/skin_catalogue.h"
#include "ui/skin/skin_families.h"
#include "ui/skin/skin_picture.h"
#include "ui/skin/skin_style.h"

namespace quorlin::ui {

namespace ids = main_ids;
namespace catalogue = skin_catalogue;
namespace families = skin_families;

namespace {

// The updater the keyboard's maker ships for Windows, in the Help folder.
constexpr const char* kUpdaterFileName =
    "升级包-TovrinMCU程序-V0105-QX42M07B-104KEY-幻彩机械键盘.exe";
constexpr const char* kVersionTooLow = "The current version is too low!";
constexpr const char* kVersionCaption = "Version update";

// The SCREEN keys of the three web buttons beside the language picker.
struct WebButton {
  int id;
  const char* placement_key;
  const char* address_key;
};
constexpr WebButton kWebButtons[] = {
    {ids::kIdWebSite, "CONTROL_Network", "Network"},
    {ids::kIdSocial1, "CONTROL_Facebook", "Facebook"},
    {ids::kIdSocial2, "CONTROL_twitter", "Twitter"},
};

std::vector<std::string> ProgressFiles() {
  std::vector<std::string> files;
  for (int n = 1; n <= catalogue::kProgressFrameCount; ++n)
    files.push_back(catalogue::ProgressFrame(n));
  return files;
}

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

bool OnWayland() {
  return QGuiApplication::platformName().startsWith("wayland");
}

}  // namespace

CQuorlinDlg::CQuorlinDlg(app::AppContext& context, MainWindowOptions options)
    : CBaseDialog(nullptr, context.paths.main_skin, context.paths.skin_dir),
      flows::FlowView(context.state),
      ctx_(context),
      options_(std::move(options)),
      prompts_(options_.prompts ? options_.prompts : &dialog_prompts_),
      jobs_(options_.jobs
                ? std::move(options_.jobs)
                : std::make_unique<ThreadedDeviceJobs>(this,
                                                       [this](const std::function<int()>& work) {
                                                         return RunHoldingFlowLocks(work);
                                                       })),
      notifications_(std::make_unique<WindowDeviceNotifications>(*this)) {
  flows_ = std::make_unique<flows::MainFlows>(
      flows::FlowParts{ctx_.link, ctx_.state, ctx_.texts, *this,
                       platform::CurrentUserFolders().data, ctx_.paths.program_dir});
  ctx_.on_request = [this](const std::string& request) { HandleRequest(request); };
  // Frames written, for the busy indicator's count.
  ctx_.link.Channel().SetTraceSink([this](char direction, std::span<const uint8_t>) {
    if (direction == '>') ++frames_sent_;
  });
  setObjectName("CQuorlinDlg");
  // The window's marker, which a second start used to find it by.
  setProperty("quorlinMarker", ids::kTagMainWindow);

  progress_timer_.setInterval(ids::kProgressIntervalMs);
  connect(&progress_timer_, &QTimer::timeout, this, [this] { OnTimer(ids::kTimerProgress); });
  lighting_reload_timer_.setSingleShot(true);
  connect(&lighting_reload_timer_, &QTimer::timeout, this,
          [this] { OnTimer(ids::kTimerLightingReload); });
  full_reload_timer_.setSingleShot(true);
  connect(&full_reload_timer_, &QTimer::timeout, this, [this] { OnTimer(ids::kTimerFullReload); });
  // Started and stopped by the embedded preview (no wake-ups while the
  // window is hidden or the lighting view closed).
  preview_timer_.setInterval(ids::kPreviewIntervalMs);
  preview_timer_.setTimerType(Qt::CoarseTimer);
  connect(&preview_timer_, &QTimer::timeout, this, [this] { OnTimer(ids::kTimerPreview); });
}

CQuorlinDlg::~CQuorlinDlg() {
  closing_ = true;
  StopDeviceThreads();
  WaitForDeviceJobs();
  if (qApp) qApp->removeEventFilter(this);
  if (about_) delete about_.data();
  ctx_.on_request = nullptr;
  jobs_.reset();
}

device::DeviceNotifications& CQuorlinDlg::Notifications() {
  return *notifications_;
}

// ---------------------------------------------------------------------------
// Creation

void CQuorlinDlg::OnInitDialog() {
  // 1. The skin: background, outline and size.
  CBaseDialog::OnInitDialog();
  if (OnWayland()) {
    // A mask only limits input there; the outside must be drawn transparent.
    setAttribute(Qt::WA_TranslucentBackground);
  }
  // 2. The window icon follows the tray icon (set below). There is no
  //    system menu on a frameless window: the about box is in both menus.
  // 3. The Active profile is unknown until the keyboard says it.
  ctx_.link.InvalidateActiveProfile();
  // 4. (The 32-bit file-system redirection has no meaning here.)
  // 5. The device threads: event reader first, then the presence monitor.
  if (options_.start_device_threads) StartDeviceThreads();
  // 6. (Layered windows need no run-time lookup in Qt.)
  // 7. An empty working store; nothing pending.
  profiles::MakeEmptyProfileImage(0, *ctx_.state.working.Lock());
  ctx_.state.modified = false;
  // 8. The state pictures are decoded for the placement below only: each
  //    button keeps its own pieces. A missing picture ends the program.
  pictures_ = &PrepareSkinPictures("MainProgress", skinDir(), ProgressFiles());
  setStyleSheet(SkinStyleSheet(skinDir()));
  // 9. The web-site address of the link button and the about box.
  link_address_ = skin().Link().value_or("");
  // 10. The window's buttons, then the keyboard view and the lighting panel.
  PlaceWindowButtons();
  PlaceOtherControls();
  EmbedKeyboardViewAndPanel(*this);
  // 11. The user's data folder (host copies, lighting files).
  flows_->Store().EnsureDataFolder();
  // 12. (The lighting panel's pictures are loaded by the panel itself.)
  // 13. No taskbar entry while hidden: set when the window shows.
  // 14. The caption.
  setWindowTitle(Text("MAIN_CAPTION"));
  // 15. (Named events for other programs have no reader here.)
  // 16. The tray icon and its menu.
  BuildMenus();
  CreateTray();
  OnTrayIcon(tray_icons::kNoKeyboard);
  // 17. The initialised notice, handled once the event loop runs.
  QMetaObject::invokeMethod(
      this, [this] { OnInitNotice(ids::kTagInit); }, Qt::QueuedConnection);
  // 18. Every text through the language handler.
  OnLanguageChanged(text::kLanguageChangedTag, LanguageIndex());
  // 19. The language picker.
  FillLanguagePicker();
  // 20. The preview timer runs only while the lighting view shows: the
  //     embedded preview starts it when it does.
  qApp->installEventFilter(this);
  created_ = true;
}

int CQuorlinDlg::RunUntilExit() {
  OnInitDialog();
  QEventLoop loop;
  loop_ = &loop;
  if (!ended_) loop.exec();
  loop_ = nullptr;
  return 0;
}

CPngButton* CQuorlinDlg::AddButton(int id, const std::string& key, const ButtonSurfaces& surfaces) {
  auto* b = new CPngButton(this);
  PlaceImageButton(b, skin(), families::kButtonSection, key, surfaces);
  // Placing turns off a button the skin leaves out; nothing turns it on.
  if (!b->isEnabled()) unplaced_.insert(id);
  surfaces_of_[id] = surfaces;
  b->setObjectName(Q(key));
  b->setProperty("controlId", id);
  buttons_[id] = b;
  controls_[id] = b;
  connect(b, &QAbstractButton::clicked, this, [this, id] { OnCommand(id); });
  return b;
}

const QPixmap* CQuorlinDlg::CutOut(const QRect& rect, const QImage& from) {
  // The button shows each picture from one pixel above and left of itself.
  return pieces_.Cut(rect, from);
}

void CQuorlinDlg::PlaceWindowButtons() {
  // Stand-ins name the four state pictures while the buttons are placed;
  // then each picture is read once, every button cuts its piece out of it,
  // and it goes again: memory follows the buttons, not the window.
  const auto& set = catalogue::kMainSet;
  const std::array<std::string_view, 4> files{set.normal, set.over, set.down, set.disabled};
  const std::array<QPixmap, 4> stand_ins{};
  const QPixmap* normal = &stand_ins[0];
  const QPixmap* over = &stand_ins[1];
  const QPixmap* down = &stand_ins[2];
  const QPixmap* disable = &stand_ins[3];
  const ButtonSurfaces plain{normal, over, down, normal, normal};
  const ButtonSurfaces with_disabled{normal, over, down, normal, disable};

  AddButton(ids::kIdLink, "FENLOR_LINK", {normal, over, disable, normal, normal});
  AddButton(ids::kIdProfileManager, "FUNC_PROFILES", plain);
  AddButton(ids::kIdMacro, "FUNC_MACRO", plain);
  AddButton(ids::kIdOk, "CONTROL_OK", plain);
  AddButton(ids::kIdCancel, "CONTROL_CANCEL", plain);
  AddButton(ids::kIdHelp, "CONTROL_HELP", plain);
  AddButton(ids::kIdClose, "CONTROL_CLOSE", plain);
  AddButton(ids::kIdMinimise, "CONTROL_MINIMIZE", plain);
  AddButton(ids::kIdMenu, "CONTROL_MENU", plain);
  AddButton(ids::kIdApply, "CONTROL2_APPLY", {normal, over, down, disable, normal});
  AddButton(ids::kIdVersion, "FENLOR_VER", {normal, normal, normal, normal, normal});
  for (int n = 0; n < 3; ++n)
    AddButton(ids::kIdProfile1 + n, "FUNC_PROFILE" + std::to_string(n + 1), with_disabled);
  AddButton(ids::kIdRestoreDefaults, "FUNC_DEFAULT", with_disabled);
  AddButton(ids::kIdSwitch, "FUNC_SWITCH", with_disabled)->hide();
  for (const WebButton& w : kWebButtons) AddButton(w.id, w.placement_key, plain);

  const auto colours = MainCaptionColours();
  Button(ids::kIdProfileManager)->SetCaptionStyle(true, 10, "Arial Unicode MS", colours, 0x28);
  Button(ids::kIdProfileManager)->SetTextMargins(40, 0, 0, -10);
  CPngButton* version = Button(ids::kIdVersion);
  version->SetCaptionStyle(true, 8, "Verdana Unicode MS", colours, 0x24);
  version->setText(QString());
  version->setEnabled(false);
  // Nothing pending yet.
  Button(ids::kIdApply)->setEnabled(false);

  std::map<int, std::array<const QPixmap*, 5>> cut;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const QImage picture = pieces_.Load(skinDir() / files[i]);
    for (auto& [id, b] : buttons_) {
      const ButtonSurfaces& s = surfaces_of_[id];
      const std::array<const QPixmap*, 5> roles{s.normal, s.over, s.down, s.disabled, s.selected};
      const QPixmap* piece = nullptr;  // a picture shown in several states is cut once
      for (std::size_t r = 0; r < roles.size(); ++r) {
        if (roles[r] != &stand_ins[i]) continue;
        if (piece == nullptr) piece = CutOut(b->geometry(), picture);
        cut[id][r] = piece;
      }
    }
  }
  for (auto& [id, b] : buttons_) {
    const auto& c = cut[id];
    b->SetStateSurfaces(1, 1, {c[0], c[1], c[2], c[3], c[4]});
  }
  surfaces_of_.clear();
}

void CQuorlinDlg::PlaceOtherControls() {
  // The busy picture: shown only while a write runs.
  progress_ = new QLabel(this);
  PlaceControl(progress_, skin(), families::kButtonSection, "CONTROL_JDTStatic");
  progress_->setProperty("controlId", ids::kIdProgress);
  progress_->setAlignment(Qt::AlignCenter);
  progress_->hide();
  controls_[ids::kIdProgress] = progress_;
  // The frames a write has sent so far, left of the busy picture (the
  // window's buttons are on its right).
  frame_count_ = new QLabel(this);
  frame_count_->setObjectName("frameCount");
  frame_count_->setStyleSheet("color: #9aa0a8;");
  const QRect busy = progress_->geometry();
  constexpr int kCountWidth = 150;
  frame_count_->setGeometry(busy.x() - 6 - kCountWidth, busy.y(), kCountWidth,
                            std::max(busy.height(), 16));
  frame_count_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  frame_count_->hide();

  language_picker_ = new QComboBox(this);
  PlaceControl(language_picker_, skin(), families::kButtonSection, "CONTROL_LangCombo");
  controls_[ids::kIdLanguagePicker] = language_picker_;
  connect(language_picker_, &QComboBox::activated, this, &CQuorlinDlg::OnLanguagePicked);

  // A link the skin does not give is not offered at all; its pictogram is
  // only in the button's own pictures, so nothing is left of it.
  for (const WebButton& w : kWebButtons) {
    CPngButton* b = Button(w.id);
    b->setCursor(Qt::PointingHandCursor);
    b->setFocusPolicy(Qt::NoFocus);
    b->setVisible(skin().ScreenValue(w.address_key).has_value());
  }
  if (link_address_.empty()) Button(ids::kIdLink)->hide();
}

void CQuorlinDlg::BuildMenus() {
  auto add = [this](QMenu& menu, int id) {
    QAction* a = menu.addAction(QString());
    a->setData(id);
    actions_[id + (&menu == &tray_menu_ ? 0 : 100000)] = a;
    connect(a, &QAction::triggered, this, [this, id] { OnCommand(id); });
    return a;
  };
  QAction* open = add(tray_menu_, ids::kCmdOpen);
  QFont bold = open->font();
  bold.setBold(true);
  open->setFont(bold);  // the default item
  add(tray_menu_, ids::kCmdAbout);
  QAction* login = add(tray_menu_, ids::kCmdStartAtLogin);
  login->setCheckable(true);
  tray_menu_.addSeparator();
  add(tray_menu_, ids::kCmdExit);
  connect(&tray_menu_, &QMenu::aboutToShow, this, &CQuorlinDlg::RelabelMenus);

  add(button_menu_, ids::kCmdRestoreFromFile);
  add(button_menu_, ids::kCmdBackUpToFile);
  button_menu_.addSeparator();
  add(button_menu_, ids::kCmdAbout);
  add(button_menu_, ids::kCmdFirmwareUpdate);
  connect(&button_menu_, &QMenu::aboutToShow, this, &CQuorlinDlg::RelabelMenus);
  // It has no parent to take the window's look from, unlike the profile menu.
  button_menu_.setStyleSheet(styleSheet());
}

void CQuorlinDlg::RelabelMenus() {
  const int index = LanguageIndex();
  auto label = [&](int key_id, const char* key) {
    if (auto it = actions_.find(key_id); it != actions_.end())
      it->second->setText(Q(text::LangText(ctx_.paths.program_dir, key, index)));
  };
  label(ids::kCmdOpen, "MENU_11");
  label(ids::kCmdAbout, "MENU_22");
  label(ids::kCmdStartAtLogin, "MAIN_START_AT_LOGIN");
  label(ids::kCmdExit, "MENU_33");
  label(100000 + ids::kCmdRestoreFromFile, "MENU_1");
  label(100000 + ids::kCmdBackUpToFile, "MENU_2");
  label(100000 + ids::kCmdAbout, "MENU_3");
  label(100000 + ids::kCmdFirmwareUpdate, "MENU_4");
  actions_[ids::kCmdStartAtLogin]->setChecked(platform::StartAtLogin());
  actions_[100000 + ids::kCmdFirmwareUpdate]->setVisible(
      static_cast<bool>(hooks_.open_update_dialog));
}

void CQuorlinDlg::CreateTray() {
  tray_available_ = options_.tray_available.value_or(QSystemTrayIcon::isSystemTrayAvailable());
  for (int id : {tray_icons::kNoKeyboard, tray_icons::kKeyboardPresent, tray_icons::kAlternate}) {
    QIcon icon;
    for (int size : tray_icons::kSizes)
      icon.addFile(QString::fromStdString((skinDir() / tray_icons::FileName(id, size)).string()),
                   QSize(size, size));
    tray_icons_[id] = icon;
  }
  if (!tray_available_) return;
  tray_ = new QSystemTrayIcon(this);
  tray_->setContextMenu(&tray_menu_);
  connect(tray_, &QSystemTrayIcon::activated, this, &CQuorlinDlg::OnTrayActivated);
}

bool CQuorlinDlg::TrayShown() const {
  return tray_ != nullptr && tray_->isVisible();
}

void CQuorlinDlg::OnTrayActivated(QSystemTrayIcon::ActivationReason reason) {
  if (reason == QSystemTrayIcon::DoubleClick) {
    OnCommand(ids::kCmdOpen);
  } else if (reason == QSystemTrayIcon::Trigger) {
    ShowProfileMenu(QCursor::pos());
  }
}

void CQuorlinDlg::OnTrayIcon(int icon_id) {
  if (icon_id == tray_icon_id_) return;
  tray_icon_id_ = icon_id;
  const QIcon& icon = tray_icons_[icon_id];
  setWindowIcon(icon);
  if (!tray_) return;
  tray_->setIcon(icon);
  // The desktop cuts long tips anyway; keep within what every tray shows.
  tray_->setToolTip(Text("KEYBOARD_TRAY_DESC").left(127));
  if (!tray_->isVisible()) tray_->show();
}

// ---------------------------------------------------------------------------
// Texts

QString CQuorlinDlg::Text(std::string_view key) const {
  return Q(ctx_.texts.Text(key));
}

int CQuorlinDlg::LanguageIndex() const {
  return ctx_.texts.CurrentIndex();
}

void CQuorlinDlg::OnLanguageChanged(uint32_t tag, int index) {
  if (tag != text::kLanguageChangedTag) return;
  if (about_) about_->OnLanguageChanged(tag, index);
  Relabel(index);
  if (views_.relabel) views_.relabel(index);
  if (hooks_.relabel_dialogs) hooks_.relabel_dialogs(index);
  emit languageChanged(index);
}

void CQuorlinDlg::Relabel(int index) {
  const auto& dir = ctx_.paths.program_dir;
  auto t = [&](const char* key) { return Q(text::LangText(dir, key, index)); };
  const auto colours = MainCaptionColours();
  auto caption = [&](int id, const char* key, int size, unsigned flags = draw_text::kDefaultFormat,
                     const char* face = "Arial Unicode MS") {
    CPngButton* b = Button(id);
    b->setText(t(key));
    b->SetCaptionStyle(true, size, face, colours, flags);
  };
  Button(ids::kIdHelp)->SetTooltipText(t("MAIN_HELP_PROMPT"));
  Button(ids::kIdMinimise)->SetTooltipText(t("MAIN_MINIMIZE_PROMPT"));
  Button(ids::kIdMenu)->SetTooltipText(t("MAIN_MENU_PROMPT"));
  Button(ids::kIdClose)->SetTooltipText(t("MAIN_CLOSE_PROMPT"));
  caption(ids::kIdProfile1, "PROFILE_1", 10);
  caption(ids::kIdProfile1 + 1, "PROFILE_2", 10);
  caption(ids::kIdProfile1 + 2, "PROFILE_3", 10);
  caption(ids::kIdMacro, "PROFILE_MACRO1", 10, 0x25);
  Button(ids::kIdMacro)->SetTooltipText(t("PROFILE_MACRO"));
  caption(ids::kIdRestoreDefaults, "PROFILE_DEFAULT1", 8);
  Button(ids::kIdRestoreDefaults)->SetTooltipText(t("PROFILE_DEFAULT"));
  caption(ids::kIdOk, "PROFILE_OK", 8);
  caption(ids::kIdCancel, "PROFILE_CANCLE", 8);
  caption(ids::kIdApply, "PROFILE_APPLY", 8);
  setWindowTitle(t("MAIN_CAPTION"));
  if (tray_) tray_->setToolTip(t("KEYBOARD_TRAY_DESC").left(127));
  RelabelMenus();
  FillLanguagePicker();
  update();
}

void CQuorlinDlg::FillLanguagePicker() {
  if (!language_picker_) return;
  const QSignalBlocker block(language_picker_);
  language_picker_->clear();
  for (const text::LanguageEntry& entry : text::kLanguages)
    language_picker_->addItem(Text(entry.name_key));
  language_picker_->setCurrentIndex(LanguageIndex());
}

void CQuorlinDlg::OnLanguagePicked(int position) {
  const int index = ctx_.texts.Choose(position);
  OnLanguageChanged(text::kLanguageChangedTag, index);
}

// ---------------------------------------------------------------------------
// Requests, showing and hiding

void CQuorlinDlg::HandleRequest(const std::string& request) {
  if (request == platform::kRequestOpen) {
    OnOpen(ids::kTagOpen);
  } else if (request == platform::kRequestKill) {
    OnKill(ids::kTagKill);
  } else if (request == platform::kRequestReload) {
    Reload();
  }
  emit requestHandled(Q(request));
}

void CQuorlinDlg::OnInitNotice(uint32_t tag) {
  if (tag != ids::kTagInit) return;
  initialised_ = true;
  // Creation never shows the window, so there is nothing to hide here: a
  // keyboard present at start may already have shown it, and it stays.
  // Without a tray icon the window is the only way in: it shows at start.
  if (!tray_available_) ShowWindow();
}

void CQuorlinDlg::HideToTray() {
  // Without a tray a hidden window could not be reached again.
  if (tray_available_) hide();
}

void CQuorlinDlg::OnOpen(uint32_t tag) {
  if (tag != ids::kTagOpen) return;
  OnCommand(ids::kCmdOpen);
  CheckFirmwareVersion();
}

void CQuorlinDlg::OnKill(uint32_t tag) {
  if (tag != ids::kTagKill) return;
  Exit();
}

void CQuorlinDlg::ShowWindow() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

void CQuorlinDlg::paintEvent(QPaintEvent* event) {
  CBaseDialog::paintEvent(event);
  if (!testAttribute(Qt::WA_TranslucentBackground)) return;
  // Where the outline only limits input, the corners outside it are
  // cleared so the desktop shows through.
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Clear);
  painter.setClipRegion(QRegion(rect()).subtracted(outline()));
  painter.fillRect(rect(), Qt::transparent);
}

void CQuorlinDlg::Reload() {
  if (ctx_.link.last_presence_state.load() != 1) return;
  RunFlow([this](flows::MainFlows& f) {
    // A simulated keyboard's memory lives in the file quorlinctl changed.
    std::string error;
    ctx_.backend.ReloadState(error);
    ReloadAfterArrival(f);
  });
}

void CQuorlinDlg::ReloadAfterArrival(flows::MainFlows& flows) {
  flows.ReloadAfterArrival();
  // The profile button names the host copy now in use.
  flows.Store().BuildProfileMenu();
}

bool CQuorlinDlg::KeyboardNotPermitted() {
  device::HidDevice probe(ctx_.backend.Get());
  const device::FindResult found = device::FindKeyboard(probe, device::kVendorCollection, true);
  probe.Close();
  return found == device::FindResult::kNotPermitted;
}

// The version label would otherwise be an empty box: it names the firmware
// the keyboard reported, and nothing while no keyboard is there.
void CQuorlinDlg::ShowFirmwareVersion(std::optional<uint16_t> version) {
  CPngButton* label = Button(ids::kIdVersion);
  if (!label) return;
  label->setText(version ? Q(text::FormatWithText(ctx_.texts.Text("MAIN_FIRMWARE_VERSION"),
                                                  device::FirmwareVersionText(*version)))
                         : QString());
}

void CQuorlinDlg::CheckFirmwareVersion() {
  if (ctx_.link.last_presence_state.load() != 1) return;
  auto proposed = std::make_shared<bool>(false);
  auto version = std::make_shared<uint16_t>(0);
  jobs_->Run(
      [this, proposed, version] {
        device::DeviceInfo info;
        if (device::ReadDeviceInfo(ctx_.link.Channel(), info) != device::kOk) return 0;
        const uint16_t product = ctx_.link.CommandDevice().Attributes().product_id;
        *version = info.FirmwareVersion();
        *proposed = device::ProposesFirmwareUpdate(product, *version);
        return 1;
      },
      [this, proposed, version](int result) {
        if (result == 1) ShowFirmwareVersion(*version);
        if (!*proposed || closing_) return;
#ifdef _WIN32
        if (!prompts_->AskYesNo(this, kVersionTooLow)) return;
        QDesktopServices::openUrl(QUrl::fromLocalFile(
            QString::fromStdString((ctx_.paths.help_dir / kUpdaterFileName).string())));
#else
        // The keyboard maker's updater is a Windows program: say where it
        // lies and carry on.
        const std::string where = (ctx_.paths.help_dir / kUpdaterFileName).string();
        const QString text =
            QString(kVersionTooLow) + "\n\n" +
            Q(text::FormatWithText(ctx_.texts.Text("MAIN_UPDATER_WINDOWS_ONLY"), where));
        prompts_->Message(this, kVersionCaption, text);
#endif
      });
}

// ---------------------------------------------------------------------------
// Commands

CPngButton* CQuorlinDlg::Button(int id) const {
  auto it = buttons_.find(id);
  return it == buttons_.end() ? nullptr : it->second;
}

QWidget* CQuorlinDlg::Control(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

void CQuorlinDlg::OnCommand(int id) {
  switch (id) {
    case ids::kIdOk:
      OnOk();
      break;
    case ids::kIdCancel:
      OnCancel();
      break;
    case ids::kIdHelp:
      OpenHelp();
      break;
    case ids::kIdMinimise:
      showMinimized();
      break;
    case ids::kIdClose:
    case ids::kCmdExit:
      Exit();
      break;
    case ids::kIdMenu:
      ShowButtonMenu();
      break;
    case ids::kIdLink:
    case ids::kIdWebSite:
    case ids::kIdSocial1:
    case ids::kIdSocial2:
      OpenWebLink(id);
      break;
    case ids::kIdProfileManager:
    case ids::kIdProfilePopup:
      ShowProfileMenu(QCursor::pos());
      break;
    case ids::kIdMacro:
      if (views_.edit_macro_key) {
        views_.edit_macro_key();
      } else if (hooks_.open_key_editor) {
        KeyEditRequest request;
        request.key = 0x108;  // G9: the macro button opens the editor as G9 does
        request.macro_only = true;
        QWidget* b = Button(ids::kIdMacro);
        request.key_rect_global = QRect(b->mapToGlobal(QPoint(0, 0)), b->size());
        hooks_.open_key_editor(this, request);
      }
      break;
    case ids::kIdApply:
      RunFlow([](flows::MainFlows& f) { f.Apply(); });
      break;
    case ids::kIdProfile1:
    case ids::kIdProfile1 + 1:
    case ids::kIdProfile1 + 2:
      RunFlow([slot = id - ids::kIdProfile1](flows::MainFlows& f) { f.SelectProfileSlot(slot); });
      break;
    case ids::kIdRestoreDefaults:
      RunFlow([](flows::MainFlows& f) { f.RestoreDefaults(); });
      break;
    case ids::kCmdOpen:
      if (ctx_.link.last_presence_state.load() == 1) {
        ShowWindow();
      } else {
        // Without a tray the window is the only way in, so it shows anyway.
        if (!tray_available_) ShowWindow();
        // A keyboard this user may not open needs the udev rule, not a cable.
        if (KeyboardNotPermitted()) {
          prompts_->Message(
              this, QString(),
              Text("MAIN_NO_PERMISSION_PROMPT") + "\n\n" + Text("MAIN_NO_PERMISSION_COMMAND"));
        } else {
          prompts_->Message(this, QString(), Text("MAIN_NO_DEVICE_PROMPT"));
        }
      }
      break;
    case ids::kCmdAbout:
      OpenAbout();
      break;
    case ids::kCmdStartAtLogin:
      // A switch that did not take is said, not left for the next login
      // to show.
      if (!platform::SetStartAtLogin(!platform::StartAtLogin()))
        prompts_->Message(this, QString(),
                          Q(text::FormatWithText(ctx_.texts.Text("MAIN_START_AT_LOGIN_FAILED"),
                                                 platform::AutostartEntryPath().string())));
      RelabelMenus();
      break;
    case ids::kCmdRestoreFromFile:
      RunFlow([](flows::MainFlows& f) { f.RestoreFromFile(); });
      break;
    case ids::kCmdBackUpToFile:
      RunFlow([](flows::MainFlows& f) { f.BackUpToFile(); });
      break;
    case ids::kCmdFirmwareUpdate:
      if (hooks_.open_update_dialog) hooks_.open_update_dialog(this);
      break;
    default:
      if (id >= ids::kCmdFirstProfileItem && id <= ids::kCmdFirstProfileItem + 200) {
        const int profile = id - (ids::kCmdFirstProfileItem + 1);
        RunFlow([profile](flows::MainFlows& f) { f.Store().SwitchProfile(profile); });
      }
      break;
  }
}

void CQuorlinDlg::OnOk() {
  RunFlow([](flows::MainFlows& f) { f.Apply(); });
  OnCancel();
}

void CQuorlinDlg::OnCancel() {
  if (tray_available_) {
    HideToTray();
  } else {
    showMinimized();
  }
}

void CQuorlinDlg::reject() {
  OnCancel();
}
void CQuorlinDlg::accept() {
  OnOk();
}

void CQuorlinDlg::closeEvent(QCloseEvent* event) {
  // The window manager's close button hides like Cancel; only Exit ends.
  if (ended_) {
    event->accept();
    return;
  }
  event->ignore();
  OnCancel();
}

void CQuorlinDlg::OpenHelp() {
  const auto page = app::HelpPage(ctx_.paths.help_dir, ctx_.texts.CurrentId());
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(page.string())));
}

void CQuorlinDlg::OpenWebLink(int id) {
  std::optional<std::string> address;
  if (id == ids::kIdLink) {
    if (!link_address_.empty()) address = link_address_;
  } else {
    for (const WebButton& w : kWebButtons)
      if (w.id == id) address = skin().ScreenValue(w.address_key);
  }
  if (address) QDesktopServices::openUrl(QUrl(QString::fromStdString(*address)));
}

void CQuorlinDlg::ShowButtonMenu() {
  button_menu_.popup(QCursor::pos());
}

void CQuorlinDlg::ShowProfileMenu(const QPoint& global_pos) {
  if (hooks_.show_profile_menu) {
    hooks_.show_profile_menu(this, global_pos);
    return;
  }
  // The profile popup from the store's model, until the profile manager
  // brings its own.
  const profiles::ProfileMenu& model = flows_->Store().BuildProfileMenu();
  profile_menu_.clear();
  int position = 0;
  for (const profiles::ProfileMenuItem& item : model.items) {
    if (item.separator) {
      profile_menu_.addSeparator();
    } else {
      QAction* a = profile_menu_.addAction(Q(item.text));
      a->setCheckable(true);
      a->setChecked(position == model.checked_position);
      connect(a, &QAction::triggered, this, [this, id = item.id] { OnCommand(id); });
    }
    ++position;
  }
  profile_menu_.popup(global_pos);
}

void CQuorlinDlg::OpenAbout() {
  if (about_) {
    // One box: the open one comes forward.
    about_->show();
    about_->raise();
    about_->activateWindow();
    return;
  }
  const auto dir = ctx_.paths.program_dir;
  about_ = new CAboutDlg(
      [dir](std::string_view key, int index) { return text::LangText(dir, key, index); },
      link_address_, [this] { OpenHelp(); });
  about_->setWindowIcon(windowIcon());
  about_->OnLanguageChanged(text::kLanguageChangedTag, LanguageIndex());
  about_->show();
}

bool CQuorlinDlg::Exit() {
  if (ended_ || exiting_) return true;
  hide();
  // An open popup menu (the profile menu from the tray) runs its own loop,
  // which would keep the program from ending.
  for (int n = 0; n < 8 && QApplication::activePopupWidget() != nullptr; ++n)
    QApplication::activePopupWidget()->close();
  // The child windows first; one that refuses keeps the program running.
  if (about_) about_->close();
  if (hooks_.close_child_dialogs && !hooks_.close_child_dialogs()) return false;
  // A write in progress finishes before the program ends.
  exiting_ = true;
  closing_ = true;
  preview_timer_.stop();
  WaitForDeviceJobs();
  StopDeviceThreads();
  if (tray_) tray_->hide();
  ctx_.state.modified = false;
  ended_ = true;
  exiting_ = false;
  if (loop_) loop_->quit();
  return true;
}

// ---------------------------------------------------------------------------
// Timers and the busy indicator

bool CQuorlinDlg::TimerActive(int timer_id) const {
  switch (timer_id) {
    case ids::kTimerProgress:
      return progress_timer_.isActive();
    case ids::kTimerLightingReload:
      return lighting_reload_timer_.isActive();
    case ids::kTimerPreview:
      return preview_timer_.isActive();
    case ids::kTimerFullReload:
      return full_reload_timer_.isActive();
    default:
      return false;
  }
}

void CQuorlinDlg::OnTimer(int timer_id) {
  switch (timer_id) {
    case ids::kTimerProgress:
      progress_frame_ = (progress_frame_ + 1) % ids::kProgressFrames;
      ShowProgress(progress_frame_);
      ShowFrameCount();
      break;
    case ids::kTimerLightingReload:
      lighting_reload_timer_.stop();
      RunFlow([](flows::MainFlows& f) { f.LightingReload(); });
      break;
    case ids::kTimerFullReload:
      full_reload_timer_.stop();
      RunFlow([](flows::MainFlows& f) { f.ResetReload(); });
      break;
    case ids::kTimerPreview:
      // A restart the panel asked for is the step's to carry out.
      if (views_.preview_step && !closing_) views_.preview_step();
      break;
    default:
      break;
  }
}

void CQuorlinDlg::StartDeviceTimer(int timer_id) {
  if (closing_) return;
  if (timer_id == ids::kTimerLightingReload) lighting_reload_timer_.start(0);
  if (timer_id == ids::kTimerFullReload) full_reload_timer_.start(0);
}

void CQuorlinDlg::StartBusyIndicator() {
  if (busy_depth_++ > 0) return;
  progress_frame_ = 0;
  frames_at_start_ = frames_sent_.load();
  ShowProgress(0);
  progress_timer_.start();
  SetDataControlsEnabled(false);
}

void CQuorlinDlg::StopBusyIndicator() {
  if (busy_depth_ == 0 || --busy_depth_ > 0) return;
  progress_timer_.stop();
  ShowProgress(-1);
  frame_count_->hide();
  SetDataControlsEnabled(true);
}

int CQuorlinDlg::FramesOfThisWrite() const {
  return frames_sent_.load() - frames_at_start_;
}

void CQuorlinDlg::ShowFrameCount() {
  const int frames = FramesOfThisWrite();
  if (frames <= 0) return;
  frame_count_->setText(Q(text::FormatWithInt(ctx_.texts.Text("MAIN_FRAMES_SENT"), frames)));
  frame_count_->show();
}

void CQuorlinDlg::ShowProgress(int frame) {
  if (views_.show_progress) {
    progress_->hide();
    views_.show_progress(frame);
    return;
  }
  if (frame < 0) {
    progress_->hide();
    return;
  }
  if (const QPixmap* p = pictures_->Find(catalogue::ProgressFrame(frame + 1)))
    progress_->setPixmap(*p);
  progress_->show();
}

void CQuorlinDlg::SetDataControlsEnabled(bool enabled) {
  // A write takes the controls that are on and gives back just those: one
  // the skin left out, or a menu item turned off, stays off.
  if (!enabled) {
    paused_buttons_.clear();
    paused_actions_.clear();
    for (int id : {ids::kIdOk, ids::kIdProfileManager, ids::kIdMacro, ids::kIdRestoreDefaults,
                   ids::kIdProfile1, ids::kIdProfile1 + 1, ids::kIdProfile1 + 2}) {
      CPngButton* b = Button(id);
      if (!b || b->testAttribute(Qt::WA_Disabled)) continue;
      b->setEnabled(false);
      paused_buttons_.push_back(id);
    }
    for (int id : {ids::kCmdRestoreFromFile, ids::kCmdBackUpToFile}) {
      auto it = actions_.find(100000 + id);
      if (it == actions_.end() || !it->second->isEnabled()) continue;
      it->second->setEnabled(false);
      paused_actions_.push_back(id);
    }
  } else {
    for (int id : paused_buttons_)
      if (CPngButton* b = Button(id)) b->setEnabled(true);
    for (int id : paused_actions_)
      if (auto it = actions_.find(100000 + id); it != actions_.end()) it->second->setEnabled(true);
    paused_buttons_.clear();
    paused_actions_.clear();
  }
  // Apply follows the pending changes (ShowModified), where the skin has it.
  if (CPngButton* apply = Button(ids::kIdApply); apply && !unplaced_.contains(ids::kIdApply))
    apply->setEnabled(enabled && ctx_.state.modified);
  if (views_.set_busy) views_.set_busy(!enabled);
}

// ---------------------------------------------------------------------------
// Keyboard filtering

// (The system clock's change notice that wrote pending changes has no
// counterpart here: Apply runs only when asked.)
bool CQuorlinDlg::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() == this) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      // Enter and Escape never close the window.
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) return true;
      // The arrow keys would step through the modes, writing each to the keyboard.
      const bool arrow =
          key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
      if (arrow && views_.mode_list &&
          (widget == views_.mode_list || views_.mode_list->isAncestorOf(widget)))
        return true;
    }
  }
  return CBaseDialog::eventFilter(watched, event);
}

void CQuorlinDlg::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
    event->accept();
    return;
  }
  if (key == Qt::Key_F1) {
    OpenHelp();
    return;
  }
  CBaseDialog::keyPressEvent(event);
}

// ---------------------------------------------------------------------------
// Device threads

void CQuorlinDlg::StartDeviceThreads() {
  events_ = std::make_unique<device::EventReader>(ctx_.backend.Get(), *notifications_,
                                                  options_.event_rescan_ms);
  presence_ = std::make_unique<device::PresenceMonitor>(ctx_.link, *notifications_,
                                                        options_.presence_timing);
  events_->Start();
  presence_->Start();
}

void CQuorlinDlg::StopDeviceThreads() {
  if (!events_ && !presence_) return;
  closing_ = true;
  // Taken out first: the events processed below may call this again, and
  // two threads must never stop (and join) the same device thread.
  std::unique_ptr<device::PresenceMonitor> presence = std::move(presence_);
  std::unique_ptr<device::EventReader> events = std::move(events_);
  // A device thread may be waiting on this thread for a moment: keep the
  // events flowing while they end.
  std::atomic<bool> stopped{false};
  std::thread stopper([&presence, &events, &stopped] {
    if (presence) presence->Stop();
    if (events) events->Stop();
    stopped = true;
  });
  while (!stopped) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  stopper.join();
}

void CQuorlinDlg::WaitForDeviceJobs() {
  while (jobs_ && jobs_->Busy()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (jobs_->Busy()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace quorlin::ui
