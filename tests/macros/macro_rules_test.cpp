#include "macros/macro_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keys/fake_text_source.h"
#include "macros/fake_message_view.h"
#include "macros/macro_name.h"

namespace quorlin::macros {
namespace {

using keys::KeyAction;
using keys::KeyActionKind;
using keys::testing::FakeTextSource;
using testing::FakeMessageView;

const PauseBetweenTries kNoPause = [] {};

class MacroRulesTest : public ::testing::Test {
 protected:
  std::optional<std::size_t> Add() { return AddMacro(editing, counter, texts, view, kNoPause); }
  std::optional<RenameOutcome> Rename(std::size_t current, std::string_view typed) {
    return RenameMacro(editing, current, typed, counter, texts, kNoPause);
  }
  std::vector<std::string> Names() const { return MacroNames(editing); }

  FakeTextSource texts{{"MACRO_NEW_PREFIX", "Macro "},
                       {"MACRO_ERR_MAX", "At most %d macros."},
                       {"MACRO_ACTION_ERR_DELAY_MAX", "Longest delay %d ms."},
                       {"MACRO_DELETE_CONFIRM_OF_KEYS", "Keys use it. Delete?"}};
  FakeMessageView view;
  MacroNameCounter counter;
  MacroList editing;
  MacroDeletedFlag deleted_flag;
};

TEST_F(MacroRulesTest, AddStopsAtOneHundredWithTheMessage) {
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(Add().has_value());
  EXPECT_EQ(Names().back(), "Macro 100");
  EXPECT_TRUE(view.messages.empty());

  EXPECT_FALSE(Add().has_value());
  EXPECT_EQ(editing.size(), 100u);
  EXPECT_EQ(view.messages, std::vector<std::string>{"At most 100 macros."});
}

// Emptying the list restarts the numbers for this opening only: Cancel
// must still bring back the counter the editor opened with, and OK keeps
// the restarted one.
TEST_F(MacroRulesTest, AddingToAnEmptiedListStartsTheNumbersAgainUntilCancel) {
  Add();
  Add();
  counter.Commit();
  editing.clear();
  EXPECT_EQ(Add(), 0u);
  EXPECT_EQ(Names(), std::vector<std::string>{"Macro 1"});
  counter.Revert();  // Cancel
  EXPECT_EQ(counter.value(), 2);

  editing.clear();
  Add();
  counter.Commit();  // OK
  counter.Revert();
  EXPECT_EQ(counter.value(), 1);
}

TEST_F(MacroRulesTest, AddTakesTheFreedIdentifier) {
  for (int i = 0; i < 5; ++i) Add();
  editing.erase(editing.begin() + 2);  // identifier 3
  const std::size_t added = *Add();
  EXPECT_EQ(editing[added].identifier, 3);
  EXPECT_EQ(editing[added].new_flag, 1);
  EXPECT_EQ(editing[added].play_count, 1);
}

TEST_F(MacroRulesTest, RenameReplacesUnusableNamesByGeneratedOnes) {
  struct Case {
    std::string typed;
    std::string shown;
  };
  // The other entries are "Macro 1" and "Fire"; the renamed entry is "Macro 2".
  const std::vector<Case> cases = {
      {"Jump", "Jump"},       {"", "Macro 3"},
      {" x", "Macro 3"},      {"fi", "Macro 3"},  // another name begins with it
      {"FIRE", "Macro 3"},                        // the same name in other letters
      {"Fire2", "Fire2"},                         // longer than the other name: fine
      {"Macro 2", "Macro 2"},                     // its own name is not another's
  };
  for (const Case& c : cases) {
    editing.clear();
    counter.Reset();
    Add();
    Add();
    Add();
    SetMacroName(editing[1], "Fire");
    counter = MacroNameCounter();
    counter.Take();
    counter.Take();  // as after adding two macros

    const auto outcome = Rename(2, c.typed);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(outcome->shown, c.shown) << "typed '" << c.typed << "'";
    EXPECT_EQ(MacroName(editing[2]), c.shown);
    EXPECT_FALSE(outcome->created);
  }
}

TEST_F(MacroRulesTest, RenameSkipsGeneratedNamesOtherEntriesBegin) {
  Add();
  Add();
  SetMacroName(editing[0], "Macro 10");  // blocks "Macro 1"
  counter.Reset();
  EXPECT_EQ(Rename(1, "")->shown, "Macro 2");
}

TEST_F(MacroRulesTest, RenameCutsTheRecordTo249AndTheSelectorTo259) {
  Add();
  const auto outcome = Rename(0, std::string(300, 'n'));
  EXPECT_EQ(outcome->shown.size(), kSelectorTextUnits);
  EXPECT_EQ(MacroNameUnits(editing[0]).size(), kMaxMacroNameLength);
}

TEST_F(MacroRulesTest, TypingIntoAnEmptySelectorCreatesAMacro) {
  const auto typed = Rename(0, "Combo");
  EXPECT_TRUE(typed->created);
  EXPECT_EQ(Names(), std::vector<std::string>{"Combo"});
  EXPECT_EQ(editing[0].new_flag, 1);

  editing.clear();
  EXPECT_EQ(Rename(0, " ")->shown, "Macro 1");
  EXPECT_FALSE(Rename(5, "x").has_value());
}

struct DeleteCase {
  const char* what;
  uint16_t new_flag;
  bool in_use;
  std::deque<bool> answers;
  bool asked;
  bool deleted;
};

class DeleteMacroTest : public MacroRulesTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteMacroTest, AsksOnlyWhenStoredMacroIsInUse) {
  const DeleteCase& c = GetParam();
  Add();
  Add();
  Add();
  editing[1].new_flag = c.new_flag;
  view.answers = c.answers;
  int checks = 0;
  const InUseCheck in_use = [&](uint32_t id) {
    ++checks;
    EXPECT_EQ(id, 2u);
    return c.in_use;
  };

