// The profile store's flows against the simulated keyboard and a fake view.

#include "profiles/profile_store.h"

#include <gtest/gtest.h>

#include <functional>

#include "device/frame.h"
#include "fake_flow_view.h"
#include "keys/fake_text_source.h"
#include "macros/macro_area.h"
#include "platform/temp_folder.h"
#include "profile_test_support.h"
#include "profiles/data_folder.h"
#include "profiles/profile_file.h"
#include "sim_support.h"

namespace quorlin::profiles {
namespace {

namespace fs = std::filesystem;
using keys::KeyActionKind;
using namespace testing;

class ProfileStoreTest : public ::testing::Test {
 protected:
  ProfileStoreTest() {
    WriteBytes(template_file, std::vector<uint8_t>{'[', 'M', 'o', 'd', 'e', '0', ']', '\n'});
  }
  void SetUp() override { ASSERT_TRUE(sim.Connect()); }

  // A key the keyboard's profile `p` sends differently from its default.
  void AssignOnKeyboard(int p, std::vector<uint8_t> entry) {
    sim::KeyboardMemory m = sim.keyboard->Memory();
    SetEntry(m, p, PositionOf(m.default_key_table, kKeyA), std::move(entry));
    ASSERT_TRUE(sim.keyboard->SetMemory(m, nullptr));
  }
  keys::KeyAction WorkingAction(int page, int record) {
    auto w = working.Lock();
    return Action(*w, page, record);
  }

