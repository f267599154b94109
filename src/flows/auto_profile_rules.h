#pragma once
// Automatic profiles: rules that pick an on-board profile for the
// application in focus, and where they are kept. The rules live in the
// settings store shared with quorlinctl, in a section of their own; only
// the keys named here are ever written, so unknown keys and hand edits in
// that section stay.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"

namespace quorlin::flows {

inline constexpr std::string_view kAutoProfileSection = "AUTO_PROFILES";
// Rule keys are numbered from 01; two digits bound the list.
inline constexpr int kMostAutoProfileRules = 99;
inline constexpr std::size_t kLongestAppName = 255;

// The window that has focus, as a focus source saw it.
struct FocusedWindow {
  // File name of the process's executable; empty when it could not be had
  // (the process ended, or lives in another PID namespace).
  std::string executable;
  // The two parts of the window's class: instance (first) and class name.
  std::string window_instance;
  std::string window_class;
  // One of this program's own windows.
  bool own = false;
  // No window has focus (the desktop, or a window the source cannot see).
  bool none = false;
};

struct AutoProfileRule {
  std::string app;  // as the user wrote it; matched without regard to case
  int profile = 0;  // on-board profile 0..2
};

struct AutoProfileSettings {
  bool enabled = true;
  std::optional<int> fallback;  // 0..2; nothing: the profile stays
  std::vector<AutoProfileRule> rules;
  // Rule lines a hand edit left unreadable: kept, written back after the
  // rules, never matched.
  std::vector<std::string> unreadable;
};

// Programs that run other programs (Java, Python, Wine/Proton ...): their
// executable says nothing about the application, its window class does.
bool IsSharedRunner(std::string_view executable);

// The name a rule for this window would use: the executable's file name,
// or for a shared runner (or an unknown executable) the window's class
// part that names the application (the ".exe" name a Wine window reports
// first). Empty when the window tells nothing.
std::string AppNameOf(const FocusedWindow& window);

// True when `app` (a rule's application) names this window. Case and a
// trailing ".exe" are ignored on both sides.
bool RuleMatches(std::string_view app, const FocusedWindow& window);

// What the rules choose for a window: the first matching rule's profile,
// else the fallback. `rule` is the matching rule's application, empty for
// the fallback.
struct AutoProfileChoice {
  std::optional<int> profile;
  std::string rule;
};
AutoProfileChoice ChooseProfile(const AutoProfileSettings& settings, const FocusedWindow& window);

// Checks of what the user typed; false with a message key.
bool ValidAppName(std::string_view app, std::string* why_key);

// Adds a rule or changes the profile of the rule with the same application
// (compared as RuleMatches compares). True when a rule was added.
bool SetRule(AutoProfileSettings& settings, std::string_view app, int profile);
// False when no rule has that application.
bool RemoveRule(AutoProfileSettings& settings, std::string_view app);
// The index of the rule for `app`, or -1.
int FindRule(const AutoProfileSettings& settings, std::string_view app);

// The fallback as stored and typed: "none", or "1".."3".
std::string FallbackText(std::optional<int> fallback);
// False for a text that is neither; else `*fallback` is set.
bool ParseFallback(std::string_view text, std::optional<int>* fallback);

// A rule line: "PROFILE APP" (profile 1..3, one blank, the application).
std::string FormatRuleLine(const AutoProfileRule& rule);
std::optional<AutoProfileRule> ParseRuleLine(std::string_view line);

AutoProfileSettings LoadAutoProfiles(const platform::SettingsStore& store);
// Each writes only its own keys. False when the store refused a write.
bool SaveAutoProfileEnabled(platform::SettingsStore& store, bool enabled);
bool SaveAutoProfileFallback(platform::SettingsStore& store, std::optional<int> fallback);
// The rule keys from Rule01 on, then an empty key that ends the list.
bool SaveAutoProfileRules(platform::SettingsStore& store, const AutoProfileSettings& settings);
bool SaveAutoProfiles(platform::SettingsStore& store, const AutoProfileSettings& settings);

}  // namespace quorlin::flows
