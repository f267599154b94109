#include "sim/sim_backend.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "command_frames.h"
#include "device/report_descriptor.h"

namespace quorlin::sim {
namespace {

using device::HidHandle;
using device::HidOpenMode;
using device::OpenError;
using testing::Command;

constexpr HidOpenMode kReadWrite{};
constexpr HidOpenMode kReadOnly{.read = true, .write = false};

std::vector<uint8_t> ReadOne(HidHandle& handle, int timeout_ms) {
  std::vector<uint8_t> buffer(64);
  const int count = handle.Read(buffer, timeout_ms);
  buffer.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
  return buffer;
}

int ReadCount(HidHandle& handle, int timeout_ms) {
  std::vector<uint8_t> buffer(64);
  return handle.Read(buffer, timeout_ms);
}

std::unique_ptr<HidHandle> OpenOrDie(SimBackend& backend, const std::string& path,
                                     HidOpenMode mode = kReadWrite) {
  OpenError error = OpenError::kOther;
  auto handle = backend.Open(path, mode, error);
  EXPECT_TRUE(handle) << path;
  EXPECT_EQ(error, OpenError::kNone);
  return handle;
}

// Writes one frame and returns the reply the handle reads at once.
std::vector<uint8_t> Transact(HidHandle& handle, const device::Frame& frame) {
  EXPECT_EQ(handle.Write(frame, 1000), 64);
  return ReadOne(handle, 0);
}

class SimBackendTest : public ::testing::Test {
 protected:
  std::shared_ptr<VirtualKeyboard> keyboard_ = std::make_shared<VirtualKeyboard>();
  SimBackend backend_{keyboard_};
};

struct LayoutCase {
  bool shared;
  uint16_t product;
  const char* vendor_path;
  const char* consumer_path;
};

class LayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTest, EnumerationListsBothCollections) {
  const LayoutCase& c = GetParam();
  SimBackend backend(
      std::make_shared<VirtualKeyboard>(VirtualKeyboardOptions{.product_id = c.product}),
      {.shared_node = c.shared});
  std::vector<device::HidInterfaceInfo> found;
  ASSERT_TRUE(backend.Enumerate(found));
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].path, c.vendor_path);
  EXPECT_EQ(found[1].path, c.consumer_path);
  EXPECT_EQ(backend.VendorPath(), c.vendor_path);
  for (const auto& info : found) {
    EXPECT_EQ(info.vendor_id, 0x320F);
    EXPECT_EQ(info.product_id, c.product);
    EXPECT_EQ(info.release, 0x0105);
  }
  EXPECT_EQ(found[0].usage_page, 0xFF1C);
  EXPECT_EQ(found[0].usage, 0x92);
  EXPECT_EQ(found[1].usage_page, 0x0C);
  EXPECT_EQ(found[1].usage, 0x01);
}

TEST_P(LayoutTest, DescriptorsDeclareTheReportsOfEachCollection) {
  const LayoutCase& c = GetParam();
  SimBackend backend(
      std::make_shared<VirtualKeyboard>(VirtualKeyboardOptions{.product_id = c.product}),
      {.shared_node = c.shared});
  auto vendor = OpenOrDie(backend, c.vendor_path);
  auto consumer = OpenOrDie(backend, c.consumer_path, kReadOnly);
  std::string error;
  const auto parsed = device::ParseReportDescriptor(consumer->ReportDescriptor(), &error);
  ASSERT_TRUE(parsed) << error;
  ASSERT_EQ(parsed->collections.size(), c.shared ? 2u : 1u);

  const auto vendor_parsed = device::ParseReportDescriptor(vendor->ReportDescriptor());
  ASSERT_TRUE(vendor_parsed);
  const auto& v =
      vendor_parsed->collections.at(static_cast<std::size_t>(vendor->CollectionIndex()));
  EXPECT_EQ(std::tuple(v.usage_page, v.usage, v.input_report_length, v.output_report_length),
            std::tuple(0xFF1C, 0x92, 64, 64));
  const auto& e = parsed->collections.at(static_cast<std::size_t>(consumer->CollectionIndex()));
  EXPECT_EQ(std::tuple(e.usage_page, e.usage, e.input_report_length), std::tuple(0x0C, 0x01, 3));

  ASSERT_TRUE(backend.SendEvent(0x0402));
  const std::vector<uint8_t> report = ReadOne(*consumer, 1000);
  EXPECT_EQ(report, (std::vector<uint8_t>{0x03, 0x02, 0x04}));
  ASSERT_FALSE(e.inputs.empty());
  EXPECT_EQ(device::GetUsages(e.inputs[0], report, parsed->uses_report_ids),
            std::vector<uint16_t>{0x0402});
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, LayoutTest,
    ::testing::Values(LayoutCase{false, 0x5000, "sim:0x5000/vendor", "sim:0x5000/consumer"},
                      LayoutCase{false, 0x0000, "sim:0x0000/vendor", "sim:0x0000/consumer"},
                      LayoutCase{true, 0x5000, "sim:0x5000&col01", "sim:0x5000&col02"}));

