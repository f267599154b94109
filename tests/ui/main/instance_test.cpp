#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>
#include <cstring>
#include <fstream>
#include <thread>

#include "app/command_line.h"
#include "app/instance_server.h"
#include "app/quorlin_app.h"
#include "main_window_rig.h"
#include "platform/foreign_user.h"
#include "platform/instance_channel.h"

namespace quorlin::ui::testing {
namespace {

using app::StartStep;

TEST(StartOptions, SwitchesInOrderAndSimulatorChoice) {
  struct Case {
    std::vector<std::string> args;
    std::vector<StartStep> steps;
    bool simulate;
    uint16_t product;
  };
  const Case cases[] = {
      {{"/Start"}, {StartStep::kStartHidden}, false, 0x5000},
      {{"/kill"}, {StartStep::kKillRunning}, false, 0x5000},
      {{"/START", "--kill"}, {StartStep::kStartHidden, StartStep::kKillRunning}, false, 0x5000},
      {{"--start", "stray-word", "/other"}, {StartStep::kStartHidden}, false, 0x5000},
      {{"--simulate=0x0000", "--sim-state", "kb.bin"}, {}, true, 0x0000},
      {{"--simulate"}, {}, true, 0x5000},
  };
  for (const Case& c : cases) {
    std::string error;
    const auto o = app::ParseStartOptions(c.args, error);
    ASSERT_TRUE(o) << c.args.front() << ": " << error;
    EXPECT_EQ(o->steps, c.steps) << c.args.front();
    EXPECT_EQ(o->simulate, c.simulate) << c.args.front();
    EXPECT_EQ(o->simulated_product, c.product) << c.args.front();
  }
}

TEST(StartOptions, BadOptionsAreRefusedWithAReason) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--simulate=0x1234"},
                                               {"--sim-state", "kb.bin"},
                                               {"--simulate", "--sim-state"},
                                               {"--frobnicate"}}) {
    std::string error;
    EXPECT_FALSE(app::ParseStartOptions(args, error)) << args.front();
    EXPECT_FALSE(error.empty()) << args.front();
  }
}

// The socket in `folder`, made private first as a runtime folder must be.
std::filesystem::path SocketIn(const TempFolder& folder) {
  std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::replace);
  return platform::InstanceSocketPath([&](std::string_view name) -> std::optional<std::string> {
    if (name == "XDG_RUNTIME_DIR") return folder.path().string();
    return std::nullopt;
  });
}

// A request sent from another thread while this one runs the server's events.
platform::RequestResult SendWhileSpinning(const std::filesystem::path& socket,
                                          std::string_view request) {
  std::atomic<bool> done{false};
  platform::RequestResult result = platform::RequestResult::kNoAnswer;
  std::thread sender([&] {
    result = platform::SendInstanceRequestTo(socket, request, 5000);
    done = true;
  });
  SpinUntil([&] { return done.load(); }, 8000);
  sender.join();
  return result;
}

TEST(InstanceChannel, SocketNameCarriesTheUserAndIsPrivate) {
  TempFolder folder;
  const auto socket = SocketIn(folder);
  EXPECT_EQ(socket.parent_path(), folder.path());
  EXPECT_NE(socket.filename().string().find("QX42M07B-" + std::to_string(::getuid())),
            std::string::npos);
  EnsureApplication();
  app::InstanceServer server(socket, [](const std::string&) {});
  ASSERT_TRUE(server.Listen());
  const auto perms = std::filesystem::status(socket).permissions();
  EXPECT_EQ(perms & (std::filesystem::perms::group_all | std::filesystem::perms::others_all),
            std::filesystem::perms::none);
}

