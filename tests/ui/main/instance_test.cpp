#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <cstring>
#include <thread>

#include "app/command_line.h"
#include "app/instance_server.h"
#include "main_window_rig.h"
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

std::filesystem::path SocketIn(const TempFolder& folder) {
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

}  // namespace
}  // namespace quorlin::ui::testing
