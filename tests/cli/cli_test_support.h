#pragma once
// Runs quorlinctl commands in-process against a simulated keyboard, with the
// user's folders and the program's data pointed at a temporary folder and
// the repository's data.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/exit_codes.h"
#include "device/frame.h"
#include "platform/runtime_folder.h"
#include "platform/temp_folder.h"
#include "platform/user_folders.h"
#include "sim/sim_backend.h"
#include "sim/virtual_keyboard.h"

namespace quorlin::cli::testing {

struct CliRun {
  int status = 0;
  std::string out;
  std::string err;
};

inline std::shared_ptr<sim::VirtualKeyboard> NewKeyboard(uint16_t product = 0x5000) {
  sim::VirtualKeyboardOptions o;
  o.product_id = product;
  return std::make_shared<sim::VirtualKeyboard>(o);
}

class CliTest : public ::testing::Test {
 protected:
  CliTest() : keyboard(NewKeyboard()), backend(keyboard) {
    platform::OverrideUserFolders(
        platform::UserFolders{temp.path() / "config", temp.path() / "data"});
    platform::OverrideProgramDataDir(std::filesystem::path(QUORLIN_DATA_DIR));
    platform::OverrideProgramRuntimeFolder(temp.path() / "run");
  }
  ~CliTest() override {
    platform::OverrideUserFolders(std::nullopt);
    platform::OverrideProgramDataDir(std::nullopt);
    platform::OverrideProgramRuntimeFolder(std::nullopt);
  }

  // English texts unless the arguments choose a language.
  CliRun Run(std::vector<std::string> args, sim::SimBackend* other = nullptr) {
    args.insert(args.begin(), "--lang=en");
    Message error;
    const auto options = ParseGlobalOptions(args, error);
    if (!options) return {kExitBadArguments, "", error.key};
    std::ostringstream out, err;
    CliContext ctx{*options, other ? *other : backend, out, err};
    const int status = RunCommand(ctx);
    return {status, out.str(), err.str()};
  }

  // Commands of the frames the keyboard received that change its memory.
  std::vector<uint8_t> Writes() const {
    std::vector<uint8_t> out;
    for (const auto& f : backend.ReceivedFrames()) {
      const uint8_t c = device::ReadFrameHeader(f).command;
      if (c == device::cmd::kWriteDeviceInfo || c == device::cmd::kWriteLighting ||
          c == device::cmd::kWriteKeyTable || c == device::cmd::kWriteMacroArea ||
          c == device::cmd::kWriteKeyColours) {
        out.push_back(c);
      }
    }
    return out;
  }

  TempFolder temp;
  std::shared_ptr<sim::VirtualKeyboard> keyboard;
  sim::SimBackend backend;
};

}  // namespace quorlin::cli::testing
