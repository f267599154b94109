#pragma once
// Decides when the application in focus switches the keyboard's profile.
// It never looks at a clock or a window itself: the caller tells it each
// focus change with the time it happened, asks when to call again
// (NextWake) and runs it then (Run), so tests drive it with a fake clock
// and the program wakes only while a switch is pending.
//
// - A focus that lasts under the debounce time does not switch, so
//   Alt+Tab through windows writes nothing at each step.
// - While the host is busy (a device job, an open editor, unapplied
//   edits) the switch waits; the last focus wins.
// - The program's own windows never trigger a switch.
// - Nothing is written when the chosen profile is already active.

#include <chrono>
#include <optional>
#include <string>

#include "flows/auto_profile_rules.h"

namespace quorlin::flows {

inline constexpr std::chrono::milliseconds kAutoProfileDebounce{300};

// What the switcher needs of the program.
class AutoProfileHost {
 public:
  virtual ~AutoProfileHost() = default;
  // True while a switch must wait: a device job runs, the key editor or the
  // profile manager is open, or the window holds unapplied edits.
  virtual bool SwitchMustWait() const = 0;
  // The keyboard's active profile 0..2; nothing without a keyboard.
  virtual std::optional<int> ActiveProfile() const = 0;
  // Runs the profile buttons' switch to `profile`.
  virtual void SwitchProfile(int profile) = 0;
};

enum class AutoProfileOutcome {
  kNothingDue,     // no focus change pending, or its debounce runs
  kWaiting,        // due, but the host is busy: NextWake says when to retry
  kOff,            // the rules are switched off
  kNoChoice,       // no rule matched and there is no fallback
  kAlreadyActive,  // the chosen profile is active: nothing written
  kNoKeyboard,     // the active profile could not be had
  kSwitched,
};

class AutoProfileSwitcher {
 public:
  using Clock = std::chrono::steady_clock;

  explicit AutoProfileSwitcher(
      std::chrono::milliseconds debounce = kAutoProfileDebounce,
      std::chrono::milliseconds busy_retry = std::chrono::milliseconds(500));

  const AutoProfileSettings& Settings() const { return settings_; }
  // New rules apply to the window in focus at once (no debounce: the focus
  // did not just change).
  void SetSettings(AutoProfileSettings settings, Clock::time_point now);

  void FocusChanged(const FocusedWindow& window, Clock::time_point now);

  // When Run should be called next; nothing when nothing is pending.
  std::optional<Clock::time_point> NextWake() const { return wake_; }

  AutoProfileOutcome Run(Clock::time_point now, AutoProfileHost& host);

  // The focus last seen (own windows left out).
  const FocusedWindow& Focus() const { return focus_; }
  // What chose the profile the switcher last made (or found) active: the
  // rule's application, empty for the fallback; nothing before the first
  // choice.
  const std::optional<AutoProfileChoice>& LastChoice() const { return last_choice_; }

 private:
  std::chrono::milliseconds debounce_;
  std::chrono::milliseconds busy_retry_;
  AutoProfileSettings settings_;
  FocusedWindow focus_;
  std::optional<Clock::time_point> wake_;
  std::optional<AutoProfileChoice> last_choice_;
};

}  // namespace quorlin::flows
