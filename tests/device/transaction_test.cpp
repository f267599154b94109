#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "device/commands.h"
#include "sim_link.h"

namespace quorlin::device {
namespace {

using testing::SimLink;

TEST(Transaction, AbsentKeyboardSendsNothing) {
  SimLink s;
  Frame reply{};
  EXPECT_EQ(s.link.Channel().Transact(BuildFrame(cmd::kBeginBatch, 0, 0), reply), kAbsent);
  EXPECT_EQ(s.link.Channel().WriteRaw(BuildBootModeFrame()), kAbsent);
  DeviceInfo info;
  EXPECT_EQ(ReadDeviceInfo(s.link.Channel(), info), kAbsent);
  EXPECT_TRUE(s.backend.ReceivedFrames().empty());
}

TEST(Transaction, RepeatsTheFrameUntilAReplyComes) {
  struct Case {
    int silent;
    Result result;
    std::size_t sends;
  };
  // Silence costs 300 ms a send, so the cases stay few.
  for (const Case c : {Case{0, kOk, 1}, Case{2, kOk, 3}, Case{4, kAbsent, 4}}) {
    SimLink s;
    ASSERT_TRUE(s.Connect());
    s.backend.SilenceNextFrames(c.silent);
    DeviceInfo info;
    EXPECT_EQ(ReadDeviceInfo(s.link.Channel(), info), c.result) << c.silent;
    EXPECT_EQ(s.backend.ReceivedFrames().size(), c.sends) << c.silent;
  }
}

TEST(Transaction, StatusByteRefusals) {
  for (auto [status, result] :
       {std::pair{uint8_t{0xFF}, kRefusedFF}, {uint8_t{0xFE}, kRefusedFE}}) {
    SimLink s;
    ASSERT_TRUE(s.Connect());
    s.backend.RefuseNextFrames(1, status);
    DeviceInfo info;
    info.bytes[10] = 9;
    EXPECT_EQ(ReadDeviceInfo(s.link.Channel(), info), result);
    EXPECT_EQ(info.bytes[10], 9) << "a refused reply must not be copied";
    EXPECT_EQ(s.backend.ReceivedFrames().size(), 1u) << "a refusal is not repeated";
  }
}

TEST(Transaction, FailedWriteIsNotRepeated) {
  SimLink s;
  ASSERT_TRUE(s.Connect());
  s.backend.FailNextWrites(1);
  EXPECT_EQ(BeginBatch(s.link.Channel()), kWriteFailed);
  EXPECT_TRUE(s.backend.ReceivedFrames().empty());
  EXPECT_EQ(BeginBatch(s.link.Channel()), kOk);
}

struct ChunkCase {
  uint16_t product;
  int profile;
  std::size_t frames;
  uint16_t first_address;
  uint8_t last_length;
};

TEST(BlockTransfer, KeyTableChunksForBothVariants) {
  const ChunkCase cases[] = {
      {kProductId0000, 0, 7, 0, 42},    {kProductId0000, 1, 7, 378, 42},
      {kProductId0000, 2, 7, 756, 42},  {kProductId5000, 0, 10, 0, 8},
      {kProductId5000, 2, 10, 1024, 8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << c.product << " profile " << c.profile);
    SimLink s(c.product);
    ASSERT_TRUE(s.Connect());
    std::vector<uint8_t> table(512);
    ASSERT_EQ(ReadKeyTable(s.link.Channel(), s.link.Variant(), c.profile, table), kOk);
    const auto headers = s.Headers();
    ASSERT_EQ(headers.size(), c.frames);
    for (std::size_t i = 0; i < headers.size(); ++i) {
      EXPECT_EQ(headers[i].command, cmd::kReadKeyTable);
      EXPECT_EQ(headers[i].address, c.first_address + 56 * i);
      EXPECT_EQ(headers[i].length, i + 1 == headers.size() ? c.last_length : 56);
    }
    // What was read is what the keyboard holds for that profile.
    const auto memory = s.keyboard->Memory();
    const auto L = static_cast<std::size_t>(s.link.Variant().key_table_length);
    EXPECT_TRUE(std::equal(table.begin(), table.begin() + static_cast<std::ptrdiff_t>(L),
                           memory.key_tables.begin() + c.first_address));
  }
}

TEST(BlockTransfer, WriteReusesTheFrameAndLandsInMemory) {
  SimLink s(kProductId0000);
  ASSERT_TRUE(s.Connect());
  std::vector<uint8_t> table(378);
  for (std::size_t i = 0; i < table.size(); ++i) table[i] = static_cast<uint8_t>(i * 7 + 1);
  ASSERT_EQ(WriteKeyTable(s.link.Channel(), s.link.Variant(), 1, table), kOk);
  const auto frames = s.backend.ReceivedFrames();
  ASSERT_EQ(frames.size(), 7u);
  // The short last chunk keeps the previous chunk's tail in its data field,
  // and its checksum covers those bytes.
  const Frame& last = frames.back();
  const Frame& before = frames[5];
  EXPECT_TRUE(std::equal(last.begin() + 8 + 42, last.end(), before.begin() + 8 + 42));
  EXPECT_EQ(last[1] | (last[2] << 8), FrameChecksum(last));
  const auto memory = s.keyboard->Memory();
  EXPECT_TRUE(std::equal(table.begin(), table.end(), memory.key_tables.begin() + 378));
}

TEST(BlockTransfer, ProfileOutOfRangeSendsNothing) {
  SimLink s;
  ASSERT_TRUE(s.Connect());
  std::vector<uint8_t> table(512);
  EXPECT_EQ(ReadKeyTable(s.link.Channel(), s.link.Variant(), 3, table), kBadProfile);
  EXPECT_EQ(WriteKeyTable(s.link.Channel(), s.link.Variant(), 3, table), kBadProfile);
  EXPECT_EQ(WriteKeyTable(s.link.Channel(), s.link.Variant(), -1, table), kBadProfile);
  EXPECT_TRUE(s.backend.ReceivedFrames().empty());
}

TEST(BlockTransfer, EmptyBlockSendsNothing) {
  SimLink s;
  ASSERT_TRUE(s.Connect());
  EXPECT_EQ(WriteMacroArea(s.link.Channel(), {}), kOk);
  EXPECT_TRUE(s.backend.ReceivedFrames().empty());
}

TEST(BlockTransfer, UnplugInTheMiddleStopsAtTheFailingChunk) {
  SimLink s;
  ASSERT_TRUE(s.Connect());
  std::vector<uint8_t> image(4000, 0xAB);
  s.backend.UnplugAfterFrames(3);
  const Result r = WriteMacroArea(s.link.Channel(), image);
  EXPECT_NE(r, kOk);
  EXPECT_EQ(s.backend.ReceivedFrames().size(), 3u);
  EXPECT_FALSE(s.link.CommandDevice().PathStillPresent());
}

TEST(Commands, KeyColourTableIsEightFramesInABatch) {
  for (uint16_t product : {kProductId0000, kProductId5000}) {
    SimLink s(product);
    ASSERT_TRUE(s.Connect());
    std::array<uint8_t, kKeyColourBlockSize> block{};
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i);
    ASSERT_EQ(WriteKeyColourTable(s.link.Channel(), s.link.Variant(), 1, block), kOk);
    const auto h = s.Headers();
    ASSERT_EQ(h.size(), 10u);
    EXPECT_EQ(h.front().command, cmd::kBeginBatch);
    EXPECT_EQ(h.back().command, cmd::kEndBatch);
    for (int i = 0; i < 8; ++i) {
      EXPECT_EQ(h[1 + i].command, cmd::kWriteKeyColours);
      EXPECT_EQ(h[1 + i].length, 54);
      EXPECT_EQ(h[1 + i].address, 512 + 54 * i);
    }
    const auto memory = s.keyboard->Memory();
    EXPECT_TRUE(std::equal(block.begin(), block.begin() + 432, memory.key_colours.begin() + 512));
  }
}

TEST(Commands, SingleKeyColourAddress) {
  SimLink s;
  ASSERT_TRUE(s.Connect());
  const uint8_t rgb[] = {1, 2, 3};
  ASSERT_EQ(WriteKeyColours(s.link.Channel(), 1, 126, rgb), kOk);
  const Frame f = s.backend.ReceivedFrames().at(0);
  EXPECT_EQ(f[5], 0x7A);
  EXPECT_EQ(f[6], 0x03);
}

TEST(Commands, LightingRecordsReadInOneBatch) {
  SimLink s;
  ASSERT_TRUE(s.Connect());
  DeviceInfo info;
  LightingRecords records{};
  ASSERT_EQ(ReadLightingRecords(s.link.Channel(), info, records), kOk);
  const auto h = s.Headers();
  ASSERT_EQ(h.size(), 6u);
  EXPECT_EQ(h[0].command, cmd::kReadDeviceInfo);
  EXPECT_EQ(h[1].command, cmd::kBeginBatch);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(h[2 + i].command, cmd::kReadLighting);
    EXPECT_EQ(h[2 + i].address, 42 * i);
    EXPECT_EQ(h[2 + i].length, 56);
  }
  EXPECT_EQ(h[5].command, cmd::kEndBatch);
  const auto memory = s.keyboard->Memory();
  for (std::size_t p = 0; p < 3; ++p) {
    EXPECT_TRUE(std::equal(records[p].begin(), records[p].end(), memory.lighting.begin() + 42 * p));
  }
  EXPECT_FALSE(info.Modes().empty());
}

