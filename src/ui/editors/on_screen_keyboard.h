#pragma once
// The editor's on-screen keyboard button: lets a user without a key (or
// without a keyboard at hand) type the key to assign.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QProcess;

namespace quorlin::ui {

struct OnScreenKeyboardProgram {
  QString name;     // the process name, as a running one is listed
  QString program;  // full path of the executable
  QStringList arguments;
  // GNOME's own keyboard is switched on through a setting rather than run;
  // switching it on twice does no harm, so it is never looked for.
  bool desktop_setting = false;
};

// On Linux and other Unix desktops: the first installed program of
// `candidates` found through `find` (an executable search such as
// QStandardPaths::findExecutable); without one, on a GNOME desktop
// (`desktop` as XDG_CURRENT_DESKTOP gives it), the desktop's own keyboard.
// On Windows the system's "osk.exe".
using FindExecutable = std::function<QString(const QString& name)>;
std::optional<OnScreenKeyboardProgram> FindOnScreenKeyboard(const QStringList& candidates,
                                                            const FindExecutable& find,
                                                            const QString& desktop = {});

// The programs tried, in order: the ones desktops ship that can be started
// as a plain program.
QStringList OnScreenKeyboardCandidates();

// Starts the program at most once: while one it started, or one of the same
// name started elsewhere, is running, Start does nothing.
class OnScreenKeyboard : public QObject {
  Q_OBJECT

 public:
  explicit OnScreenKeyboard(QObject* parent = nullptr);

  bool Available() const { return program_.has_value(); }
  const std::optional<OnScreenKeyboardProgram>& Program() const { return program_; }
  // True when a keyboard is running afterwards.
  bool Start();

 private:
  std::optional<OnScreenKeyboardProgram> program_;
  qint64 started_pid_ = 0;
};

// Whether a process with this name runs (Linux: read from /proc).
bool ProcessRunning(const QString& name);
bool ProcessAlive(qint64 pid);

}  // namespace quorlin::ui
