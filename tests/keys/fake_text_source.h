#pragma once
// A language file in memory: missing keys read "#Error" like the real one.

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "text/text_source.h"

namespace quorlin::keys::testing {

class FakeTextSource : public text::TextSource {
 public:
  FakeTextSource() = default;
  FakeTextSource(std::initializer_list<std::pair<const std::string, std::string>> texts)
      : texts_(texts) {}

  void Set(std::string key, std::string value) { texts_[std::move(key)] = std::move(value); }

  std::string Text(std::string_view key) const override {
    const auto found = texts_.find(key);
    return found != texts_.end() ? found->second : std::string(text::kMissingText);
  }
  std::string LightText(std::string_view) const override { return std::string(text::kMissingText); }
  std::string ModeName(int) const override { return std::string(text::kMissingText); }

 private:
  std::map<std::string, std::string, std::less<>> texts_;
};

}  // namespace quorlin::keys::testing
