#include "cli/messages.h"

#include <cstdio>
#include <ostream>

#include "cli/exit_codes.h"

namespace quorlin::cli {

std::string Hex4(uint16_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", value);
  return text;
}

int ReportFindFailure(device::FindResult result, std::ostream& err) {
  switch (result) {
    case device::FindResult::kFound:
      return kExitOk;
    case device::FindResult::kNotPermitted:
      err << kNotPermittedLine << '\n';
      return kExitNotPermitted;
    case device::FindResult::kListingFailed:
      err << "quorlinctl: cannot list the HID interfaces of this machine\n";
      return kExitFailure;
    case device::FindResult::kNoKeyboard:
      break;
  }
  err << kNoKeyboardLine << '\n';
  return kExitNoKeyboard;
}

int ReportResult(device::Result result, std::string_view what, std::ostream& err) {
  switch (result) {
    case device::kOk:
      return kExitOk;
    case device::kAbsent:
      err << "quorlinctl: " << what << ": the keyboard did not answer\n";
      return kExitNoAnswer;
    case device::kWriteFailed:
      err << "quorlinctl: " << what << ": the frame could not be written to the keyboard\n";
      return kExitNoAnswer;
    case device::kRefusedFF:
    case device::kRefusedFE:
      err << "quorlinctl: " << what << ": the keyboard refused the command (status "
          << (result == device::kRefusedFF ? "FF" : "FE") << ")\n";
      return kExitRefused;
    default:
      err << "quorlinctl: " << what << ": failed (result " << result << ")\n";
      return kExitFailure;
  }
}

int ReportActiveProfileFailure(const device::ActiveProfileLookup& lookup, std::ostream& err) {
  if (lookup.result != device::kBadProfile) {
    return ReportResult(lookup.result, "reading the active profile", err);
  }
  err << "quorlinctl: the keyboard reports no valid active profile (" << lookup.reported
      << "); make one active with: quorlinctl profile set N (N = 1..3)\n";
  return kExitFailure;
}

}  // namespace quorlin::cli
