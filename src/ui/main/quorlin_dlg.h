#pragma once
// The main window: a skinned dialog that lives hidden behind its tray icon
// until the keyboard arrives or the user opens it. It lays its buttons out
// from the main skin, runs the flows of src/flows on the device worker and
// redraws from what they report, follows the device threads through
// DeviceNotifications and answers the requests of a second start and of
// quorlinctl (OPEN, KILL, RELOAD).

#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

#include "app/quorlin_app.h"
#include "device/event_reader.h"
#include "device/presence_monitor.h"
#include "flows/flow_locks.h"
#include "flows/flow_view.h"
#include "flows/main_flows.h"
#include "ui/main/about_dlg.h"
#include "ui/main/button_cutouts.h"
#include "ui/main/device_jobs.h"
#include "ui/main/main_window_hooks.h"
#include "ui/main/window_prompts.h"
#include "ui/skin/base_dialog.h"
#include "ui/skin/png_button.h"
#include "ui/skin/prepared_surfaces.h"

namespace quorlin::ui {

class WindowDeviceNotifications;

// The keyboard view, the lighting panel and the preview plug in here: the
// window calls these and knows nothing else of them.
struct EmbeddedViews {
  // The key buttons' assignment marks and tooltips for a profile.
  std::function<void(int profile, std::span<const profiles::KeyButtonState> buttons)> show_keys;
  // Everything the lighting panel and the key colours show.
  std::function<void(const lighting::PanelView& panel)> show_panel;
  // One preview step on the keyboard picture (timer 1052). The views start
  // and stop the window's PreviewTimer() themselves: they know when the
  // keyboard picture shows the lighting view.
  std::function<void()> preview_step;
  // Re-label with the texts of a Language index.
  std::function<void(int language_index)> relabel;
  // Controls that would change the data are disabled while a write runs.
  std::function<void(bool busy)> set_busy;
  // The busy picture: frame 0..9, or hidden for -1 (the window's own
  // picture when unset).
  std::function<void(int frame)> show_progress;
  // The macro button opens the editor as G9 does.
  std::function<void()> edit_macro_key;
  // The lighting panel's mode list: arrow keys never leave it.
  QPointer<QWidget> mode_list;
};

struct MainWindowOptions {
  WindowPrompts* prompts = nullptr;    // Qt's dialogs when null
  std::unique_ptr<DeviceJobs> jobs;    // the device worker when null
  std::optional<bool> tray_available;  // what the desktop says when empty
  bool start_device_threads = true;
  device::PresenceTiming presence_timing{10, 60000, 60000};
  // Arrival wakes the event reader; this long fallback only covers a missed
  // notice, as for the presence monitor.
  int event_rescan_ms = 60000;
  // How long a device job of the threaded worker waits for the keyboard and
  // data folder locks another program (quorlinctl) holds.
  std::chrono::milliseconds lock_wait{std::chrono::seconds(60)};
};

class CQuorlinDlg : public CBaseDialog, public flows::FlowView {
  Q_OBJECT

 public:
  CQuorlinDlg(app::AppContext& context, MainWindowOptions options = {});
  ~CQuorlinDlg() override;

  // The creation steps; the window stays hidden.
  void OnInitDialog() override;
  // Creation, then the event loop until Exit; returns the exit status.
  int RunUntilExit();

  // Requests from another process (the instance channel).
  void HandleRequest(const std::string& request);
  // The private requests; each ignores a tag that is not its own.
  void OnInitNotice(uint32_t tag);
  void OnOpen(uint32_t tag);
  void OnKill(uint32_t tag);
  void OnLanguageChanged(uint32_t tag, int language_index);
  void OnTimer(int timer_id);
  // The one-shot timers the keyboard's events start (1051, 1053).
  void StartDeviceTimer(int timer_id);

  // A button or menu command by its number.
  void OnCommand(int id);
  // Hides, asks the child dialogs, waits for a running write, then ends the
  // event loop. False when a child dialog refused.
  bool Exit();

  MainWindowHooks& Hooks() { return hooks_; }
  EmbeddedViews& Views() { return views_; }
  DeviceJobs& Jobs() { return *jobs_; }
  flows::MainFlows& Flows() { return *flows_; }
  app::AppContext& Context() { return ctx_; }
  device::DeviceNotifications& Notifications();

