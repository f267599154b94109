#include "flows/auto_profile_rules.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace quorlin::flows {

namespace {

constexpr std::string_view kEnabledKey = "Enabled";
constexpr std::string_view kFallbackKey = "Fallback";
constexpr std::string_view kNone = "none";

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lowered(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), Lower);
  return out;
}

// Lower case, without a trailing ".exe", so "Game.EXE" and "game" agree.
std::string Comparable(std::string_view name) {
  std::string out = Lowered(name);
  if (out.size() > 4 && out.ends_with(".exe")) out.resize(out.size() - 4);
  return out;
}

bool EndsWithExe(std::string_view s) {
  return s.size() > 4 && Lowered(s.substr(s.size() - 4)) == ".exe";
}

std::string RuleKey(int number) {
  char key[16];
  std::snprintf(key, sizeof key, "Rule%02d", number);
  return key;
}

bool WriteText(platform::SettingsStore& store, std::string_view name, std::string_view value) {
  return store.WriteText(platform::kAppSettingsKeyPath, kAutoProfileSection, name, value);
}

}  // namespace

bool IsSharedRunner(std::string_view executable) {
  const std::string name = Comparable(executable);
  // Exact names, then families whose versions add a suffix (python3.11,
  // wine64-preloader, java-17 ...).
  static constexpr std::array<std::string_view, 9> kExact = {
      "java", "javaw", "mono", "mono-sgen", "node", "proton", "steam", "gjs", "qemu"};
  static constexpr std::array<std::string_view, 4> kFamilies = {"python", "pypy", "wine", "java-"};
  if (std::find(kExact.begin(), kExact.end(), name) != kExact.end()) return true;
  return std::any_of(kFamilies.begin(), kFamilies.end(),
                     [&name](std::string_view family) { return name.starts_with(family); });
}

std::string AppNameOf(const FocusedWindow& window) {
  if (!window.executable.empty() && !IsSharedRunner(window.executable)) return window.executable;
  // A Wine window reports the game's ".exe" in one of its class parts.
  if (EndsWithExe(window.window_instance)) return window.window_instance;
  if (EndsWithExe(window.window_class)) return window.window_class;
  if (!window.window_class.empty()) return window.window_class;
  if (!window.window_instance.empty()) return window.window_instance;
  return window.executable;
}

bool RuleMatches(std::string_view app, const FocusedWindow& window) {
  if (window.own || window.none) return false;
  const std::string wanted = Comparable(app);
  if (wanted.empty()) return false;
  if (!window.executable.empty() && !IsSharedRunner(window.executable))
    return Comparable(window.executable) == wanted;
  return Comparable(window.window_instance) == wanted ||
         Comparable(window.window_class) == wanted ||
         (!window.executable.empty() && Comparable(window.executable) == wanted);
}

AutoProfileChoice ChooseProfile(const AutoProfileSettings& settings, const FocusedWindow& window) {
  for (const AutoProfileRule& rule : settings.rules) {
    if (RuleMatches(rule.app, window)) return {rule.profile, rule.app};
  }
  return {settings.fallback, {}};
}

bool ValidAppName(std::string_view app, std::string* why_key) {
  const auto fail = [why_key](const char* key) {
    if (why_key) *why_key = key;
    return false;
  };
  if (app.empty() || app.find_first_not_of(" \t") == std::string_view::npos)
    return fail("AUTO_ERR_APP_EMPTY");
  if (app.size() > kLongestAppName) return fail("AUTO_ERR_APP_LONG");
  if (app.front() == ' ' || app.back() == ' ') return fail("AUTO_ERR_APP_BLANKS");
  for (const char c : app) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return fail("AUTO_ERR_APP_CONTROL");
  }
  return true;
}

int FindRule(const AutoProfileSettings& settings, std::string_view app) {
  const std::string wanted = Comparable(app);
  for (std::size_t i = 0; i < settings.rules.size(); ++i) {
    if (Comparable(settings.rules[i].app) == wanted) return static_cast<int>(i);
  }
  return -1;
}

bool SetRule(AutoProfileSettings& settings, std::string_view app, int profile) {
  const int at = FindRule(settings, app);
  if (at >= 0) {
    settings.rules[static_cast<std::size_t>(at)].profile = profile;
    return false;
  }
  settings.rules.push_back({std::string(app), profile});
  return true;
}

