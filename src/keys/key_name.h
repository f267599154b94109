#pragma once
// Localised key names.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "keys/key_code.h"
#include "text/text_source.h"

namespace quorlin::keys {

// Names are built in buffers of this many characters, terminator included.
inline constexpr std::size_t kNameBufferSize = 260;

// The whole name: the key's TEXT entry, or the "UNKNOWN_KEY" template filled
// with the code when the key has no entry or its name is empty.
std::string KeyNameText(KeyCode code, const text::TextSource& texts);

// Writes the name into `buffer`, cut to buffer.size() - 1 bytes, always
// terminated; an empty buffer receives nothing.
void KeyName(KeyCode code, std::span<char> buffer, const text::TextSource& texts);

// The longest prefix of UTF-8 `text` of at most `max_bytes` bytes that does
// not end inside a character, so a cut name is still valid text.
std::string_view Utf8Prefix(std::string_view text, std::size_t max_bytes);

}  // namespace quorlin::keys
