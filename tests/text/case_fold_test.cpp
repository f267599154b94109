#include "text/case_fold.h"

#include <gtest/gtest.h>

namespace quorlin::text {
namespace {

TEST(CaseFoldTest, FoldsTheLettersOfTheProgramsLanguages) {
  const struct {
    std::string_view typed;
    std::string_view folded;
  } cases[] = {
      {"RÜCKTASTE", "rücktaste"},
      {"ÄÖÜ ÀÇÉÕ", "äöü àçéõ"},
      {"Ã×Þ", "ã×þ"},      // the multiplication sign has no case
      {"ĀĂĄĆ", "āăąć"},    // even capitals
      {"ĹĽŁŃŇ", "ĺľłńň"},  // odd capitals in the middle run
      {"ŊŐŒŠŶ", "ŋőœšŷ"},  // even again after it
      {"ŸŹŻŽ", "ÿźżž"},    // Ÿ pairs with Latin-1 ÿ; odd capitals at the end
      {"İıĸŉſ", "iıĸŉs"},  // letters without a partner in the range
      {"ẞ", "ß"},
      {"ΣΩЖЁ", "σωжё"},            // Greek and Cyrillic capitals
      {"ς€", "ς€"},                // final sigma and others have no capital here
      {"A\xC3", "a\xC3"},          // a cut sequence stays as it is
      {"\xC0\x80Z", "\xC0\x80z"},  // an overlong form is not a character
  };
  for (const auto& c : cases) EXPECT_EQ(FoldCase(c.typed), c.folded) << c.typed;
  EXPECT_TRUE(EqualFolded("Ärger", "ärger"));
}

}  // namespace
}  // namespace quorlin::text
