#include "macros/macro_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keys/fake_text_source.h"
#include "macros/macro_name.h"

namespace quorlin::macros {
namespace {

using keys::testing::FakeTextSource;

MacroList WithIdentifiers(std::initializer_list<uint16_t> ids) {
  MacroList list;
  for (const uint16_t id : ids) {
    MacroRecord record;
    record.identifier = id;
    SetMacroName(record, "M" + std::to_string(id));
    list.push_back(record);
  }
  return list;
}

TEST(MacroListTest, NewMacroTakesTheSmallestFreeIdentifier) {
  EXPECT_EQ(NewMacroRecord("a", {}).identifier, 1);
  EXPECT_EQ(NewMacroRecord("a", WithIdentifiers({1, 2, 4, 5})).identifier, 3);
  EXPECT_EQ(NewMacroRecord("a", WithIdentifiers({2, 0, 101, 7})).identifier, 1);

  MacroList full;
  for (uint16_t id = 1; id <= 100; ++id) full.push_back(WithIdentifiers({id}).front());
  EXPECT_EQ(SmallestFreeIdentifier(full), 0);
}

TEST(MacroListTest, NewMacroIsZeroedButForItsFields) {
  const MacroRecord record = NewMacroRecord("Macro 3", WithIdentifiers({1, 2}));
  MacroRecord expected;
  SetMacroName(expected, "Macro 3");
  expected.play_count = 1;
  expected.new_flag = 1;
  expected.identifier = 3;
  EXPECT_EQ(record, expected);
  EXPECT_EQ(record.reserved_501 + record.reserved_504 + record.reserved_510, 0);
}

TEST(MacroListTest, PositionOfIdentifier) {
  const MacroList list = WithIdentifiers({4, 9, 9, 2});
  EXPECT_EQ(MacroPositionOf(9, list), 1u);  // the first one
  EXPECT_EQ(MacroPositionOf(2, list), 3u);
  EXPECT_EQ(MacroPositionOf(5, list), 0u);  // none: the first macro
  EXPECT_EQ(FindMacro(5, list), nullptr);
  EXPECT_EQ(MacroIdentifiers(list), (std::vector<uint32_t>{4, 9, 9, 2}));
}

TEST(MacroNameCounterTest, CommitKeepsAndRevertRestores) {
  const FakeTextSource texts{{"MACRO_NEW_PREFIX", "Macro "}};
  MacroNameCounter counter;
  EXPECT_EQ(NextMacroName(counter, texts), "Macro 1");
  EXPECT_EQ(NextMacroName(counter, texts), "Macro 2");
  counter.Commit();
  EXPECT_EQ(NextMacroName(counter, texts), "Macro 3");
  counter.Revert();
  EXPECT_EQ(counter.value(), 2);
  counter.Reset();
  EXPECT_EQ(NextMacroName(counter, texts), "Macro 1");
  EXPECT_EQ(counter.committed(), 2);
}

TEST(MacroNameCounterTest, TakenNamesAreSkipped) {
  const FakeTextSource texts{{"MACRO_NEW_PREFIX", "Macro "}};
  struct Case {
    std::vector<std::string> names;
    std::string expected;
    int pauses;
  };
  const std::vector<Case> cases = {
      {{}, "Macro 1", 0},
      {{"Macro 1", "Macro 2", "Macro 3", "Macro 4", "Macro 5", "Macro 6", "Macro 7", "Macro 8",
        "Macro 9"},
       "Macro 10",
       9},
      // "Macro 10" begins with "Macro 1", so it blocks 1 as well.
      {{"Macro 10"}, "Macro 2", 1},
      {{"MACRO 1"}, "Macro 2", 1},
      {{"Macro 2"}, "Macro 1", 0},
  };
  for (const Case& c : cases) {
    MacroNameCounter counter;
    int pauses = 0;
    EXPECT_EQ(NextFreeMacroName(counter, texts, c.names, [&pauses] { ++pauses; }), c.expected);
    EXPECT_EQ(pauses, c.pauses) << c.expected;
  }
}

}  // namespace
}  // namespace quorlin::macros