bool RemoveRule(AutoProfileSettings& settings, std::string_view app) {
  const int at = FindRule(settings, app);
  if (at < 0) return false;
  settings.rules.erase(settings.rules.begin() + at);
  return true;
}

std::string FallbackText(std::optional<int> fallback) {
  return fallback ? std::to_string(*fallback + 1) : std::string(kNone);
}

bool ParseFallback(std::string_view text, std::optional<int>* fallback) {
  if (Lowered(text) == kNone) {
    fallback->reset();
    return true;
  }
  if (text.size() != 1 || text[0] < '1' || text[0] > '3') return false;
  *fallback = text[0] - '1';
  return true;
}

std::string FormatRuleLine(const AutoProfileRule& rule) {
  return std::to_string(rule.profile + 1) + " " + rule.app;
}

std::optional<AutoProfileRule> ParseRuleLine(std::string_view line) {
  // A hand edit may put more than one blank between the two.
  if (line.size() < 3 || line[0] < '1' || line[0] > '3' || (line[1] != ' ' && line[1] != '\t'))
    return std::nullopt;
  const std::size_t start = line.find_first_not_of(" \t", 1);
  if (start == std::string_view::npos) return std::nullopt;
  AutoProfileRule rule{std::string(line.substr(start)), line[0] - '1'};
  if (!ValidAppName(rule.app, nullptr)) return std::nullopt;
  return rule;
}

AutoProfileSettings LoadAutoProfiles(const platform::SettingsStore& store) {
  AutoProfileSettings s;
  const auto key_path = platform::kAppSettingsKeyPath;
  // A hand edit may write the switch as a word or a number.
  if (const auto enabled = store.ReadDword(key_path, kAutoProfileSection, kEnabledKey)) {
    s.enabled = *enabled != 0;
  } else if (const auto text = store.ReadText(key_path, kAutoProfileSection, kEnabledKey)) {
    const std::string word = Lowered(*text);
    if (word == "0" || word == "off" || word == "no" || word == "false") s.enabled = false;
  }
  if (const auto text = store.ReadText(key_path, kAutoProfileSection, kFallbackKey)) {
    ParseFallback(*text, &s.fallback);
  }
  for (int n = 1; n <= kMostAutoProfileRules; ++n) {
    const auto line = store.ReadText(key_path, kAutoProfileSection, RuleKey(n));
    if (!line || line->empty()) break;
    const auto rule = ParseRuleLine(*line);
    if (!rule) {
      s.unreadable.push_back(*line);
    } else if (FindRule(s, rule->app) < 0) {
      s.rules.push_back(*rule);
    }
  }
  return s;
}

bool SaveAutoProfileEnabled(platform::SettingsStore& store, bool enabled) {
  return store.WriteDword(platform::kAppSettingsKeyPath, kAutoProfileSection, kEnabledKey,
                          enabled ? 1 : 0);
}

bool SaveAutoProfileFallback(platform::SettingsStore& store, std::optional<int> fallback) {
  return WriteText(store, kFallbackKey, FallbackText(fallback));
}

bool SaveAutoProfileRules(platform::SettingsStore& store, const AutoProfileSettings& settings) {
  std::vector<std::string> lines;
  for (const AutoProfileRule& rule : settings.rules) lines.push_back(FormatRuleLine(rule));
  lines.insert(lines.end(), settings.unreadable.begin(), settings.unreadable.end());
  if (lines.size() > static_cast<std::size_t>(kMostAutoProfileRules)) return false;
  bool ok = true;
  int n = 1;
  for (const std::string& line : lines) ok = WriteText(store, RuleKey(n++), line) && ok;
  // An empty key ends the list; rule keys a longer list left behind it are
  // passed over by the reader.
  if (n <= kMostAutoProfileRules) ok = WriteText(store, RuleKey(n), "") && ok;
  return ok;
}

bool SaveAutoProfiles(platform::SettingsStore& store, const AutoProfileSettings& settings) {
  bool ok = SaveAutoProfileEnabled(store, settings.enabled);
  ok = SaveAutoProfileFallback(store, settings.fallback) && ok;
  return SaveAutoProfileRules(store, settings) && ok;
}

}  // namespace quorlin::flows