TEST_F(SimBackendTest, CommandIsAnsweredAndRecorded) {
  auto vendor = OpenOrDie(backend_, backend_.VendorPath());
  const device::Frame frame = Command(3, 44, 0);
  const std::vector<uint8_t> reply = Transact(*vendor, frame);
  ASSERT_EQ(reply.size(), 64u);
  EXPECT_EQ(reply[7], 0);
  const auto info = keyboard_->Memory().device_info;
  EXPECT_TRUE(std::equal(info.begin(), info.end(), reply.begin() + 8));
  ASSERT_EQ(backend_.ReceivedFrames().size(), 1u);
  EXPECT_EQ(backend_.ReceivedFrames()[0], frame);
  backend_.ClearReceivedFrames();
  EXPECT_TRUE(backend_.ReceivedFrames().empty());
}

TEST_F(SimBackendTest, MalformedOrMisdirectedWritesFail) {
  auto vendor = OpenOrDie(backend_, backend_.VendorPath());
  auto vendor_read_only = OpenOrDie(backend_, backend_.VendorPath(), kReadOnly);
  auto consumer = OpenOrDie(backend_, backend_.ConsumerPath());
  device::Frame wrong_id = Command(3, 44, 0);
  wrong_id[0] = 3;
  const device::Frame good = Command(3, 44, 0);
  EXPECT_EQ(vendor->Write(std::span(good).first(63), 1000), -1);
  EXPECT_EQ(vendor->Write(wrong_id, 1000), -1);
  EXPECT_EQ(vendor_read_only->Write(good, 1000), -1);
  EXPECT_EQ(consumer->Write(good, 1000), -1);
  EXPECT_TRUE(backend_.ReceivedFrames().empty());
}

TEST_F(SimBackendTest, EventsReachOnlyTheConsumerNode) {
  auto vendor = OpenOrDie(backend_, backend_.VendorPath());
  auto consumer = OpenOrDie(backend_, backend_.ConsumerPath(), kReadOnly);
  backend_.SendEvent(0x1811);
  EXPECT_EQ(ReadOne(*consumer, 1000), (std::vector<uint8_t>{0x03, 0x11, 0x18}));
  EXPECT_EQ(ReadCount(*vendor, 0), 0);
}

// Every handle of the node receives its reports, and, as hidraw handles
// do, each keeps only those of its own collection.
TEST(SimBackendSharedNode, EveryHandleReadsItsOwnCollectionsReports) {
  SimBackend backend(std::make_shared<VirtualKeyboard>(), {.shared_node = true});
  auto command = OpenOrDie(backend, backend.VendorPath());
  auto second = OpenOrDie(backend, backend.VendorPath());
  auto events = OpenOrDie(backend, backend.ConsumerPath(), kReadOnly);
  ASSERT_EQ(command->Write(Command(1, 0, 0), 1000), 64);
  backend.SendEvent(0x0401);
  for (HidHandle* handle : {command.get(), second.get()}) {
    const std::vector<uint8_t> reply = ReadOne(*handle, 1000);
    ASSERT_EQ(reply.size(), 64u);
    EXPECT_EQ(reply[0], 4);
    EXPECT_EQ(ReadCount(*handle, 0), 0) << "the event report is passed over";
  }
  EXPECT_EQ(ReadOne(*events, 1000), (std::vector<uint8_t>{0x03, 0x01, 0x04}))
      << "the reply is passed over";
}

