#include "text/format.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace quorlin::text {
namespace {

struct IntCase {
  const char* tmpl;
  long long value;
  const char* expected;
};

class FormatWithIntTest : public testing::TestWithParam<IntCase> {};

TEST_P(FormatWithIntTest, SubstitutesOnlyTheFirstIntegerPlaceholder) {
  const IntCase& c = GetParam();
  EXPECT_EQ(FormatWithInt(c.tmpl, c.value), c.expected) << c.tmpl;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatWithIntTest,
    testing::Values(
        IntCase{"Key %d", 100, "Key 100"}, IntCase{"%i keys", -7, "-7 keys"},
        IntCase{"%u", 85, "85"}, IntCase{"0x%04X", 0x1A, "0x001A"}, IntCase{"%x", 0xBEEF, "beef"},
        IntCase{"[%5d]", 42, "[   42]"}, IntCase{"[%-5d]", 42, "[42   ]"},
        IntCase{"[%05d]", -42, "[-0042]"}, IntCase{"[%-05d]", 42, "[42   ]"},
        IntCase{"[%1d]", 1234, "[1234]"}, IntCase{"100%% of %d", 3, "100% of 3"},
        IntCase{"%d and %d", 1, "1 and %d"}, IntCase{"%s %d %n", 9, "%s 9 %n"},
        IntCase{"no placeholder", 5, "no placeholder"}, IntCase{"trailing %", 5, "trailing %"},
        IntCase{"%5", 5, "%5"}, IntCase{"%.2d", 5, "%.2d"}, IntCase{"", 5, ""},
        IntCase{"%d", LLONG_MIN, "-9223372036854775808"}, IntCase{"max %d", 40000, "max 40000"}));

struct TextCase {
  const char* tmpl;
  const char* value;
  const char* expected;
};

class FormatWithTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(FormatWithTextTest, SubstitutesOnlyTheFirstTextPlaceholder) {
  const TextCase& c = GetParam();
  EXPECT_EQ(FormatWithText(c.tmpl, c.value), c.expected) << c.tmpl;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatWithTextTest,
    testing::Values(TextCase{"Bad file: %s", "/tmp/a.qlf", "Bad file: /tmp/a.qlf"},
                    TextCase{"%s and %s", "x", "x and %s"}, TextCase{"%d %s", "v", "%d v"},
                    TextCase{"50%% %s", "done", "50% done"},
                    TextCase{"%s", "a %s in the value", "a %s in the value"},
                    TextCase{"%n%s", "v", "%nv"}, TextCase{"end %", "v", "end %"},
                    TextCase{"none", "v", "none"}));

TEST(FormatWithIntTest, HugeWidthFromAFileIsBounded) {
  EXPECT_LE(FormatWithInt("%999999999999d", 1).size(), 300u);
}

}  // namespace
}  // namespace quorlin::text
