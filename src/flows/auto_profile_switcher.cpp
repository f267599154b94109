#include "flows/auto_profile_switcher.h"

namespace quorlin::flows {

AutoProfileSwitcher::AutoProfileSwitcher(std::chrono::milliseconds debounce,
                                         std::chrono::milliseconds busy_retry)
    : debounce_(debounce), busy_retry_(busy_retry) {
  focus_.none = true;
}

void AutoProfileSwitcher::SetSettings(AutoProfileSettings settings, Clock::time_point now) {
  settings_ = std::move(settings);
  if (!settings_.enabled) {
    wake_.reset();
    last_choice_.reset();
    return;
  }
  if (!focus_.none) wake_ = now;
}

void AutoProfileSwitcher::FocusChanged(const FocusedWindow& window, Clock::time_point now) {
  if (window.own) {
    // Moving to one of our windows ends the previous focus early: like any
    // focus shorter than the debounce, it must not switch.
    wake_.reset();
    return;
  }
  focus_ = window;
  wake_ = now + debounce_;
}

AutoProfileOutcome AutoProfileSwitcher::Run(Clock::time_point now, AutoProfileHost& host) {
  if (!wake_ || now < *wake_) return AutoProfileOutcome::kNothingDue;
  if (!settings_.enabled) {
    wake_.reset();
    return AutoProfileOutcome::kOff;
  }
  if (host.SwitchMustWait()) {
    wake_ = now + busy_retry_;
    return AutoProfileOutcome::kWaiting;
  }
  wake_.reset();
  // The desktop itself in focus chooses nothing: the profile stays.
  if (focus_.none) return AutoProfileOutcome::kNoChoice;
  const AutoProfileChoice choice = ChooseProfile(settings_, focus_);
  if (!choice.profile) return AutoProfileOutcome::kNoChoice;
  const std::optional<int> active = host.ActiveProfile();
  if (!active) return AutoProfileOutcome::kNoKeyboard;
  last_choice_ = choice;
  if (*active == *choice.profile) return AutoProfileOutcome::kAlreadyActive;
  host.SwitchProfile(*choice.profile);
  return AutoProfileOutcome::kSwitched;
}

}  // namespace quorlin::flows