TEST_F(SimBackendTest, ReadWithoutReportTimesOut) {
  auto vendor = OpenOrDie(backend_, backend_.VendorPath());
  EXPECT_EQ(ReadCount(*vendor, 20), 0);
}

TEST_F(SimBackendTest, AbortReleasesABlockedReadAndFailsLaterOnes) {
  auto consumer = OpenOrDie(backend_, backend_.ConsumerPath(), kReadOnly);
  std::atomic<int> result{1};
  std::thread reader([&] { result = ReadCount(*consumer, -1); });
  consumer->Abort();
  reader.join();
  EXPECT_EQ(result, -1);
  backend_.SendEvent(0x0401);
  EXPECT_EQ(ReadCount(*consumer, 0), -1);
}

TEST_F(SimBackendTest, UnplugReleasesBlockedReadsAndReplugGivesNewNodes) {
  auto vendor = OpenOrDie(backend_, backend_.VendorPath());
  const std::string path = backend_.VendorPath();
  std::atomic<int> result{1};
  std::thread reader([&] { result = ReadCount(*vendor, -1); });
  backend_.Unplug();
  reader.join();
  EXPECT_EQ(result, -1);
  EXPECT_FALSE(backend_.StillPresent(path));
  EXPECT_EQ(vendor->Write(Command(1, 0, 0), 1000), -1);
  std::vector<device::HidInterfaceInfo> found;
  EXPECT_TRUE(backend_.Enumerate(found));
  EXPECT_TRUE(found.empty());
  OpenError error = OpenError::kNone;
  EXPECT_FALSE(backend_.Open(path, kReadWrite, error));
  EXPECT_EQ(error, OpenError::kNotFound);

  backend_.Plug();
  EXPECT_TRUE(backend_.StillPresent(path));
  EXPECT_EQ(vendor->Write(Command(1, 0, 0), 1000), -1);  // the old handle stays dead
  auto again = OpenOrDie(backend_, path);
  EXPECT_EQ(Transact(*again, Command(1, 0, 0)).size(), 64u);
  EXPECT_EQ(backend_.Keyboard(), keyboard_);
}

// A waiter may not be waiting yet when the other thread acts, so each test
// keeps acting until the waiter is back.
bool WaitWhile(SimBackend& backend, const std::function<void()>& act) {
  std::atomic<bool> done{false};
  bool changed = false;
  std::thread waiter([&] {
    changed = backend.WaitForChange(-1);
    done = true;
  });
  while (!done) {
    act();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  waiter.join();
  return changed;
}

TEST_F(SimBackendTest, WaitForChangeTellsAChangeFromAWakeUp) {
  EXPECT_FALSE(backend_.WaitForChange(10));
  EXPECT_TRUE(WaitWhile(backend_, [this] {
    backend_.Unplug();
    backend_.Plug();
  }));
  EXPECT_FALSE(WaitWhile(backend_, [this] { backend_.WakeWaiters(); }));
}

TEST_F(SimBackendTest, HandleOutlivingTheBackendFails) {
  std::unique_ptr<HidHandle> vendor;
  {
    SimBackend backend(std::make_shared<VirtualKeyboard>());
    vendor = OpenOrDie(backend, backend.VendorPath());
  }
  EXPECT_EQ(ReadCount(*vendor, 0), -1);
}

TEST_F(SimBackendTest, BootModeFrameIsRecordedButNotAnswered) {
  auto vendor = OpenOrDie(backend_, backend_.VendorPath());
  device::Frame boot{};
  boot[0] = 4;
  boot[3] = boot[4] = 0xEE;
  EXPECT_TRUE(Transact(*vendor, boot).empty());
  EXPECT_TRUE(keyboard_->BootModeRequested());
  EXPECT_EQ(backend_.ReceivedFrames().size(), 1u);
}

}  // namespace
}  // namespace quorlin::sim
