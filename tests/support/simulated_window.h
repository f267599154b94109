#pragma once
// The main window on a simulated keyboard with a settings file of its own:
// what the programs that measure or picture the window build before they start.

#include <cstdint>
#include <filesystem>
#include <memory>

#include "app/keyboard_backend.h"
#include "app/quorlin_app.h"
#include "platform/settings_store.h"
#include "platform/user_folders.h"
#include "text/language.h"
#include "ui/main/quorlin_dlg.h"

namespace quorlin::testing {

struct SimulatedWindow {
  // `started_hidden`: as at login, the keyboard's arrival does not show the window.
  SimulatedWindow(const std::filesystem::path& scratch, bool started_hidden)
      : settings(scratch / "settings.ini") {
    if (started_hidden) link.first_arrival_handled = 1;
    ui::MainWindowOptions options;
    options.tray_available = true;
    window = std::make_unique<ui::CQuorlinDlg>(ctx, std::move(options));
  }

  std::shared_ptr<sim::VirtualKeyboard> keyboard = std::make_shared<sim::VirtualKeyboard>();
  app::KeyboardBackend backend{keyboard};
  device::DeviceLink link{backend.Get()};
  platform::IniSettingsStore settings;
  std::filesystem::path data_dir = platform::ProgramDataDir();
  text::LanguageFiles texts{data_dir, settings, [] { return uint32_t{0x0409}; }};
  flows::ProgramState state;
  app::AppContext ctx{
      {}, app::MakeAppPaths(data_dir, data_dir), settings, texts, backend, link, state, {}};
  std::unique_ptr<ui::CQuorlinDlg> window;
};

}  // namespace quorlin::testing
