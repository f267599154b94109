#include "cli/name_lookup.h"

#include <algorithm>

#include "cli/command_args.h"
#include "keys/key_action.h"
#include "keys/key_button_list.h"
#include "keys/key_catalogue.h"
#include "keys/key_name.h"
#include "keys/media_list.h"
#include "lighting/lit_keys.h"

namespace quorlin::cli {

namespace {

bool Matches(std::string_view typed, const std::string& shown_current,
             const std::string& shown_english) {
  const std::string key = NameKey(typed);
  return !key.empty() && (key == NameKey(shown_current) || key == NameKey(shown_english));
}

std::optional<int> GKeyNumber(std::string_view name) {
  const std::string key = NameKey(name);
  if (key.size() < 2 || key[0] != 'g') return std::nullopt;
  return ParseNumber(std::string_view(key).substr(1), 1, keys::kViewGKeyCount);
}

}  // namespace

std::string NameKey(std::string_view name) {
  const std::string folded = Folded(name);
  const auto joins = [](char c) { return c != ' ' && c != '_' && c != '-'; };
  std::string out;
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const char c = folded[i];
    if (c == ' ' || c == '_') continue;
    // A hyphen inside a word joins it ("volume-up"); one that stands alone
    // is a key's name ("-", "Num -").
    if (c == '-' && i > 0 && i + 1 < folded.size() && joins(folded[i - 1]) &&
        joins(folded[i + 1])) {
      continue;
    }
    out += c;
  }
  return out;
}

std::string NameIdentifier(std::string_view english_name) {
  std::string out = Folded(english_name);
  std::replace(out.begin(), out.end(), ' ', '-');
  return out;
}

std::optional<keys::KeyCode> FindKeyCode(std::string_view name, const NameTexts& texts) {
  for (int index = 0; index < keys::kCatalogueSize; ++index) {
    if (!keys::IsInUse(keys::Catalogue()[static_cast<std::size_t>(index)])) continue;
    const keys::KeyCode code = keys::KeyCodeFromIndex(index);
    if (Matches(name, keys::KeyNameText(code, texts.current),
                keys::KeyNameText(code, texts.english))) {
      return code;
    }
  }
  return std::nullopt;
}

std::optional<int> FindKeyIndex(std::string_view name, const NameTexts& texts) {
  if (const auto g = GKeyNumber(name)) return keys::kFirstGKeyIndex + *g - 1;
  // Key buttons first: where two catalogue keys share a name, the one on
  // the keyboard is meant.
  for (const keys::KeyCode code : keys::kKeyButtonCodes) {
    if (Matches(name, keys::KeyNameText(code, texts.current),
                keys::KeyNameText(code, texts.english))) {
      return keys::KeyIndexFromCode(code);
    }
  }
  return std::nullopt;
}

std::optional<int> FindMedia(std::string_view name, const NameTexts& texts) {
  for (int i = 0; i < keys::kMediaCount; ++i) {
    const auto key = keys::kMediaList[static_cast<std::size_t>(i)].resource_key;
    if (Matches(name, texts.current.Text(key), texts.english.Text(key))) return i;
  }
  return std::nullopt;
}

std::optional<int> FindFunction(std::string_view name, const NameTexts& texts) {
  if (const auto n = ParseNumber(name, 1, keys::kFunctionCount)) return *n - 1;
  for (int i = 0; i < keys::kFunctionCount; ++i) {
    const std::string key = "FUNC_KEY_DESC" + std::to_string(i + 1);
    if (Matches(name, texts.current.Text(key), texts.english.Text(key))) return i;
  }
  return std::nullopt;
}

std::optional<int> FindLitKey(std::string_view name, const NameTexts& texts) {
  const std::string key = NameKey(name);
  if (GKeyNumber(name)) return lighting::kGKeysLitKey;
  if (key == "fn") return lighting::kFnLitKey;
  for (int k = 0; k < lighting::kKeyButtonCount; ++k) {
    const keys::KeyCode code = keys::kKeyButtonCodes[static_cast<std::size_t>(k)];
    if (Matches(name, keys::KeyNameText(code, texts.current),
                keys::KeyNameText(code, texts.english))) {
      return k;
    }
  }
  // A number that names no key (or "led:N", for the digits) is an LED index.
  std::string_view number = name;
  if (key.rfind("led:", 0) == 0) number.remove_prefix(4);
  if (const auto led = ParseNumber(number, 0, lighting::kLedCount - 1)) {
    const auto& leds = lighting::LitKeyLeds();
    const auto it = std::find(leds.begin(), leds.end(), *led);
    if (it != leds.end()) return static_cast<int>(it - leds.begin());
  }
  return std::nullopt;
}

}  // namespace quorlin::cli
