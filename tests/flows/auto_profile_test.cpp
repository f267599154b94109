#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "device/commands.h"
#include "device/keyboard_finder.h"
#include "fake_flow_view.h"
#include "flows/auto_profile_rules.h"
#include "flows/auto_profile_switcher.h"
#include "flows/main_flows.h"
#include "platform/ini_file.h"
#include "platform/temp_folder.h"
#include "sim/sim_backend.h"
#include "sim/virtual_keyboard.h"

namespace quorlin::flows {
namespace {

using namespace std::chrono_literals;
using Clock = AutoProfileSwitcher::Clock;

FocusedWindow Exe(std::string exe, std::string instance = {}, std::string klass = {}) {
  return FocusedWindow{std::move(exe), std::move(instance), std::move(klass), false, false};
}

TEST(AutoProfileRules, MatchesByExecutableOrByClassForSharedRunners) {
  struct Case {
    std::string rule;
    FocusedWindow window;
    bool matches;
  };
  const Case cases[] = {
      {"firefox", Exe("firefox", "Navigator", "firefox"), true},
      {"FireFox", Exe("firefox"), true},
      {"Navigator", Exe("firefox", "Navigator", "firefox"), false},  // the executable counts
      {"game", Exe("Game.EXE"), true},
      {"game.exe", Exe("game"), true},
      {"minecraft", Exe("java", "Minecraft 1.20", "minecraft"), true},
      {"java", Exe("java", "Minecraft 1.20", "minecraft"), true},
      {"eldenring.exe", Exe("wine64-preloader", "eldenring.exe", "steam_app_1245620"), true},
      {"steam_app_1245620", Exe("wine64-preloader", "eldenring.exe", "steam_app_1245620"), true},
      {"mytool", Exe("python3.11", "mytool", "Mytool"), true},
      {"xcalc", Exe("", "xcalc", "XCalc"), true},  // the process could not be read
      {"xcalc", Exe("xlogo", "xlogo", "XLogo"), false},
      {"", Exe("", "", ""), false},
      {"quorlin", FocusedWindow{"quorlin", "quorlin", "quorlin", true, false}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RuleMatches(c.rule, c.window), c.matches)
        << c.rule << " / " << c.window.executable << " " << c.window.window_instance;
  }
  EXPECT_EQ(AppNameOf(Exe("firefox", "Navigator", "firefox")), "firefox");
  EXPECT_EQ(AppNameOf(Exe("wine64-preloader", "steam_app_1", "eldenring.exe")), "eldenring.exe");
  EXPECT_EQ(AppNameOf(Exe("java", "sun-awt-X11-XFramePeer", "Minecraft")), "Minecraft");
  EXPECT_EQ(AppNameOf(Exe("", "xcalc", "XCalc")), "XCalc");
}

TEST(AutoProfileRules, FirstRuleWinsThenTheFallback) {
  AutoProfileSettings s;
  EXPECT_TRUE(SetRule(s, "firefox", 1));
  EXPECT_TRUE(SetRule(s, "java", 2));
  EXPECT_FALSE(SetRule(s, "FIREFOX", 0)) << "the same application changes its rule";
  ASSERT_EQ(s.rules.size(), 2u);
  EXPECT_EQ(ChooseProfile(s, Exe("firefox")).profile, 0);
  EXPECT_EQ(ChooseProfile(s, Exe("firefox")).rule, "firefox");
  EXPECT_FALSE(ChooseProfile(s, Exe("xterm")).profile) << "no fallback: the profile stays";
  s.fallback = 2;
  EXPECT_EQ(ChooseProfile(s, Exe("xterm")).profile, 2);
  EXPECT_EQ(ChooseProfile(s, Exe("xterm")).rule, "");
  EXPECT_TRUE(RemoveRule(s, "Firefox"));
  EXPECT_FALSE(RemoveRule(s, "firefox"));
  EXPECT_EQ(ChooseProfile(s, Exe("firefox")).profile, 2);
}

TEST(AutoProfileRules, TextChecks) {
  std::string why;
  EXPECT_FALSE(ValidAppName("", &why));
  EXPECT_EQ(why, "AUTO_ERR_APP_EMPTY");
  EXPECT_FALSE(ValidAppName(" x", &why));
  EXPECT_FALSE(ValidAppName("a\nb", &why));
  EXPECT_EQ(why, "AUTO_ERR_APP_CONTROL");
  EXPECT_FALSE(ValidAppName(std::string(256, 'a'), &why));
  EXPECT_TRUE(ValidAppName("Steam Game.exe", &why));
  std::optional<int> fallback = 1;
  EXPECT_TRUE(ParseFallback("None", &fallback));
  EXPECT_FALSE(fallback);
  EXPECT_TRUE(ParseFallback("3", &fallback));
  EXPECT_EQ(fallback, 2);
  EXPECT_FALSE(ParseFallback("4", &fallback));
  EXPECT_FALSE(ParseFallback("0", &fallback));
  EXPECT_EQ(fallback, 2);
  EXPECT_FALSE(ParseRuleLine("4 game"));
  EXPECT_FALSE(ParseRuleLine("2game"));
  EXPECT_EQ(ParseRuleLine("2   Steam Game")->app, "Steam Game");
}

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(AutoProfileStore, HandEditsAndUnknownKeysSurvive) {
  TempFolder folder;
  const auto file = folder.path() / "settings.ini";
  {
    std::ofstream out(file);
    out << "[Software\\Quorlin_Halvane\\Quorlin\\AUTO_PROFILES]\n"
           "; my games\n"
           "Enabled=off\n"
           "Fallback=2\n"
           "Rule01=3   eldenring.exe\n"
           "Rule02=nonsense\n"
           "Rule03=1 firefox\n"
           "Colour=blue\n"
           "[Other]\nKeep=1\n";
  }
  platform::IniSettingsStore store(file);
  AutoProfileSettings s = LoadAutoProfiles(store);
  EXPECT_FALSE(s.enabled);
  EXPECT_EQ(s.fallback, 1);
  ASSERT_EQ(s.rules.size(), 2u);
  EXPECT_EQ(s.rules[0].app, "eldenring.exe");
  EXPECT_EQ(s.rules[0].profile, 2);
  EXPECT_EQ(s.unreadable, std::vector<std::string>{"nonsense"});

  RemoveRule(s, "eldenring.exe");
  s.enabled = true;
  s.fallback.reset();
  ASSERT_TRUE(SaveAutoProfiles(store, s));
  const AutoProfileSettings back = LoadAutoProfiles(store);
  EXPECT_TRUE(back.enabled);
  EXPECT_FALSE(back.fallback);
  ASSERT_EQ(back.rules.size(), 1u);
  EXPECT_EQ(back.rules[0].app, "firefox");
  EXPECT_EQ(back.unreadable, std::vector<std::string>{"nonsense"});
  const std::string text = ReadFile(file);
  for (const char* kept : {"; my games", "Colour=blue", "[Other]", "Keep=1"})
    EXPECT_NE(text.find(kept), std::string::npos) << kept;
}

TEST(AutoProfileStore, NothingStoredReadsAsOnWithoutRules) {
  TempFolder folder;
  platform::IniSettingsStore store(folder.path() / "missing.ini");
  const AutoProfileSettings s = LoadAutoProfiles(store);
  EXPECT_TRUE(s.enabled);
  EXPECT_FALSE(s.fallback);
  EXPECT_TRUE(s.rules.empty());
}

// The switcher against the simulated keyboard through the profile buttons'
// own flow, so frames are counted on the keyboard's side.
struct SwitchRig : AutoProfileHost {
  SwitchRig()
      : keyboard(std::make_shared<sim::VirtualKeyboard>()),
        backend(keyboard),
        link(backend),
        view(state),
        flows(FlowParts{link, state, texts, view, folder.path() / "data", QUORLIN_DATA_DIR}) {
    keyboard->SetActiveProfile(0);
    link.Channel().SetBatchPause(std::chrono::microseconds(0));
    if (device::ConnectKeyboard(link) != device::FindResult::kFound) std::abort();
    flows.ReloadAfterArrival();
    backend.ClearReceivedFrames();
    AutoProfileSettings s;
    SetRule(s, "firefox", 1);
    SetRule(s, "eldenring.exe", 2);
    switcher.SetSettings(s, t);
  }

