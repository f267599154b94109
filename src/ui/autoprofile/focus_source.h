#pragma once
// Where the program learns which window has focus. Each desktop tells it
// its own way (X11 root window property, a KWin script over D-Bus ...);
// behind this interface the rest never knows which, and tests use a fake.

#include <QIcon>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "flows/auto_profile_rules.h"

namespace quorlin::ui {

// An application that now has a window, for "Add from running applications".
struct RunningApp {
  std::string name;  // what a rule for it would name (flows::AppNameOf)
  QString title;     // one of its window titles
  QIcon icon;
};

class FocusSource {
 public:
  using Listener = std::function<void(const flows::FocusedWindow& window)>;

  virtual ~FocusSource() = default;

  // False when this desktop does not tell which window has focus.
  virtual bool Available() const = 0;
  // Called on the window's thread at each change of the focused window,
  // never while focus stays.
  void SetListener(Listener listener) { listener_ = std::move(listener); }
  // Applications with a window now, each once (own windows left out).
  virtual std::vector<RunningApp> RunningApplications() = 0;
  // Tells the listener the window that has focus now, as a change.
  virtual void TellCurrent() {}
  // False when the source sees only some windows (the X windows of
  // XWayland under a compositor that tells nothing of its own).
  virtual bool SeesEveryWindow() const { return true; }
  // How often the source woke the process (for the figures).
  virtual long WakeUps() const { return 0; }

 protected:
  void Tell(const flows::FocusedWindow& window) {
    if (listener_) listener_(window);
  }

 private:
  Listener listener_;
};

// A desktop that does not tell: the rules stay stored and nothing switches.
class NoFocusSource final : public FocusSource {
 public:
  bool Available() const override { return false; }
  std::vector<RunningApp> RunningApplications() override { return {}; }
};

// The source for the desktop the program runs on.
std::unique_ptr<FocusSource> MakeFocusSource();

}  // namespace quorlin::ui
