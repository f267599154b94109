#include "flows/main_flows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

#include "device/commands.h"
#include "device/keyboard_finder.h"
#include "fake_flow_view.h"
#include "keys/key_catalogue.h"
#include "macros/macro_name.h"
#include "macros/macro_record.h"
#include "platform/temp_folder.h"
#include "sim/sim_backend.h"
#include "sim/virtual_keyboard.h"
#include "text/language.h"

namespace quorlin::flows {
namespace {

using testing::FakeFlowView;

// Texts come back as their keys, so tests can tell which message was shown.
class KeyTexts : public text::TextSource {
 public:
  std::string Text(std::string_view key) const override { return std::string(key); }
  std::string LightText(std::string_view key) const override { return std::string(key); }
  std::string ModeName(int mode) const override { return std::to_string(mode); }
};

constexpr keys::KeyCode kKeyA = 0x001E;

struct Rig {
  explicit Rig(int active_profile = 1)
      : keyboard(std::make_shared<sim::VirtualKeyboard>()),
        backend(keyboard),
        link(backend),
        view(state),
        flows(FlowParts{link, state, texts, view, folder.path() / "data", QUORLIN_DATA_DIR}) {
    keyboard->SetActiveProfile(active_profile);
    link.Channel().SetBatchPause(std::chrono::microseconds(0));
    if (device::ConnectKeyboard(link) != device::FindResult::kFound) std::abort();
    backend.ClearReceivedFrames();
  }

  std::vector<uint8_t> Commands() const {
    std::vector<uint8_t> out;
    for (const auto& f : backend.ReceivedFrames()) out.push_back(f[3]);
    return out;
  }
  // The matrix position whose default entry is key A.
  std::size_t PositionOfA() const {
    const auto table = keyboard->Memory().default_key_table;
    for (std::size_t i = 0; i + 2 < table.size(); i += 3) {
      if (table[i] == 2 && table[i + 1] == 2 && table[i + 2] == 0x04) return i;
    }
    return 0;
  }
  std::array<uint8_t, 3> KeyTableEntry(int profile, std::size_t position) const {
    const auto m = keyboard->Memory();
    const std::size_t at = static_cast<std::size_t>(profile) * 512 + position;
    return {m.key_tables[at], m.key_tables[at + 1], m.key_tables[at + 2]};
  }
  void DisableKeyA(int page) {
    auto working = state.working.Lock();
    working->actions.pages[static_cast<std::size_t>(page)]
        .at(static_cast<std::size_t>(keys::KeyIndexFromCode(kKeyA)))
        .kind = keys::KeyActionKind::kDisabled;
  }