  bool SwitchMustWait() const override { return busy; }
  std::optional<int> ActiveProfile() const override {
    const int active = link.CachedActiveProfile();
    return active < 0 ? std::nullopt : std::optional<int>(active);
  }
  void SwitchProfile(int profile) override { flows.SelectProfileSlot(profile); }

  void Focus(FocusedWindow w) { switcher.FocusChanged(w, t); }
  // Advances the fake clock by `d`, running the switcher whenever it asked.
  AutoProfileOutcome Pass(std::chrono::milliseconds d) {
    const Clock::time_point end = t + d;
    AutoProfileOutcome last = AutoProfileOutcome::kNothingDue;
    while (switcher.NextWake() && *switcher.NextWake() <= end) {
      t = std::max(t, *switcher.NextWake());
      last = switcher.Run(t, *this);
    }
    t = end;
    return last;
  }
  std::size_t Frames() const { return backend.ReceivedFrames().size(); }

  TempFolder folder;
  struct : text::TextSource {
    std::string Text(std::string_view key) const override { return std::string(key); }
    std::string LightText(std::string_view key) const override { return std::string(key); }
    std::string ModeName(int mode) const override { return std::to_string(mode); }
  } texts;
  std::shared_ptr<sim::VirtualKeyboard> keyboard;
  sim::SimBackend backend;
  device::DeviceLink link;
  ProgramState state;
  testing::FakeFlowView view;
  MainFlows flows;
  AutoProfileSwitcher switcher;
  Clock::time_point t{};
  bool busy = false;
};

TEST(AutoProfileSwitch, DebounceLetsOnlyAFocusThatStaysSwitch) {
  SwitchRig r;
  // Alt+Tab: firefox for 200 ms, then the game, which stays.
  r.Focus(Exe("firefox"));
  EXPECT_EQ(r.Pass(200ms), AutoProfileOutcome::kNothingDue);
  r.Focus(Exe("wine64-preloader", "eldenring.exe", "steam_app_1"));
  EXPECT_EQ(r.Pass(299ms), AutoProfileOutcome::kNothingDue);
  EXPECT_EQ(r.Frames(), 0u);
  EXPECT_EQ(r.Pass(1ms), AutoProfileOutcome::kSwitched);
  EXPECT_EQ(r.keyboard->ActiveProfile(), 2);
  EXPECT_EQ(r.state.checked_profile_button, 2);
  EXPECT_EQ(r.switcher.LastChoice()->rule, "eldenring.exe");
  EXPECT_FALSE(r.switcher.NextWake()) << "nothing pending: nothing wakes";
}

TEST(AutoProfileSwitch, NoFramesWhenTheProfileIsAlreadyActive) {
  SwitchRig r;
  r.Focus(Exe("firefox"));
  EXPECT_EQ(r.Pass(300ms), AutoProfileOutcome::kSwitched);
  const std::size_t switch_frames = r.Frames();
  EXPECT_GT(switch_frames, 0u);
  const auto c = r.backend.ReceivedFrames();
  EXPECT_EQ(std::count_if(c.begin(), c.end(),
                          [](const auto& f) { return f[3] == device::cmd::kWriteDeviceInfo; }),
            1);
  r.backend.ClearReceivedFrames();
  // Another window of the same application, and one without a rule (no fallback).
  r.Focus(Exe("firefox", "Dialog", "firefox"));
  EXPECT_EQ(r.Pass(1s), AutoProfileOutcome::kAlreadyActive);
  r.Focus(Exe("xterm"));
  EXPECT_EQ(r.Pass(1s), AutoProfileOutcome::kNoChoice);
  EXPECT_EQ(r.Frames(), 0u);
  EXPECT_EQ(r.keyboard->ActiveProfile(), 1);
}

TEST(AutoProfileSwitch, FallbackAndOffAndOwnWindows) {
  SwitchRig r;
  AutoProfileSettings s = r.switcher.Settings();
  s.fallback = 2;
  r.switcher.SetSettings(s, r.t);
  r.Focus(Exe("xterm"));
  EXPECT_EQ(r.Pass(300ms), AutoProfileOutcome::kSwitched);
  EXPECT_EQ(r.keyboard->ActiveProfile(), 2);
  EXPECT_EQ(r.switcher.LastChoice()->rule, "");

  // Our own window, however long it keeps focus, switches nothing, and
  // cuts short the focus before it.
  r.Focus(Exe("firefox"));
  r.Pass(100ms);
  r.Focus(FocusedWindow{"quorlin", "quorlin", "quorlin", true, false});
  r.Pass(5s);
  EXPECT_EQ(r.keyboard->ActiveProfile(), 2);

  s.enabled = false;
  r.switcher.SetSettings(s, r.t);
  r.Focus(Exe("firefox"));
  EXPECT_EQ(r.Pass(1s), AutoProfileOutcome::kOff);
  EXPECT_EQ(r.keyboard->ActiveProfile(), 2);

  // Switched on again, the window in focus applies at once.
  s.enabled = true;
  r.switcher.SetSettings(s, r.t);
  EXPECT_EQ(r.Pass(0ms), AutoProfileOutcome::kSwitched);
  EXPECT_EQ(r.keyboard->ActiveProfile(), 1);
}

TEST(AutoProfileSwitch, WaitsWhileBusyAndTheLastFocusWins) {
  SwitchRig r;
  r.busy = true;  // an Apply runs, an editor is open, or edits are unapplied
  r.Focus(Exe("firefox"));
  EXPECT_EQ(r.Pass(2s), AutoProfileOutcome::kWaiting);
  r.Focus(Exe("eldenring.exe"));
  EXPECT_EQ(r.Pass(2s), AutoProfileOutcome::kWaiting);
  EXPECT_EQ(r.Frames(), 0u);
  EXPECT_EQ(r.keyboard->ActiveProfile(), 0);
  r.busy = false;
  EXPECT_EQ(r.Pass(1s), AutoProfileOutcome::kSwitched);
  EXPECT_EQ(r.keyboard->ActiveProfile(), 2) << "the last focus, not the first";
  EXPECT_FALSE(r.switcher.NextWake());
}

}  // namespace
}  // namespace quorlin::flows