TEST(Commands, FailedDeviceInfoReadLeavesNoModes) {
  SimLink s;
  ASSERT_TRUE(s.Connect());
  DeviceInfo info;
  info.bytes[12] = 5;
  LightingRecords records{};
  s.backend.RefuseNextFrames(1);
  EXPECT_EQ(ReadLightingRecords(s.link.Channel(), info, records), kRefusedFF);
  EXPECT_TRUE(info.Modes().empty());
  EXPECT_EQ(s.backend.ReceivedFrames().size(), 1u);
}

TEST(Commands, BootModeFrameIsWrittenRaw) {
  SimLink s;
  ASSERT_TRUE(s.Connect());
  EXPECT_EQ(SendBootMode(s.link.Channel()), kOk);
  EXPECT_TRUE(s.keyboard->BootModeRequested());
  EXPECT_EQ(s.backend.ReceivedFrames().at(0), BuildBootModeFrame());
}

TEST(ActiveProfile, CacheAndSelection) {
  SimLink s;
  ASSERT_TRUE(s.Connect());
  EXPECT_EQ(s.link.ActiveProfile(), 0);
  s.backend.ClearReceivedFrames();
  EXPECT_EQ(s.link.ActiveProfile(), 0);
  EXPECT_TRUE(s.backend.ReceivedFrames().empty()) << "a known profile is not read again";

  ASSERT_EQ(s.link.SelectActiveProfile(2), kOk);
  EXPECT_EQ(s.keyboard->ActiveProfile(), 2);
  EXPECT_EQ(s.link.CachedActiveProfile(), 2);

  s.backend.RefuseNextFrames(1);
  EXPECT_EQ(s.link.SelectActiveProfile(1), kRefusedFF);
  EXPECT_EQ(s.link.CachedActiveProfile(), -1);
  EXPECT_EQ(s.link.ActiveProfile(), 2);
}

