#pragma once
// The dialogs of the profile manager and the firmware update as the main
// window hosts them: its flows over a simulated keyboard, a settings file, a
// flow view that answers as the test says, and device jobs run at once.

#include <QApplication>
#include <QWidget>
#include <memory>

#include "device/sim_link.h"
#include "flows/fake_flow_view.h"
#include "flows/main_flows.h"
#include "platform/settings_store.h"
#include "platform/temp_folder.h"
#include "ui/main/profile_dialog.h"
#include "ui/main/profile_dialog_host.h"
#include "ui/update/update_dialog.h"

namespace quorlin::ui::testing {

// Made once and never destroyed: Qt's own objects may be gone before static
// destructors run.
inline void EnsureApplication() {
  if (QApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "ui_dialogs_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

// Texts come back as their keys, so a test can tell which one was shown.
class KeyTexts : public text::TextSource {
 public:
  std::string Text(std::string_view key) const override { return std::string(key); }
  std::string LightText(std::string_view key) const override { return std::string(key); }
  std::string ModeName(int mode) const override { return std::to_string(mode); }
};

// The main window's view of the flows, asking its profile manager as the
// real window does.
class WindowFlowView : public flows::testing::FakeFlowView {
 public:
  using FakeFlowView::FakeFlowView;
  QWidget* window = nullptr;
  bool ProfileManagerHasChanges() const override { return ui::ProfileManagerHasChanges(window); }
  void ProfileManagerShowActive(int profile) override {
    ui::ProfileManagerShowActive(window, profile);
  }
};

class RecordingStarter : public ProgramStarter {
 public:
  bool Start(const std::filesystem::path& program) override {
    started.push_back(program);
    return succeeds;
  }
  bool succeeds = true;
  std::vector<std::filesystem::path> started;
};

struct Rig : ProfileDialogHost, UpdateDialogHost {
  explicit Rig(int active_profile = 1)
      : settings(folder.path() / "settings.ini"),
        view(state),
        flows(flows::FlowParts{sim.link, state, texts, view, folder.path() / "data",
                               QUORLIN_DATA_DIR}) {
    EnsureApplication();
    window = std::make_unique<QWidget>();
    view.window = window.get();
    sim.keyboard->SetActiveProfile(active_profile);
    if (!sim.Connect()) std::abort();
  }

  // The keyboard's contents taken in, as at its arrival.
  void Arrive() {
    flows.ReloadAfterArrival();
    sim.backend.ClearReceivedFrames();
    view.messages.clear();
  }

  std::vector<int> Commands() const {
    std::vector<int> out;
    for (const device::FrameHeader& h : sim.Headers()) out.push_back(h.command);
    return out;
  }
  std::optional<std::string> Saved(int number) const {
    return settings.ReadText(platform::kAppSettingsKeyPath, platform::kProfilesSection,
                             SavedListKey(number));
  }

  // ProfileDialogHost and UpdateDialogHost
  profiles::ProfileStore& Store() override { return flows.Store(); }
  profiles::FlowView& View() override { return view; }
  platform::SettingsStore& Settings() override { return settings; }
  const text::TextSource& Texts() override { return texts; }
  DeviceJobs& Jobs() override { return jobs; }
  std::filesystem::path SkinDir() const override { return QUORLIN_SKIN_DIR; }
  int& ProfileManagerOpenCount() override { return open_count; }
  void ActiveProfileChanged(int profile) override { shown_active.push_back(profile); }
  device::DeviceLink& Link() override { return sim.link; }
  profiles::WorkingStore& Working() override { return state.working; }
  std::filesystem::path PackageDir() const override { return folder.path() / "Package"; }
  ProgramStarter& Starter() override { return starter; }
  bool UpdaterCanRun() const override { return updater_can_run; }

  TempFolder folder;
  KeyTexts texts;
  device::testing::SimLink sim;
  platform::IniSettingsStore settings;
  flows::ProgramState state;
  WindowFlowView view;
  flows::MainFlows flows;
  InlineDeviceJobs jobs;
  RecordingStarter starter;
  bool updater_can_run = true;
  int open_count = 0;
  std::vector<int> shown_active;
  std::unique_ptr<QWidget> window;
};

}  // namespace quorlin::ui::testing