TEST(InstanceChannel, RequestsReachTheWindowAndUnknownWordsDoNothing) {
  WindowRig rig;
  rig.Arrive();
  const auto socket = SocketIn(rig.folder);
  app::InstanceServer server(socket, [&](const std::string& r) { rig.window->HandleRequest(r); });
  ASSERT_TRUE(server.Listen());

  EXPECT_EQ(SendWhileSpinning(socket, "SHUTDOWN-EVERYTHING"), platform::RequestResult::kHandled);
  EXPECT_FALSE(rig.window->isVisible());
  EXPECT_FALSE(rig.window->Ended());

  rig.Sim().ClearReceivedFrames();
  EXPECT_EQ(SendWhileSpinning(socket, platform::kRequestReload), platform::RequestResult::kHandled);
  EXPECT_TRUE(rig.Sent(device::cmd::kReadKeyTable));

  EXPECT_EQ(SendWhileSpinning(socket, platform::kRequestOpen), platform::RequestResult::kHandled);
  EXPECT_TRUE(rig.window->isVisible());

  EXPECT_EQ(SendWhileSpinning(socket, platform::kRequestKill), platform::RequestResult::kHandled);
  EXPECT_TRUE(rig.window->Ended());
}

TEST(InstanceChannel, ASocketLeftByACrashNeverBlocksAStart) {
  TempFolder folder;
  const auto socket = SocketIn(folder);
  // A bound socket file nobody listens on, as a crash leaves it.
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socket.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(fd);
  ASSERT_TRUE(std::filesystem::exists(socket));

  EnsureApplication();
  app::InstanceServer server(socket, [](const std::string&) {});
  EXPECT_TRUE(server.Listen());
  EXPECT_EQ(platform::SendInstanceRequestTo(folder.path() / "nobody.sock", "OPEN", 200),
            platform::RequestResult::kNoInstance);
}

// The real program started a second time: it shows the running window and
// ends with 0; started with /Kill it ends the running one.
TEST(InstanceChannel, SecondStartShowsTheFirstAndKillEndsIt) {
  WindowRig rig;
  rig.Arrive();
  const auto socket = SocketIn(rig.folder);
  auto server = std::make_unique<app::InstanceServer>(
      socket, [&](const std::string& r) { rig.window->HandleRequest(r); });
  ASSERT_TRUE(server->Listen());

  auto run = [&](const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(rig.folder.path().string()));
    env.insert("XDG_CONFIG_HOME", QString::fromStdString((rig.folder.path() / "cfg").string()));
    env.insert("XDG_DATA_HOME", QString::fromStdString((rig.folder.path() / "data").string()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(QString(QUORLIN_BIN_DIR) + "/quorlin", args);
    EXPECT_TRUE(p.waitForStarted());
    SpinUntil([&] { return p.state() == QProcess::NotRunning; }, 15000);
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  };
  EXPECT_EQ(run({"--simulate"}), 0);
  EXPECT_TRUE(rig.window->isVisible());
  EXPECT_FALSE(rig.window->Ended());
  EXPECT_EQ(run({"/KILL"}), 0);
  EXPECT_TRUE(rig.window->Ended());
  // With nothing running, /Kill still just ends.
  server.reset();
  EXPECT_EQ(run({"/Kill"}), 0);
}

using quorlin::testing::BecomeNobody;
using quorlin::testing::CanActAsAnotherUser;
using quorlin::testing::PlantedSocket;

// Another user who can reach the socket (its permissions widened here, as
// a careless system might) still gets nowhere: the server checks the peer.
TEST(InstanceChannel, AnotherUserConnectingIsCutOffAndNothingIsHandled) {
  if (!CanActAsAnotherUser()) GTEST_SKIP() << "needs root to connect as another user";
  EnsureApplication();
  TempFolder folder;
  std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
  const auto socket = folder.path() / "instance.sock";
  int handled = 0;
  app::InstanceServer server(socket, [&](const std::string&) { ++handled; });
  ASSERT_TRUE(server.Listen());
  std::filesystem::permissions(socket, std::filesystem::perms::all);

  int report[2];
  ASSERT_EQ(::pipe(report), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    BecomeNobody();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socket.c_str(), sizeof address.sun_path - 1);
    char said = 'x';  // could not connect
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
      [[maybe_unused]] ssize_t n = ::write(fd, "OPEN\nKILL\n", 10);
      pollfd p{fd, POLLIN, 0};
      char answer[8];
      said = ::poll(&p, 1, 5000) <= 0 ? 't' : ::read(fd, answer, sizeof answer) > 0 ? 'a' : 'c';
    }
    [[maybe_unused]] ssize_t n = ::write(report[1], &said, 1);
    _exit(0);
  }
  ::close(report[1]);
  int status = 0;
  ASSERT_TRUE(SpinUntil([&] { return ::waitpid(child, &status, WNOHANG) == child; }, 10000));
  char said = 0;
  ASSERT_EQ(::read(report[0], &said, 1), 1);
  ::close(report[0]);
  EXPECT_EQ(said, 'c') << "x: no connection, t: left hanging, a: answered";
  SpinUntil([] { return false; }, 200);  // anything queued would run now
  EXPECT_EQ(handled, 0);
  // This user is still served.
  std::atomic<bool> done{false};
  platform::RequestResult result{};
  std::thread sender([&] {
    result = platform::SendInstanceRequestTo(socket, platform::kRequestOpen, 5000);
    done = true;
  });
  SpinUntil([&] { return done.load(); }, 8000);
  sender.join();
  EXPECT_EQ(result, platform::RequestResult::kHandled);
  EXPECT_EQ(handled, 1);
}