TEST(Trace, EveryReportWrittenAndRead) {
  SimLink s;
  ASSERT_TRUE(s.Connect());
  std::vector<std::string> lines;
  s.link.Channel().SetTraceSink(
      [&](char d, std::span<const uint8_t> r) { lines.push_back(FormatTraceLine(d, r)); });
  ASSERT_EQ(BeginBatch(s.link.Channel()), kOk);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].substr(0, 26), "> 04 01 00 01 00 00 00 00 ");
  EXPECT_EQ(lines[0].size(), 2 + 64 * 3 - 1);
  EXPECT_EQ(lines[1].substr(0, 5), "< 04 ");
}

// Two threads sending at once must each get the reply to their own frame.
TEST(Transaction, RepliesStayPairedAcrossThreads) {
  SimLink s;
  ASSERT_TRUE(s.Connect());
  std::atomic<int> mismatches{0};
  std::thread a([&] {
    for (int i = 0; i < 200; ++i) {
      DeviceInfo info;
      if (ReadDeviceInfo(s.link.Channel(), info) != kOk || info.FirmwareVersion() != 0x0105) {
        ++mismatches;
      }
    }
  });
  std::thread b([&] {
    const auto expected = s.keyboard->Memory().default_key_table;
    for (int i = 0; i < 50; ++i) {
      DefaultKeyTable table{};
      if (ReadDefaultKeyTable(s.link.Channel(), s.link.Variant(), table) != kOk ||
          !std::equal(expected.begin(), expected.end(), table.begin())) {
        ++mismatches;
      }
    }
  });
  a.join();
  b.join();
  EXPECT_EQ(mismatches.load(), 0);
}

