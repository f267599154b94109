#include "text/system_language.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace quorlin::text {
namespace {

struct LocaleCase {
  const char* locale;
  uint32_t expected;
};

class LocaleTest : public testing::TestWithParam<LocaleCase> {};

TEST_P(LocaleTest, MapsToTheWindowsLanguageIdentifier) {
  EXPECT_EQ(LanguageIdFromLocale(GetParam().locale), GetParam().expected) << GetParam().locale;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LocaleTest,
    testing::Values(LocaleCase{"de_DE.UTF-8", 0x0407}, LocaleCase{"de_AT", 0x0407},
                    LocaleCase{"de", 0x0407}, LocaleCase{"de_DE@euro", 0x0407},
                    LocaleCase{"en_US.UTF-8", 0x0409}, LocaleCase{"en_GB", 0x0409},
                    LocaleCase{"C", 0x0409}, LocaleCase{"C.UTF-8", 0x0409},
                    LocaleCase{"POSIX", 0x0409}, LocaleCase{"pt_BR.UTF-8", 0x0416},
                    LocaleCase{"pt_br", 0x0416}, LocaleCase{"pt_PT.UTF-8", 0x0816},
                    LocaleCase{"pt", 0x0816}, LocaleCase{"fr_FR.UTF-8", kUnknownLanguageId},
                    LocaleCase{"dea", kUnknownLanguageId}, LocaleCase{"", kUnknownLanguageId}));

struct EnvCase {
  std::map<std::string, std::string> env;
  uint32_t expected;
};

class EnvironmentTest : public testing::TestWithParam<EnvCase> {};

TEST_P(EnvironmentTest, FollowsTheCLibraryOrder) {
  const auto& env = GetParam().env;
  const platform::EnvironmentLookup lookup =
      [&env](std::string_view name) -> std::optional<std::string> {
    const auto it = env.find(std::string(name));
    if (it == env.end()) return std::nullopt;
    return it->second;
  };
  EXPECT_EQ(LanguageIdFromEnvironment(lookup), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnvironmentTest,
    testing::Values(EnvCase{{{"LC_ALL", "de_DE"}, {"LC_MESSAGES", "en_US"}, {"LANG", "pt_BR"}},
                            0x0407},
                    EnvCase{{{"LC_ALL", ""}, {"LC_MESSAGES", "en_US"}, {"LANG", "pt_BR"}}, 0x0409},
                    EnvCase{{{"LANG", "pt_BR.UTF-8"}}, 0x0416},
                    EnvCase{{{"LC_MESSAGES", "fr_FR"}, {"LANG", "de_DE"}}, kUnknownLanguageId},
                    EnvCase{{}, 0x0409}));

}  // namespace
}  // namespace quorlin::text