// A socket planted by another user where ours belongs, listening or dead:
// a start neither talks to it nor runs beside it, and says why.
TEST(InstanceChannel, AStartRefusesASocketPlantedByAnotherUser) {
  if (!CanActAsAnotherUser()) GTEST_SKIP() << "needs root to plant a socket as another user";
  EnsureApplication();
  TempFolder folder;
  std::filesystem::permissions(folder.path(),
                               std::filesystem::perms::all | std::filesystem::perms::sticky_bit);
  const auto socket = folder.path() / "QX42M07B-0.sock";
  for (const bool listening : {true, false}) {
    for (const bool kill : {false, true}) {
      std::filesystem::remove(socket);
      PlantedSocket planted(socket, listening);
      ASSERT_TRUE(planted.Ready());
      app::StartOptions options;
      if (kill) options.steps.push_back(app::StartStep::kKillRunning);
      app::InstanceServer server(socket, [](const std::string&) {});
      const app::InstanceDecision decision = app::DecideInstance(options, server);
      EXPECT_EQ(decision.exit_status, std::optional<int>(1))
          << (listening ? "listening" : "dead") << (kill ? ", kill" : "");
      EXPECT_FALSE(server.Listening());
      EXPECT_EQ(planted.Stop(), "") << "the planted socket was sent a request";
      EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(socket)))
          << "their socket is left alone";
    }
  }
}

QProcessEnvironment ProgramEnvironment(const TempFolder& folder) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_RUNTIME_DIR", QString::fromStdString(folder.path().string()));
  env.insert("XDG_CONFIG_HOME", QString::fromStdString((folder.path() / "cfg").string()));
  env.insert("XDG_DATA_HOME", QString::fromStdString((folder.path() / "data").string()));
  env.insert("QT_QPA_PLATFORM", "offscreen");
  return env;
}

// A hang-up (a closed terminal, a logout) ends the program as Exit does:
// normally, and with its socket gone.
TEST(InstanceChannel, HangUpEndsTheProgramAsExitDoes) {
  EnsureApplication();
  TempFolder folder;
  const auto socket = SocketIn(folder);
  QProcess p;
  p.setProcessEnvironment(ProgramEnvironment(folder));
  p.start(QString(QUORLIN_BIN_DIR) + "/quorlin", {"--simulate"});
  ASSERT_TRUE(p.waitForStarted());
  // An answer comes from the window's event loop, so its handlers are in.
  ASSERT_TRUE(SpinUntil(
      [&] {
        return platform::SendInstanceRequestTo(socket, "PING", 500) ==
               platform::RequestResult::kHandled;
      },
      15000));
  ::kill(static_cast<pid_t>(p.processId()), SIGHUP);
  ASSERT_TRUE(SpinUntil([&] { return p.state() == QProcess::NotRunning; }, 15000));
  EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(p.exitCode(), 0);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(socket)));
}