TEST(SharedNode, CommandsSkipEventReports) {
  sim::SimBackendOptions shared;
  shared.shared_node = true;
  SimLink s(kProductId5000, shared);
  ASSERT_TRUE(s.Connect());
  // Event reports queued on the node ahead of the reply.
  for (int i = 0; i < 5; ++i) s.backend.SendEvent(0x0401);
  DeviceInfo info;
  EXPECT_EQ(ReadDeviceInfo(s.link.Channel(), info), kOk);
  EXPECT_EQ(info.FirmwareVersion(), 0x0105);
  EXPECT_EQ(s.backend.ReceivedFrames().size(), 1u);
}

}  // namespace
}  // namespace quorlin::device

namespace quorlin::device {
namespace {

// A reply that comes after the transaction gave up must not answer the next
// frame.
TEST(Transaction, LateReplyIsNotTakenForTheNextFrame) {
  testing::SimLink s;
  ASSERT_TRUE(s.Connect());
  s.backend.SetReplyDelay(std::chrono::milliseconds(350));
  DeviceInfo info;
  // The first send's reply arrives during the second send's wait.
  EXPECT_EQ(ReadDeviceInfo(s.link.Channel(), info), kOk);
  s.backend.SetReplyDelay(std::chrono::milliseconds(0));
  std::array<uint8_t, 56> lighting{};
  ASSERT_EQ(ReadLightingArea(s.link.Channel(), 0, 56, lighting), kOk);
  const auto memory = s.keyboard->Memory();
  EXPECT_TRUE(std::equal(lighting.begin(), lighting.begin() + 42, memory.lighting.begin()));
}

// On a node the consumer collection shares, event reports that the command
// handle passes over sit in front of the late reply; the drain before the
// next frame must go on past them.
TEST(Transaction, LateReplyBehindEventReportsIsNotTakenForTheNextFrame) {
  sim::SimBackendOptions shared;
  shared.shared_node = true;
  testing::SimLink s(kProductId5000, shared);
  ASSERT_TRUE(s.Connect());
  s.backend.SetReplyDelay(std::chrono::milliseconds(350));
  DeviceInfo info;
  // Answered by the first send's reply; the second send's comes late.
  ASSERT_EQ(ReadDeviceInfo(s.link.Channel(), info), kOk);
  for (int i = 0; i < 3; ++i) s.backend.SendEvent(0x0401);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  s.backend.SetReplyDelay(std::chrono::milliseconds(0));
  std::array<uint8_t, 56> lighting{};
  ASSERT_EQ(ReadLightingArea(s.link.Channel(), 0, 56, lighting), kOk);
  const auto memory = s.keyboard->Memory();
  EXPECT_TRUE(std::equal(lighting.begin(), lighting.begin() + 42, memory.lighting.begin()));
}

}  // namespace
}  // namespace quorlin::device
