#include "ui/skin/skin_failure.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <cstdio>
#include <cstdlib>

namespace quorlin::ui {
namespace {

// Only a real display can show a message box; the offscreen and minimal
// platforms have no one to read it.
bool HasDisplay() {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (app == nullptr) return false;
  const QString platform = QGuiApplication::platformName();
  return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

}  // namespace

std::string SkinFailureMessage(const std::filesystem::path& file, std::string_view reason) {
  std::string message = "Cannot load the skin picture \"" + file.string() + "\"";
  if (!reason.empty()) message += ": " + std::string(reason);
  message += ". The program's Skins folder is damaged or incomplete; reinstall the program.";
  return message;
}

void FailOnSkinPicture(const std::filesystem::path& file, std::string_view reason) {
  const std::string message = SkinFailureMessage(file, reason);
  std::fprintf(stderr, "%s\n", message.c_str());
  std::fflush(stderr);
  if (HasDisplay()) {
    QMessageBox::critical(nullptr, QStringLiteral("Skin"), QString::fromStdString(message));
  }
  // Nothing of the half-built window may run on: no exit handlers either.
  std::_Exit(kSkinFailureExitCode);
}

}  // namespace quorlin::ui
