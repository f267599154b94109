#pragma once
// A main window over the simulated keyboard, in process and offscreen, with
// its own settings, data folder and instance socket in a temporary folder.
// Prompts are answered by the test and recorded.

#include <QApplication>
#include <QElapsedTimer>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/keyboard_backend.h"
#include "app/quorlin_app.h"
#include "device/frame.h"
#include "device/keyboard_finder.h"
#include "platform/temp_folder.h"
#include "platform/user_folders.h"
#include "sim/sim_backend.h"
#include "ui/main/quorlin_dlg.h"
#include "ui/main/tray_icon_files.h"

namespace quorlin::ui::testing {

inline void EnsureApplication() {
  if (QApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "ui_main_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
}

// Runs events until `done` holds or `limit_ms` passed; true when it held.
template <typename Pred>
bool SpinUntil(Pred done, int limit_ms = 5000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > limit_ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

class FakePrompts final : public WindowPrompts {
 public:
  std::vector<QString> messages;
  std::deque<bool> answers;
  std::optional<std::filesystem::path> file;

  void Message(QWidget*, const QString& caption, const QString& text) override {
    messages.push_back(caption.isEmpty() ? text : caption + ": " + text);
  }
  bool AskYesNo(QWidget*, const QString& text) override {
    messages.push_back(text);
    if (answers.empty()) return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  std::optional<std::filesystem::path> OpenFile(QWidget*,
                                                const profiles::FileDialogRequest&) override {
    return file;
  }
  std::optional<std::filesystem::path> SaveFile(QWidget*,
                                                const profiles::FileDialogRequest&) override {
    return file;
  }
};

struct RigOptions {
  bool plugged = true;
  bool start_hidden = false;
  bool threaded = false;        // the real device worker instead of inline jobs
  bool device_threads = false;  // presence monitor and event reader
  uint16_t firmware = 0x0105;
  bool tray = true;
  // The simulated keyboard's memory kept in a state file, as with
  // --sim-state (the file quorlinctl shares).
  bool sim_state = false;
  std::chrono::milliseconds lock_wait{std::chrono::seconds(60)};
};

class WindowRig {
 public:
  explicit WindowRig(RigOptions o = {}) {
    EnsureApplication();
    platform::OverrideUserFolders(
        platform::UserFolders{folder.path() / "cfg", folder.path() / "data"});
    sim::VirtualKeyboardOptions kb;
    kb.firmware_version = o.firmware;
    keyboard = std::make_shared<sim::VirtualKeyboard>(kb);
    app::StartOptions start;
    if (o.sim_state) {
      state_file = folder.path() / "sim-state.bin";
      std::string error;
      keyboard->Save(state_file, &error);
      start.simulate = true;
      start.sim_state_file = state_file.string();
      backend = std::make_unique<app::KeyboardBackend>(keyboard, state_file);
    } else {
      backend = std::make_unique<app::KeyboardBackend>(keyboard);
    }
    if (!o.plugged) Sim().Unplug();
    link = std::make_unique<device::DeviceLink>(backend->Get());
    link->Channel().SetBatchPause(std::chrono::microseconds(0));
    link->first_arrival_handled = o.start_hidden ? 1 : 0;
    settings = std::make_unique<platform::IniSettingsStore>(folder.path() / "settings.ini");
    texts = std::make_unique<text::LanguageFiles>(QUORLIN_DATA_DIR, *settings,
                                                  [] { return uint32_t{0x0409}; });
    app::AppPaths paths = app::MakeAppPaths(QUORLIN_DATA_DIR, folder.path());
    paths.skin_dir = QUORLIN_SKIN_DIR;
    paths.main_skin = paths.skin_dir / "Main.ini";
    paths.help_dir = folder.path() / "Help";
    context = std::make_unique<app::AppContext>(
        app::AppContext{start, paths, *settings, *texts, *backend, *link, state, {}});

    MainWindowOptions w;
    w.prompts = &prompts;
    if (!o.threaded) w.jobs = std::make_unique<InlineDeviceJobs>();
    w.tray_available = o.tray;
    w.start_device_threads = o.device_threads;
    w.presence_timing = {0, 50, 50};
    w.event_rescan_ms = 50;
    w.lock_wait = o.lock_wait;
    window = std::make_unique<CQuorlinDlg>(*context, std::move(w));
    window->OnInitDialog();
    QCoreApplication::processEvents();
  }
  ~WindowRig() {
    window.reset();
    platform::OverrideUserFolders(std::nullopt);
  }

  sim::SimBackend& Sim() { return *backend->Sim(); }
  std::vector<uint8_t> Commands() const {
    std::vector<uint8_t> out;
    for (const auto& f : backend->Sim()->ReceivedFrames()) out.push_back(f[3]);
    return out;
  }
  bool Sent(uint8_t command) const {
    for (uint8_t c : Commands())
      if (c == command) return true;
    return false;
  }
  // Connects the link as the presence monitor would, without its thread.
  void Arrive() {
    window->Notifications().SetTrayIcon(device::TrayIcon::kConnected);
    link->last_presence_state = 1;
    device::ConnectKeyboard(*link);
    window->RunFlow(CQuorlinDlg::ReloadAfterArrival);
    // The icon follows from the event loop; with it the window's controls
    // that need the keyboard come on, as before a user's first click.
    SpinUntil([&] {
      return !window->Jobs().Busy() && window->TrayIconId() == tray_icons::kKeyboardPresent;
    });
  }

  TempFolder folder;
  std::filesystem::path state_file;  // with sim_state
  std::shared_ptr<sim::VirtualKeyboard> keyboard;
  std::unique_ptr<app::KeyboardBackend> backend;
  std::unique_ptr<device::DeviceLink> link;
  std::unique_ptr<platform::IniSettingsStore> settings;
  std::unique_ptr<text::LanguageFiles> texts;
  flows::ProgramState state;
  std::unique_ptr<app::AppContext> context;
  FakePrompts prompts;
  std::unique_ptr<CQuorlinDlg> window;
};

}  // namespace quorlin::ui::testing
