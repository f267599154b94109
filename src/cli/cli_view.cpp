#include "cli/cli_view.h"

#include <ostream>

#include "cli/json_writer.h"
#include "cli/messages.h"

namespace quorlin::cli {

void CliView::ShowMessage(std::string_view text) {
  last_message_ = std::string(text);
  Notice(ctx_, text);
}

bool CliView::AskYesNo(std::string_view text) {
  const bool yes = ctx_.options.yes;
  if (ctx_.options.json) {
    JsonWriter(ctx_.err).BeginObject().Field("question", text).Field("answer", yes).EndObject();
  } else {
    ctx_.err << "quorlinctl: " << text << ' '
             << Say(ctx_, Msg(yes ? "CLI_ANSWER_YES" : "CLI_ANSWER_NO")) << '\n';
  }
  return yes;
}

}  // namespace quorlin::cli