  // What tests look at.
  bool Initialised() const { return initialised_; }
  bool Ended() const { return ended_; }
  int TrayIconId() const { return tray_icon_id_; }
  bool TrayShown() const;
  CPngButton* Button(int id) const;
  QWidget* Control(int id) const;
  QMenu* TrayMenu() { return &tray_menu_; }
  QMenu* ButtonMenu() { return &button_menu_; }
  bool TimerActive(int timer_id) const;
  // Timer 1052, for the embedded preview to start and stop.
  QTimer& PreviewTimer() { return preview_timer_; }
  CAboutDlg* AboutBox() const { return about_; }
  int ProgressFrame() const { return progress_frame_; }
  // Frames the write in progress (or the last one) has sent.
  int FramesOfThisWrite() const;
  // Relabels the menus as before showing them.
  void RelabelMenus();
  // A second line of the tray icon's tip (the automatic profile's choice).
  void SetTrayTipLine(const QString& line);
  QString TrayTip() const { return tray_ ? tray_->toolTip() : QString(); }
  void OpenAbout();

  // FlowView (the flows call these from the device worker; each is carried
  // over to the window's thread).
  void ShowMessage(std::string_view text) override;
  bool AskYesNo(std::string_view text) override;
  void RefreshKeyView(int profile, std::span<const profiles::KeyButtonState> buttons) override;
  bool KeyEditorOpen() const override;
  bool MacroRecordingRunning() const override;
  void StopMacroRecording() override;
  void TriggerApply() override;
  void SetBusy(bool busy) override;
  std::optional<std::filesystem::path> ChooseFileToOpen(
      const profiles::FileDialogRequest& r) override;
  std::optional<std::filesystem::path> ChooseFileToSave(
      const profiles::FileDialogRequest& r) override;
  void SetProfileButton(std::string_view text, std::string_view tooltip) override;
  bool ProfileManagerHasChanges() const override;
  void ProfileManagerShowActive(int profile) override;
  void ShowModified(bool modified) override;
  void RefreshLightingPanel(const lighting::PanelView& panel) override;
  void ShowProfileButtons(int profile) override;
  void ShowFileDone(FileDone done, const std::filesystem::path& file) override;
  // Opens the help page of the current language; when no program can show
  // it, says where the page lies (over `parent`, the window when null).
  void OpenHelp(QWidget* parent = nullptr);

  // The device threads' side (DeviceNotifications), on the window's thread.
  void OnKeyboardRemoved();
  // Hides the window when the tray can bring it back.
  void HideToTray();
  void OnTrayIcon(int icon_id);
  void ShowTextKey(std::string_view text_key);

  // Device flows as the buttons run them: on the worker, with the busy
  // indicator and the data controls disabled meanwhile.
  void RunFlow(std::function<void(flows::MainFlows&)> flow);
  // On the device worker, around each job: runs `work` holding the per-user
  // locks quorlinctl takes too, so the two never write over each other's
  // changes, with the simulated keyboard's file read before and saved after
  // as needed. When the locks cannot be had within the options' wait the
  // user is told and the job does not run (0).
  int RunHoldingFlowLocks(const std::function<int()>& work);
  // On the worker, around a question a job asks: no lock is held while
  // the program waits for the user, so quorlinctl is never kept waiting on
  // an open question. Returns what `ask` returns.
  template <typename F>
  auto AskWithoutFlowLocks(F ask) -> decltype(ask()) {
    if (!ReleaseJobLocksWhileAsking()) return ask();
    struct Retake {
      CQuorlinDlg* window;
      ~Retake() { window->RetakeJobLocks(); }
    } retake{this};
    return ask();
  }

  // The keyboard's data into the program, as on its arrival.
  static void ReloadAfterArrival(flows::MainFlows& flows);
  // Waits (running events) until no device job is pending.
  void WaitForDeviceJobs();
  bool Closing() const { return closing_; }

  // Runs `fn` on the window's thread and returns its result; at once when
  // already there. Another thread waits for it (the window never waits for
  // that thread, so the two cannot block each other).
  template <typename F>
  auto OnWindowThread(F fn) const -> decltype(fn()) {
    if (QThread::currentThread() == thread()) return fn();
    using R = decltype(fn());
    auto* self = const_cast<CQuorlinDlg*>(this);
    if constexpr (std::is_void_v<R>) {
      QMetaObject::invokeMethod(self, std::move(fn), Qt::BlockingQueuedConnection);
    } else {
      R result{};
      QMetaObject::invokeMethod(
          self, [&result, &fn] { result = fn(); }, Qt::BlockingQueuedConnection);
      return result;
    }
  }

