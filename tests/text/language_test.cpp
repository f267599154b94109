#include "text/language.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <variant>

#include "platform/settings_store.h"
#include "platform/temp_folder.h"

namespace quorlin::text {
namespace {

namespace fs = std::filesystem;
using platform::kProductKeyPath;

// Settings in memory; a value is a 32-bit value or a text, like the registry.
class MemorySettings final : public platform::SettingsStore {
 public:
  using Value = std::variant<uint32_t, std::string>;

  std::optional<uint32_t> ReadDword(std::string_view path, std::string_view section,
                                    std::string_view name) const override {
    const auto it = values_.find(Key(path, section, name));
    if (it == values_.end() || !std::holds_alternative<uint32_t>(it->second)) return std::nullopt;
    return std::get<uint32_t>(it->second);
  }
  bool WriteDword(std::string_view path, std::string_view section, std::string_view name,
                  uint32_t value) override {
    if (full) return false;
    values_[Key(path, section, name)] = value;
    ++writes;
    return true;
  }
  std::optional<std::string> ReadText(std::string_view path, std::string_view section,
                                      std::string_view name) const override {
    const auto it = values_.find(Key(path, section, name));
    if (it == values_.end() || !std::holds_alternative<std::string>(it->second)) {
      return std::nullopt;
    }
    return std::get<std::string>(it->second);
  }
  bool WriteText(std::string_view path, std::string_view section, std::string_view name,
                 std::string_view value) override {
    values_[Key(path, section, name)] = std::string(value);
    ++writes;
    return true;
  }

  std::optional<Value> Language() const {
    const auto it = values_.find(Key(kProductKeyPath, "", kLanguageValueName));
    if (it == values_.end()) return std::nullopt;
    return it->second;
  }

  int writes = 0;
  bool full = false;  // every write fails, as on a full disk

