#pragma once
// Focus on KDE Plasma (Wayland or X11): KWin tells no other program which
// window is active, but runs scripts. The source loads a small script that
// calls back over the session bus at each activation, and unloads it
// again when the source ends.

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <map>
#include <memory>

#include "ui/autoprofile/focus_source.h"

namespace quorlin::ui {

class KWinFocusReceiver;

class KWinFocusSource final : public FocusSource {
 public:
  KWinFocusSource();
  ~KWinFocusSource() override;

  // True when the script runs in KWin.
  bool Available() const override { return loaded_; }
  // KWin lists windows only to its scripts: the applications whose windows
  // had focus since the source started.
  std::vector<RunningApp> RunningApplications() override;
  long WakeUps() const override { return wake_ups_; }

  // The script's call.
  void OnActive(const QString& resource_class, const QString& resource_name, qlonglong pid);

  // The script's text for the program at `bus_name`.
  static QString ScriptText(const QString& bus_name);

 private:
  std::unique_ptr<KWinFocusReceiver> receiver_;
  QTemporaryDir folder_;
  QString plugin_name_;
  bool loaded_ = false;
  long wake_ups_ = 0;
  std::map<std::string, RunningApp> seen_;
};

// Exported on the session bus at /AutoProfile for the script to call.
class KWinFocusReceiver : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.quorlin.AutoProfile")

 public:
  explicit KWinFocusReceiver(KWinFocusSource& source) : source_(source) {}

 public slots:
  void Active(const QString& resource_class, const QString& resource_name, qlonglong pid) {
    source_.OnActive(resource_class, resource_name, pid);
  }

 private:
  KWinFocusSource& source_;
};

}  // namespace quorlin::ui
