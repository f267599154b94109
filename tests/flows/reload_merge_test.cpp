#include "flows/reload_merge.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macros/macro_name.h"

namespace quorlin::flows {
namespace {

using profiles::WorkingContents;

macros::MacroRecord Macro(uint16_t id, const std::string& name, uint8_t plays = 1) {
  macros::MacroRecord m;
  m.identifier = id;
  m.play_count = plays;
  macros::SetMacroName(m, name);
  return m;
}

keys::KeyAction MacroKey(uint32_t id) {
  return {keys::KeyActionKind::kMacro, 1, id};
}

std::vector<std::string> Names(const WorkingContents& w) {
  std::vector<std::string> names;
  for (const auto& m : w.macro_list) names.push_back(macros::MacroName(m));
  return names;
}

keys::KeyAction& Key(WorkingContents& w, int page, int record) {
  return w.actions.pages[static_cast<std::size_t>(page)][static_cast<std::size_t>(record)];
}

// What the window did since it loaded, laid over what another program did
// meanwhile: each side keeps what only it changed.
TEST(LayEditsOver, EachSideKeepsWhatOnlyItChanged) {
  WorkingContents loaded;
  loaded.macro_list = {Macro(1, "Kept"), Macro(2, "DeletedByWindow"), Macro(3, "ChangedByWindow")};
  Key(loaded, 0, 10) = MacroKey(1);

  WorkingContents edited = loaded;
  edited.macro_list = {Macro(1, "Kept"), Macro(3, "ChangedByWindow", 7), Macro(4, "AddedByWindow")};
  Key(edited, 0, 11) = MacroKey(4);
  Key(edited, 1, 20) = {keys::KeyActionKind::kFunction, 0, 3};
  edited.texts.Set(keys::StoreRecordNumber(1, 21), u"notepad");
  Key(edited, 1, 21) = {keys::KeyActionKind::kRunProgram, 0, 0};

  WorkingContents keyboard = loaded;
  keyboard.macro_list.push_back(Macro(5, "AddedByCli"));
  Key(keyboard, 0, 12) = MacroKey(5);
  Key(keyboard, 2, 30) = {keys::KeyActionKind::kDisabled, 0, 0};

  WorkingContents merged = LayEditsOver(loaded, edited, keyboard);
  EXPECT_EQ(Names(merged), (std::vector<std::string>{"Kept", "ChangedByWindow", "AddedByCli",
                                                     "AddedByWindow"}));
  EXPECT_EQ(merged.macro_list[1].play_count, 7);
  EXPECT_EQ(Key(merged, 0, 10), MacroKey(1));
  EXPECT_EQ(Key(merged, 0, 11), MacroKey(4));
  EXPECT_EQ(Key(merged, 0, 12), MacroKey(5));
  EXPECT_EQ(Key(merged, 1, 20).kind, keys::KeyActionKind::kFunction);
  EXPECT_EQ(Key(merged, 2, 30).kind, keys::KeyActionKind::kDisabled);
  ASSERT_NE(merged.texts.Text(keys::StoreRecordNumber(1, 21)), nullptr);
  EXPECT_EQ(*merged.texts.Text(keys::StoreRecordNumber(1, 21)), u"notepad");
}

// Both added a macro under the same free identifier: the window's moves to
// another one, and the window's key follows it.
TEST(LayEditsOver, AWindowMacroWhoseIdentifierWasTakenMovesWithItsKeys) {
  WorkingContents loaded;
  WorkingContents edited = loaded;
  edited.macro_list = {Macro(1, "Window")};
  Key(edited, 0, 5) = MacroKey(1);
  WorkingContents keyboard = loaded;
  keyboard.macro_list = {Macro(1, "Cli")};
  Key(keyboard, 0, 6) = MacroKey(1);

  WorkingContents merged = LayEditsOver(loaded, edited, keyboard);
  ASSERT_EQ(Names(merged), (std::vector<std::string>{"Cli", "Window"}));
  EXPECT_EQ(merged.macro_list[0].identifier, 1);
  EXPECT_EQ(merged.macro_list[1].identifier, 2);
  EXPECT_EQ(Key(merged, 0, 5), MacroKey(2));
  EXPECT_EQ(Key(merged, 0, 6), MacroKey(1));
}

}  // namespace
}  // namespace quorlin::flows