 private:
  static std::string Key(std::string_view path, std::string_view section, std::string_view name) {
    return std::string(path) + "|" + std::string(section) + "|" + std::string(name);
  }
  std::map<std::string, Value> values_;
};

// ---- resolving the language -------------------------------------------------

struct ResolveCase {
  const char* name;
  std::optional<MemorySettings::Value> stored;  // nothing: first run
  uint32_t system;
  uint32_t expected_id;
  int expected_index;
  bool rewrites;  // whether the store is written
};

class ResolveTest : public testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveTest, ResolvesStoresAndIndexes) {
  const ResolveCase& c = GetParam();
  MemorySettings settings;
  if (c.stored) {
    if (std::holds_alternative<uint32_t>(*c.stored)) {
      settings.WriteDword(kProductKeyPath, "", kLanguageValueName, std::get<uint32_t>(*c.stored));
    } else {
      settings.WriteText(kProductKeyPath, "", kLanguageValueName, std::get<std::string>(*c.stored));
    }
    settings.writes = 0;
  }
  const SystemLanguageProvider system = [&c] { return c.system; };
  EXPECT_EQ(CurrentLanguageId(settings, system), c.expected_id);
  EXPECT_EQ(settings.Language(), MemorySettings::Value(c.expected_id));
  EXPECT_EQ(settings.writes > 0, c.rewrites);
  EXPECT_EQ(CurrentLanguageIndex(settings, system), c.expected_index);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResolveTest,
    testing::Values(
        ResolveCase{"FirstRunAlias", std::nullopt, 0x1046, 0x0416, 0, true},
        ResolveCase{"FirstRunEnglish", std::nullopt, 0x0409, 0x0409, 1, true},
        ResolveCase{"FirstRunGerman", std::nullopt, 0x0407, 0x0407, 2, true},
        ResolveCase{"FirstRunUnknownSystemLanguage", std::nullopt, 0x040C, 0x0416, 0, true},
        ResolveCase{"FirstRunNoSystemLanguage", std::nullopt, 0x0000, 0x0416, 0, true},
        ResolveCase{"StoredZeroIsNotChosenYet", uint32_t{0}, 0x0407, 0x0407, 2, true},
        ResolveCase{"StoredTextIsMistyped", std::string("1031"), 0x0409, 0x0409, 1, true},
        ResolveCase{"StoredGermanSurvivesARestart", uint32_t{0x0407}, 0x0409, 0x0407, 2, false},
        ResolveCase{"StoredNotInTableIsKeptAndGivesIndex0", uint32_t{0x040C}, 0x0409, 0x040C, 0,
                    false},
        ResolveCase{"StoredAliasIsNotTranslated", uint32_t{0x1046}, 0x0409, 0x1046, 0, false},
        // A regional variant reads the file of its language, stored or not.
        ResolveCase{"StoredEnglishUkIsEnglish", uint32_t{0x0809}, 0x0407, 0x0809, 1, false},
        ResolveCase{"StoredGermanAustriaIsGerman", uint32_t{0x0C07}, 0x0409, 0x0C07, 2, false},
        ResolveCase{"StoredPortugalIsPortuguese", uint32_t{0x0816}, 0x0409, 0x0816, 0, false},
        ResolveCase{"FirstRunEnglishUk", std::nullopt, 0x0809, 0x0409, 1, true},
        ResolveCase{"FirstRunGermanSwiss", std::nullopt, 0x0807, 0x0407, 2, true},
        ResolveCase{"FirstRunPortugal", std::nullopt, 0x0816, 0x0416, 0, true}),
    [](const testing::TestParamInfo<ResolveCase>& p) { return p.param.name; });

TEST(LanguageTableTest, PickerAndTableAreOneTable) {
  ASSERT_EQ(kLanguages.size(), 3u);
  for (std::size_t i = 0; i < kLanguages.size(); ++i) {
    EXPECT_EQ(FindLanguage(kLanguages[i].id), static_cast<int>(i));
    char expected[16];
    std::snprintf(expected, sizeof expected, "Lang%04X.ini",
                  static_cast<unsigned>(kLanguages[i].id));
    EXPECT_EQ(kLanguages[i].file_name, expected);
  }
  EXPECT_EQ(kDefaultLanguageId, 0x0416u);
  EXPECT_EQ(ApplyLanguageAlias(0x1046), 0x0416u);
  EXPECT_EQ(ApplyLanguageAlias(0x0407), 0x0407u);
}

// ---- lookups ----------------------------------------------------------------

class LookupTest : public testing::Test {
 protected:
  void SetUp() override {
    Write("Lang0416.ini", "[TEXT]\nHELLO=Olá\nEMPTY=\nLONG=" + std::string(300, 'p') +
                              "\n[LIGHT]\nSpeed=Velocidade\n[MODE]\n5=Respiração\n");
    Write("Lang0407.ini", "[TEXT]\nHELLO=Hallo\n[MODE]\n5=Atmen\n");
  }
  void Write(const char* name, const std::string& text) {
    std::ofstream(temp_.path() / name, std::ios::binary) << text;
  }
  TempFolder temp_;
};

struct LookupCase {
  const char* name;
  const char* key;
  int index;
  std::string expected;
};

class TextLookupTest : public LookupTest, public testing::WithParamInterface<LookupCase> {};

TEST_P(TextLookupTest, ReadsTheFileOfTheIndex) {
  const LookupCase& c = GetParam();
  EXPECT_EQ(LangText(temp_.path(), c.key, c.index), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextLookupTest,
                         testing::Values(LookupCase{"Present", "HELLO", 0, "Olá"},
                                         LookupCase{"OtherLanguage", "hello", 2, "Hallo"},
                                         LookupCase{"EmptyValueIsEmpty", "EMPTY", 0, ""},
                                         LookupCase{"MissingKey", "NOPE", 0, "#Error"},
                                         LookupCase{"MissingFile", "HELLO", 1, "#Error"},
                                         LookupCase{"IndexTooLargeReadsIndex0", "HELLO", 5, "Olá"},
                                         LookupCase{"NegativeIndexReadsIndex0", "HELLO", -1, "Olá"},
                                         LookupCase{"CutTo259Characters", "LONG", 0,
                                                    std::string(259, 'p')}),
                         [](const testing::TestParamInfo<LookupCase>& p) { return p.param.name; });

TEST_F(LookupTest, LightAndModeSections) {
  EXPECT_EQ(LangLightText(temp_.path(), "Speed", 0), "Velocidade");
  EXPECT_EQ(LangLightText(temp_.path(), "HELLO", 0), "#Error");
  EXPECT_EQ(LangModeName(temp_.path(), 5, 0), "Respiração");
  EXPECT_EQ(LangModeName(temp_.path(), 5, 2), "Atmen");
  EXPECT_EQ(LangModeName(temp_.path(), 21, 0), "#Error");
}

TEST_F(LookupTest, AnEditedFileTakesEffectAtTheNextLookup) {
  EXPECT_EQ(LangText(temp_.path(), "HELLO", 0), "Olá");
  Write("Lang0416.ini", "[TEXT]\nHELLO=Oi\n");
  EXPECT_EQ(LangText(temp_.path(), "HELLO", 0), "Oi");
}

TEST_F(LookupTest, PickerChoiceComesBackAtTheNextStart) {
  MemorySettings settings;
  const SystemLanguageProvider portuguese = [] { return 0x0416u; };
  {
    LanguageFiles files(temp_.path(), settings, portuguese);
    EXPECT_EQ(files.Text("HELLO"), "Olá");
    EXPECT_EQ(files.Choose(2), 2);
    EXPECT_EQ(files.Text("HELLO"), "Hallo");
  }
  LanguageFiles restarted(temp_.path(), settings, portuguese);
  EXPECT_EQ(restarted.CurrentId(), 0x0407u);
  EXPECT_EQ(restarted.CurrentIndex(), 2);
  EXPECT_EQ(restarted.ModeName(5), "Atmen");
  EXPECT_EQ(restarted.LightText("Speed"), "#Error");
  EXPECT_EQ(restarted.Choose(9), 0);
  EXPECT_EQ(restarted.CurrentId(), 0x0416u);
}

// A choice the store cannot keep still holds for the whole run, so every
// text follows it rather than half of them; the caller learns it was not
// kept.
TEST_F(LookupTest, AChoiceThatCannotBeSavedHoldsUntilTheEnd) {
  MemorySettings settings;
  settings.full = true;
  LanguageFiles files(temp_.path(), settings, [] { return 0x0416u; });
  bool saved = true;
  EXPECT_EQ(files.Choose(2, &saved), 2);
  EXPECT_FALSE(saved);
  EXPECT_EQ(files.CurrentIndex(), 2);
  EXPECT_EQ(files.Text("HELLO"), "Hallo");
  settings.full = false;
  EXPECT_EQ(files.Choose(0, &saved), 0);
  EXPECT_TRUE(saved);
  EXPECT_EQ(files.Text("HELLO"), "Olá");
}

TEST_F(LookupTest, AChoiceStoredElsewhereIsSeenAtOnce) {
  // The CLI and the GUI share the store; nothing is cached.
  MemorySettings settings;
  LanguageFiles files(temp_.path(), settings, [] { return 0x0416u; });
  EXPECT_EQ(files.Text("HELLO"), "Olá");
  StoreLanguageId(settings, 0x0407);
  EXPECT_EQ(files.Text("HELLO"), "Hallo");
}

}  // namespace
}  // namespace quorlin::text
