#include "cli/cli_view.h"

#include <ostream>

namespace quorlin::cli {

void CliView::ShowMessage(std::string_view text) {
  err_ << "quorlinctl: " << text << '\n';
}

bool CliView::AskYesNo(std::string_view text) {
  err_ << "quorlinctl: " << text << (answer_yes_ ? " -> yes (--yes)" : " -> no (use --yes)")
       << '\n';
  return answer_yes_;
}

}  // namespace quorlin::cli
