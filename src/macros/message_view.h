#pragma once
// How a rule of the macro model or a flow tells the user something. The UI
// shows message boxes; the command-line tool prints; tests record.

#include <string_view>

namespace quorlin::macros {

class MessageView {
 public:
  virtual ~MessageView() = default;
  // `text` is already localised and formatted.
  virtual void ShowMessage(std::string_view text) = 0;
  // A Yes/No question whose default button is No; true for Yes.
  virtual bool AskYesNo(std::string_view text) = 0;
};

}  // namespace quorlin::macros
