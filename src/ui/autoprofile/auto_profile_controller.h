#pragma once
// Runs the automatic profile switch in the program: the focus source tells
// each change, the switcher decides, and one single-shot timer runs only
// while a decision is pending (the debounce, or a wait while busy), so a
// program whose focus stays never wakes.

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "flows/auto_profile_switcher.h"
#include "platform/settings_store.h"
#include "text/text_source.h"
#include "ui/autoprofile/focus_source.h"

namespace quorlin::ui {

class AutoProfileController : public QObject {
  Q_OBJECT

 public:
  AutoProfileController(platform::SettingsStore& settings, flows::AutoProfileHost& host,
                        std::unique_ptr<FocusSource> source,
                        std::chrono::milliseconds debounce = flows::kAutoProfileDebounce);
  ~AutoProfileController() override;

  // Reads the rules and takes the window in focus now as the first change.
  void Start();
  // The rules in the settings changed (the dialog, or quorlinctl).
  void ReloadRules();
  // Something that held a switch back ended: a waiting switch runs now.
  void RetrySoon();

  FocusSource& Source() { return *source_; }
  const flows::AutoProfileSwitcher& Switcher() const { return switcher_; }
  // Runs after every decision that found or made a profile active.
  std::function<void()> on_choice;
  // What the last decision was (for tests and figures).
  flows::AutoProfileOutcome LastOutcome() const { return last_outcome_; }
  bool TimerRunning() const { return timer_.isActive(); }

 private:
  void OnFocus(const flows::FocusedWindow& window);
  void RunDue();
  void Schedule();

  platform::SettingsStore& settings_;
  flows::AutoProfileHost& host_;
  std::unique_ptr<FocusSource> source_;
  flows::AutoProfileSwitcher switcher_;
  QTimer timer_;
  flows::AutoProfileOutcome last_outcome_ = flows::AutoProfileOutcome::kNothingDue;
};

// The tray tip's line for the profile the rules chose, in the current
// language; empty before the first choice.
QString AutoProfileTip(const text::TextSource& texts,
                       const std::optional<flows::AutoProfileChoice>& choice);

}  // namespace quorlin::ui
