#include <QString>

#include "ui/autoprofile/focus_source.h"
#ifdef QUORLIN_HAVE_DBUS
#include "ui/autoprofile/kwin_focus_source.h"
#endif
#ifdef QUORLIN_HAVE_XCB
#include "ui/autoprofile/x11_focus_source.h"
#endif

namespace quorlin::ui {

std::unique_ptr<FocusSource> MakeFocusSource() {
  const QString session = qEnvironmentVariable("XDG_SESSION_TYPE").toLower();
  const QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP").toUpper();
  const bool wayland = session == "wayland" || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#ifdef QUORLIN_HAVE_DBUS
  // KWin tells its scripts about every window, X and Wayland alike.
  if (desktop.contains("KDE")) {
    auto kwin = std::make_unique<KWinFocusSource>();
    if (kwin->Available()) return kwin;
  }
#endif
#ifdef QUORLIN_HAVE_XCB
  // Under another Wayland compositor XWayland still names its own windows
  // (most Wine and Proton games among them); a native window in focus
  // reads as none, which leaves the profile as it is.
  if (!qEnvironmentVariableIsEmpty("DISPLAY")) {
    auto x11 = std::make_unique<X11FocusSource>(std::string(), wayland);
    if (x11->Available()) return x11;
  }
#endif
  (void)wayland;
  (void)desktop;
  return std::make_unique<NoFocusSource>();
}

}  // namespace quorlin::ui
