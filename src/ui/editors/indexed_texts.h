#pragma once
// The host's texts in one chosen language: the editor re-labels itself with
// the language a change notice names, before the choice reaches the store.

#include "text/text_source.h"
#include "ui/editors/composite_host.h"

namespace quorlin::ui {

class IndexedTexts final : public text::TextSource {
 public:
  explicit IndexedTexts(CompositeHost& host) : host_(host) {}
  void SetLanguage(int index) { index_ = index; }
  int language() const { return index_; }

  std::string Text(std::string_view key) const override { return host_.LangText(key, index_); }
  std::string LightText(std::string_view key) const override {
    return host_.Texts().LightText(key);
  }
  std::string ModeName(int mode) const override { return host_.Texts().ModeName(mode); }

 private:
  CompositeHost& host_;
  int index_ = 0;
};

}  // namespace quorlin::ui
