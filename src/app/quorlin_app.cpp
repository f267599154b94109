#include "app/quorlin_app.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QSocketNotifier>
#include <QString>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <iostream>

#ifndef _WIN32
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#endif

#include "app/instance_server.h"
#include "platform/atomic_file.h"
#include "platform/instance_channel.h"
#include "platform/process_lock.h"
#include "platform/user_folders.h"
#include "text/system_language.h"

namespace quorlin::app {

namespace fs = std::filesystem;

namespace {

#ifndef _WIN32
// The end of a desktop session sends SIGTERM: the program then ends as by
// Exit, so the tray icon goes and a simulated keyboard keeps its memory.
int g_signal_pipe[2] = {-1, -1};

void OnTerminate(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(g_signal_pipe[1], &byte, 1);
}

void EndOnTerminate(std::function<void()> end) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signal_pipe) != 0) return;
  auto* notifier = new QSocketNotifier(g_signal_pipe[0], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [end = std::move(end)] {
    char byte = 0;
    [[maybe_unused]] const ssize_t n = ::read(g_signal_pipe[0], &byte, 1);
    end();
  });
  struct sigaction action {};
  action.sa_handler = OnTerminate;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  // A closed terminal or a logout that hangs up ends the program the same
  // way, not by the signal (which would leave the socket behind).
  sigaction(SIGHUP, &action, nullptr);
}

// Once the window is gone a signal ends the process the ordinary way.
void DefaultTerminate() {
  std::signal(SIGTERM, SIG_DFL);
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGHUP, SIG_DFL);
}
#else
void EndOnTerminate(std::function<void()>) {}
void DefaultTerminate() {}
#endif

}  // namespace

namespace {

// What a start says when the instance channel cannot be trusted or had.
int RefuseStart(const std::string& reason) {
  std::fprintf(stderr, "quorlin: the single-instance socket cannot be used: %s\n", reason.c_str());
  return 1;
}

// "/Kill": 0 when the running window ended or nothing ran; a socket of
// another user got nothing, and the caller hears so.
int KillRunning(const std::filesystem::path& socket) {
  if (platform::SendInstanceRequestTo(socket, platform::kRequestKill, 5000) ==
      platform::RequestResult::kNotOurs) {
    return RefuseStart(socket.string() + ": made by another user; nothing was sent");
  }
  return 0;
}

// Closes the windows marked to end on KILL (a message shown before the main
// window runs); true when there was one.
bool g_ended_before_window = false;

bool CloseWindowsThatEndOnKill() {
  bool closed = false;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->property(platform::kEndsOnKillProperty).toBool() && w->isVisible()) {
      w->close();
      closed = true;
      g_ended_before_window = true;
    }
  }
  return closed;
}

}  // namespace

void RemoveStaleSaves(const StartOptions& options) {
  const platform::UserFolders folders = platform::CurrentUserFolders();
  platform::RemoveStaleTempFiles(folders.config);
  platform::RemoveStaleTempFiles(folders.data);
  if (options.sim_state_file) {
    platform::RemoveStaleTempFiles(fs::absolute(*options.sim_state_file).parent_path());
  }
}

InstanceDecision DecideInstance(const StartOptions& options, InstanceServer& server) {
  InstanceDecision decision;
  for (StartStep step : options.steps) {
    if (step == StartStep::kStartHidden) {
      decision.start_hidden = true;
    } else {
      decision.exit_status = KillRunning(server.SocketPath());
      return decision;
    }
  }
  if (server.Listen()) return decision;
  // Another instance owns the socket: show it.
  switch (platform::SendInstanceRequestTo(server.SocketPath(), platform::kRequestOpen, 5000)) {
    case platform::RequestResult::kHandled:
    case platform::RequestResult::kNoAnswer:
      decision.exit_status = 0;
      return decision;
    case platform::RequestResult::kNotOurs:
      decision.exit_status = RefuseStart(server.Error().empty() ? server.SocketPath().string() +
                                                                      ": made by another user"
                                                                : server.Error());
      return decision;
    case platform::RequestResult::kNoInstance:
      break;
  }
  // It ended in between: this start takes the socket, or says why it
  // cannot (running on without it would let two windows share a keyboard).
  if (!server.Listen()) {
    decision.exit_status =
        RefuseStart(server.Error().empty() ? "another start took it" : server.Error());
  }
  return decision;
}

std::optional<std::string> LanguageFileNotice(const text::LanguageFiles& texts) {
  const std::string problem = texts.CurrentFileProblem();
  if (problem.empty()) return std::nullopt;
  // Said in English: the English file's words when it can give them.
  std::string tmpl = text::LangText(texts.dir(), "MAIN_LANGUAGE_FILE_UNREADABLE",
                                    text::FindLanguage(0x0409).value_or(0));
  if (tmpl == text::kMissingText || tmpl.empty()) {
    tmpl =
        "The language file %s cannot be read (%s). The program shows no texts until it is "
        "repaired or another language is chosen.";
  }
  std::string out;
  const std::string values[] = {texts.CurrentFile().string(), problem};
  std::size_t next = 0;
  for (std::size_t i = 0; i < tmpl.size(); ++i) {
    if (tmpl[i] == '%' && i + 1 < tmpl.size() && tmpl[i + 1] == 's' && next < 2) {
      out += values[next++];
      ++i;
    } else {
      out += tmpl[i];
    }
  }
  return out;
}

