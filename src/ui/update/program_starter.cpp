#include "ui/update/program_starter.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace quorlin::ui {

namespace {

class DetachedStarter final : public ProgramStarter {
 public:
  bool Start(const std::filesystem::path& program) override {
    return QProcess::startDetached(QString::fromStdString(program.string()), QStringList());
  }
};

}  // namespace

ProgramStarter& SystemProgramStarter() {
  static DetachedStarter starter;
  return starter;
}

bool UpdaterRunsOnThisPlatform() {
#ifdef Q_OS_WIN
  return true;
#else
  return false;
#endif
}

}  // namespace quorlin::ui
