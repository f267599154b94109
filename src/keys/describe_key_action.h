#pragma once
// The tooltip text of a key or G-key button.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "keys/key_action.h"
#include "text/text_source.h"

namespace quorlin::keys {

// Name of the working macro with this identifier, empty when there is none.
using MacroNameLookup = std::function<std::string(uint32_t macro_id)>;

struct KeyDescription {
  std::string text;
  bool assigned = false;  // the button shows its assigned face
};

// "G%d" for the G-key records 256..273, else the key's name.
std::string KeyButtonLabel(int key_index, const text::TextSource& texts);

KeyDescription DescribeKeyAction(std::string_view label, const KeyAction& action,
                                 const text::TextSource& texts, const MacroNameLookup& macro_name);

}  // namespace quorlin::keys