namespace {

// Shown once at start, before the window: on standard error always, in a
// message box where there is a display to show it (a request to end the
// program closes it).
void ShowLanguageFileNotice(const text::LanguageFiles& texts) {
  const std::optional<std::string> notice = LanguageFileNotice(texts);
  if (!notice) return;
  std::fprintf(stderr, "quorlin: %s\n", notice->c_str());
  const QString platform = QGuiApplication::platformName();
  if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return;
  QMessageBox box(QMessageBox::Warning, QStringLiteral("quorlin"), QString::fromStdString(*notice),
                  QMessageBox::Ok);
  box.setProperty(platform::kEndsOnKillProperty, true);
  box.exec();
}

}  // namespace

void StartCompanion(const fs::path& program) {
  const QFileInfo info(QString::fromStdString(program.string()));
  if (!info.isFile() || !info.isExecutable()) return;
  QProcess::startDetached(info.absoluteFilePath(), {});
}

int CQuorlinApp::Main(int argc, char** argv, const WindowRunner& run_window) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  const auto options = ParseStartOptions(args, error);
  if (!options) {
    std::fprintf(stderr, "quorlin: %s\n", error.c_str());
    return 2;
  }
  if (options->help) {
    std::fputs(StartHelpText().c_str(), stdout);
    return 0;
  }
  const platform::InstanceSocket socket =
      platform::InstanceSocketFrom(platform::ProcessEnvironment);
  // "/Kill" needs no display: end the running instance and stop here.
  for (StartStep step : options->steps) {
    if (step == StartStep::kKillRunning) {
      return socket.path.empty() ? RefuseStart(socket.error) : KillRunning(socket.path);
    }
  }
  if (socket.path.empty()) return RefuseStart(socket.error);
  QApplication::setApplicationName("quorlin");
  QApplication::setOrganizationName("Quorlin_Halvane");
  QApplication qt_app(argc, argv);
  // Closing the window hides it in the tray; only Exit ends the program.
  QApplication::setQuitOnLastWindowClosed(false);
  CQuorlinApp app;
  app.socket_path = socket.path;
  return app.Run(*options, run_window);
}

int CQuorlinApp::Run(const StartOptions& options, const WindowRunner& run_window) {
  // Paths from where the program's data lies.
  const AppPaths paths = MakeAppPaths(platform::ProgramDataDir(), platform::ExecutableDir());

  // Saves cut short by a kill leave their temporary files behind.
  RemoveStaleSaves(options);

  // The settings store shared with quorlinctl, and the language files.
  platform::IniSettingsStore settings = platform::UserSettingsStore();
  text::LanguageFiles texts(paths.program_dir, settings, text::SystemLanguageId);

  // Single instance: the window's request handler is installed once it exists.
  AppContext* context = nullptr;
  const auto handle = [&context](const std::string& request) {
    if (request == platform::kRequestKill && CloseWindowsThatEndOnKill()) return;
    if (context && context->on_request) context->on_request(request);
  };
  InstanceServer server(socket_path, handle);
  const InstanceDecision decision = DecideInstance(options, server);
  if (decision.exit_status) return *decision.exit_status;

  ShowLanguageFileNotice(texts);
  if (g_ended_before_window) return 0;

  StartCompanion(paths.companion);

  std::string error;
  auto backend = KeyboardBackend::Make(options, error);
  if (!backend) {
    std::fprintf(stderr, "quorlin: %s\n", error.c_str());
    return 1;
  }
  device::DeviceLink link(backend->Get());
  // The first arrival shows the window unless started hidden.
  link.first_arrival_handled = decision.start_hidden ? 1 : 0;
  // The working store and the applied store with their locks.
  flows::ProgramState state;

  AppContext ctx{options, paths, settings, texts, *backend, link, state, {}};
  context = &ctx;
  EndOnTerminate([&handle] { handle(std::string(platform::kRequestKill)); });
  const int status = run_window(ctx);
  DefaultTerminate();
  context = nullptr;

  // Each device job saved what it changed; anything left goes too, under
  // the lock quorlinctl takes, and never over a change it made since.
  if (options.sim_state_file) {
    const platform::KeyboardLock lock(platform::SimulatedKeyboardLockKey(*options.sim_state_file),
                                      std::chrono::seconds(10));
    if (!lock.Held() || !backend->SaveIfChanged(error))
      std::fprintf(stderr, "quorlin: %s\n", lock.Held() ? error.c_str() : lock.Error().c_str());
  }
  return status;
}

}  // namespace quorlin::app
