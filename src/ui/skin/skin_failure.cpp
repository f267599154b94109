#include "ui/skin/skin_failure.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "platform/instance_channel.h"
#include "ui/skin/skin_file.h"

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

bool IsSkinFile(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".ini";
}

std::string SkinFailureMessage(const std::filesystem::path& file, std::string_view reason) {
  std::string message;
  if (IsSkinFile(file)) {
    // The Skin file itself named no picture (or could not be read): say
    // so, rather than call it a picture.
    const std::string problem = SkinFileProblem(file);
    message = "Cannot use the skin file \"" + file.string() + "\"";
    if (!problem.empty()) {
      message += " (" + problem + ")";
    } else if (!reason.empty()) {
      message += ": " + std::string(reason);
    }
  } else {
    message = "Cannot load the skin picture \"" + file.string() + "\"";
    if (!reason.empty()) message += ": " + std::string(reason);
  }
  message += ". The program's Skins folder is damaged or incomplete; reinstall the program.";
  return message;
}

void FailOnSkinPicture(const std::filesystem::path& file, std::string_view reason) {
  const std::string message = SkinFailureMessage(file, reason);
  std::fprintf(stderr, "%s\n", message.c_str());
  std::fflush(stderr);
  if (HasDisplay()) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Skin"), QString::fromStdString(message),
                    QMessageBox::Ok);
    // A request to end the program (quorlin --kill, a signal) closes the
    // message as OK would: nothing else of the program runs yet to end it.
    box.setProperty(platform::kEndsOnKillProperty, true);
    box.exec();
  }
  // Nothing of the half-built window may run on: no exit handlers either.
  std::_Exit(kSkinFailureExitCode);
}

}  // namespace quorlin::ui
