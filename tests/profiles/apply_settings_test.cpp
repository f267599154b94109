// Applying the working store to the simulated keyboard.

#include "profiles/apply_settings.h"

#include <gtest/gtest.h>

#include "fake_flow_view.h"
#include "keys/fake_text_source.h"
#include "profile_test_support.h"
#include "sim_support.h"

namespace quorlin::profiles {
namespace {

using keys::KeyActionKind;
using namespace testing;

class ApplyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sim.Connect());
    MakeEmptyProfileImage(0, working);
    before = sim.keyboard->Memory();
    pos_a = PositionOf(before.default_key_table, kKeyA);
    pos_s = PositionOf(before.default_key_table, kKeyS);
  }
  void Replug(const sim::VirtualKeyboardOptions& o) {
    PlugKeyboard(sim, o);
    before = sim.keyboard->Memory();
  }
  bool Apply(bool all = false) {
    sim.backend.ClearReceivedFrames();
    return ApplySettings(working, all, {sim.link, applied, deleted, texts, view});
  }

  SimLink sim;
  WorkingContents working;
  AppliedStore applied;
  macros::MacroDeletedFlag deleted;
  keys::testing::FakeTextSource texts{{"EXTRA_MACRO_TOO_LONG", "too long"},
                                      {"EXTRA_PROFILE_SPACE_TIGHT", "tight"}};
  FakeFlowView view;
  sim::KeyboardMemory before;
  std::size_t pos_a = 0;
  std::size_t pos_s = 0;
};

