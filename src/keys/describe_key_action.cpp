#include "keys/describe_key_action.h"

#include "keys/key_name.h"
#include "keys/media_list.h"

namespace quorlin::keys {
namespace {

std::string BoundedName(std::string_view name) {
  return std::string(Utf8Prefix(name, kNameBufferSize - 1));
}

std::string BoundedKeyName(KeyCode code, const text::TextSource& texts) {
  return BoundedName(KeyNameText(code, texts));
}

std::string FunctionName(uint32_t number, const text::TextSource& texts) {
  return texts.Text("FUNC_KEY_DESC" + std::to_string(uint64_t{number} + 1));
}

// The part after "KEY_PROMPT_SET" for the kinds that name what they do.
std::string KindDetail(const KeyAction& action, const text::TextSource& texts,
                       const MacroNameLookup& macro_name) {
  switch (action.kind) {
    case KeyActionKind::kSingleKey:
      return texts.Text("KEY_PROMPT_SINGLE") +
             BoundedKeyName(static_cast<KeyCode>(action.param), texts) + ")";
    case KeyActionKind::kMacro: {
      const std::string name = macro_name ? macro_name(action.param) : std::string();
      return texts.Text("KEY_PROMPT_MACRO") + BoundedName(name) + ")";
    }
    case KeyActionKind::kMedia:
      return texts.Text("KEY_PROMPT_MEDIA") + BoundedKeyName(MediaKey(action.param), texts) + ")";
    case KeyActionKind::kFunction:
      return texts.Text("KEY_PROMPT_FUNCTION") + FunctionName(action.param, texts) + ")";
    default:
      return {};
  }
}

}  // namespace

std::string KeyButtonLabel(int key_index, const text::TextSource& texts) {
  if (key_index >= kFirstGKeyIndex && key_index < kKeyIndexCount) {
    return "G" + std::to_string(key_index - kFirstGKeyIndex + 1);
  }
  return BoundedKeyName(KeyCodeFromIndex(key_index), texts);
}

KeyDescription DescribeKeyAction(std::string_view label, const KeyAction& action,
                                 const text::TextSource& texts, const MacroNameLookup& macro_name) {
  KeyDescription description{std::string(label), action.kind != KeyActionKind::kDefault};
  if (!description.assigned) return description;
  description.text += texts.Text("KEY_PROMPT_SET");
  description.text += KindDetail(action, texts, macro_name);
  return description;
}

}  // namespace quorlin::keys
