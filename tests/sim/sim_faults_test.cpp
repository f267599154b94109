#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "command_frames.h"
#include "sim/sim_backend.h"

namespace quorlin::sim {
namespace {

using device::HidHandle;
using testing::Command;

// Writes the first lighting byte; the reply, if any, is read at once.
struct Outcome {
  int written = 0;
  int status = -1;  // -1: no reply
};

class SimFaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device::OpenError error;
    vendor_ = backend_.Open(backend_.VendorPath(), {}, error);
    ASSERT_TRUE(vendor_);
  }

  Outcome SetMode(uint8_t mode, int read_timeout_ms = 0) {
    Outcome outcome;
    outcome.written = vendor_->Write(Command(6, 1, 0, std::vector<uint8_t>{mode}), 1000);
    std::vector<uint8_t> reply(64);
    if (vendor_->Read(reply, read_timeout_ms) == 64) outcome.status = reply[7];
    return outcome;
  }
  uint8_t Mode() const { return keyboard_->Memory().lighting[0]; }

  std::shared_ptr<VirtualKeyboard> keyboard_ = std::make_shared<VirtualKeyboard>();
  SimBackend backend_{keyboard_};
  std::unique_ptr<HidHandle> vendor_;
};

TEST_F(SimFaultsTest, SilentFramesGetNoReplyAndNoEffect) {
  backend_.SilenceNextFrames(2);
  for (uint8_t mode : {7, 8}) {
    const Outcome outcome = SetMode(mode);
    EXPECT_EQ(outcome.written, 64);
    EXPECT_EQ(outcome.status, -1);
  }
  EXPECT_EQ(Mode(), 1);
  EXPECT_EQ(SetMode(9).status, 0);
  EXPECT_EQ(Mode(), 9);
  EXPECT_EQ(backend_.ReceivedFrames().size(), 3u);
}

TEST_F(SimFaultsTest, RefusedFramesCarryTheStatusAndHaveNoEffect) {
  for (uint8_t status : {0xFF, 0xFE}) {
    backend_.RefuseNextFrames(1, status);
    EXPECT_EQ(SetMode(7).status, status);
    EXPECT_EQ(Mode(), 1);
  }
  EXPECT_EQ(SetMode(7).status, 0);
  EXPECT_EQ(Mode(), 7);
}

TEST_F(SimFaultsTest, FailedWritesNeverReachTheKeyboard) {
  backend_.FailNextWrites(2);
  EXPECT_EQ(SetMode(7).written, -1);
  EXPECT_EQ(SetMode(7).written, -1);
  EXPECT_TRUE(backend_.ReceivedFrames().empty());
  EXPECT_EQ(SetMode(7).status, 0);
}

TEST_F(SimFaultsTest, UnplugAfterFramesCutsATransferShort) {
  backend_.UnplugAfterFrames(2);
  EXPECT_EQ(SetMode(7).status, 0);
  EXPECT_EQ(SetMode(8).status, 0);
  EXPECT_EQ(SetMode(9).written, -1);
  EXPECT_FALSE(backend_.Plugged());
  EXPECT_EQ(Mode(), 8);
  EXPECT_EQ(backend_.ReceivedFrames().size(), 2u);
}

TEST_F(SimFaultsTest, DelayedReplyIsNotThereBeforeItsTime) {
  backend_.SetReplyDelay(std::chrono::milliseconds(200));
  EXPECT_EQ(SetMode(7, 0).status, -1);
  std::vector<uint8_t> reply(64);
  EXPECT_EQ(vendor_->Read(reply, -1), 64);
  EXPECT_EQ(reply[7], 0);
}

TEST_F(SimFaultsTest, ReportIntervalMakesEachReportTakeAtLeastThatLong) {
  backend_.SetReportInterval(std::chrono::milliseconds(1));
  const auto start = std::chrono::steady_clock::now();
  constexpr int kTransactions = 5;
  for (int i = 0; i < kTransactions; ++i) EXPECT_EQ(SetMode(7, 1000).status, 0);
  // A lower bound only: one interval out and one back per transaction.
  EXPECT_GE(std::chrono::steady_clock::now() - start, kTransactions * std::chrono::milliseconds(2));
}

TEST_F(SimFaultsTest, OpenAndEnumerationFailuresAreReported) {
  backend_.SetOpenDenied(true);
  device::OpenError error = device::OpenError::kNone;
  EXPECT_FALSE(backend_.Open(backend_.VendorPath(), {}, error));
  EXPECT_EQ(error, device::OpenError::kPermissionDenied);
  backend_.SetEnumerationFails(true);
  std::vector<device::HidInterfaceInfo> found;
  EXPECT_FALSE(backend_.Enumerate(found));
  backend_.ClearFaults();
  EXPECT_TRUE(backend_.Enumerate(found));
  EXPECT_TRUE(backend_.Open(backend_.VendorPath(), {}, error));
}

// Transactions, events and an event reader at once on one shared node, as
// the device threads use it; run under TSan.
TEST(SimConcurrency, TransactionsAndEventsOnASharedNode) {
  SimBackend backend(std::make_shared<VirtualKeyboard>(), {.shared_node = true});
  device::OpenError error;
  auto command = backend.Open(backend.VendorPath(), {}, error);
  auto events = backend.Open(backend.ConsumerPath(), {.read = true, .write = false}, error);
  ASSERT_TRUE(command && events);
  // Together fewer reports than a handle's queue holds, so none is dropped.
  constexpr int kEvents = 30;
  constexpr int kTransactions = 30;
  std::atomic<int> events_seen{0};
  std::thread reader([&] {
    std::vector<uint8_t> report(64);
    while (events->Read(report, -1) > 0) events_seen += report[0] == 3;
  });
  std::thread sender([&] {
    for (int i = 0; i < kEvents; ++i) backend.SendEvent(0x0401);
  });
  int replies = 0;
  for (int i = 0; i < kTransactions; ++i) {
    ASSERT_EQ(command->Write(Command(3, 44, 0), 1000), 64);
    std::vector<uint8_t> report(64);
    while (command->Read(report, 1000) > 0 && report[0] != 4) {
    }
    replies += report[0] == 4;
  }
  sender.join();
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (events_seen < kEvents && std::chrono::steady_clock::now() < give_up)
    std::this_thread::yield();
  backend.Unplug();
  reader.join();
  EXPECT_EQ(replies, kTransactions);
  EXPECT_EQ(events_seen, kEvents);
}

}  // namespace
}  // namespace quorlin::sim
