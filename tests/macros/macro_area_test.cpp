#include "macros/macro_area.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "keys/fake_text_source.h"
#include "keys/little_endian.h"
#include "macros/event_word.h"
#include "macros/fake_message_view.h"
#include "macros/macro_area_plan.h"
#include "macros/macro_list.h"
#include "macros/macro_name.h"

namespace quorlin::macros {
namespace {

using Bytes = std::vector<uint8_t>;
using keys::testing::FakeTextSource;
using testing::FakeMessageView;

constexpr keys::KeyCode kKeyA = 0x001E;

Bytes ReadFile(const std::string& name) {
  std::ifstream file(std::filesystem::path(QUORLIN_TEST_DATA) / "macros" / name, std::ios::binary);
  EXPECT_TRUE(file.good()) << name;
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

MacroRecord Macro(std::string_view name, std::vector<MacroEvent> events, uint8_t play_count = 1) {
  MacroRecord record;
  SetMacroName(record, name);
  SetEvents(record, events);
  record.play_count = play_count;
  return record;
}

// `count` events of key A, press and release in turn.
MacroRecord MacroOfEvents(std::string_view name, std::size_t count) {
  std::vector<MacroEvent> events;
  for (std::size_t i = 0; i < count; ++i) {
    events.push_back({.delay = 50, .key = kKeyA, .direction = i % 2 == 0 ? kPress : kRelease});
  }
  return Macro(name, events);
}

const MacroRecord kMacroA = Macro("A", {{.delay = 120, .key = kKeyA, .direction = kPress},
                                        {.delay = 0, .key = kKeyA, .direction = kRelease}});

const FakeTextSource kTexts{{"MACRO_NEW_PREFIX", "Macro "},
                            {"EXTRA_MACRO_TOO_LONG", "Too long"},
                            {"EXTRA_PROFILE_SPACE_TIGHT", "Tight"}};

TEST(MacroAreaTest, EmptyListIsTheSixteenByteImage) {
  EXPECT_EQ(BuildMacroArea({}, true), ReadFile("empty_macro_area.bin"));
  const MacroAreaPlan plan = PlanMacroArea({}, 128);
  EXPECT_TRUE(plan.with_names());
  EXPECT_EQ(plan.size, 16u);
}

TEST(MacroAreaTest, OneMacroWithItsName) {
  const MacroList list = {kMacroA};
  const MacroAreaSizes sizes = MacroAreaSizesOf(list);
  EXPECT_EQ(sizes.compact, 30u);
  EXPECT_EQ(sizes.full, 32u);
  EXPECT_EQ(BuildMacroArea(list, true), ReadFile("one_macro_named_A.bin"));

  const Bytes compact = *BuildMacroArea(list, false);
  const Bytes expected_compact = {0xAA, 0x55, 0x1E, 0x00, 0x01, 0x00, 0x00, 0x00, 0,    0,
                                  0,    0,    0,    0,    0,    0,    0x12, 0x00, 0x02, 0x00,
                                  0x01, 0x00, 0x0C, 0xA0, 0x02, 0x04, 0x00, 0x20, 0x02, 0x04};
  EXPECT_EQ(compact, expected_compact);
}

TEST(MacroAreaTest, DecodeGivesBackTheMacros) {
  MacroRecord second = MacroOfEvents("Zweites Makro ß", 7);
  second.play_count = 200;
  const MacroList list = {kMacroA, second, Macro("", {})};
  for (const bool names : {true, false}) {
    MacroList decoded;
    ASSERT_EQ(DecodeMacroArea(*BuildMacroArea(list, names), kTexts, decoded),
              MacroAreaProblem::kNone);
    ASSERT_EQ(decoded.size(), 3u);
    for (std::size_t i = 0; i < decoded.size(); ++i) {
      EXPECT_EQ(decoded[i].identifier, i + 1);
      EXPECT_EQ(decoded[i].new_flag, 0);
      EXPECT_EQ(decoded[i].play_count, list[i].play_count);
      EXPECT_TRUE(std::ranges::equal(UsedEvents(decoded[i]), UsedEvents(list[i])));
    }
    const std::vector<std::string> expected =
        names ? std::vector<std::string>{"A", "Zweites Makro ß", "Macro 3"}
              : std::vector<std::string>{"Macro 1", "Macro 2", "Macro 3"};
    EXPECT_EQ(MacroNames(decoded), expected);
  }
}

struct EventCase {
  const char* what;
  MacroEvent event;
  Bytes word;
  keys::KeyCode decodes_to;
};

class EventWordTest : public ::testing::TestWithParam<EventCase> {};

TEST_P(EventWordTest, EncodesAndDecodes) {
  const EventCase& c = GetParam();
  Bytes word(kEventWordSize);
  EncodeEventWord(c.event, std::span<uint8_t, kEventWordSize>(word.data(), kEventWordSize));
  EXPECT_EQ(word, c.word);
  const MacroEvent back =
      DecodeEventWord(std::span<const uint8_t, kEventWordSize>(word.data(), kEventWordSize));
  EXPECT_EQ(back.key, c.decodes_to);
  EXPECT_EQ(back.direction, c.event.direction);
  EXPECT_EQ(back.delay, (c.event.delay / 10 % 4096) * 10);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, EventWordTest,
    ::testing::Values(
        EventCase{"left_ctrl_press", {0, 0x001D, kPress}, {0x00, 0xA0, 0x01, 0x01}, 0x001D},
        EventCase{"right_win_release", {0, 0x015C, kRelease}, {0x00, 0x20, 0x01, 0x80}, 0x015C},
        EventCase{
            "roll_down", {0, keys::kWheelDown, kPress}, {0x00, 0x90, 0x05, 0xFF}, keys::kWheelDown},
        EventCase{"middle_button",
                  {0, keys::kMouseMiddle, kRelease},
                  {0x00, 0x10, 0x01, 0x04},
                  keys::kMouseMiddle},
        EventCase{"volume_up_as_keyboard", {0, 0x0130, kPress}, {0x00, 0xA0, 0x02, 0xC0}, 0x0130},
        EventCase{"power_as_system", {0, 0x015E, kPress}, {0x00, 0xC0, 0x81, 0x00}, 0x015E},
        EventCase{"no_device_code", {0, 0x0054, kPress}, {0x00, 0x80, 0x00, 0x00}, 0},
        EventCase{"longest_delay", {40000, kKeyA, kRelease}, {0xA0, 0x2F, 0x02, 0x04}, kKeyA},
        EventCase{"delay_wraps", {40960 + 15, kKeyA, kRelease}, {0x01, 0x20, 0x02, 0x04}, kKeyA}),
    [](const auto& param_info) { return std::string(param_info.param.what); });

TEST(MacroAreaTest, ConsumerClassIsUnderstoodWhenRead) {
  const Bytes word = {0x00, 0xB0, 0xE9, 0x00};  // class 3, volume up
  EXPECT_EQ(DecodeEventWord(std::span<const uint8_t, 4>(word.data(), 4)).key, 0x0130);
}

TEST(MacroAreaPlanTest, CapacityDecidesNamesOrNothing) {
  struct Case {
    std::size_t events;
    std::string name;
    int capacity;
    MacroAreaFit fit;
    std::size_t size;
  };
  const std::vector<Case> cases = {
      {27, "x", 128, MacroAreaFit::kTooLong, 0},      // compact 130
      {26, "x", 128, MacroAreaFit::kWithNames, 128},  // compact 126, full 128
      {26, "xy", 128, MacroAreaFit::kWithoutNames, 126},
      {26, "xy", 0, MacroAreaFit::kTooLong, 0},
      {4000, "x", 255 * 128, MacroAreaFit::kWithNames, 16024},
  };
  for (const Case& c : cases) {
    const MacroAreaPlan plan = PlanMacroArea({MacroOfEvents(c.name, c.events)}, c.capacity);
    EXPECT_EQ(plan.fit, c.fit) << c.events << " events, capacity " << c.capacity;
    EXPECT_EQ(plan.size, c.size);
  }
  EXPECT_EQ(PlanMacroArea({}, 0).fit, MacroAreaFit::kTooLong);
}

TEST(MacroAreaPlanTest, MessagesOfTheApply) {
  FakeMessageView view;
  ShowMacroAreaTooLong(kTexts, view);
  const MacroAreaPlan without{.fit = MacroAreaFit::kWithoutNames, .size = 126};
  const MacroAreaPlan with{.fit = MacroAreaFit::kWithNames, .size = 128};
  EXPECT_FALSE(ShowSpaceTightIfNeeded(with, kTexts, view));
  EXPECT_TRUE(ShowSpaceTightIfNeeded(without, kTexts, view));
  EXPECT_EQ(view.messages, (std::vector<std::string>{"Too long", "Tight"}));
}

TEST(MacroAreaTest, ImagesTooBigForTheLengthFieldAreNotBuilt) {
  MacroList list(17, MacroOfEvents("m", 1000));  // 17 * 4004 bytes
  EXPECT_FALSE(BuildMacroArea(list, false).has_value());
  EXPECT_FALSE(BuildMacroArea(MacroList(101, kMacroA), false).has_value());
}

struct BrokenArea {
  const char* file;
  MacroAreaProblem problem;
  std::size_t macros_kept;
};

class BrokenAreaTest : public ::testing::TestWithParam<BrokenArea> {};

TEST_P(BrokenAreaTest, DecodeStopsInsideTheImage) {
  const BrokenArea& c = GetParam();
  MacroList list = {kMacroA, kMacroA};  // whatever was there is replaced
  EXPECT_EQ(DecodeMacroArea(ReadFile(c.file), kTexts, list), c.problem);
  EXPECT_EQ(list.size(), c.macros_kept);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenAreaTest,
    ::testing::Values(
        BrokenArea{"no_magic.bin", MacroAreaProblem::kNoMacroArea, 0},
        BrokenArea{"short_header.bin", MacroAreaProblem::kNoMacroArea, 0},
        BrokenArea{"count_without_offsets.bin", MacroAreaProblem::kMacroOutsideImage, 0},
        BrokenArea{"second_offset_past_end.bin", MacroAreaProblem::kMacroOutsideImage, 1},
        BrokenArea{"event_count_past_end.bin", MacroAreaProblem::kMacroOutsideImage, 0},
        BrokenArea{"name_past_end.bin", MacroAreaProblem::kMacroOutsideImage, 0},
        BrokenArea{"length_field_cuts_block.bin", MacroAreaProblem::kMacroOutsideImage, 0},
        BrokenArea{"event_count_above_4000.bin", MacroAreaProblem::kTooManyEvents, 0}),
    [](const auto& param_info) {
      std::string name = param_info.param.file;
      return name.substr(0, name.find('.'));
    });

TEST(MacroAreaTest, AtMostOneHundredMacrosAreRead) {
  // 101 macros whose offsets all name the same empty block.
  Bytes image(16 + 2 * 101 + 4, 0);
  keys::le::Write16(image, 0, kMacroAreaMagic);
  keys::le::Write16(image, 2, static_cast<uint16_t>(image.size()));
  keys::le::Write16(image, 4, 101);
  for (std::size_t i = 0; i < 101; ++i) {
    keys::le::Write16(image, 16 + 2 * i, static_cast<uint16_t>(image.size() - 4));
  }
  image[image.size() - 2] = 1;  // play count
  MacroList list;
  EXPECT_EQ(DecodeMacroArea(image, kTexts, list), MacroAreaProblem::kTooManyMacros);
  ASSERT_EQ(list.size(), kMaxMacros);
  EXPECT_EQ(list.back().identifier, 100);
}

TEST(MacroAreaTest, ExportReadsTheHeaderLengthCappedByCapacity) {
  const Bytes header = ReadFile("one_macro_named_A.bin");
  EXPECT_EQ(MacroAreaReadLength(header, 128), 32u);
  EXPECT_EQ(MacroAreaReadLength(header, 20), 20u);
  EXPECT_EQ(MacroAreaReadLength(header, 0), 0u);
  EXPECT_EQ(MacroAreaReadLength(ReadFile("no_magic.bin"), 128), 0u);

  Bytes huge = header;
  keys::le::Write16(huge, 2, 0xFFFF);
  EXPECT_EQ(MacroAreaReadLength(huge, 255 * 128), 255u * 128);
}

}  // namespace
}  // namespace quorlin::macros