// A broken installation stops the program with a message; "quorlin --kill"
// must still end it while the message is up. Needs a display: xvfb.
TEST(InstanceChannel, KillEndsTheProgramWhileTheSkinFailureMessageIsUp) {
  if (!std::filesystem::exists("/usr/bin/xvfb-run")) GTEST_SKIP() << "xvfb-run is not installed";
  EnsureApplication();
  TempFolder folder;
  SocketIn(folder);  // makes the folder private
  // An installed tree whose Skins folder lost Main.ini.
  namespace fs = std::filesystem;
  const fs::path bin = folder.path() / "bin";
  const fs::path share = folder.path() / "share" / "quorlin";
  fs::create_directories(bin);
  fs::create_directories(share / "Skins");
  fs::copy_file(fs::path(QUORLIN_BIN_DIR) / "quorlin", bin / "quorlin");
  for (const char* lang : {"Lang0409.ini", "Lang0407.ini", "Lang0416.ini"}) {
    fs::copy_file(fs::path(QUORLIN_BIN_DIR) / lang, share / lang);
  }
  QProcessEnvironment env = ProgramEnvironment(folder);
  env.remove("QT_QPA_PLATFORM");
  QProcess first;
  first.setProcessEnvironment(env);
  first.start("xvfb-run", {"-a", QString::fromStdString((bin / "quorlin").string()), "--simulate"});
  ASSERT_TRUE(first.waitForStarted());
  QByteArray said;
  ASSERT_TRUE(SpinUntil(
      [&] {
        said += first.readAllStandardError();
        return said.contains("Cannot use the skin file") || first.state() == QProcess::NotRunning;
      },
      30000))
      << said.toStdString();
  EXPECT_TRUE(said.contains((share / "Skins" / "Main.ini").string().c_str())) << said.toStdString();
  ASSERT_EQ(first.state(), QProcess::Running) << said.toStdString();

  QProcess kill;
  kill.setProcessEnvironment(env);
  kill.start(QString::fromStdString((bin / "quorlin").string()), {"--kill"});
  ASSERT_TRUE(kill.waitForFinished(15000));
  EXPECT_EQ(kill.exitCode(), 0);
  const bool ended = SpinUntil([&] { return first.state() == QProcess::NotRunning; }, 10000);
  if (!ended) {
    first.kill();
    first.waitForFinished(5000);
  }
  EXPECT_TRUE(ended) << "the message outlived --kill";
  EXPECT_EQ(first.exitCode(), 3);
}

// The language file of the current language cannot serve a text: start-up
// says so once, naming the file and why.
TEST(StartUp, ALanguageFileThatCannotBeReadIsNamed) {
  TempFolder folder;
  platform::IniSettingsStore settings(folder.path() / "settings.ini");
  text::LanguageFiles texts(folder.path(), settings, [] { return 0x0409u; });
  texts.Choose(1);  // English
  const auto file = texts.CurrentFile();
  EXPECT_NE(app::LanguageFileNotice(texts).value_or("").find(file.string() +
                                                             " cannot be read (no such file)"),
            std::string::npos);
  std::filesystem::create_directory(file);
  EXPECT_NE(app::LanguageFileNotice(texts).value_or("").find("a folder"), std::string::npos);
  std::filesystem::remove(file);
  std::ofstream(file) << "[TEXT]\nMAIN_LANGUAGE_FILE_UNREADABLE=%s: %s\nONE=1\n";
  EXPECT_FALSE(app::LanguageFileNotice(texts).has_value());
}

}  // namespace
}  // namespace quorlin::ui::testing
