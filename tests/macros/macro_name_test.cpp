#include "macros/macro_name.h"

#include <gtest/gtest.h>

#include <string>

#include "macros/macro_list.h"
#include "macros/utf16_text.h"
#include "text/case_fold.h"

namespace quorlin::macros {
namespace {

TEST(MacroNameTest, UnicodeNamesSurviveTheRecord) {
  MacroRecord record;
  for (const std::string name : {"Macro 1", "Überfall", "ключ", "火 🔥 x"}) {
    SetMacroName(record, name);
    EXPECT_EQ(MacroName(record), name);
  }
}

TEST(MacroNameTest, LongNamesAreCutTo249UnitsNeverInsideACharacter) {
  MacroRecord record;
  SetMacroName(record, std::string(300, 'x'));
  EXPECT_EQ(MacroNameUnits(record).size(), kMaxMacroNameLength);
  EXPECT_EQ(record.name[kMaxMacroNameLength], u'\0');

  // 248 units, then a character of two units that would cross the limit.
  SetMacroName(record, std::string(248, 'y') + "🔥");
  EXPECT_EQ(MacroName(record), std::string(248, 'y'));
}

TEST(MacroNameTest, ShorterNameClearsTheOldOne) {
  MacroRecord record;
  SetMacroName(record, "long old name");
  SetMacroName(record, "new");
  EXPECT_EQ(record.name[4], u'\0');
  EXPECT_EQ(record.name[10], u'\0');
}

TEST(MacroNameTest, PrefixSearchIgnoresCase) {
  struct Case {
    const char* text;
    const char* prefix;
    bool starts;
  };
  for (const Case& c : {Case{"Macro 10", "macro 1", true}, Case{"MACRO", "macro", true},
                        Case{"Überfall", "über", true}, Case{"ÇA", "ça", true},
                        Case{"Ключ", "клю", true}, Case{"Macro", "Macro 1", false},
                        Case{"Macro 2", "Macro 1", false}, Case{"anything", "", true}}) {
    EXPECT_EQ(StartsWithIgnoringCase(c.text, c.prefix), c.starts) << c.text << " / " << c.prefix;
  }
}

// The macro editor's "name taken" and the command line's lookups fold
// alike: "İ" was ı here and i there, Greek and Cyrillic were folded here only.
TEST(MacroNameTest, NameTakenAgreesWithTheCommandLinesLookup) {
  const struct {
    const char* stored;
    const char* typed;
    bool same;
  } cases[] = {
      {"İstanbul", "istanbul", true}, {"İstanbul", "ıstanbul", false}, {"ΣΗΜΑ", "σημα", true},
      {"ЖУК", "жук", true},           {"ЁЛКА", "ёлка", true},          {"Ärger", "ärger", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsNameTaken(c.typed, {c.stored}), c.same) << c.stored << " / " << c.typed;
    EXPECT_EQ(text::EqualFolded(c.stored, c.typed), c.same) << c.stored << " / " << c.typed;
  }
}

TEST(Utf16TextTest, InvalidInputBecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b"),
            u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong '/'
  EXPECT_EQ(Utf16ToUtf8(u"x\xD800y"), "x\xEF\xBF\xBDy");
  EXPECT_EQ(CutToUtf16Units("ab🔥", 3), "ab");
  EXPECT_EQ(CutToUtf16Units("ab🔥", 4), "ab🔥");
}

}  // namespace
}  // namespace quorlin::macros
