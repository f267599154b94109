#include "device/hid_device.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "device/event_reader.h"
#include "device/keyboard_finder.h"
#include "sim/report_descriptors.h"
#include "sim/sim_backend.h"
#include "sim/virtual_keyboard.h"

namespace quorlin::device {
namespace {

// A boot keyboard's application collection: usage page 1, usage 6.
const std::vector<uint8_t> kBootKeyboardDescriptor = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7,
    0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0xC0};

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

// `count` Input items, each one field of `size`-bit slots x `slots` naming
// usages 1..0xFFFF on the button page.
std::vector<uint8_t> RepeatedFields(int count, uint8_t size, uint8_t slots) {
  std::vector<uint8_t> d = {0x05, 0x09, 0x09, 0x01, 0xA1, 0x01, 0x75, size, 0x95, slots};
  for (int i = 0; i < count; ++i) {
    d.insert(d.end(), {0x19, 0x01, 0x2A, 0xFF, 0xFF, 0x81, 0x02});
  }
  d.push_back(0xC0);
  return d;
}

// A hostile descriptor must cost what its reports can carry, or be refused
// with a reason, never gigabytes.
TEST(HidDevice, DecodeListsAreBoundedByWhatAReportCarries) {
  struct Case {
    const char* name;
    std::vector<uint8_t> descriptor;
    bool opens;
    std::size_t items;
    std::size_t list_length;  // of every button item
    const char* reason;
  };
  const Case cases[] = {
      // 2 KiB; counting usage ranges asked for about 12 GB here.
      {"300 one-bit fields naming 64 Ki usages", RepeatedFields(300, 1, 1), true, 300, 300, ""},
      {"one value slot naming 64 Ki usages", RepeatedFields(1, 8, 1), true, 1, 0, ""},
      {"4000 one-bit fields", RepeatedFields(4000, 1, 1), false, 0, 0, "usage slots"},
      {"3000 value fields of four slots", RepeatedFields(3000, 2, 4), false, 0, 0,
       "input controls"},
  };
  for (const Case& c : cases) {
    ListedBackend backend;
    backend.entries = {{{"/dev/hidraw1", 0x320F, 0x5000, 0, 9, 1}, c.descriptor}};
    HidDevice device(backend);
    EXPECT_EQ(device.Open("/dev/hidraw1", true, false, true, false), c.opens ? 1 : 0) << c.name;
    EXPECT_EQ(device.InputDecodeItems().size(), c.items) << c.name;
    for (const DecodeItem& item : device.InputDecodeItems()) {
      if (item.is_button) {
        EXPECT_EQ(item.usages.size(), c.list_length) << c.name;
      }
    }
    EXPECT_NE(device.LastOpenReason().find(c.reason), std::string::npos)
        << c.name << ": " << device.LastOpenReason();
  }
}

TEST(HidDevice, ManyButtonFieldsDecodeTheirOwnSlots) {
  ListedBackend backend;
  backend.entries = {{{"/dev/hidraw1", 0x320F, 0x5000, 0, 9, 1}, RepeatedFields(300, 1, 1)}};
  HidDevice device(backend);
  ASSERT_EQ(device.Open("/dev/hidraw1", true, false, true, false), 1);
  std::vector<uint8_t> report(38, 0);
  report[0] = 0x01;   // field 0: its slot names usage 1
  report[37] = 0x08;  // field 299
  ASSERT_TRUE(device.DecodeInputReport(report));
  const DecodeItem& first = device.InputDecodeItems().front();
  EXPECT_EQ(first.usages[0], 1);
  EXPECT_EQ(first.usages[1], 1) << "field 299 also names usage 1 in its one slot";
  EXPECT_EQ(first.usages[2], 0);
}

// Keyboard modifiers under report ID 1, consumer usages under report ID 3.
const std::vector<uint8_t> kTwoReportDescriptor = {
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01,                    // consumer collection
    0x85, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15,  //
    0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02,  // 8 modifier bits
    0x85, 0x03, 0x05, 0x0C, 0x15, 0x00, 0x26, 0xFF, 0x3F, 0x19,
    0x00, 0x2A, 0xFF, 0x3F, 0x75, 0x10, 0x95, 0x01, 0x81, 0x00,  // one 16-bit consumer slot
    0xC0};

TEST(HidDevice, EventCodeComesFromTheItemTheReportFilled) {
  ListedBackend backend;
  backend.entries = {{{"/dev/hidraw1", 0x320F, 0x5000, 0, 0x0C, 1}, kTwoReportDescriptor}};
  HidDevice device(backend);
  ASSERT_EQ(device.Open("/dev/hidraw1", true, false, true, false), 1);
  struct Step {
    std::vector<uint8_t> report;
    bool decodes;
    uint16_t code;
  };
  const Step steps[] = {
      {{3, 0x02, 0x04}, true, 0x0402},  // the modifier item comes first but is not filled
      {{1, 0x01}, true, 0xE0},
      {{3, 0x01, 0x04}, true, 0x0401},  // not the modifier still held from the last report
      {{3, 0x00, 0x00}, true, 0},
      {{9, 0x02, 0x04}, false, 0},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(device.DecodeInputReport(s.report), s.decodes) << int{s.report[0]};
    EXPECT_EQ(EventCodeOf(device), s.code) << int{s.report[0]};
  }
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
