#pragma once
// Records what the rules tell the user and answers their questions from a
// script (No once the script is used up, like the default button).

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "macros/message_view.h"

namespace quorlin::macros::testing {

class FakeMessageView : public MessageView {
 public:
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  bool AskYesNo(std::string_view text) override {
    questions.emplace_back(text);
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::deque<bool> answers;
};

}  // namespace quorlin::macros::testing
