// Whole flows against the simulated keyboard: export its contents, load
// them, change them, apply them, and compare the keyboard's memory byte by
// byte; and an apply cut off at every frame in turn.

#include <gtest/gtest.h>

#include "fake_flow_view.h"
#include "keys/fake_text_source.h"
#include "macros/macro_area.h"
#include "macros/macro_name.h"
#include "platform/temp_folder.h"
#include "profile_test_support.h"
#include "profiles/apply_settings.h"
#include "profiles/keyboard_export.h"
#include "profiles/profile_file.h"
#include "sim_support.h"

namespace quorlin::profiles {
namespace {

namespace fs = std::filesystem;
using keys::KeyActionKind;
using namespace testing;

class KeyboardRoundTrip : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::KeyboardMemory m = sim.keyboard->Memory();
    pos_a = PositionOf(m.default_key_table, kKeyA);
    pos_s = PositionOf(m.default_key_table, kKeyS);
    pos_b = PositionOf(m.default_key_table, kKeyB);
    // Something on every profile, and two macros.
    SetEntry(m, 0, pos_a, {0x02, 0x02, 0x05});  // B
    SetEntry(m, 1, pos_a, {0x05, 0x01, 0x01});  // the second macro
    SetEntry(m, 2, pos_a, {0x05, 0x05, 0x03});  // built-in function 3
    SetEntry(m, 2, pos_b, {0x03, 0xE9, 0x00});  // volume up
    const macros::MacroList list = {MacroA(1),
                                    MakeMacro("Second", 2, {{50, kKeyS, macros::kPress}}, 3)};
    const std::vector<uint8_t> area = *macros::BuildMacroArea(list, true);
    std::copy(area.begin(), area.end(), m.macro_area.begin());
    m.device_info[10] = 1;  // Active profile
    ASSERT_TRUE(sim.keyboard->SetMemory(m, nullptr));
    ASSERT_TRUE(sim.Connect());
  }

  ApplyTargets Targets() { return {sim.link, applied, deleted, texts, view}; }

  SimLink sim;
  AppliedStore applied;
  macros::MacroDeletedFlag deleted;
  keys::testing::FakeTextSource texts{{"MACRO_NEW_PREFIX", "Macro"}};
  FakeFlowView view;
  TempFolder folder;
  std::size_t pos_a = 0, pos_s = 0, pos_b = 0;
};

TEST_F(KeyboardRoundTrip, ExportLoadChangeApply) {
  const fs::path copy = folder.path() / "$Profile1";
  ASSERT_TRUE(ExportKeyboardToFile(sim.link, copy, texts));
  ASSERT_EQ(CheckProfileFile(copy, texts, view), FileCheck::kLoadable);
  WorkingContents w;
  ASSERT_TRUE(LoadProfileImage(copy, w));

  EXPECT_EQ(Action(w, 0, kKeyA),
            (keys::KeyAction{.kind = KeyActionKind::kSingleKey, .param = kKeyB}));
  EXPECT_EQ(Action(w, 1, kKeyA), (keys::KeyAction{.kind = KeyActionKind::kMacro, .param = 2}));
  EXPECT_EQ(Action(w, 2, kKeyA), (keys::KeyAction{.kind = KeyActionKind::kFunction, .param = 3}));
  EXPECT_EQ(Action(w, 2, kKeyB).kind, KeyActionKind::kMedia);
  EXPECT_EQ(Action(w, 3, 0x100 + 0).aux, 0);  // page 3 stays zero
  EXPECT_EQ(Action(w, 1, 256).aux, 0x0301);
  ASSERT_EQ(w.macro_list.size(), 2u);
  EXPECT_EQ(macros::MacroName(w.macro_list[1]), "Second");
  EXPECT_EQ(w.macro_list[1].identifier, 2);
  EXPECT_EQ(w.macro_list[1].play_count, 3);

  // Change profile 1: S sends A, Q runs a program (host-side only), the
  // second macro plays more often.
  Action(w, 1, kKeyS) = {.kind = KeyActionKind::kSingleKey, .param = kKeyA};
  Action(w, 1, 0x10) = {.kind = KeyActionKind::kRunProgram};
  w.texts.Set(keys::StoreRecordNumber(1, 0x10), u"/usr/bin/true");
  w.macro_list[1].play_count = 7;

  sim::KeyboardMemory expected = sim.keyboard->Memory();
  SetEntry(expected, 1, pos_s, {0x02, 0x02, 0x04});
  const std::vector<uint8_t> area = *macros::BuildMacroArea(w.macro_list, true);
  std::copy(area.begin(), area.end(), expected.macro_area.begin());

  ASSERT_TRUE(ApplySettings(w, false, Targets()));
  EXPECT_EQ(sim.keyboard->Memory(), expected);
  EXPECT_EQ(expected.macro_area[16 + 4 + 4 + 8 + 2 + 2], 7);  // play count of the second block

  // The changed store saved and exported again gives the same key pages.
  ASSERT_TRUE(SaveProfileImage(w, copy));
  WorkingContents exported;
  ASSERT_TRUE(ReadKeyboardContents(sim.link, texts, exported));
  for (int p = 0; p < 3; ++p) {
    for (int r = 0; r < keys::kRecordsPerPage; ++r) {
      if (keys::OwnsText(Action(w, p, r).kind)) continue;  // the keyboard cannot hold these
      EXPECT_EQ(Action(exported, p, r), Action(w, p, r)) << p << "/" << r;
    }
  }
}

