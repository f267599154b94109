#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "device/commands.h"
#include "device/event_reader.h"
#include "device/presence_monitor.h"
#include "sim_link.h"

namespace quorlin::device {
namespace {

using testing::RecordingNotifications;
using testing::SimLink;

constexpr PresenceTiming kFast{1, 5, 20};

bool WaitFor(const std::function<bool()>& done, int ms = 3000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return done();
}

TEST(Presence, KeyboardPresentAtStart) {
  for (uint16_t product : {kProductId0000, kProductId5000}) {
    SCOPED_TRACE(product);
    SimLink s(product);
    RecordingNotifications ui;
    PresenceMonitor monitor(s.link, ui, kFast);
    monitor.Start();
    ASSERT_TRUE(WaitFor([&] { return ui.Count("open") == 1; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    monitor.Stop();

    EXPECT_EQ(ui.Calls(), (std::vector<std::string>{"reload", "tray:connected", "open"}));
    EXPECT_TRUE(s.link.Present());
    const KeyboardVariant v = s.link.Variant();
    EXPECT_EQ(v.key_table_length, product == kProductId0000 ? 378 : 512);
    EXPECT_EQ(v.key_count, product == kProductId0000 ? 126 : 128);
    const auto memory = s.keyboard->Memory();
    const auto table = s.link.DefaultTable();
    EXPECT_TRUE(std::equal(memory.default_key_table.begin(), memory.default_key_table.end(),
                           table.begin()));
    EXPECT_EQ(s.link.MacroCapacity(), memory.device_info[11] * 128);
    EXPECT_EQ(s.link.first_arrival_handled.load(), 1);
  }
}

TEST(Presence, StartedHiddenPostsNoOpenNotification) {
  SimLink s;
  s.link.first_arrival_handled = 1;
  RecordingNotifications ui;
  PresenceMonitor monitor(s.link, ui, kFast);
  monitor.Start();
  ASSERT_TRUE(WaitFor([&] { return ui.Count("tray:connected") == 1; }));
  monitor.Stop();
  EXPECT_EQ(ui.Count("open"), 0);
  EXPECT_EQ(ui.Count("reload"), 1);
}

TEST(Presence, LateArrivalReloadsWithoutOpenNotification) {
  SimLink s;
  s.backend.Unplug();
  RecordingNotifications ui;
  PresenceMonitor monitor(s.link, ui, kFast);
  monitor.Start();
  ASSERT_TRUE(WaitFor([&] { return s.link.first_arrival_handled.load() == 1; }));
  EXPECT_TRUE(ui.Calls().empty());
  s.backend.Plug();
  ASSERT_TRUE(WaitFor([&] { return ui.Count("tray:connected") == 1; }));
  monitor.Stop();
  EXPECT_EQ(ui.Calls(), (std::vector<std::string>{"reload", "tray:connected"}));
}

TEST(Presence, UnplugAndReplug) {
  SimLink s;
  RecordingNotifications ui;
  PresenceMonitor monitor(s.link, ui, kFast);
  monitor.Start();
  ASSERT_TRUE(WaitFor([&] { return ui.Count("open") == 1; }));
  ASSERT_EQ(s.link.ActiveProfile(), 0);
  ui.Clear();

  s.backend.Unplug();
  ASSERT_TRUE(WaitFor([&] { return ui.Count("tray:disconnected") == 1; }));
  EXPECT_EQ(ui.Calls(), (std::vector<std::string>{"removed", "hide", "tray:disconnected"}));
  EXPECT_FALSE(s.link.Present());
  EXPECT_EQ(s.link.CachedActiveProfile(), -1);
  s.backend.ClearReceivedFrames();
  DeviceInfo info;
  EXPECT_EQ(ReadDeviceInfo(s.link.Channel(), info), kAbsent);
  EXPECT_TRUE(s.backend.ReceivedFrames().empty());

  ui.Clear();
  s.backend.Plug();
  ASSERT_TRUE(WaitFor([&] { return ui.Count("tray:connected") == 1; }));
  monitor.Stop();
  EXPECT_EQ(ui.Calls(), (std::vector<std::string>{"reload", "tray:connected"}));
  EXPECT_EQ(ReadDeviceInfo(s.link.Channel(), info), kOk);
}

TEST(Presence, DefaultTableFailureIsReportedAndArrivalGoesOn) {
  SimLink s;
  // The first scan's device info read, then the first default-table chunk.
  s.backend.RefuseNextFrames(2);
  RecordingNotifications ui;
  PresenceMonitor monitor(s.link, ui, kFast);
  monitor.Start();
  ASSERT_TRUE(WaitFor([&] { return ui.Count("open") == 1; }));
  monitor.Stop();
  EXPECT_EQ(ui.Calls(), (std::vector<std::string>{"message:MAIN_DEFAULT_MATRIX_PROMPT", "reload",
                                                  "tray:connected", "open"}));
  EXPECT_GT(s.link.MacroCapacity(), 0);
}

TEST(Presence, ListingFailureEndsTheThread) {
  SimLink s;
  s.backend.SetEnumerationFails(true);
  RecordingNotifications ui;
  PresenceMonitor monitor(s.link, ui, kFast);
  monitor.Start();
  ASSERT_TRUE(WaitFor([&] { return monitor.Ended(); }));
  monitor.Stop();
  EXPECT_TRUE(ui.Calls().empty());
}

TEST(Presence, NotPermittedIsItsOwnState) {
  SimLink s;
  s.backend.SetOpenDenied(true);
  EXPECT_EQ(ConnectKeyboard(s.link), FindResult::kNotPermitted);
  EXPECT_FALSE(s.link.Present());
  s.backend.SetOpenDenied(false);
  s.backend.Unplug();
  EXPECT_EQ(ConnectKeyboard(s.link), FindResult::kNoKeyboard);
}

TEST(Presence, SecondCallWithTheSameStateDoesNothing) {
  SimLink s;
  RecordingNotifications ui;
  PresenceMonitor monitor(s.link, ui, kFast);
  monitor.DeviceStateChanged(0);
  EXPECT_TRUE(ui.Calls().empty());
  EXPECT_EQ(s.link.first_arrival_handled.load(), 0);
}

struct EventCase {
  uint16_t code;
  const char* call;  // nullptr: ignored
};

TEST(Events, EachCodeHasItsReaction) {
  const EventCase cases[] = {
      {0x0401, "timer:1051"},     {0x0402, "timer:1053"}, {0x1810, "tray:restore"},
      {0x1811, "tray:alternate"}, {0x0000, nullptr},      {0x1801, nullptr},
      {0x1804, nullptr},
  };
  for (bool shared : {false, true}) {
    SCOPED_TRACE(shared ? "shared node" : "own node");
    sim::SimBackendOptions options;
    options.shared_node = shared;
    SimLink s(kProductId5000, options);
    RecordingNotifications ui;
    EventReader reader(s.backend, ui, 10);
    reader.Start();
    ASSERT_TRUE(WaitFor([&] { return reader.Listening(); }));
    for (const auto& c : cases) {
      ui.Clear();
      ASSERT_TRUE(s.backend.SendEvent(c.code));
      // A marker event after each one tells when the reader got there.
      ASSERT_TRUE(s.backend.SendEvent(0x0401));
      ASSERT_TRUE(WaitFor([&] { return ui.Count("timer:1051") >= 1; })) << c.code;
      if (c.call) {
        ASSERT_TRUE(WaitFor([&] { return ui.Count(c.call) >= 1; })) << c.code;
      }
      reader.Stop();  // joins the tray workers, so their calls are in
      const auto calls = ui.Calls();
      const std::size_t expected = c.call && std::string(c.call) != "timer:1051" ? 2 : 1;
      const std::size_t extra = c.code == 0x0401 ? 1 : 0;
      EXPECT_EQ(calls.size(), expected + extra) << std::hex << c.code;
      reader.Start();
      ASSERT_TRUE(WaitFor([&] { return reader.Listening(); }));
    }
    reader.Stop();
  }
}

TEST(Events, VendorRepliesOnASharedNodeAreNotEvents) {
  sim::SimBackendOptions options;
  options.shared_node = true;
  SimLink s(kProductId5000, options);
  ASSERT_TRUE(s.Connect());
  RecordingNotifications ui;
  EventReader reader(s.backend, ui, 10);
  reader.Start();
  ASSERT_TRUE(WaitFor([&] { return reader.Listening(); }));
  for (int i = 0; i < 20; ++i) {
    DeviceInfo info;
    ASSERT_EQ(ReadDeviceInfo(s.link.Channel(), info), kOk);
  }
  ASSERT_TRUE(s.backend.SendEvent(0x0402));
  ASSERT_TRUE(WaitFor([&] { return ui.Count("timer:1053") == 1; }));
  reader.Stop();
  EXPECT_EQ(ui.Calls(), (std::vector<std::string>{"timer:1053"}));
}

TEST(Events, UnplugClosesAndTheNextScanReopens) {
  SimLink s;
  RecordingNotifications ui;
  EventReader reader(s.backend, ui, 10);
  reader.Start();
  ASSERT_TRUE(WaitFor([&] { return reader.Listening(); }));
  s.backend.Unplug();
  ASSERT_TRUE(WaitFor([&] { return !reader.Listening(); }));
  s.backend.Plug();
  ASSERT_TRUE(WaitFor([&] { return reader.Listening(); }));
  ASSERT_TRUE(s.backend.SendEvent(0x0402));
  ASSERT_TRUE(WaitFor([&] { return ui.Count("timer:1053") == 1; }));
  reader.Stop();
}

TEST(Events, ArrivalIsNoticedWithoutPollingAndStopIsPrompt) {
  // A rescan far longer than the test: only the backend's change notice
  // can bring the reader to the keyboard, and only the stop wake-up can end
  // its wait. Both device threads wait on the backend together, as in the
  // window.
  SimLink s;
  s.backend.Unplug();
  RecordingNotifications ui;
  constexpr int kNever = 600000;
  PresenceMonitor presence(s.link, ui, {0, kNever, kNever});
  EventReader reader(s.backend, ui, kNever);
  presence.Start();
  reader.Start();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(reader.Listening());
  s.backend.Plug();
  ASSERT_TRUE(WaitFor([&] { return reader.Listening(); }));
  s.backend.Unplug();
  ASSERT_TRUE(WaitFor([&] { return !reader.Listening(); }));
  // Returns only if the stop wake-up reaches both waits.
  reader.Stop();
  presence.Stop();
}

}  // namespace
}  // namespace quorlin::device