TEST_F(ApplyTest, WritesTheMacroAreaThenTheActiveProfilesTableInOneBatch) {
  sim.keyboard->SetActiveProfile(1);
  working.macro_list = {MacroA(1)};
  Action(working, 1, kKeyA) = {.kind = KeyActionKind::kSingleKey, .param = kKeyB};
  Action(working, 1, kKeyS) = {.kind = KeyActionKind::kMacro, .param = 1};
  Action(working, 0, kKeyA) = {.kind = KeyActionKind::kDisabled};  // not the Active profile

  ASSERT_TRUE(Apply());
  EXPECT_EQ(CommandRuns(sim), (std::vector<int>{3, 1, 10, 8, 2}));
  for (const device::FrameHeader& h : sim.Headers()) {
    if (h.command == 8) {
      EXPECT_EQ(h.address / before.default_key_table.size(), 1u);
    }
  }

  const sim::KeyboardMemory after = sim.keyboard->Memory();
  const std::vector<uint8_t> area{0xAA, 0x55, 0x20, 0x00, 0x01, 0x00, 0x01, 0x00, 0,    0,    0,
                                  0,    0,    0,    0,    0,    0x12, 0x00, 0x02, 0x00, 0x01, 0x01,
                                  0x0C, 0xA0, 0x02, 0x04, 0x00, 0x20, 0x02, 0x04, 0x41, 0x00};
  EXPECT_TRUE(std::equal(area.begin(), area.end(), after.macro_area.begin()));
  EXPECT_EQ(EntryAt(after, 1, pos_a), (std::vector<uint8_t>{0x02, 0x02, 0x05}));
  EXPECT_EQ(EntryAt(after, 1, pos_s), (std::vector<uint8_t>{0x05, 0x01, 0x00}));
  EXPECT_EQ(EntryAt(after, 0, pos_a), EntryAt(before, 0, pos_a));
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(ApplyTest, WithoutAKnownActiveProfileNothingIsWritten) {
  sim::VirtualKeyboardOptions odd;
  odd.active_profile = 5;  // the keyboard says so; no table can be addressed
  Replug(odd);
  EXPECT_FALSE(Apply());
  EXPECT_EQ(Commands(sim), std::vector<int>{3});

  sim.backend.Unplug();
  sim.link.InvalidateActiveProfile();
  EXPECT_FALSE(Apply());
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(ApplyTest, MacrosThatDoNotFitEvenWithoutNamesStopTheApply) {
  sim::VirtualKeyboardOptions small;
  small.macro_capacity_units = 1;  // 128 bytes
  Replug(small);
  sim.link.ActiveProfile();
  std::vector<macros::MacroEvent> events(27, {10, kKeyA, macros::kPress});
  working.macro_list = {MakeMacro("M", 1, events)};  // compact size 130

  EXPECT_FALSE(Apply());
  EXPECT_EQ(view.messages, std::vector<std::string>{"too long"});
  EXPECT_TRUE(Commands(sim).empty());
  EXPECT_EQ(sim.keyboard->Memory(), before);

  events.pop_back();  // compact 126, full 128 with the one-letter name
  working.macro_list = {MakeMacro("M", 1, events)};
  view.messages.clear();
  EXPECT_TRUE(Apply());
  EXPECT_TRUE(view.messages.empty());
  EXPECT_EQ(sim.keyboard->Memory().macro_area[6], 1);  // names flag
}

// The next read from the keyboard renames every macro, so dropping the
// names is reported even when no key plays a macro yet.
TEST_F(ApplyTest, NamesThatDoNotFitAreDroppedAndAlwaysReported) {
  sim::VirtualKeyboardOptions small;
  small.macro_capacity_units = 1;
  Replug(small);
  const std::vector<macros::MacroEvent> events(26, {10, kKeyA, macros::kPress});
  working.macro_list = {MakeMacro("Long", 1, events)};  // compact 126, full 134

  for (const bool key_plays_it : {false, true}) {
    if (key_plays_it) Action(working, 0, kKeyA) = {.kind = KeyActionKind::kMacro, .param = 1};
    view.messages.clear();
    EXPECT_TRUE(Apply());
    EXPECT_EQ(view.messages, std::vector<std::string>{"tight"}) << key_plays_it;
    EXPECT_EQ(sim.keyboard->Memory().macro_area[6], 0);
  }
}

TEST_F(ApplyTest, AllProfilesOrADeletedMacroWriteAllThreeTables) {
  for (int p = 0; p < 3; ++p) Action(working, p, kKeyA) = {.kind = KeyActionKind::kStopMacro};
  for (const bool all : {true, false}) {
    if (!all) deleted.Set();
    sim.keyboard->SetMemory(before, nullptr);
    ASSERT_TRUE(Apply(all));
    const std::vector<int> commands = Commands(sim);
    EXPECT_EQ(CountOf(commands, 8), 3 * 10) << all;  // 512 bytes in 56-byte frames
    for (int p = 0; p < 3; ++p) {
      EXPECT_EQ(EntryAt(sim.keyboard->Memory(), p, pos_a), (std::vector<uint8_t>{5, 2, 0}));
    }
    EXPECT_FALSE(deleted.IsSet());
  }
  ASSERT_TRUE(Apply());
  EXPECT_EQ(CountOf(Commands(sim), 8), 10);
}

TEST_F(ApplyTest, AFailedTableWriteKeepsTheDeletedMacroPending) {
  deleted.Set();
  sim.link.ActiveProfile();
  sim.backend.UnplugAfterFrames(2);  // Begin batch and the macro area get through
  EXPECT_FALSE(Apply());
  EXPECT_TRUE(deleted.IsSet());

  sim.backend.Plug();
  ASSERT_TRUE(sim.Connect());
  EXPECT_TRUE(Apply());
  EXPECT_EQ(CountOf(Commands(sim), 8), 30);
  EXPECT_FALSE(deleted.IsSet());
}

TEST_F(ApplyTest, TheAppliedStoreIsThePackedCopy) {
  Action(working, 2, 9) = {.kind = KeyActionKind::kTextBlock, .param = 77};
  working.texts.Set(keys::StoreRecordNumber(2, 9), u"hi");
  working.macro_list = {MacroA(4), MacroA(5)};
  ASSERT_TRUE(Apply());

  auto copy = applied.Lock();
  EXPECT_EQ(copy->string_pool, (std::vector<uint8_t>{'h', 0, 'i', 0, 0, 0}));
  EXPECT_EQ(copy->actions.pages[2][9].param, 0u);
  EXPECT_EQ(copy->macro_list, working.macro_list);
  const ProfileHeader h = DecodeProfileHeader(HeaderOf(copy->header));
  EXPECT_EQ(h.macro_count, 2);
  EXPECT_EQ(h.pool_size, 6u);
  EXPECT_EQ(h.checksum, HeaderChecksum(HeaderOf(copy->header)));
  EXPECT_EQ(Action(working, 2, 9).param, 77u);  // the working store is not touched
}

}  // namespace
}  // namespace quorlin::profiles