  const DeleteOutcome outcome = DeleteMacro(editing, 1, in_use, deleted_flag, texts, view);
  EXPECT_EQ(outcome.deleted, c.deleted);
  EXPECT_EQ(editing.size(), c.deleted ? 2u : 3u);
  EXPECT_EQ(view.questions.size(), c.asked ? 1u : 0u);
  EXPECT_EQ(deleted_flag.IsSet(), c.asked);
  EXPECT_EQ(checks, c.new_flag == 1 ? 0 : 1);
  EXPECT_EQ(outcome.selected, std::optional<std::size_t>(c.deleted ? 0 : 1));
}

INSTANTIATE_TEST_SUITE_P(Cases, DeleteMacroTest,
                         ::testing::Values(DeleteCase{"new_macro", 1, true, {}, false, true},
                                           DeleteCase{"unused", 0, false, {}, false, true},
                                           DeleteCase{"used_yes", 0, true, {true}, true, true},
                                           DeleteCase{"used_no", 0, true, {false}, true, false}),
                         [](const auto& param_info) { return std::string(param_info.param.what); });

TEST_F(MacroRulesTest, DeletingTheLastMacroSelectsNothing) {
  Add();
  const DeleteOutcome outcome = DeleteMacro(editing, 0, {}, deleted_flag, texts, view);
  EXPECT_TRUE(outcome.deleted);
  EXPECT_FALSE(outcome.selected.has_value());
}

TEST(MacroInUseTest, SearchesEveryRecordOfEveryPage) {
  keys::KeyActionStore store;
  EXPECT_FALSE(MacroInUse(7, store));
  store.pages[3][511] = KeyAction{.kind = KeyActionKind::kMacro, .param = 7};
  EXPECT_TRUE(MacroInUse(7, store));
  EXPECT_FALSE(MacroInUse(8, store));
  store.pages[0][5] = KeyAction{.kind = KeyActionKind::kSingleKey, .param = 8};
  EXPECT_FALSE(MacroInUse(8, store));
}

TEST_F(MacroRulesTest, ConsistencyPassResetsKeysOfMissingOrNewMacros) {
  Add();  // id 1, stored
  Add();  // id 2, created in this editor
  Add();  // id 3, stored
  editing[0].new_flag = 0;
  editing[2].new_flag = 0;

  struct Case {
    int page;
    int record;
    KeyAction before;
    KeyAction after;
  };
  const auto macro = [](uint32_t id) {
    return KeyAction{.kind = KeyActionKind::kMacro, .param = id};
  };
  const auto reset = [](uint32_t id) {
    return KeyAction{.kind = KeyActionKind::kDefault, .param = id};
  };
  const std::vector<Case> cases = {
      {0, 0x1E, macro(1), macro(1)},
      {1, 0x1F, macro(3), macro(3)},
      {2, 0x20, macro(2), reset(2)},  // the identifier now names a new macro
      {3, 0x21, macro(9), reset(9)},  // no macro has it
      {0, 256, macro(0), macro(1)},   // no identifier yet: the first macro
      {0, 0x22, KeyAction{.kind = KeyActionKind::kSingleKey, .param = 9},
       KeyAction{.kind = KeyActionKind::kSingleKey, .param = 9}},
  };
  keys::KeyActionStore store;
  for (const Case& c : cases) store.pages[c.page][c.record] = c.before;

  MacroList working;
  const ChangedRecords changed = CommitMacroEdits(store, working, editing);
  for (const Case& c : cases) {
    EXPECT_EQ(store.pages[c.page][c.record], c.after) << c.page << "/" << c.record;
  }
  EXPECT_EQ(changed[0], std::vector<int>{256});
  EXPECT_TRUE(changed[1].empty());
  EXPECT_EQ(changed[2], std::vector<int>{0x20});
  EXPECT_EQ(changed[3], std::vector<int>{0x21});

  ASSERT_EQ(working.size(), 3u);
  for (const MacroRecord& stored : working) EXPECT_EQ(stored.new_flag, 0);
  EXPECT_EQ(MacroNames(working), Names());
}

TEST(ConsistencyPassTest, IdentifierZeroStaysWithoutMacros) {
  keys::KeyActionStore store;
  store.pages[1][3] = KeyAction{.kind = KeyActionKind::kMacro, .param = 0};
  const ChangedRecords changed = ReconcileMacroActions(store, {});
  EXPECT_EQ(store.pages[1][3].kind, KeyActionKind::kMacro);
  EXPECT_TRUE(changed[1].empty());
}

TEST(PlayCountTest, TextIsReadAsDecimalAndClamped) {
  const std::vector<std::pair<std::string, int>> cases = {{"0", 1},
                                                          {"1", 1},
                                                          {"300", 255},
                                                          {"255", 255},
                                                          {"256", 255},
                                                          {"-4", 1},
                                                          {"", 1},
                                                          {"abc", 1},
                                                          {"12x", 12},
                                                          {" 42", 42},
                                                          {"99999999999999999999", 255}};
  for (const auto& [typed, expected] : cases) {
    EXPECT_EQ(PlayCountFromText(typed), expected) << "'" << typed << "'";
  }
}

TEST_F(MacroRulesTest, EditedDelaysAreRoundedAndCapped) {
  struct Case {
    std::string typed;
    uint32_t delay;
    bool message;
  };
  const std::vector<Case> cases = {{"12345", 12340, false},
                                   {"50000", 40000, true},
                                   {"40000", 40000, false},
                                   {"40001", 40000, true},
                                   {"9", 0, false},
                                   {"", 0, false},
                                   {"99999999999999999999", 40000, true}};
  for (const Case& c : cases) {
    view.messages.clear();
    EXPECT_EQ(CommitEditedDelay(c.typed, texts, view), c.delay) << c.typed;
    EXPECT_EQ(view.messages.size(), c.message ? 1u : 0u) << c.typed;
    if (c.message) {
      EXPECT_EQ(view.messages[0], "Longest delay 40000 ms.");
    }
  }
}

}  // namespace
}  // namespace quorlin::macros
