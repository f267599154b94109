#include "ui/editors/on_screen_keyboard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#if defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace quorlin::ui {

QStringList OnScreenKeyboardCandidates() {
#if defined(Q_OS_WIN)
  return {QStringLiteral("osk.exe")};
#else
  return {QStringLiteral("onboard"), QStringLiteral("florence"), QStringLiteral("kvkbd"),
          QStringLiteral("matchbox-keyboard"), QStringLiteral("xvkbd")};
#endif
}

std::optional<OnScreenKeyboardProgram> FindOnScreenKeyboard(const QStringList& candidates,
                                                            const FindExecutable& find,
                                                            const QString& desktop) {
  for (const QString& name : candidates) {
    const QString path = find(name);
    if (!path.isEmpty()) return OnScreenKeyboardProgram{name, path, {}, false};
  }
  if (desktop.split(QLatin1Char(':')).contains(QStringLiteral("GNOME"), Qt::CaseInsensitive)) {
    const QString gsettings = find(QStringLiteral("gsettings"));
    if (!gsettings.isEmpty()) {
      return OnScreenKeyboardProgram{
          QStringLiteral("gsettings"),
          gsettings,
          {QStringLiteral("set"), QStringLiteral("org.gnome.desktop.a11y.applications"),
           QStringLiteral("screen-keyboard-enabled"), QStringLiteral("true")},
          true};
    }
  }
  return std::nullopt;
}

bool ProcessRunning(const QString& name) {
#if defined(Q_OS_WIN)
  // The system keyboard's window class tells whether it is up.
  return FindWindowW(L"OSKMainClass", nullptr) != nullptr && name == QStringLiteral("osk.exe");
#else
  const QDir proc(QStringLiteral("/proc"));
  for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    bool numeric = false;
    entry.toLongLong(&numeric);
    if (!numeric) continue;
    QFile comm(proc.filePath(entry + QStringLiteral("/comm")));
    if (!comm.open(QIODevice::ReadOnly)) continue;
    // The kernel keeps the first 15 bytes of the name.
    if (QString::fromUtf8(comm.readAll()).trimmed() == name.left(15)) return true;
  }
  return false;
#endif
}

bool ProcessAlive(qint64 pid) {
  if (pid <= 0) return false;
#if defined(Q_OS_WIN)
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return false;
  const bool alive = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return alive;
#else
  return QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid));
#endif
}

OnScreenKeyboard::OnScreenKeyboard(QObject* parent) : QObject(parent) {
#if defined(Q_OS_WIN)
  // A 32-bit program must not be redirected away from the 64-bit system
  // keyboard, so the system folder is named directly.
  wchar_t system_dir[MAX_PATH] = {};
  GetSystemDirectoryW(system_dir, MAX_PATH);
  QString path = QString::fromWCharArray(system_dir) + QStringLiteral("\\osk.exe");
  if (QFileInfo::exists(path))
    program_ = OnScreenKeyboardProgram{QStringLiteral("osk.exe"), path, {}, false};
#else
  program_ = FindOnScreenKeyboard(
      OnScreenKeyboardCandidates(),
      [](const QString& name) { return QStandardPaths::findExecutable(name); },
      qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
#endif
}

bool OnScreenKeyboard::Start() {
  if (!program_) return false;
  if (!program_->desktop_setting && (ProcessAlive(started_pid_) || ProcessRunning(program_->name)))
    return true;
  qint64 pid = 0;
  // An argument list, never a shell line.
  if (!QProcess::startDetached(program_->program, program_->arguments,
                               QFileInfo(program_->program).absolutePath(), &pid)) {
    return false;
  }
  started_pid_ = pid;
  return true;
}

}  // namespace quorlin::ui