  TempFolder folder;
  KeyTexts texts;
  std::shared_ptr<sim::VirtualKeyboard> keyboard;
  sim::SimBackend backend;
  device::DeviceLink link;
  ProgramState state;
  FakeFlowView view;
  MainFlows flows;
};

std::vector<uint8_t> Without(std::vector<uint8_t> commands, uint8_t drop) {
  commands.erase(std::remove(commands.begin(), commands.end(), drop), commands.end());
  return commands;
}

TEST(Flows, ReloadAfterArrivalTakesTheActiveProfile) {
  Rig r(1);
  r.flows.ReloadAfterArrival();
  EXPECT_TRUE(std::filesystem::exists(r.folder.path() / "data" / "$Profile1"));
  EXPECT_EQ(r.view.buttons, 1);
  EXPECT_EQ(r.state.lighting.edited_slot, 1);
  EXPECT_EQ(r.view.last_key_view_page, 1);
  EXPECT_FALSE(r.state.modified);
  ASSERT_TRUE(r.view.last_panel.has_value());

  // After the export (device info, three key tables, the macro area) the
  // lighting is read, with the user-mode table written inside the batch.
  const auto c = r.Commands();
  const auto lighting_start = std::find(c.begin() + 1, c.end(), device::cmd::kReadDeviceInfo);
  ASSERT_NE(lighting_start, c.end());
  std::vector<uint8_t> lighting(lighting_start, c.end());
  std::vector<uint8_t> expected = {3, 1, 1};
  expected.insert(expected.end(), 8, 17);
  expected.insert(expected.end(), {2, 5, 5, 5, 2});
  EXPECT_EQ(lighting, expected);
}

TEST(Flows, ProfileButtonOfTheActiveProfileSwitchesNothing) {
  Rig r(1);
  r.flows.ReloadAfterArrival();
  r.backend.ClearReceivedFrames();
  r.view.buttons = -2;
  r.flows.SelectProfileSlot(1);
  const auto c = r.Commands();
  EXPECT_EQ(std::count(c.begin(), c.end(), device::cmd::kWriteDeviceInfo), 0);
  EXPECT_EQ(r.view.buttons, -2) << "buttons stay as they are";

  r.flows.SelectProfileSlot(2);
  EXPECT_EQ(r.keyboard->ActiveProfile(), 2);
  EXPECT_EQ(r.view.buttons, 2);
  EXPECT_EQ(r.state.lighting.edited_slot, 2);
}

TEST(Flows, SwitchRefusedWhileTheKeyEditorIsOpen) {
  Rig r(0);
  r.flows.ReloadAfterArrival();
  r.view.key_editor_open = true;
  r.flows.SelectProfileSlot(2);
  EXPECT_EQ(r.keyboard->ActiveProfile(), 0);
  EXPECT_EQ(r.view.messages.back(), "PROFILE_SEELCT_PROMPT2");
  EXPECT_EQ(r.state.lighting.edited_slot, 2) << "the lighting of slot 2 is still the one shown";
}

TEST(Flows, ApplyWithoutChangesOnlyShowsTheBusyIndicator) {
  Rig r;
  r.flows.ReloadAfterArrival();
  r.backend.ClearReceivedFrames();
  r.view.calls.clear();
  EXPECT_TRUE(r.flows.Apply());
  EXPECT_TRUE(r.backend.ReceivedFrames().empty());
  EXPECT_EQ(r.view.calls, (std::vector<std::string>{"busy", "idle"}));
}

TEST(Flows, ApplyWritesTheActiveProfileAndClearsModified) {
  Rig r(1);
  r.flows.ReloadAfterArrival();
  r.backend.ClearReceivedFrames();
  r.DisableKeyA(1);
  r.view.SetModified(true);
  EXPECT_TRUE(r.flows.Apply());
  EXPECT_FALSE(r.state.modified);
  EXPECT_EQ(r.KeyTableEntry(1, r.PositionOfA()), (std::array<uint8_t, 3>{0, 0, 0}));
  EXPECT_EQ(r.KeyTableEntry(0, r.PositionOfA()), (std::array<uint8_t, 3>{2, 2, 4}));
  // Begin batch, the macro area, the active key table, End batch.
  const auto c =
      Without(Without(r.Commands(), device::cmd::kWriteMacroArea), device::cmd::kWriteKeyTable);
  EXPECT_EQ(c, (std::vector<uint8_t>{1, 2}));
  // The host copy holds the change too: a reload from it shows key A set.
  EXPECT_GT(std::filesystem::file_size(r.folder.path() / "data" / "$Profile1"), 0u);
}

// A host copy that cannot be written is a failure the caller must see, yet
// the keyboard still gets the change.
TEST(Flows, AHostCopyNotWrittenFailsTheApplyButNotTheKeyboardsPart) {
  const struct {
    const char* name;
    int page;
    bool (*apply)(MainFlows&);
  } cases[] = {
      {"Apply", 1, [](MainFlows& f) { return f.Apply(); }},
      {"ApplyAllProfiles", 2, [](MainFlows& f) { return f.ApplyAllProfiles(); }},
  };
  for (const auto& c : cases) {
    Rig r(1);
    r.flows.ReloadAfterArrival();
    const auto copy = r.folder.path() / "data" / "$Profile1";
    ASSERT_TRUE(std::filesystem::remove(copy)) << c.name;
    std::filesystem::create_directory(copy);  // a folder where the file should be
    r.DisableKeyA(c.page);
    r.view.SetModified(true);
    EXPECT_FALSE(c.apply(r.flows)) << c.name;
    EXPECT_EQ(r.KeyTableEntry(c.page, r.PositionOfA()), (std::array<uint8_t, 3>{0, 0, 0}))
        << c.name;
    if (std::string(c.name) == "Apply") {
      // Said, naming the copy, and Apply stays on for another try.
      ASSERT_FALSE(r.view.messages.empty());
      EXPECT_EQ(r.view.messages.back().rfind("MAIN_HOST_COPY_NOT_SAVED", 0), 0u);
      EXPECT_TRUE(r.state.modified);
    }
  }
}

// A restore the keyboard did not take leaves the file's contents pending.
TEST(Flows, ARestoreTheKeyboardRefusedKeepsTheChangesPending) {
  Rig r(1);
  r.flows.ReloadAfterArrival();
  const auto file = r.folder.path() / "backup.qlf";
  ASSERT_TRUE(r.flows.BackUpToFile(file));
  r.view.SetModified(false);
  r.backend.FailNextWrites(1000);
  EXPECT_FALSE(r.flows.RestoreFromFile(file));
  EXPECT_TRUE(r.state.modified);
}

TEST(Flows, ApplyDuringRecordingAsksFirst) {
  Rig r;
  r.flows.ReloadAfterArrival();
  r.view.SetModified(true);
  r.view.recording = true;
  r.backend.ClearReceivedFrames();
  EXPECT_FALSE(r.flows.Apply());
  EXPECT_TRUE(r.backend.ReceivedFrames().empty());
  EXPECT_TRUE(r.state.modified);
  EXPECT_EQ(r.view.messages.back(), "MAIN_APPLY_PROMPT");

  r.view.answers = {true};
  EXPECT_TRUE(r.flows.Apply());
  EXPECT_FALSE(r.view.recording);
  EXPECT_FALSE(r.state.modified);
}

TEST(Flows, KeyboardGoneDuringApplyKeepsTheChangePending) {
  Rig r(0);
  r.flows.ReloadAfterArrival();
  r.DisableKeyA(0);
  r.view.SetModified(true);
  r.backend.UnplugAfterFrames(3);
  EXPECT_FALSE(r.flows.Apply());
  EXPECT_TRUE(r.state.modified);

  // Plugged back in and found again, the next apply writes everything.
  r.backend.Plug();
  ASSERT_EQ(device::ConnectKeyboard(r.link), device::FindResult::kFound);
  EXPECT_TRUE(r.flows.Apply());
  EXPECT_EQ(r.KeyTableEntry(0, r.PositionOfA()), (std::array<uint8_t, 3>{0, 0, 0}));
}

TEST(Flows, RestoreDefaultsAnsweredNoStillSelectsSlotZero) {
  Rig r(1);
  r.flows.ReloadAfterArrival();
  r.state.lighting.panel.view_open = true;
  r.DisableKeyA(1);
  const auto lighting_before = r.keyboard->Memory().lighting;
  r.flows.RestoreDefaults();
  EXPECT_EQ(r.view.messages.front(), "MAIN_PROMPT_DEFAULT");
  EXPECT_EQ(r.state.lighting.edited_slot, 0);
  EXPECT_FALSE(r.state.lighting.panel.view_open);
  EXPECT_EQ(r.keyboard->Memory().lighting, lighting_before);
  auto working = r.state.working.Lock();
  EXPECT_EQ(working->actions.pages[1][keys::KeyIndexFromCode(kKeyA)].kind,
            keys::KeyActionKind::kDisabled);
}

TEST(Flows, RestoreDefaultsClearsAndAppliesTheActiveProfile) {
  Rig r(0);
  r.flows.ReloadAfterArrival();
  r.DisableKeyA(0);
  r.view.SetModified(true);
  ASSERT_TRUE(r.flows.Apply());
  ASSERT_EQ(r.KeyTableEntry(0, r.PositionOfA()), (std::array<uint8_t, 3>{0, 0, 0}));
  r.view.answers = {true};
  r.flows.RestoreDefaults();
  EXPECT_EQ(r.KeyTableEntry(0, r.PositionOfA()), (std::array<uint8_t, 3>{2, 2, 4}));
  EXPECT_FALSE(r.state.modified);
}

TEST(Flows, RejectedProfileFileChangesNothing) {
  Rig r(0);
  r.flows.ReloadAfterArrival();
  r.DisableKeyA(0);
  const auto bad = r.folder.path() / "broken.qlf";
  std::ofstream(bad) << "not a profile";
  r.backend.ClearReceivedFrames();
  EXPECT_FALSE(r.flows.RestoreFromFile(bad));
  EXPECT_EQ(r.view.messages.back(), "MAIN_PROMPT_INPORT");
  EXPECT_EQ(std::count_if(r.view.calls.begin(), r.view.calls.end(),
                          [](const std::string& c) { return c.starts_with("restored:"); }),
            0);
  EXPECT_TRUE(r.backend.ReceivedFrames().empty());
  auto working = r.state.working.Lock();
  EXPECT_EQ(working->actions.pages[0][keys::KeyIndexFromCode(kKeyA)].kind,
            keys::KeyActionKind::kDisabled);
}

TEST(Flows, BackUpThenRestoreOnAnotherKeyboard) {
  Rig a(0);
  a.flows.ReloadAfterArrival();
  a.DisableKeyA(0);
  a.DisableKeyA(2);
  a.view.SetModified(true);
  ASSERT_TRUE(a.flows.ApplyAllProfiles());
  const auto file = a.folder.path() / "backup.qlf";
  a.view.file_choice = file;
  ASSERT_TRUE(a.flows.BackUpToFile());
  // Each says it went through, naming the file; a refused file says nothing of the kind.
  EXPECT_EQ(a.view.calls.back(), "backed-up:backup.qlf");

  Rig b(0);
  b.flows.ReloadAfterArrival();
  b.view.file_choice = file;
  ASSERT_TRUE(b.flows.RestoreFromFile());
  EXPECT_EQ(b.view.calls.back(), "restored:backup.qlf");
  EXPECT_FALSE(b.state.modified);
  EXPECT_EQ(b.keyboard->Memory().key_tables, a.keyboard->Memory().key_tables);
  EXPECT_EQ(b.keyboard->Memory().macro_area, a.keyboard->Memory().macro_area);
}

TEST(Flows, ResetReloadClearsEverythingAndLeavesApplyEnabled) {
  Rig r(1);
  r.flows.ReloadAfterArrival();
  r.DisableKeyA(0);
  r.DisableKeyA(1);
  r.flows.ResetReload();
  EXPECT_TRUE(r.state.modified);
  EXPECT_EQ(std::count(r.view.calls.begin(), r.view.calls.end(), "ask"), 0);
  {
    auto working = r.state.working.Lock();
    for (int p = 0; p < 3; ++p) {
      EXPECT_EQ(
          working->actions.pages[static_cast<std::size_t>(p)][keys::KeyIndexFromCode(kKeyA)].kind,
          keys::KeyActionKind::kDefault);
    }
  }
  EXPECT_EQ(r.state.lighting.edited_slot, 1);
  EXPECT_EQ(r.state.lighting.user_slot_names.size(), 10u);
}

TEST(Flows, LightingReloadReadsTheEditedSlot) {
  Rig r(0);
  r.flows.ReloadAfterArrival();
  r.backend.ClearReceivedFrames();
  r.flows.LightingReload();
  EXPECT_EQ(r.Commands(), (std::vector<uint8_t>{3, 1, 5, 5, 5, 2}));
}

TEST(Flows, FailedDeviceInfoReadLeavesThePanel) {
  Rig r(0);
  r.flows.ReloadAfterArrival();
  const auto before = r.state.lighting.panel;
  r.backend.RefuseNextFrames(1);
  r.backend.ClearReceivedFrames();
  r.flows.LightingReload();
  EXPECT_EQ(r.Commands(), (std::vector<uint8_t>{3}));
  EXPECT_EQ(r.state.lighting.panel.mode, before.mode);
}

// A program that never got the keyboard's contents holds no macros only for
// want of reading them; its Apply would empty the keyboard's macro area.
TEST(Flows, NothingIsAppliedUntilTheKeyboardsContentsWereRead) {
  Rig with_macro(0);
  with_macro.flows.ReloadAfterArrival();
  with_macro.state.working.With([](profiles::WorkingContents& w) {
    macros::MacroRecord macro;
    macro.identifier = 1;
    macros::SetMacroName(macro, "Combo");
    macros::SetEvents(macro, std::vector<macros::MacroEvent>{{10, kKeyA, macros::kPress},
                                                             {0, kKeyA, macros::kRelease}});
    w.macro_list = {macro};
  });
  ASSERT_TRUE(with_macro.flows.ApplyAllProfiles());

  Rig r(0);
  ASSERT_TRUE(r.keyboard->SetMemory(with_macro.keyboard->Memory(), nullptr));
  const int capacity = r.link.MacroCapacity();
  r.link.SetMacroCapacity(0);  // its Device info read failed at arrival
  r.flows.ReloadAfterArrival();
  EXPECT_EQ(r.view.messages, std::vector<std::string>{"EXTRA_KEYBOARD_READ_FAILED"});
  r.link.SetMacroCapacity(capacity);
  const auto memory = r.keyboard->Memory();

  r.DisableKeyA(0);
  r.view.SetModified(true);
  r.backend.ClearReceivedFrames();
  EXPECT_FALSE(r.flows.Apply());
  EXPECT_FALSE(r.flows.ApplyAllProfiles());
  EXPECT_EQ(r.view.messages,
            (std::vector<std::string>{"EXTRA_KEYBOARD_READ_FAILED", "EXTRA_APPLY_NOTHING_READ",
                                      "EXTRA_APPLY_NOTHING_READ"}));
  EXPECT_TRUE(r.backend.ReceivedFrames().empty());
  EXPECT_EQ(r.keyboard->Memory(), memory);
  EXPECT_TRUE(r.state.modified);

  // Once read, the change goes out with the keyboard's macro kept.
  r.flows.ReloadAfterArrival();
  r.DisableKeyA(0);
  r.view.SetModified(true);
  EXPECT_TRUE(r.flows.Apply());
  EXPECT_EQ(r.keyboard->Memory().macro_area, memory.macro_area);
  EXPECT_EQ(r.KeyTableEntry(0, r.PositionOfA()), (std::array<uint8_t, 3>{0, 0, 0}));
}

// Lighting writes of every flow stay inside the three records and the
// three per-key tables.
void ExpectWritesInsideTheLightingAreas(const sim::SimBackend& backend) {
  for (const auto& f : backend.ReceivedFrames()) {
    const auto h = device::ReadFrameHeader(f);
    if (h.command == device::cmd::kWriteLighting) {
      EXPECT_LT(h.address + h.length, 127);
    }
    if (h.command == device::cmd::kWriteKeyColours) {
      EXPECT_LE(h.address + h.length, 3 * 512);
    }
  }
}

TEST(Flows, AnActiveProfileByteAboveTwoIsNoLightingSlot) {
  Rig r(0);
  auto memory = r.keyboard->Memory();
  memory.device_info[10] = 7;
  ASSERT_TRUE(r.keyboard->SetMemory(memory, nullptr));
  r.link.InvalidateActiveProfile();
  r.flows.ReloadAfterArrival();
  EXPECT_EQ(r.state.lighting.edited_slot, 0);
  r.flows.Panel().MoveBrightness(1);
  EXPECT_EQ(r.keyboard->Memory().lighting[1], 1);
  ExpectWritesInsideTheLightingAreas(r.backend);

  // The reset path makes it profile 0, as a profile switch to it would.
  r.state.lighting.edited_slot = 2;
  r.backend.ClearReceivedFrames();
  r.flows.ResetReload();
  EXPECT_EQ(r.state.lighting.edited_slot, 0);
  EXPECT_EQ(r.keyboard->ActiveProfile(), 0);
  ExpectWritesInsideTheLightingAreas(r.backend);
}

TEST(Flows, AUserSlotChosenAfterAResetSurvivesArrivalAndProfileButtons) {
  Rig r(1);
  ASSERT_TRUE(r.flows.Store().EnsureDataFolder());
  const auto paths = lighting::MakeUserLightingPaths(r.folder.path() / "data", QUORLIN_DATA_DIR);
  const int w_led = 2 * 21 + 2;  // any lit key's LED will do
  for (int slot = 0; slot < 3; ++slot) {
    std::ofstream(lighting::UserSettingsFile(paths, slot), std::ios::app) << "\n[Mode7]\n"
                                                                          << w_led << "=1,2,3,0\n";
    ASSERT_TRUE(lighting::SavePresentSlot(paths, slot, 7));
  }
  const auto colour_at = [&](int slot) {
    const auto m = r.keyboard->Memory();
    const std::size_t at = static_cast<std::size_t>(slot) * 512 + w_led * 3;
    return lighting::Rgb{m.key_colours[at], m.key_colours[at + 1], m.key_colours[at + 2]};
  };

  r.flows.ReloadAfterArrival();
  EXPECT_EQ(r.state.lighting.panel.user_slot, 7);
  EXPECT_EQ(r.state.lighting.user_slot_names.size(), 8u);
  EXPECT_EQ(colour_at(1), (lighting::Rgb{1, 2, 3}));

  r.flows.SelectProfileSlot(2);
  EXPECT_EQ(r.state.lighting.panel.user_slot, 7);
  EXPECT_EQ(colour_at(2), (lighting::Rgb{1, 2, 3}));
}

}  // namespace
}  // namespace quorlin::flows
