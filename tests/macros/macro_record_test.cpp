#include "macros/macro_record.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "keys/little_endian.h"
#include "macros/macro_name.h"

namespace quorlin::macros {
namespace {

using Bytes = std::vector<uint8_t>;

ConstMacroRecordBytes View(const Bytes& bytes) {
  return ConstMacroRecordBytes(bytes.data(), kMacroRecordSize);
}

Bytes Encoded(const MacroRecord& record) {
  Bytes bytes(kMacroRecordSize);
  EncodeMacroRecord(record, MacroRecordBytes(bytes.data(), kMacroRecordSize));
  return bytes;
}

// A record as a user's file may hold it: noise in every reserved byte, after
// the name and in the unused event slots, but a valid name and count.
Bytes NoisyRecordBytes(uint16_t event_count, std::size_t terminator_at) {
  std::mt19937 random(event_count * 7919u + static_cast<unsigned>(terminator_at));
  Bytes bytes(kMacroRecordSize);
  for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random() | 1u);  // no zero units
  keys::le::Write16(bytes, terminator_at * 2, 0);
  keys::le::Write16(bytes, 508, event_count);
  return bytes;
}

TEST(MacroRecordTest, LoadedRecordIsWrittenBackByteForByte) {
  for (const auto& [count, terminator] :
       {std::pair<uint16_t, std::size_t>{0, 0}, {17, 5}, {kMaxMacroEvents, kMaxMacroNameLength}}) {
    const Bytes file = NoisyRecordBytes(count, terminator);
    MacroRecord record;
    ASSERT_EQ(DecodeMacroRecord(View(file), record), MacroRecordProblem::kNone);
    EXPECT_EQ(record.event_count, count);
    EXPECT_EQ(MacroNameUnits(record).size(), terminator);
    EXPECT_EQ(Encoded(record), file) << "count " << count;
  }
}

TEST(MacroRecordTest, FieldsSitAtTheirOffsets) {
  MacroRecord record;
  SetMacroName(record, "Ab");
  record.play_count = 7;
  record.new_flag = 1;
  record.identifier = 0x0102;
  const MacroEvent events[] = {{.delay = 0x00012345, .key = 0x011D, .direction = kRelease}};
  SetEvents(record, events);

  const Bytes bytes = Encoded(record);
  EXPECT_EQ(bytes[0], 'A');
  EXPECT_EQ(bytes[2], 'b');
  EXPECT_EQ(bytes[4], 0);
  EXPECT_EQ(bytes[500], 7);
  EXPECT_EQ(keys::le::Read16(bytes, 502), 1);
  EXPECT_EQ(keys::le::Read16(bytes, 506), 0x0102);
  EXPECT_EQ(keys::le::Read16(bytes, 508), 1);
  const Bytes event(bytes.begin() + 512, bytes.begin() + 520);
  EXPECT_EQ(event, (Bytes{0x45, 0x23, 0x01, 0x00, 0x1D, 0x01, 0x01, 0x00}));
}

struct BrokenRecord {
  const char* what;
  uint16_t event_count;
  bool terminated;
  MacroRecordProblem problem;
};

class BrokenRecordTest : public ::testing::TestWithParam<BrokenRecord> {};

TEST_P(BrokenRecordTest, IsReportedAndChangesNothing) {
  const BrokenRecord& c = GetParam();
  Bytes file = NoisyRecordBytes(c.event_count, 3);
  if (!c.terminated) keys::le::Write16(file, 6, 'x');

  MacroRecord record;
  SetMacroName(record, "kept");
  const MacroRecord before = record;
  EXPECT_EQ(DecodeMacroRecord(View(file), record), c.problem);
  EXPECT_EQ(record, before);
  EXPECT_FALSE(DescribeProblem(c.problem).empty());
}

INSTANTIATE_TEST_SUITE_P(Files, BrokenRecordTest,
                         ::testing::Values(BrokenRecord{"events_4001", 4001, true,
                                                        MacroRecordProblem::kTooManyEvents},
                                           BrokenRecord{"events_65535", 0xFFFF, true,
                                                        MacroRecordProblem::kTooManyEvents},
                                           BrokenRecord{"name_unterminated", 3, false,
                                                        MacroRecordProblem::kNameNotTerminated}),
                         [](const auto& param_info) { return std::string(param_info.param.what); });

TEST(MacroRecordTest, SetEventsKeepsAtMost4000) {
  MacroRecord record;
  const std::vector<MacroEvent> many(kMaxMacroEvents + 5, MacroEvent{.delay = 10, .key = 0x1E});
  SetEvents(record, many);
  EXPECT_EQ(record.event_count, kMaxMacroEvents);
  EXPECT_EQ(UsedEvents(record).size(), kMaxMacroEvents);
}

}  // namespace
}  // namespace quorlin::macros
