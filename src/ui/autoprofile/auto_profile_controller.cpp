#include "ui/autoprofile/auto_profile_controller.h"

#include <cstdio>

#include "text/format.h"

namespace quorlin::ui {

namespace {

// QUORLIN_TRACE_FOCUS=1 prints each focus change and decision on standard
// error, to find out why a rule did or did not switch.
bool Tracing() {
  static const bool on = qEnvironmentVariableIntValue("QUORLIN_TRACE_FOCUS") != 0;
  return on;
}

const char* OutcomeName(flows::AutoProfileOutcome outcome) {
  switch (outcome) {
    case flows::AutoProfileOutcome::kNothingDue:
      return "nothing due";
    case flows::AutoProfileOutcome::kWaiting:
      return "waiting (busy)";
    case flows::AutoProfileOutcome::kOff:
      return "off";
    case flows::AutoProfileOutcome::kNoChoice:
      return "no rule, no fallback";
    case flows::AutoProfileOutcome::kAlreadyActive:
      return "already active";
    case flows::AutoProfileOutcome::kNoKeyboard:
      return "no keyboard";
    case flows::AutoProfileOutcome::kSwitched:
      return "switched";
  }
  return "?";
}

}  // namespace

using Clock = flows::AutoProfileSwitcher::Clock;

AutoProfileController::AutoProfileController(platform::SettingsStore& settings,
                                             flows::AutoProfileHost& host,
                                             std::unique_ptr<FocusSource> source,
                                             std::chrono::milliseconds debounce)
    : settings_(settings), host_(host), source_(std::move(source)), switcher_(debounce) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &AutoProfileController::RunDue);
  source_->SetListener([this](const flows::FocusedWindow& w) { OnFocus(w); });
}

AutoProfileController::~AutoProfileController() {
  source_->SetListener(nullptr);
}

void AutoProfileController::Start() {
  if (Tracing())
    std::fprintf(stderr, "quorlin: focus source: %s\n",
                 source_->Available() ? "available" : "this desktop does not tell");
  switcher_.SetSettings(flows::LoadAutoProfiles(settings_), Clock::now());
  source_->TellCurrent();
  Schedule();
}

void AutoProfileController::ReloadRules() {
  switcher_.SetSettings(flows::LoadAutoProfiles(settings_), Clock::now());
  if (on_choice) on_choice();
  Schedule();
}

void AutoProfileController::RetrySoon() {
  if (switcher_.NextWake()) {
    timer_.start(0);
  }
}

void AutoProfileController::OnFocus(const flows::FocusedWindow& window) {
  if (Tracing())
    std::fprintf(stderr, "quorlin: focus: executable '%s' class '%s' / '%s'%s%s\n",
                 window.executable.c_str(), window.window_instance.c_str(),
                 window.window_class.c_str(), window.own ? " (own window)" : "",
                 window.none ? " (none)" : "");
  switcher_.FocusChanged(window, Clock::now());
  Schedule();
}

void AutoProfileController::RunDue() {
  last_outcome_ = switcher_.Run(Clock::now(), host_);
  if (Tracing())
    std::fprintf(stderr, "quorlin: automatic profile: %s\n", OutcomeName(last_outcome_));
  if (on_choice && (last_outcome_ == flows::AutoProfileOutcome::kSwitched ||
                    last_outcome_ == flows::AutoProfileOutcome::kAlreadyActive))
    on_choice();
  Schedule();
}

void AutoProfileController::Schedule() {
  const auto wake = switcher_.NextWake();
  if (!wake) {
    timer_.stop();
    return;
  }
  // Rounded up: a timer that fires before the moment would find nothing
  // due and have to start again.
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*wake - Clock::now());
  timer_.start(static_cast<int>(std::max<std::chrono::milliseconds::rep>(wait.count(), 0)));
}

QString AutoProfileTip(const text::TextSource& texts,
                       const std::optional<flows::AutoProfileChoice>& choice) {
  if (!choice || !choice->profile) return {};
  const int number = *choice->profile + 1;
  if (choice->rule.empty())
    return QString::fromStdString(text::FormatWithInt(texts.Text("AUTO_TIP_FALLBACK"), number));
  return QString::fromStdString(
      text::FormatWithText(text::FormatWithInt(texts.Text("AUTO_TIP_RULE"), number), choice->rule));
}

}  // namespace quorlin::ui
