#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "device/hid_device.h"
#include "device/keyboard_finder.h"
#include "sim/report_descriptors.h"
#include "sim/sim_backend.h"
#include "sim/virtual_keyboard.h"

namespace quorlin::device {
namespace {

// A boot keyboard's application collection: usage page 1, usage 6.
const std::vector<uint8_t> kBootKeyboardDescriptor = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15,
    0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0xC0};

// A machine with interfaces of our own choosing; counts every open.
class ListedBackend : public HidBackend {
 public:
  struct Entry {
    HidInterfaceInfo info;
    std::vector<uint8_t> descriptor;
  };
  std::vector<Entry> entries;
  std::vector<std::string> opened;

  bool Enumerate(std::vector<HidInterfaceInfo>& out) override {
    for (const auto& e : entries) out.push_back(e.info);
    return true;
  }
  std::unique_ptr<HidHandle> Open(const std::string& path, HidOpenMode, OpenError& error) override {
    opened.push_back(path);
    for (const auto& e : entries) {
      if (e.info.path == path) return std::make_unique<Handle>(e);
    }
    error = OpenError::kNotFound;
    return nullptr;
  }
  bool StillPresent(const std::string&) override { return true; }
  bool WaitForChange(int) override { return false; }
  void WakeWaiters() override {}

 private:
  struct Handle : HidHandle {
    explicit Handle(Entry e) : entry(std::move(e)) {}
    uint16_t VendorId() const override { return entry.info.vendor_id; }
    uint16_t ProductId() const override { return entry.info.product_id; }
    uint16_t Release() const override { return 0; }
    std::vector<uint8_t> ReportDescriptor() override { return entry.descriptor; }
    int CollectionIndex() const override { return 0; }
    int Read(std::span<uint8_t>, int) override { return -1; }
    int Write(std::span<const uint8_t>, int) override { return -1; }
    void Abort() override {}
    Entry entry;
  };
};

TEST(HidDevice, PathListCursor) {
  ListedBackend backend;
  for (int i = 0; i < 40; ++i) {
    backend.entries.push_back({{"/dev/hidraw" + std::to_string(i), 1, 2, 0, 1, 6}, {}});
  }
  HidDevice device(backend);
  EXPECT_EQ(device.NextPath(), nullptr) << "before any listing";
  ASSERT_EQ(device.Enumerate(), 1);
  int n = 0;
  while (device.NextPath()) ++n;
  EXPECT_EQ(n, 40);
  EXPECT_EQ(device.NextPath(), nullptr) << "after the last path";
  device.FreePathList();
  EXPECT_EQ(device.NextPath(), nullptr);
}

TEST(HidDevice, KeyboardInterfaceTest) {
  ListedBackend backend;
  backend.entries = {
      // Our product, but the collection is a boot keyboard: opened, then closed.
      {{"/dev/hidraw1", 0x320F, 0x5000, 0, 1, 6}, kBootKeyboardDescriptor},
      // A product we do not support is never opened.
      {{"/dev/hidraw2", 0x320F, 0x5001, 0, 0xFF1C, 0x92}, sim::VendorCollectionDescriptor()},
      {{"/dev/hidraw3", 0x320F, 0x0000, 0, 0xFF1C, 0x92}, sim::VendorCollectionDescriptor()},
      {{"/dev/hidraw4", 0x320F, 0x0000, 0, 0x0C, 0x01}, sim::ConsumerCollectionDescriptor()},
  };
  HidDevice device(backend);
  EXPECT_EQ(FindKeyboard(device, kVendorCollection, true), FindResult::kFound);
  EXPECT_EQ(device.Path(), "/dev/hidraw3");
  EXPECT_EQ(device.Caps().input_report_length, 64);
  EXPECT_EQ(device.Caps().output_report_length, 64);
  EXPECT_EQ(backend.opened, (std::vector<std::string>{"/dev/hidraw1", "/dev/hidraw3"}));

  backend.opened.clear();
  EXPECT_EQ(FindKeyboard(device, kConsumerCollection, false), FindResult::kFound);
  EXPECT_EQ(device.Path(), "/dev/hidraw4");
  EXPECT_EQ(backend.opened,
            (std::vector<std::string>{"/dev/hidraw1", "/dev/hidraw3", "/dev/hidraw4"}));

  backend.entries.erase(backend.entries.begin() + 2, backend.entries.end());
  EXPECT_EQ(FindKeyboard(device, kVendorCollection, true), FindResult::kNoKeyboard);
  EXPECT_FALSE(device.IsOpen());
}

TEST(HidDevice, BadDescriptorLeavesTheDeviceClosed) {
  ListedBackend backend;
  backend.entries = {{{"/dev/hidraw1", 0x320F, 0x5000, 0, 0xFF1C, 0x92}, {0xA1, 0x01}}};
  HidDevice device(backend);
  EXPECT_EQ(device.Open("/dev/hidraw1", true, true, true, false), 0);
  EXPECT_FALSE(device.IsOpen());
  EXPECT_EQ(device.Open("/dev/missing", true, true, true, false), 0);
  EXPECT_EQ(device.LastOpenError(), OpenError::kNotFound);
}

class SimDevice : public ::testing::Test {
 protected:
  SimDevice() : backend(std::make_shared<sim::VirtualKeyboard>()), device(backend) {}
  void OpenConsumer() {
    ASSERT_EQ(FindKeyboard(device, kConsumerCollection, false), FindResult::kFound);
  }
  sim::SimBackend backend;
  HidDevice device;
};

TEST_F(SimDevice, ReadTimesOutAfterItsTimeOut) {
  OpenConsumer();
  std::vector<uint8_t> buffer(device.Caps().input_report_length);
  const auto start = std::chrono::steady_clock::now();
  std::size_t n = 99;
  EXPECT_EQ(device.ReadReport(buffer, &n, 300), 0);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(n, 0u);
  EXPECT_GE(took, std::chrono::milliseconds(290));
  EXPECT_LT(took, std::chrono::milliseconds(1500));
}

TEST_F(SimDevice, CloseReleasesAReadWithoutLimit) {
  OpenConsumer();
  std::atomic<int> result{-1};
  std::thread reader([&] {
    std::vector<uint8_t> buffer(64);
    result = device.ReadReport(buffer, nullptr, -1);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(result.load(), -1) << "still waiting";
  device.Close();
  reader.join();
  EXPECT_EQ(result.load(), 0);
}

TEST_F(SimDevice, DecodesTheEventCodeOfAConsumerReport) {
  OpenConsumer();
  ASSERT_TRUE(backend.SendEvent(0x0402));
  std::vector<uint8_t> buffer(device.Caps().input_report_length);
  std::size_t n = 0;
  ASSERT_EQ(device.ReadReport(buffer, &n, 1000), 1);
  ASSERT_TRUE(device.DecodeInputReport(std::span(buffer.data(), n)));
  const auto& items = device.InputDecodeItems();
  ASSERT_FALSE(items.empty());
  EXPECT_TRUE(items[0].is_button);
  EXPECT_TRUE(items[0].data_set);
  EXPECT_EQ(items[0].usages.at(0), 0x0402);
  // A report of another ID decodes nothing.
  const uint8_t vendor_reply[64] = {4};
  EXPECT_FALSE(device.DecodeInputReport(vendor_reply));
}

}  // namespace
}  // namespace quorlin::device
