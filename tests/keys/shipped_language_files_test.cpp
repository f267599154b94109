// Every text the key model names must exist in every shipped language file,
// and the unknown-key template must take the code.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "keys/key_action.h"
#include "keys/key_catalogue.h"
#include "keys/media_list.h"
#include "text/language.h"

namespace quorlin::keys {
namespace {

std::vector<std::string> KeysTheModelNames() {
  std::vector<std::string> keys = {"UNKNOWN_KEY",      "KEY_PROMPT_SET",   "KEY_PROMPT_SINGLE",
                                   "KEY_PROMPT_MACRO", "KEY_PROMPT_MEDIA", "KEY_PROMPT_FUNCTION"};
  for (int n = 1; n <= kFunctionCount; ++n) keys.push_back("FUNC_KEY_DESC" + std::to_string(n));
  for (const CatalogueEntry& entry : Catalogue()) {
    if (!entry.resource_key.empty()) keys.emplace_back(entry.resource_key);
  }
  for (const MediaFunction& media : kMediaList) keys.emplace_back(media.resource_key);
  return keys;
}

TEST(ShippedLanguageFiles, HoldEveryKeyNameAndPrompt) {
  const std::filesystem::path dir = QUORLIN_DATA_DIR;
  for (int index = 0; index < static_cast<int>(text::kLanguages.size()); ++index) {
    // A missing file is a packaging fault, not a reason to check nothing.
    ASSERT_TRUE(std::filesystem::exists(text::LanguageFilePath(dir, index)))
        << "no " << text::kLanguages[static_cast<std::size_t>(index)].file_name << " in " << dir;
    for (const std::string& key : KeysTheModelNames()) {
      EXPECT_NE(text::LangText(dir, key, index), text::kMissingText)
          << key << " in " << text::kLanguages[static_cast<std::size_t>(index)].file_name;
    }
    const std::string unknown = text::LangText(dir, "UNKNOWN_KEY", index);
    EXPECT_NE(unknown.find("%d"), std::string::npos) << unknown;
  }
}

}  // namespace
}  // namespace quorlin::keys
