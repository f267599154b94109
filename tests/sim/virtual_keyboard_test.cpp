#include "sim/virtual_keyboard.h"

#include <gtest/gtest.h>

#include <numeric>

#include "command_frames.h"
#include "sim/default_key_table.h"

namespace quorlin::sim {
namespace {

using testing::Command;
using testing::ReplyData;
using testing::Status;
namespace cmd = device::cmd;

// The bytes of the area a read or write command addresses.
std::vector<uint8_t> AreaOf(const KeyboardMemory& m, uint8_t command) {
  switch (command) {
    case cmd::kReadDeviceInfo:
    case cmd::kWriteDeviceInfo:
      return {m.device_info.begin(), m.device_info.end()};
    case cmd::kReadLighting:
    case cmd::kWriteLighting:
      return {m.lighting.begin(), m.lighting.end()};
    case cmd::kReadKeyTable:
    case cmd::kWriteKeyTable:
      return m.key_tables;
    case cmd::kReadMacroArea:
    case cmd::kWriteMacroArea:
      return m.macro_area;
    case cmd::kReadDefaultKeyTable:
      return m.default_key_table;
    default:
      return {m.key_colours.begin(), m.key_colours.end()};
  }
}

std::vector<uint8_t> Pattern(std::size_t count, uint8_t first) {
  std::vector<uint8_t> bytes(count);
  std::iota(bytes.begin(), bytes.end(), first);
  return bytes;
}

template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& param) {
  return param.param.name;
}

class ProductTest : public ::testing::TestWithParam<uint16_t> {};

TEST_P(ProductTest, FactoryMemoryIsConsistent) {
  VirtualKeyboard keyboard({.product_id = GetParam()});
  const KeyboardMemory m = keyboard.Memory();
  const auto variant = device::VariantForProduct(GetParam());
  EXPECT_TRUE(CheckMemory(m, nullptr));
  EXPECT_EQ(m.device_info[8], 0x05);  // firmware 0x0105, little-endian
  EXPECT_EQ(m.device_info[9], 0x01);
  EXPECT_EQ(MacroCapacity(m), 255u * 128u);
  const std::vector<uint8_t> modes(m.device_info.begin() + 12, m.device_info.end());
  std::vector<uint8_t> expected_modes = Pattern(18, 1);
  expected_modes.push_back(20);
  expected_modes.resize(32, 0);
  EXPECT_EQ(modes, expected_modes);
  EXPECT_EQ(std::vector<uint8_t>(m.macro_area.begin(), m.macro_area.begin() + 16),
            (std::vector<uint8_t>{0xAA, 0x55, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  for (int p = 0; p < kProfileCount; ++p) {
    const auto table = m.key_tables.begin() + p * variant.profile_stride;
    EXPECT_TRUE(std::equal(m.default_key_table.begin(), m.default_key_table.end(), table)) << p;
  }
}

TEST_P(ProductTest, DefaultKeyTableHasTheMatrixKeys) {
  const auto variant = device::VariantForProduct(GetParam());
  const std::vector<uint8_t> table = BuildDefaultKeyTable(variant);
  ASSERT_EQ(table.size(), static_cast<std::size_t>(variant.key_table_length));
  const auto entry = [&](int i) { return std::vector<uint8_t>(&table[3 * i], &table[3 * i + 3]); };
  EXPECT_EQ(entry(kSpaceBarPosition), (std::vector<uint8_t>{0x02, 0x02, 0x2C}));
  EXPECT_EQ(entry(kSpaceBarSecondPosition), entry(kSpaceBarPosition));
  EXPECT_EQ(entry(0), (std::vector<uint8_t>{0x02, 0x02, 0x29}));  // Esc
  int g_keys = 0, fn = 0, keys = 0;
  for (int i = 0; i < variant.key_count; ++i) {
    const auto e = entry(i);
    g_keys += e[0] == 0x06 && e[1] == 0xA2;
    fn += e == std::vector<uint8_t>{0x05, 0x00, 0x00};
    keys += e[0] == 0x02;
  }
  EXPECT_EQ(g_keys, 9);
  EXPECT_EQ(fn, 1);
  EXPECT_EQ(keys, 104 + 2 + 3 + 1);  // full size, two ISO keys, three media, second space switch
  // What lies past the entries is erased flash that every written table carries on.
  EXPECT_TRUE(std::all_of(table.begin() + 3 * variant.key_count, table.end(),
                          [](uint8_t b) { return b == 0xFF; }));
}

INSTANTIATE_TEST_SUITE_P(BothProducts, ProductTest, ::testing::Values(0x0000, 0x5000));

struct ReadCase {
  const char* name;
  uint16_t product;
  uint8_t command;
  uint8_t length;
  uint16_t address;
  std::size_t from_area;  // bytes that come from the area; zeros follow up to 56
};

class ReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTest, ReplyCarriesTheAreaBytes) {
  const ReadCase& c = GetParam();
  VirtualKeyboard keyboard({.product_id = c.product});
  const auto reply = keyboard.Process(Command(c.command, c.length, c.address));
  ASSERT_TRUE(reply);
  EXPECT_EQ(Status(*reply), status::kOk);
  EXPECT_EQ((*reply)[0], 4);
  EXPECT_EQ((*reply)[3], c.command);
  EXPECT_TRUE(ChecksumMatches(*reply));
  const auto area = AreaOf(keyboard.Memory(), c.command);
  std::vector<uint8_t> expected(area.begin() + c.address,
                                area.begin() + c.address + static_cast<long>(c.from_area));
  expected.resize(56, 0);
  EXPECT_EQ(ReplyData(*reply, 56), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ReadTest,
    ::testing::Values(ReadCase{"DeviceInfo", 0x5000, 3, 44, 0, 44},
                      ReadCase{"LightingAlwaysFills56", 0x5000, 5, 2, 0, 56},
                      ReadCase{"LightingThirdRecordRunsPastTheEnd", 0x5000, 5, 56, 84, 42},
                      ReadCase{"KeyTableLastChunkOfProfile2", 0x0000, 7, 42, 2 * 378 + 336, 42},
                      ReadCase{"KeyTableProfile2On5000", 0x5000, 7, 56, 1024, 56},
                      ReadCase{"MacroHeader", 0x5000, 9, 16, 0, 16},
                      ReadCase{"DefaultKeyTableTail", 0x5000, 15, 8, 504, 8},
                      ReadCase{"KeyColours", 0x5000, 16, 54, 890, 54}),
    CaseName<ReadCase>);

struct WriteCase {
  const char* name;
  uint8_t command;
  uint16_t address;
  uint8_t length;
};

class WriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteTest, InsideTheAreaChangesExactlyThoseBytes) {
  const WriteCase& c = GetParam();
  VirtualKeyboard keyboard({.product_id = 0x5000});
  std::vector<uint8_t> expected = AreaOf(keyboard.Memory(), c.command);
  const std::vector<uint8_t> data = Pattern(c.length, 0x80);
  const auto reply = keyboard.Process(Command(c.command, c.length, c.address, data));
  ASSERT_TRUE(reply);
  EXPECT_EQ(Status(*reply), status::kOk);
  std::copy(data.begin(), data.end(), expected.begin() + c.address);
  EXPECT_EQ(AreaOf(keyboard.Memory(), c.command), expected);
}

TEST_P(WriteTest, ReachingPastTheAreaIsRefusedAndChangesNothing) {
  const WriteCase& c = GetParam();
  VirtualKeyboard keyboard({.product_id = 0x5000});
  const KeyboardMemory before = keyboard.Memory();
  const uint16_t end = static_cast<uint16_t>(AreaOf(before, c.command).size());
  for (uint16_t address : {static_cast<uint16_t>(end - c.length + 1), end}) {
    const auto reply = keyboard.Process(Command(c.command, c.length, address, Pattern(56, 1)));
    ASSERT_TRUE(reply);
    EXPECT_EQ(Status(*reply), status::kRefused) << address;
  }
  const auto too_long = keyboard.Process(Command(c.command, 57, 0, Pattern(56, 1)));
  EXPECT_EQ(Status(*too_long), status::kRefused);
  EXPECT_EQ(keyboard.Memory(), before);
}

INSTANTIATE_TEST_SUITE_P(Commands, WriteTest,
                         ::testing::Values(WriteCase{"LightingField", 6, 42 + 1, 1},
                                           WriteCase{"LightingRecordHead", 6, 84, 35},
                                           WriteCase{"KeyTableChunk", 8, 1024 + 504, 8},
                                           WriteCase{"MacroArea", 10, 56, 56},
                                           WriteCase{"KeyColoursOfKey126Profile1", 17, 890, 3},
                                           WriteCase{"KeyColoursChunk", 17, 512 + 378, 54}),
                         CaseName<WriteCase>);

TEST(VirtualKeyboard, DeviceInfoWriteTakesOnlyAValidActiveProfile) {
  VirtualKeyboard keyboard;
  std::array<uint8_t, 44> record = keyboard.Memory().device_info;
  std::array<uint8_t, 44> changed = record;
  changed[10] = 2;
  changed[11] = 1;  // the capacity belongs to the firmware
  EXPECT_EQ(Status(*keyboard.Process(Command(4, 44, 0, changed))), status::kOk);
  record[10] = 2;
  EXPECT_EQ(keyboard.Memory().device_info, record);
  EXPECT_EQ(keyboard.ActiveProfile(), 2);

  changed[10] = 3;
  EXPECT_EQ(Status(*keyboard.Process(Command(4, 44, 0, changed))), status::kRefused);
  EXPECT_EQ(keyboard.ActiveProfile(), 2);
}

TEST(VirtualKeyboard, BatchAndUnusedCommandsAreAcknowledgedWithoutEffect) {
  VirtualKeyboard keyboard;
  const KeyboardMemory before = keyboard.Memory();
  for (uint8_t command : {1, 2, 11, 12, 13, 14}) {
    const auto reply = keyboard.Process(Command(command, 0, 0));
    ASSERT_TRUE(reply);
    EXPECT_EQ(Status(*reply), status::kOk) << int{command};
  }
  EXPECT_EQ(Status(*keyboard.Process(Command(0x30, 0, 0))), status::kRefused);
  EXPECT_EQ(keyboard.Memory(), before);
}

TEST(VirtualKeyboard, FrameWithAWrongChecksumIsRefused) {
  VirtualKeyboard keyboard;
  const KeyboardMemory before = keyboard.Memory();
  device::Frame frame = Command(6, 1, 0, std::vector<uint8_t>{9});
  frame[1] ^= 1;
  EXPECT_EQ(Status(*keyboard.Process(frame)), status::kBadChecksum);
  EXPECT_EQ(keyboard.Memory(), before);

  VirtualKeyboard lenient({.verify_checksums = false});
  EXPECT_EQ(Status(*lenient.Process(frame)), status::kOk);
  EXPECT_EQ(lenient.Memory().lighting[0], 9);
}

TEST(VirtualKeyboard, BootModeFrameIsRecordedAndNotAnswered) {
  VirtualKeyboard keyboard;
  device::Frame frame{};
  frame[0] = 4;
  frame[3] = 0xEE;
  frame[4] = 0xEE;
  EXPECT_FALSE(keyboard.Process(frame));
  EXPECT_TRUE(keyboard.BootModeRequested());
}

TEST(VirtualKeyboard, WholeKeyTableReadInChunksEqualsTheStoredTable) {
  VirtualKeyboard keyboard({.product_id = 0x0000});
  const std::vector<uint8_t> table = Pattern(378, 3);
  for (uint16_t c = 0; c < 378; c += 56) {
    const auto n = static_cast<uint8_t>(std::min(56, 378 - c));
    const std::span<const uint8_t> chunk(table.data() + c, n);
    ASSERT_EQ(Status(*keyboard.Process(Command(8, n, 378 + c, chunk))), status::kOk);
  }
  std::vector<uint8_t> read;
  for (uint16_t c = 0; c < 378; c += 56) {
    const auto n = static_cast<uint8_t>(std::min(56, 378 - c));
    const auto reply = keyboard.Process(Command(7, n, 378 + c));
    const auto data = ReplyData(*reply, n);
    read.insert(read.end(), data.begin(), data.end());
  }
  EXPECT_EQ(read, table);
  const KeyboardMemory m = keyboard.Memory();
  EXPECT_TRUE(std::equal(m.default_key_table.begin(), m.default_key_table.end(),
                         m.key_tables.begin()));  // profile 0 untouched
}

}  // namespace
}  // namespace quorlin::sim
