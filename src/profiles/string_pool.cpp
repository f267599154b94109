#include "profiles/string_pool.h"

namespace quorlin::profiles {
namespace {

using keys::KeyAction;
using keys::KeyActionStore;

constexpr std::size_t kUnitBytes = sizeof(char16_t);
constexpr std::size_t kTerminatorBytes = kUnitBytes;

// Calls f(action, store record number) for all 2048 records in order.
template <typename Store, typename F>
void ForEachRecord(Store& actions, F&& f) {
  std::size_t number = 0;
  for (auto& page : actions.pages) {
    for (auto& action : page) f(action, number++);
  }
}

void WriteText(std::vector<uint8_t>& pool, std::size_t offset, const std::u16string& text) {
  for (char16_t unit : text) {
    pool[offset++] = static_cast<uint8_t>(unit);
    pool[offset++] = static_cast<uint8_t>(unit >> 8);
  }
  // The terminator is already there: the pool starts zeroed.
}

}  // namespace

std::vector<uint8_t> PackStringPool(KeyActionStore& actions, const keys::TextSideTable& texts) {
  std::size_t textless = 0;
  ForEachRecord(actions, [&](const KeyAction& action, std::size_t number) {
    textless += keys::OwnsText(action.kind) && texts.Text(number) == nullptr;
  });
  std::vector<uint8_t> pool(texts.TotalBytes() + textless * kTerminatorBytes, 0);

  std::size_t offset = 0;
  ForEachRecord(actions, [&](KeyAction& action, std::size_t number) {
    if (!keys::OwnsText(action.kind)) return;
    const std::u16string* text = texts.Text(number);
    if (text != nullptr) WriteText(pool, offset, *text);
    action.param = static_cast<uint32_t>(offset);
    offset += text != nullptr ? keys::PooledLength(*text) : kTerminatorBytes;
  });
  return pool;
}

std::optional<std::u16string> PoolText(std::span<const uint8_t> pool, uint32_t param) {
  // Texts start on even offsets; bit 0 carries nothing.
  const std::size_t offset = param & ~uint32_t{1};
  std::u16string text;
  for (std::size_t at = offset; at + 1 < pool.size(); at += kUnitBytes) {
    const auto unit = static_cast<char16_t>(pool[at] | (pool[at + 1] << 8));
    if (unit == 0) return text;
    text.push_back(unit);
  }
  return std::nullopt;
}

bool PoolTextsInside(const KeyActionStore& actions, std::span<const uint8_t> pool) {
  // A text at an even offset ends inside the pool exactly when some even
  // position at or after it holds a zero unit, so the last such position
  // settles every record without walking the pool once per text.
  std::optional<std::size_t> last_terminator;
  for (std::size_t at = 0; at + 1 < pool.size(); at += kUnitBytes) {
    if (pool[at] == 0 && pool[at + 1] == 0) last_terminator = at;
  }
  bool inside = true;
  ForEachRecord(actions, [&](const KeyAction& action, std::size_t) {
    if (!keys::OwnsText(action.kind)) return;
    const std::size_t offset = action.param & ~uint32_t{1};
    inside = inside && last_terminator && offset <= *last_terminator;
  });
  return inside;
}

bool UnpackStringPool(const KeyActionStore& actions, std::span<const uint8_t> pool,
                      keys::TextSideTable& texts) {
  texts.Clear();
  bool inside = true;
  ForEachRecord(actions, [&](const KeyAction& action, std::size_t number) {
    if (!inside || !keys::OwnsText(action.kind)) return;
    std::optional<std::u16string> text = PoolText(pool, action.param);
    if (text) {
      texts.Set(number, std::move(*text));
    } else {
      inside = false;
    }
  });
  if (!inside) texts.Clear();
  return inside;
}

}  // namespace quorlin::profiles