TEST_F(KeyboardRoundTrip, AKeyboardWithoutAMacroAreaExportsNoMacros) {
  sim::KeyboardMemory m = sim.keyboard->Memory();
  m.macro_area[0] = 0x00;
  ASSERT_TRUE(sim.keyboard->SetMemory(m, nullptr));
  WorkingContents w;
  ASSERT_TRUE(ReadKeyboardContents(sim.link, texts, w));
  EXPECT_TRUE(w.macro_list.empty());
  EXPECT_EQ(Action(w, 2, kKeyA).kind, KeyActionKind::kFunction);
}

TEST_F(KeyboardRoundTrip, AFailedReadWritesNoFile) {
  const fs::path path = folder.path() / "$Profile1";
  for (int frames = 0; frames < 12; frames += 11) {
    sim.link.InvalidateActiveProfile();
    sim.backend.UnplugAfterFrames(frames);  // during the Device info or a key table read
    EXPECT_FALSE(ExportKeyboardToFile(sim.link, path, texts)) << frames;
    EXPECT_FALSE(fs::exists(path)) << frames;
    sim.backend.Plug();
    ASSERT_TRUE(sim.Connect());
  }
}

// Taking any of these as "no macros" would put an empty macro area in the
// host copy, and the next Apply would write it over the keyboard's.
TEST_F(KeyboardRoundTrip, ARefusedOrUnboundedMacroAreaFailsTheExport) {
  struct Case {
    const char* what;
    int refused_read;  // which command 9 is refused (0: none)
    uint8_t status;
    int capacity;
  };
  const int capacity = sim.link.MacroCapacity();
  const Case cases[] = {{"header refused", 1, 0xFF, capacity},
                        {"area refused", 2, 0xFE, capacity},
                        {"capacity not read", 0, 0, 0}};
  const fs::path path = folder.path() / "$Profile1";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    int reads = 0;
    sim.link.Channel().SetTraceSink([&](char direction, std::span<const uint8_t> report) {
      if (direction != '>' || report.size() <= device::frame_field::kCommand) return;
      if (report[device::frame_field::kCommand] != device::cmd::kReadMacroArea) return;
      if (++reads == c.refused_read) sim.backend.RefuseNextFrames(1, c.status);
    });
    sim.link.SetMacroCapacity(c.capacity);
    WorkingContents w;
    w.macro_list.push_back(MacroA(1));
    EXPECT_FALSE(ReadKeyboardContents(sim.link, texts, w));
    EXPECT_EQ(w.macro_list.size(), 1u) << "left unchanged";
    reads = 0;
    EXPECT_FALSE(ExportKeyboardToFile(sim.link, path, texts));
    EXPECT_FALSE(fs::exists(path));
  }
  sim.link.Channel().SetTraceSink(nullptr);
}

TEST_F(KeyboardRoundTrip, AnApplyCutOffAtAnyFrameHarmsNothingAndTheNextOneWritesEverything) {
  WorkingContents w;
  ASSERT_TRUE(ReadKeyboardContents(sim.link, texts, w));
  for (int p = 0; p < 3; ++p) Action(w, p, kKeyS) = {.kind = KeyActionKind::kMacro, .param = 1};
  w.macro_list.erase(w.macro_list.begin() + 1);  // a deleted macro: all three tables go out
  const fs::path copy = folder.path() / "$Profile1";
  const sim::KeyboardMemory start = sim.keyboard->Memory();

  // The whole apply once, for its frame count and the memory it leaves.
  deleted.Set();
  sim.backend.ClearReceivedFrames();
  sim.link.InvalidateActiveProfile();
  ASSERT_TRUE(ApplySettings(w, false, Targets()));
  const int frames = static_cast<int>(sim.backend.ReceivedFrames().size());
  const sim::KeyboardMemory expected = sim.keyboard->Memory();
  ASSERT_GT(frames, 30);

  for (int cut = 0; cut < frames; ++cut) {
    ASSERT_TRUE(sim.keyboard->SetMemory(start, nullptr));
    ASSERT_TRUE(SaveProfileImage(w, copy));
    const std::vector<uint8_t> saved = ReadBytes(copy);
    deleted.Set();
    sim.link.InvalidateActiveProfile();
    sim.backend.UnplugAfterFrames(cut);

    // Apply as the main window does: the host copy first, then the keyboard.
    EXPECT_TRUE(SaveProfileImage(w, copy));
    ApplySettings(w, false, Targets());
    EXPECT_FALSE(sim.backend.Plugged()) << cut;
    EXPECT_EQ(ReadBytes(copy), saved) << cut;
    EXPECT_EQ(CheckProfileFile(copy, texts, view), FileCheck::kLoadable) << cut;

    sim.backend.Plug();
    ASSERT_TRUE(sim.Connect());
    sim.link.InvalidateActiveProfile();
    const bool all_tables_needed = deleted.IsSet();
    ASSERT_TRUE(ApplySettings(w, false, Targets())) << cut;
    EXPECT_EQ(sim.keyboard->Memory(), expected) << cut;
    const std::vector<int> commands = Commands(sim);
    EXPECT_GE(CountOf(commands, 10), 1) << cut;
    EXPECT_EQ(CountOf(commands, 8), all_tables_needed ? 30 : 10) << cut;
  }
  EXPECT_TRUE(view.messages.empty());
}

}  // namespace
}  // namespace quorlin::profiles
