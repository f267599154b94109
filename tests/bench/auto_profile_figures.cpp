// Figures of the automatic profile switch. Prints and asserts nothing.
// - frames the simulated keyboard receives per focus change, through the
//   profile buttons' own switch (0 expected when the profile is unchanged);
// - latency from a focus change whose debounce ran out to the switch
//   written (the debounce itself left out);
// - wake-ups per second of the X11 focus source while focus stays (needs
//   a display with a window manager, e.g. under xvfb-run with openbox).
// Usage: bench_auto_profile [seconds idle] (default 10)

#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "device/commands.h"
#include "device/frame.h"
#include "device/keyboard_finder.h"
#include "flows/auto_profile_switcher.h"
#include "flows/main_flows.h"
#include "sim/sim_backend.h"
#include "sim/virtual_keyboard.h"
#include "text/language.h"
#include "ui/autoprofile/x11_focus_source.h"

namespace {

using namespace quorlin;
using Clock = std::chrono::steady_clock;

class NullView final : public flows::FlowView {
 public:
  using FlowView::FlowView;
  void ShowMessage(std::string_view) override {}
  bool AskYesNo(std::string_view) override { return false; }
  void RefreshKeyView(int, std::span<const profiles::KeyButtonState>) override {}
  bool KeyEditorOpen() const override { return false; }
  bool MacroRecordingRunning() const override { return false; }
  void StopMacroRecording() override {}
  void TriggerApply() override {}
  void SetBusy(bool) override {}
  std::optional<std::filesystem::path> ChooseFileToOpen(
      const profiles::FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> ChooseFileToSave(
      const profiles::FileDialogRequest&) override {
    return std::nullopt;
  }
  void SetProfileButton(std::string_view, std::string_view) override {}
  bool ProfileManagerHasChanges() const override { return false; }
  void ProfileManagerShowActive(int) override {}
  void ShowModified(bool) override {}
  void RefreshLightingPanel(const lighting::PanelView&) override {}
  void ShowProfileButtons(int) override {}
};

struct Host final : flows::AutoProfileHost {
  explicit Host(flows::MainFlows& f, device::DeviceLink& l) : flows(f), link(l) {}
  bool SwitchMustWait() const override { return false; }
  std::optional<int> ActiveProfile() const override {
    const int p = link.CachedActiveProfile();
    return p < 0 ? std::nullopt : std::optional<int>(p);
  }
  void SwitchProfile(int profile) override { flows.SelectProfileSlot(profile); }
  flows::MainFlows& flows;
  device::DeviceLink& link;
};

void SwitchFigures() {
  const auto folder = std::filesystem::temp_directory_path() / "quorlin-bench-auto-profile";
  std::filesystem::remove_all(folder);
  auto keyboard = std::make_shared<sim::VirtualKeyboard>();
  sim::SimBackend backend(keyboard);
  device::DeviceLink link(backend);
  flows::ProgramState state;
  NullView view(state);
  platform::IniSettingsStore settings(folder / "settings.ini");
  text::LanguageFiles texts(QUORLIN_DATA_DIR, settings, [] { return uint32_t{0x0409}; });
  flows::MainFlows flows(
      flows::FlowParts{link, state, texts, view, folder / "data", QUORLIN_DATA_DIR});
  // As the keyboard answers over USB: one report per millisecond.
  backend.SetReportInterval(std::chrono::milliseconds(1));
  keyboard->SetActiveProfile(0);
  if (device::ConnectKeyboard(link) != device::FindResult::kFound) {
    std::printf("no simulated keyboard\n");
    return;
  }
  flows.ReloadAfterArrival();
  Host host(flows, link);
  flows::AutoProfileSwitcher switcher;
  flows::AutoProfileSettings rules;
  flows::SetRule(rules, "game", 1);
  flows::SetRule(rules, "editor", 2);
  Clock::time_point t{};
  switcher.SetSettings(rules, t);

  // When the frame that makes the profile active left: the moment the
  // keyboard switched, before the flow's remaining reads end.
  Clock::time_point written{};
  link.Channel().SetTraceSink([&written](char direction, std::span<const uint8_t> report) {
    if (direction == '>' && report.size() > device::frame_field::kCommand &&
        report[device::frame_field::kCommand] == device::cmd::kWriteDeviceInfo)
      written = Clock::now();
  });
  std::vector<double> latency_ms;
  std::vector<double> written_ms;
  std::vector<std::size_t> changed_frames;
  std::vector<std::size_t> unchanged_frames;
  const char* apps[] = {"game", "game", "editor", "editor", "game"};
  for (int round = 0; round < 20; ++round) {
    for (const char* app : apps) {
      const bool changes = link.CachedActiveProfile() != (std::string(app) == "game" ? 1 : 2);
      backend.ClearReceivedFrames();
      switcher.FocusChanged(flows::FocusedWindow{app, {}, {}, false, false}, t);
      t += flows::kAutoProfileDebounce;
      const auto start = Clock::now();
      written = {};
      switcher.Run(t, host);
      const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      const std::size_t frames = backend.ReceivedFrames().size();
      if (changes) {
        latency_ms.push_back(ms);
        written_ms.push_back(std::chrono::duration<double, std::milli>(written - start).count());
        changed_frames.push_back(frames);
      } else {
        unchanged_frames.push_back(frames);
      }
      t += std::chrono::seconds(1);
    }
  }
  std::sort(latency_ms.begin(), latency_ms.end());
  std::sort(written_ms.begin(), written_ms.end());
  const auto max_of = [](const std::vector<std::size_t>& v) {
    return v.empty() ? std::size_t{0} : *std::max_element(v.begin(), v.end());
  };
  const auto min_of = [](const std::vector<std::size_t>& v) {
    return v.empty() ? std::size_t{0} : *std::min_element(v.begin(), v.end());
  };
  std::printf("focus changes that switch the profile: %zu\n", changed_frames.size());
  std::printf("  frames per switch: %zu..%zu (the profile button's own switch)\n",
              min_of(changed_frames), max_of(changed_frames));
  std::printf(
      "  latency focus change -> active profile written, debounce excluded: median "
      "%.2f ms, max %.2f ms\n",
      written_ms[written_ms.size() / 2], written_ms.back());
  std::printf(
      "  latency focus change -> whole switch flow done (lighting reread too): median "
      "%.2f ms, max %.2f ms\n",
      latency_ms[latency_ms.size() / 2], latency_ms.back());
  std::printf("focus changes with the profile already active: %zu, frames: max %zu\n",
              unchanged_frames.size(), max_of(unchanged_frames));
  std::filesystem::remove_all(folder);
}

void IdleWakeUps(int seconds) {
  if (qEnvironmentVariableIsEmpty("DISPLAY")) {
    std::printf("X11 wake-ups while focus stays: no display (run under xvfb-run with openbox)\n");
    return;
  }
  ui::X11FocusSource source;
  if (!source.Available()) {
    std::printf("X11 wake-ups while focus stays: the window manager keeps no active window\n");
    return;
  }
  std::printf("applications with windows now:");
  for (const ui::RunningApp& app : source.RunningApplications())
    std::printf(" %s%s", app.name.c_str(), app.icon.isNull() ? "" : " (icon)");
  std::printf("\n");
  long changes = 0;
  source.SetListener([&changes](const flows::FocusedWindow&) { ++changes; });
  QTimer::singleShot(seconds * 1000, qApp, &QCoreApplication::quit);
  QCoreApplication::exec();
  std::printf("X11 wake-ups while focus stays: %.2f per second (%ld in %d s, %ld focus changes)\n",
              static_cast<double>(source.WakeUps()) / seconds, source.WakeUps(), seconds, changes);
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  // Icons need a GUI application; without a display, an offscreen one.
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  SwitchFigures();
  IdleWakeUps(seconds);
  return 0;
}
