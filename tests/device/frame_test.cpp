#include <gtest/gtest.h>

#include <vector>

#include "device/command_channel.h"
#include "device/device_info.h"
#include "device/frame.h"
#include "device/hid_device.h"

namespace quorlin::device {
namespace {

std::vector<uint8_t> Head(const Frame& f, std::size_t n) { return {f.begin(), f.begin() + n}; }

TEST(Frame, ChecksumsOfKnownFrames) {
  struct Case {
    const char* name;
    Frame frame;
    uint8_t low, high;
  };
  const std::vector<uint8_t> ff(56, 0xFF);
  const Case cases[] = {
      {"command 11, no data", BuildFrame(11, 0, 0), 0x0B, 0x00},
      {"device info read", BuildFrame(cmd::kReadDeviceInfo, 44, 0), 0x2F, 0x00},
      {"key table write of 0xFF", BuildFrame(cmd::kWriteKeyTable, 56, 0, ff), 0x08, 0x38},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.frame[0], kVendorReportId);
    EXPECT_EQ(c.frame[1], c.low);
    EXPECT_EQ(c.frame[2], c.high);
    EXPECT_EQ(c.frame[7], 0);
  }
}

TEST(Frame, CommandElevenIsOnlyItsHeader) {
  const Frame f = BuildFrame(11, 0, 0);
  EXPECT_EQ(Head(f, 8), (std::vector<uint8_t>{0x04, 0x0B, 0x00, 0x0B, 0, 0, 0, 0}));
  for (std::size_t i = 8; i < kFrameSize; ++i) EXPECT_EQ(f[i], 0) << i;
}

TEST(Frame, AddressIsLittleEndian) {
  const Frame f = BuildFrame(cmd::kWriteKeyColours, 3, 890);
  EXPECT_EQ(f[5], 0x7A);
  EXPECT_EQ(f[6], 0x03);
  const FrameHeader h = ReadFrameHeader(f);
  EXPECT_EQ(h.command, cmd::kWriteKeyColours);
  EXPECT_EQ(h.length, 3);
  EXPECT_EQ(h.address, 890);
}

TEST(Frame, BootModeFrameHasNoChecksum) {
  const Frame f = BuildBootModeFrame();
  EXPECT_EQ(Head(f, 8), (std::vector<uint8_t>{0x04, 0x00, 0x00, 0xEE, 0xEE, 0, 0, 0}));
  for (std::size_t i = 8; i < kFrameSize; ++i) EXPECT_EQ(f[i], 0);
}

TEST(Frame, StatusByteMapping) {
  const std::pair<uint8_t, Result> cases[] = {
      {0x00, kOk}, {0x01, kOk}, {0x7F, kOk}, {0xFD, kOk}, {0xFE, kRefusedFE}, {0xFF, kRefusedFF}};
  for (auto [status, result] : cases) EXPECT_EQ(StatusToResult(status), result) << int(status);
}

TEST(Frame, TraceLineIsUpperCaseHexPairs) {
  const uint8_t bytes[] = {0x04, 0xab, 0x00, 0x0f};
  EXPECT_EQ(FormatTraceLine('>', bytes), "> 04 AB 00 0F");
  EXPECT_EQ(FormatTraceLine('<', std::span<const uint8_t>()), "< ");
}

TEST(KeyboardCandidate, ByPathMarkersOrListedNumbers) {
  const HidInterfaceInfo keyboard{"", 0x320F, 0x5000, 0, 0xFF1C, 0x92};
  const HidInterfaceInfo other{"", 0x046D, 0xC31C, 0, 1, 6};
  struct Case {
    const char* path;
    const HidInterfaceInfo* listed;
    bool candidate;
  };
  const Case cases[] = {
      {R"(\\?\HID#VID_320F&PID_5000&MI_01#7&1&0000#{4d1e55b2})", nullptr, true},
      {R"(\\?\hid#vid_320f&pid_0000&col02#x)", nullptr, true},
      {R"(\\?\hid#vid_320f#x)", nullptr, true},  // no product marker reads as 0000
      {R"(\\?\hid#vid_320f&pid_5001#x)", nullptr, false},
      {R"(\\?\hid#vid_1320f&pid_15000#x)", nullptr, true},  // low 16 bits count
      {R"(\\?\hid#vid_046d&pid_c31c#x)", &keyboard, false},  // markers win over listing
      {"/dev/hidraw3&col01", &keyboard, true},
      {"/dev/hidraw4", &other, false},
      {"/dev/hidraw5", nullptr, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsKeyboardCandidate(c.path, c.listed), c.candidate) << c.path;
  }
}

TEST(DeviceInfoRecord, ModesSkipEmptySlots) {
  DeviceInfo info;
  EXPECT_TRUE(info.Modes().empty());
  for (std::size_t i = 12; i < 44; ++i) info.bytes[i] = (i % 2) ? 254 : 0;
  EXPECT_TRUE(info.Modes().empty());
  info.bytes[12] = 3;
  info.bytes[20] = 20;
  info.bytes[43] = 1;
  EXPECT_EQ(info.Modes(), (std::vector<uint8_t>{3, 20, 1}));
  info.bytes[11] = 255;
  EXPECT_EQ(info.MacroCapacity(), 255 * 128);
}

TEST(DeviceInfoRecord, FirmwareUpdateProposal) {
  struct Case {
    uint16_t product, version;
    bool propose;
  };
  const Case cases[] = {{0x5000, 0x0000, false}, {0x5000, 0x0001, true}, {0x5000, 0x0104, true},
                        {0x5000, 0x0105, false}, {0x5000, 0x0200, false}, {0x0000, 0x0100, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(ProposesFirmwareUpdate(c.product, c.version), c.propose)
        << std::hex << c.product << " " << c.version;
  }
}

}  // namespace
}  // namespace quorlin::device
