#pragma once
// The HID backend a quorlinctl run uses: the real one, or the simulated
// keyboard with its memory kept in a file between runs.

#include <memory>
#include <string>

#include "cli/messages.h"
#include "cli/options.h"
#include "device/hid_backend.h"

namespace quorlin::cli {

class BackendChoice {
 public:
  virtual ~BackendChoice() = default;
  virtual device::HidBackend& Get() = 0;
  // Called once the command has run: saves the simulator's memory when a
  // state file was given and the memory changed. False with `error` when
  // that fails.
  virtual bool Finish(Message& error) = 0;
};

std::unique_ptr<BackendChoice> MakeBackend(const GlobalOptions& options, Message& error);

}  // namespace quorlin::cli
