#pragma once
// The whole program as `quorlin --simulate --sim-state FILE` builds it, in
// process: the main window with its dialogs wired, the real device worker
// and device threads, Qt's own message boxes and file choosers, and the
// instance channel listening on a socket of its own. Everything it writes
// lands in one scratch folder.

#include <QApplication>
#include <filesystem>
#include <memory>
#include <string>

#include "app/app_paths.h"
#include "app/instance_server.h"
#include "app/keyboard_backend.h"
#include "app/quorlin_app.h"
#include "platform/settings_store.h"
#include "platform/user_folders.h"
#include "program/dialog_wiring.h"
#include "sim/virtual_keyboard.h"
#include "text/language.h"
#include "ui/autoprofile/focus_source.h"
#include "ui/main/quorlin_dlg.h"

namespace quorlin::exerciser {

struct World {
  explicit World(const std::filesystem::path& scratch)
      : folder(scratch), state_file(scratch / "sim-state.bin"), socket(scratch / "instance.sock") {
    std::filesystem::create_directories(folder);
    platform::OverrideUserFolders(platform::UserFolders{folder / "cfg", folder / "data"});
    // A state file that already exists is the previous round's keyboard.
    std::string error;
    if (!std::filesystem::exists(state_file) || !keyboard->Load(state_file, &error))
      keyboard->Save(state_file, &error);
    backend = std::make_unique<app::KeyboardBackend>(keyboard, state_file);
    link = std::make_unique<device::DeviceLink>(backend->Get());
    settings = std::make_unique<platform::IniSettingsStore>(folder / "settings.ini");
    texts = std::make_unique<text::LanguageFiles>(QUORLIN_DATA_DIR, *settings,
                                                  [] { return uint32_t{0x0409}; });
    app::AppPaths paths = app::MakeAppPaths(QUORLIN_DATA_DIR, folder);
    paths.skin_dir = QUORLIN_SKIN_DIR;
    paths.main_skin = paths.skin_dir / "Main.ini";
    paths.help_dir = folder / "Help";
    app::StartOptions start;
    start.simulate = true;
    start.sim_state_file = state_file.string();
    context = std::make_unique<app::AppContext>(
        app::AppContext{start, paths, *settings, *texts, *backend, *link, state, {}});

    ui::MainWindowOptions w;
    w.tray_available = true;
    w.presence_timing = {0, 200, 200};
    w.event_rescan_ms = 200;
    w.lock_wait = std::chrono::seconds(2);
    window = std::make_unique<ui::CQuorlinDlg>(*context, std::move(w));
    wiring = std::make_unique<app::DialogWiring>(*window);
    app::WireDialogs(*window, *wiring);
    auto_profiles =
        std::make_unique<app::AutoProfileWiring>(*window, *wiring, ui::MakeFocusSource());
    app::WireAutoProfiles(*window, *auto_profiles);
    server = std::make_unique<app::InstanceServer>(socket, [this](const std::string& request) {
      if (context->on_request) context->on_request(request);
    });
    server->Listen();
  }
  ~World() {
    server.reset();
    // No focus change may reach a window that is going.
    auto_profiles.reset();
    // The window's dialogs hold the wiring as their host: they go first.
    window.reset();
    wiring.reset();
    platform::OverrideUserFolders(std::nullopt);
  }
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  std::filesystem::path folder;
  std::filesystem::path state_file;
  std::filesystem::path socket;
  std::shared_ptr<sim::VirtualKeyboard> keyboard = std::make_shared<sim::VirtualKeyboard>();
  std::unique_ptr<app::KeyboardBackend> backend;
  std::unique_ptr<device::DeviceLink> link;
  std::unique_ptr<platform::IniSettingsStore> settings;
  std::unique_ptr<text::LanguageFiles> texts;
  flows::ProgramState state;
  std::unique_ptr<app::AppContext> context;
  std::unique_ptr<ui::CQuorlinDlg> window;
  std::unique_ptr<app::DialogWiring> wiring;
  std::unique_ptr<app::AutoProfileWiring> auto_profiles;
  std::unique_ptr<app::InstanceServer> server;
};

}  // namespace quorlin::exerciser
