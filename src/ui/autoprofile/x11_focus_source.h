#pragma once
// Focus on X11 (and on the X windows of XWayland): the window manager keeps
// the focused window in the root window's _NET_ACTIVE_WINDOW. The source
// asks to hear of root property changes and sleeps on the X connection's
// socket: no polling and no timer, so while focus stays nothing wakes.
// The window's process comes from the X server (the X-Resource
// extension, which sees through PID namespaces), else from _NET_WM_PID
// when the window runs on this machine.

#include <QSocketNotifier>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ui/autoprofile/focus_source.h"

struct xcb_connection_t;

namespace quorlin::ui {

class X11FocusSource final : public FocusSource {
 public:
  // Connects to `display` (the environment's when empty); Available() says
  // whether that worked and the window manager keeps _NET_ACTIVE_WINDOW.
  explicit X11FocusSource(const std::string& display = {}, bool xwayland = false);
  ~X11FocusSource() override;

  bool Available() const override { return available_; }
  std::vector<RunningApp> RunningApplications() override;
  long WakeUps() const override { return wake_ups_; }
  void TellCurrent() override;
  bool SeesEveryWindow() const override { return !xwayland_; }

  // What the focused window is now (read at once, for tests and start-up).
  flows::FocusedWindow ReadFocus();

 private:
  void OnReadable();
  bool SupportsActiveWindow();
  std::optional<uint32_t> ActiveWindow();
  flows::FocusedWindow Describe(uint32_t window);
  long ProcessOf(uint32_t window);
  std::string TextProperty(uint32_t window, uint32_t property, uint32_t type, bool all = false);
  QIcon IconOf(uint32_t window);
  uint32_t Atom(const char* name);

  xcb_connection_t* connection_ = nullptr;
  uint32_t root_ = 0;
  uint32_t net_active_window_ = 0;
  uint32_t net_wm_pid_ = 0;
  uint32_t net_client_list_ = 0;
  uint32_t net_wm_name_ = 0;
  uint32_t net_wm_icon_ = 0;
  uint32_t utf8_string_ = 0;
  uint32_t wm_client_machine_ = 0;
  bool have_resource_ext_ = false;
  bool xwayland_ = false;
  bool available_ = false;
  std::string host_name_;
  std::optional<uint32_t> last_window_;
  std::unique_ptr<QSocketNotifier> notifier_;
  long wake_ups_ = 0;
};

}  // namespace quorlin::ui
