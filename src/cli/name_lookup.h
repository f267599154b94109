#pragma once
// Names typed on the command line: keys, G keys, media functions and
// built-in functions, in English or the program's language. Case (of the
// program's languages' letters), blanks, hyphens and underscores do not
// matter ("caps lock", "CapsLock", "caps-lock" and "CAPS_LOCK" are one name).

#include <optional>
#include <string>
#include <string_view>

#include "keys/key_code.h"
#include "text/text_source.h"

namespace quorlin::cli {

struct NameTexts {
  const text::TextSource& current;
  const text::TextSource& english;
};

// The form names are compared in.
std::string NameKey(std::string_view name);
// The spelling scripts get for an English name: folded, blanks as hyphens
// ("Volume up" -> "volume-up"); NameKey takes it back to the same name.
std::string NameIdentifier(std::string_view english_name);

// A key of the catalogue by its name, or a G key ("G1".."G9") by its label:
// its Key index. Nothing when no key has the name.
std::optional<int> FindKeyIndex(std::string_view name, const NameTexts& texts);
// A key of the catalogue (no G keys) by its name.
std::optional<keys::KeyCode> FindKeyCode(std::string_view name, const NameTexts& texts);
// The Media index of a media function name.
std::optional<int> FindMedia(std::string_view name, const NameTexts& texts);
// A built-in function (0..10) by its number 1..11 or its name.
std::optional<int> FindFunction(std::string_view name, const NameTexts& texts);

// The lit key for KEY of `colours`: a key button's name, "G" or a G key's
// label (the G keys share one colour), "Fn", or an LED index ("N" when no
// key has that name, or "led:N").
std::optional<int> FindLitKey(std::string_view name, const NameTexts& texts);

}  // namespace quorlin::cli
