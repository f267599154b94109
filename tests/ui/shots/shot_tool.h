#pragma once
// What the picture-taking tools share: waiting for the window to settle,
// saving a widget's picture, and their start (the output folder from the
// command line, settings in a temporary folder of their own).

#include <unistd.h>

#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/user_folders.h"

namespace quorlin::shots {

inline void Settle(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

inline bool Save(QWidget* w, const std::filesystem::path& file) {
  const bool ok = w != nullptr && w->grab().save(QString::fromStdString(file.string()), "PNG");
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", file.string().c_str());
  return ok;
}

struct ShotFolders {
  std::filesystem::path out;
  std::filesystem::path scratch;  // the tool's own settings and data
};

// The folders of `tool OUTPUT_FOLDER`, made; nothing, with the usage said,
// for any other command line. Call before the application object is made.
inline std::optional<ShotFolders> StartShotTool(int argc, char** argv, const char* tool) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", tool);
    return std::nullopt;
  }
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  ShotFolders f{argv[1], std::filesystem::temp_directory_path() /
                             ("quorlin-" + std::string(tool) + "-" + std::to_string(getpid()))};
  std::filesystem::create_directories(f.out);
  platform::OverrideUserFolders(platform::UserFolders{f.scratch / "cfg", f.scratch / "data"});
  return f;
}

}  // namespace quorlin::shots