 signals:
  void requestHandled(const QString& request);
  // Every window relabels itself with the texts of this Language index.
  void languageChanged(int language_index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;
  void accept() override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // Creation steps.
  void PlaceWindowButtons();
  void PlaceOtherControls();
  void CreateTray();
  void BuildMenus();
  void ApplyFlip();
  // Texts of every control in the language of `index`.
  void Relabel(int index);
  void FillLanguagePicker();
  void OnLanguagePicked(int position);

  void ShowWindow();
  // Exit's steps: every dialog on screen answered No or Cancel, then the
  // end once no device job runs and no question's loop is left below.
  void AnswerOpenQuestions();
  void TakeFlowLocks(std::optional<flows::FlowLocks>& locks);
  bool ReleaseJobLocksWhileAsking();
  void RetakeJobLocks();
  bool InsideNestedLoop() const;
  void FinishExitWhenIdle();
  void FinishExit();
  void OnCancel();
  void OnOk();
  void OpenWebLink(int id);
  void ShowButtonMenu();
  void ShowProfileMenu(const QPoint& global_pos);
  void OnTrayActivated(QSystemTrayIcon::ActivationReason reason);
  // The tray tip, which says so while no keyboard is connected.
  QString TrayToolTip() const;
  // While no keyboard is connected the window says so where the firmware
  // version stands, and the controls that talk to the keyboard are off.
  void ShowKeyboardPresence(bool present);
  void ApplyKeyboardPresence();
  void CheckFirmwareVersion();
  void ShowFirmwareVersion(std::optional<uint16_t> version);
  bool KeyboardNotPermitted();
  void StartDeviceThreads();
  void StopDeviceThreads();
  void StartBusyIndicator();
  void StopBusyIndicator();
  void ShowProgress(int frame);
  void ShowFrameCount();
  void SetDataControlsEnabled(bool enabled);
  // RELOAD from quorlinctl: reads the keyboard again, once however many
  // arrive meanwhile, after the open editor closes.
  void Reload();
  bool EditorOpen() const;
  QString Text(std::string_view key) const;
  int LanguageIndex() const;

  CPngButton* AddButton(int id, const std::string& key, const ButtonSurfaces& surfaces);
  const QPixmap* CutOut(const QRect& rect, const QImage& from);

  app::AppContext& ctx_;
  MainWindowOptions options_;
  DialogPrompts dialog_prompts_;
  WindowPrompts* prompts_;
  std::unique_ptr<DeviceJobs> jobs_;
  std::unique_ptr<flows::MainFlows> flows_;
  std::unique_ptr<WindowDeviceNotifications> notifications_;
  std::unique_ptr<device::PresenceMonitor> presence_;
  std::unique_ptr<device::EventReader> events_;
  MainWindowHooks hooks_;
  EmbeddedViews views_;

  // Each window button's own pieces of the state pictures (a deque keeps
  // the pointers the buttons hold valid); the big pictures while placing.
  WindowPieces pieces_;  // each button's pieces of the state pictures
  std::map<int, ButtonSurfaces> surfaces_of_;
  const PreparedSurfaces* pictures_ = nullptr;
  std::map<int, CPngButton*> buttons_;
  std::set<int> unplaced_;  // buttons the skin leaves out: never enabled
  // What SetDataControlsEnabled(false) turned off, to turn back on.
  std::vector<int> paused_buttons_;
  std::vector<int> paused_actions_;
  std::map<int, QWidget*> controls_;
  QComboBox* language_picker_ = nullptr;
  QLabel* progress_ = nullptr;
  QLabel* views_placeholder_ = nullptr;

  QSystemTrayIcon* tray_ = nullptr;
  bool tray_available_ = false;
  QMenu tray_menu_;
  QMenu button_menu_;
  QMenu profile_menu_;
  std::map<int, QAction*> actions_;
  int tray_icon_id_ = 0;
  // A single click's profile menu waits for the double-click interval, so
  // a double click (which opens the window) is not swallowed by the menu.
  QTimer tray_click_timer_;
  QPoint tray_click_pos_;
  bool keyboard_absent_ = false;
  std::vector<int> absent_buttons_;  // what ApplyKeyboardPresence turned off
  QLabel* status_line_ = nullptr;    // back-up and restore confirmations
  QTimer status_timer_;
  QString tray_tip_line_;
  std::map<int, QIcon> tray_icons_;

  QTimer progress_timer_;
  QTimer lighting_reload_timer_;
  QTimer preview_timer_;
  QTimer full_reload_timer_;
  // Looks again whether the editor that holds a RELOAD back has closed.
  QTimer reload_wait_timer_;
  std::atomic<bool> reload_queued_{false};
  int progress_frame_ = 0;
  QLabel* frame_count_ = nullptr;
  std::atomic<int> frames_sent_{0};
  int frames_at_start_ = 0;
  int busy_depth_ = 0;

  QPointer<CAboutDlg> about_;
  // The locks of the device job now running, and its thread (worker only).
  std::optional<flows::FlowLocks>* job_locks_ = nullptr;
  std::thread::id job_thread_;
  QEventLoop* loop_ = nullptr;
  bool initialised_ = false;
  bool ended_ = false;
  // Exit waits with the event loop running, where a second request to end
  // (another SIGTERM, KILL) can arrive: that one leaves the first to finish.
  bool exiting_ = false;
  bool created_ = false;
  std::atomic<bool> closing_{false};
  std::string link_address_;
};

}  // namespace quorlin::ui
