#include "lighting/lighting_record.h"

#include <gtest/gtest.h>

#include <numeric>

namespace quorlin::lighting {
namespace {

RecordBytes Counting() {
  RecordBytes b{};
  std::iota(b.begin(), b.end(), uint8_t{100});
  return b;
}

TEST(LightingRecord, EveryByteSurvivesDecodeAndEncode) {
  const RecordBytes bytes = Counting();
  const LightingRecord r = DecodeRecord(bytes);
  EXPECT_EQ(EncodeRecord(r), bytes);
  // Named fields sit where the keyboard keeps them.
  EXPECT_EQ(r.mode, 100);
  EXPECT_EQ(r.colour, (Rgb{105, 106, 107}));
  EXPECT_EQ(r.report_rate, 115);
  EXPECT_EQ(r.swatch, 117);
  EXPECT_EQ(r.option7, 118);
  EXPECT_EQ(r.trigger, 119);
  EXPECT_EQ(r.colour2, (Rgb{125, 126, 127}));
  EXPECT_EQ(r.colourful2, 128);
  EXPECT_EQ(r.colour3, (Rgb{130, 131, 132}));
  EXPECT_EQ(r.colourful3, 133);
}

TEST(LightingRecord, DefaultRecordIs35Bytes) {
  const auto d = DefaultRecordBytes();
  ASSERT_EQ(d.size(), 35u);
  const std::array<uint8_t, 8> head = {0x01, 0x04, 0x02, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_TRUE(std::equal(head.begin(), head.end(), d.begin()));
  EXPECT_TRUE(std::all_of(d.begin() + 8, d.end(), [](uint8_t b) { return b == 0; }));
}

TEST(LightingRecord, DecodingIntoThePanel) {
  struct Case {
    const char* name;
    uint16_t offset;
    uint8_t value;
    std::function<void(PanelState&)> expect;
  };
  // Each case starts from a panel with every flag set and a record of zeros
  // in mode 7, then changes one byte.
  const std::vector<Case> cases = {
      {"report rate 7 shows report4", record_field::kReportRate, 7,
       [](PanelState& p) { p.report_rate = 3; }},
      {"report rate 2", record_field::kReportRate, 2, [](PanelState& p) { p.report_rate = 2; }},
      {"swatch out of range is red", record_field::kSwatch, 9, [](PanelState&) {}},
      {"swatch 3", record_field::kSwatch, 3, [](PanelState& p) { p.swatch = 3; }},
      {"trigger 1 is grid", record_field::kTrigger, 1,
       [](PanelState& p) {
         p.trigger_single = false;
         p.trigger_grid = true;
       }},
      {"trigger 5 keeps the flags", record_field::kTrigger, 5,
       [](PanelState& p) { p.trigger_single = p.trigger_grid = true; }},
      {"option7 1", record_field::kOption7, 1, [](PanelState& p) { p.option7 = true; }},
      {"option7 2 keeps it", record_field::kOption7, 2, [](PanelState& p) { p.option7 = true; }},
      {"multi-colour byte 0x80 is on", record_field::kColourful, 0x80,
       [](PanelState& p) { p.colourful = true; }},
      {"mode other than 7 keeps option7", record_field::kMode, 8,
       [](PanelState& p) {
         p.mode = 8;
         p.option7 = true;
       }},
  };
  for (const Case& c : cases) {
    RecordBytes bytes{};
    bytes[record_field::kMode] = 7;
    bytes[c.offset] = c.value;
    PanelState panel;
    panel.option7 = panel.trigger_single = panel.trigger_grid = true;
    DecodeIntoPanel(DecodeRecord(bytes), panel);

    PanelState expected;
    expected.mode = 7;
    expected.option7 = false;
    expected.trigger_single = true;
    expected.trigger_grid = false;
    c.expect(expected);
    EXPECT_EQ(panel, expected) << c.name;
  }
}

}  // namespace
}  // namespace quorlin::lighting