  TempFolder root;
  fs::path template_file = root.path() / UserSettingsFileName(kDefaultUserSettingsNumber);
  fs::path data = root.path() / "data";
  SimLink sim;
  WorkingStore working;
  keys::testing::FakeTextSource texts{{"PROFILE_LOAD_PROMPT", "recording stopped"},
                                      {"PROFILE_SEELCT_PROMPT2", "close the editor"},
                                      {"PROFILE_SELECT_PROMPT", "apply first?"},
                                      {"DEFAULT_PROFILE_NAME", "Default"},
                                      {"PROFILE_TIP", "Profile: "},
                                      {"EXTRA_KEYBOARD_READ_FAILED", "not read"}};
  FakeFlowView view;
  ProfileStore store{{.link = sim.link,
                      .working = working,
                      .texts = texts,
                      .view = view,
                      .data_folder = data,
                      .default_user_settings = template_file}};
};

TEST_F(ProfileStoreTest, ANewDataFolderGetsThreeUserSettingsFiles) {
  EXPECT_EQ(store.HostCopyPath(2), data / "$Profile2");
  for (int slot = 0; slot < 3; ++slot) {
    EXPECT_EQ(ReadBytes(data / UserSettingsFileName(slot)), ReadBytes(template_file)) << slot;
  }
  // An existing folder is left alone, even with files missing.
  fs::remove(data / UserSettingsFileName(1));
  EXPECT_TRUE(store.EnsureDataFolder());
  EXPECT_FALSE(fs::exists(data / UserSettingsFileName(1)));

  // Without the template the files come out empty.
  const fs::path other = root.path() / "other";
  EXPECT_TRUE(EnsureDataFolder(other, root.path() / "missing.userd"));
  EXPECT_EQ(fs::file_size(other / UserSettingsFileName(0)), 0u);
}

TEST_F(ProfileStoreTest, AReloadTakesTheActiveProfilesContentsIntoItsHostCopy) {
  AssignOnKeyboard(0, {0x05, 0x02, 0x00});
  AssignOnKeyboard(1, {0x05, 0x05, 0x01});
  sim.keyboard->SetActiveProfile(1);
  view.modified = true;

  store.ReloadFromKeyboard(false);

  EXPECT_TRUE(fs::exists(data / "$Profile1"));
  EXPECT_FALSE(fs::exists(data / "$Profile0"));
  WorkingContents copy;
  ASSERT_TRUE(LoadProfileImage(data / "$Profile1", copy));
  EXPECT_EQ(Action(copy, 0, kKeyA).kind, KeyActionKind::kStopMacro);  // all three pages
  EXPECT_EQ(Action(copy, 1, kKeyA).kind, KeyActionKind::kFunction);
  EXPECT_EQ(WorkingAction(1, kKeyA).kind, KeyActionKind::kFunction);

  EXPECT_EQ(view.shown_profile, 1);
  ASSERT_EQ(view.shown_buttons.size(), 115u);
  const auto a = std::find_if(view.shown_buttons.begin(), view.shown_buttons.end(),
                              [](const KeyButtonState& b) { return b.key_index == kKeyA; });
  ASSERT_NE(a, view.shown_buttons.end());
  EXPECT_TRUE(a->assigned);
  EXPECT_FALSE(view.modified);

  view.modified = true;
  store.ReloadFromKeyboard(true);
  EXPECT_TRUE(view.modified);
}

// An empty image in place of what could not be read would have the next
// Apply write an empty macro area over the keyboard's macros.
TEST_F(ProfileStoreTest, AFailedReloadKeepsTheWorkingStoreTheHostCopyAndPendingChanges) {
  sim::KeyboardMemory m = sim.keyboard->Memory();
  const std::vector<uint8_t> area = *macros::BuildMacroArea({MacroA(1)}, true);
  std::copy(area.begin(), area.end(), m.macro_area.begin());
  ASSERT_TRUE(sim.keyboard->SetMemory(m, nullptr));
  ASSERT_TRUE(store.ReloadFromKeyboard(false));
  const std::vector<uint8_t> host_copy = ReadBytes(data / "$Profile0");
  working.With(
      [](WorkingContents& w) { Action(w, 0, kKeyA) = {.kind = KeyActionKind::kDisabled}; });
  const int capacity = sim.link.MacroCapacity();

  struct Case {
    const char* what;
    std::function<void()> fail;
  };
  const Case cases[] = {
      {"keyboard gone", [&] { sim.backend.Unplug(); }},
      {"macro area refused",
       [&] {
         sim.link.Channel().SetTraceSink([&](char direction, std::span<const uint8_t> report) {
           if (direction == '>' &&
               report[device::frame_field::kCommand] == device::cmd::kReadMacroArea) {
             sim.backend.RefuseNextFrames(1, 0xFF);
           }
         });
       }},
      {"macro capacity not known", [&] { sim.link.SetMacroCapacity(0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    view.messages.clear();
    view.modified = true;
    view.recording = true;
    c.fail();

    EXPECT_FALSE(store.ReloadFromKeyboard(false));

    EXPECT_EQ(view.messages, (std::vector<std::string>{"recording stopped", "not read"}));
    EXPECT_TRUE(view.modified) << "the edit is still pending";
    working.With([](WorkingContents& w) {
      EXPECT_TRUE(w.loaded);
      EXPECT_EQ(w.macro_list.size(), 1u);
      EXPECT_EQ(Action(w, 0, kKeyA).kind, KeyActionKind::kDisabled);
    });
    EXPECT_EQ(ReadBytes(data / "$Profile0"), host_copy);

    sim.link.Channel().SetTraceSink(nullptr);
    sim.link.SetMacroCapacity(capacity);
    sim.backend.Plug();
    ASSERT_TRUE(sim.Connect());
  }
}

TEST_F(ProfileStoreTest, TheHostCopyIsSavedOnlyWhenItExists) {
  sim.keyboard->SetActiveProfile(2);
  EXPECT_FALSE(store.SaveHostCopy());
  EXPECT_FALSE(fs::exists(data / "$Profile2"));

  store.ReloadFromKeyboard(false);
  working.With([](WorkingContents& w) {
    Action(w, 2, kKeyS) = {.kind = KeyActionKind::kTextBlock};
    w.texts.Set(keys::StoreRecordNumber(2, kKeyS), u"typed");
  });
  EXPECT_TRUE(store.SaveHostCopy());
  WorkingContents copy;
  ASSERT_TRUE(LoadProfileImage(data / "$Profile2", copy));
  EXPECT_EQ(*copy.texts.Text(keys::StoreRecordNumber(2, kKeyS)), u"typed");
}

TEST_F(ProfileStoreTest, ASwitchWritesTheProfileAndRebuildsMenuAndView) {
  struct Case {
    int asked;
    int active_after;
  };
  for (const Case c : {Case{2, 2}, Case{5, 0}, Case{1, 1}}) {
    EXPECT_TRUE(store.SwitchProfile(c.asked));
    EXPECT_EQ(sim.keyboard->ActiveProfile(), c.active_after) << c.asked;
    EXPECT_EQ(view.shown_profile, c.active_after);
    EXPECT_EQ(view.manager_row, c.active_after);
    EXPECT_EQ(store.Menu().checked_position, c.active_after + 2);
    EXPECT_EQ(view.button_text, "$Profile" + std::to_string(c.active_after));
    EXPECT_EQ(view.button_tooltip, "Profile: $Profile" + std::to_string(c.active_after));
  }
  EXPECT_TRUE(view.questions.empty());
}

TEST_F(ProfileStoreTest, TheDefaultMenuEntryWritesNothingToTheKeyboard) {
  sim.link.ActiveProfile();
  sim.backend.ClearReceivedFrames();
  EXPECT_TRUE(store.SwitchProfile(*ProfileOfMenuItem(kDefaultProfileItemId)));
  EXPECT_EQ(CountOf(Commands(sim), 4), 0);
  EXPECT_EQ(store.Menu().items.size(), 5u);
}

TEST_F(ProfileStoreTest, AnOpenKeyEditorRefusesTheSwitch) {
  view.key_editor_open = true;
  sim.backend.ClearReceivedFrames();
  EXPECT_FALSE(store.SwitchProfile(1));
  EXPECT_EQ(view.messages, std::vector<std::string>{"close the editor"});
  EXPECT_TRUE(Commands(sim).empty());
  EXPECT_EQ(view.refreshes, 0);
}

TEST_F(ProfileStoreTest, DiscardingPendingChangesReloadsTheOldHostCopyThenSwitches) {
  store.ReloadFromKeyboard(false);  // $Profile0 from the keyboard
  working.With(
      [](WorkingContents& w) { Action(w, 0, kKeyA) = {.kind = KeyActionKind::kDisabled}; });
  view.modified = true;
  view.answer_yes = false;

  EXPECT_TRUE(store.SwitchProfile(1));
  EXPECT_EQ(view.questions, std::vector<std::string>{"apply first?"});
  EXPECT_FALSE(view.modified);
  EXPECT_EQ(view.applies, 0);
  EXPECT_EQ(WorkingAction(0, kKeyA).kind, KeyActionKind::kDefault);
  EXPECT_EQ(sim.keyboard->ActiveProfile(), 1);
}

TEST_F(ProfileStoreTest, KeepingPendingChangesAppliesThemFirst) {
  view.manager_changes = true;
  view.answer_yes = true;
  // A second switch arriving while the question is open passes it by.
  view.on_question = [&] {
    view.on_question = nullptr;
    EXPECT_TRUE(store.SwitchProfile(2));
  };
  EXPECT_TRUE(store.SwitchProfile(1));
  EXPECT_EQ(view.questions.size(), 1u);
  EXPECT_EQ(view.applies, 1);
  EXPECT_EQ(sim.keyboard->ActiveProfile(), 1);
}

TEST_F(ProfileStoreTest, AnUnknownActiveProfileChecksTheDefaultEntry) {
  sim.backend.Unplug();
  sim.link.InvalidateActiveProfile();
  const ProfileMenu& menu = store.BuildProfileMenu();
  const std::vector<ProfileMenuItem> items{{9000, "Default", false},
                                           {0, "", true},
                                           {9001, "$Profile0", false},
                                           {9002, "$Profile1", false},
                                           {9003, "$Profile2", false}};
  EXPECT_EQ(menu.items, items);
  EXPECT_EQ(menu.checked_position, 0);
  EXPECT_EQ(view.button_text, "Default");
  EXPECT_EQ(view.button_tooltip, "Profile: Default");
  EXPECT_EQ(ProfileOfMenuItem(9003), 2);
  EXPECT_EQ(ProfileOfMenuItem(9004), std::nullopt);
}

}  // namespace
}  // namespace quorlin::profiles
