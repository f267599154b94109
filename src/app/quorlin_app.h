#pragma once
// The application object: start-up from the command line to a running main
// window and back. It owns the process-wide objects (paths, settings store,
// language files, the keyboard backend and link, the program state with its
// two data-store locks) and hands them to the main window, which runs until
// Exit. The window is built by the layer above through a factory, so this
// library stays below the windows.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app_paths.h"
#include "app/command_line.h"
#include "app/keyboard_backend.h"
#include "device/device_link.h"
#include "flows/program_state.h"
#include "platform/settings_store.h"
#include "text/language.h"

namespace quorlin::app {

class InstanceServer;

// What the main window gets from start-up.
struct AppContext {
  StartOptions options;
  AppPaths paths;
  platform::SettingsStore& settings;
  text::LanguageFiles& texts;
  KeyboardBackend& backend;
  device::DeviceLink& link;
  flows::ProgramState& state;
  // Set by the window: runs the requests of a second start or of quorlinctl.
  std::function<void(const std::string& request)> on_request;
};

// How start-up ends before any window: the exit status, or nothing when the
// program goes on as the first instance.
struct InstanceDecision {
  std::optional<int> exit_status;
  bool start_hidden = false;
};

// Examines the switches in order and asks a running instance: "/Kill" sends
// it KILL and ends (with 0, found or not); a running instance otherwise gets
// OPEN and this start ends with 0. `server` is the one this start would use;
// it is listening when the decision lets the start go on.
InstanceDecision DecideInstance(const StartOptions& options, InstanceServer& server);

// Removes the temporary files that saves cut short left in the folders this
// program writes (config, data, the simulated keyboard's file's folder).
void RemoveStaleSaves(const StartOptions& options);

// What start-up says when the language file of the current language cannot
// serve any text (its path and why); nothing when it can.
std::optional<std::string> LanguageFileNotice(const text::LanguageFiles& texts);

// Starts the companion program detached when it exists; never waits.
void StartCompanion(const std::filesystem::path& program);

class CQuorlinApp {
 public:
  // Builds and runs the main window; returns the exit status.
  using WindowRunner = std::function<int(AppContext& context)>;

  // The program's main: parses the arguments (before any display is
  // needed), then runs the start-up sequence.
  static int Main(int argc, char** argv, const WindowRunner& run_window);

  // The start-up sequence once the Qt application exists.
  int Run(const StartOptions& options, const WindowRunner& run_window);

  // Where the instance socket lives (tests point it elsewhere).
  std::filesystem::path socket_path;
};

}  // namespace quorlin::app
