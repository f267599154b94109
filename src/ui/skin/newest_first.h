#pragma once
// A few unpacked pictures kept newest first, by a key: the kept bands of a
// background, the kept button pieces.

#include <algorithm>
#include <deque>
#include <utility>

namespace quorlin::ui {

// The value kept under `key`, moved to the front; nullptr when none is.
template <typename Key, typename Value>
Value* TakeNewest(std::deque<std::pair<Key, Value>>& kept, const Key& key) {
  const auto it =
      std::find_if(kept.begin(), kept.end(), [&key](const auto& k) { return k.first == key; });
  if (it == kept.end()) return nullptr;
  if (it != kept.begin()) {
    auto k = std::move(*it);
    kept.erase(it);
    kept.push_front(std::move(k));
  }
  return &kept.front().second;
}

}  // namespace quorlin::ui
