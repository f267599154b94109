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
#include "ui/main/main_window_parts.h"
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
using main_window_parts::kWebButtons;
using main_window_parts::Q;
using main_window_parts::WebButton;

namespace {

std::vector<std::string> ProgressFiles() {
  std::vector<std::string> files;
  for (int n = 1; n <= catalogue::kProgressFrameCount; ++n)
    files.push_back(catalogue::ProgressFrame(n));
  return files;
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
  // Runs only while a RELOAD waits for an editor to close.
  reload_wait_timer_.setInterval(100);
  connect(&reload_wait_timer_, &QTimer::timeout, this, [this] {
    if (EditorOpen() && !closing_) return;
    reload_wait_timer_.stop();
    Reload();
  });
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
  ApplySkinStyle(this, SkinStyleSheet(skinDir()));
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
  QImage picture;
  for (std::size_t i = 0; i < files.size(); ++i) {
    pieces_.Load(skinDir() / files[i], picture);
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

CPngButton* CQuorlinDlg::Button(int id) const {
  auto it = buttons_.find(id);
  return it == buttons_.end() ? nullptr : it->second;
}

QWidget* CQuorlinDlg::Control(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

}  // namespace quorlin::ui
