#include "cli/backend_factory.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "sim/sim_backend.h"
#include "sim/virtual_keyboard.h"

#if defined(QUORLIN_HAVE_HIDAPI)
#include "device/hidapi_backend.h"
#endif

namespace quorlin::cli {

namespace {

class RealBackend final : public BackendChoice {
 public:
  explicit RealBackend(std::unique_ptr<device::HidBackend> backend)
      : backend_(std::move(backend)) {}
  device::HidBackend& Get() override { return *backend_; }
  bool Finish(Message&) override { return true; }

 private:
  std::unique_ptr<device::HidBackend> backend_;
};

class SimulatedBackend final : public BackendChoice {
 public:
  SimulatedBackend(std::shared_ptr<sim::VirtualKeyboard> keyboard,
                   std::optional<std::string> state_file, bool loaded)
      : keyboard_(keyboard),
        backend_(keyboard),
        state_file_(std::move(state_file)),
        loaded_(loaded),
        at_start_(keyboard->Memory()) {}
  device::HidBackend& Get() override { return backend_; }
  bool Finish(Message& error) override {
    // A run that changed nothing leaves the file alone, so reading commands
    // work on a full or read-only disk.
    if (!state_file_ || (loaded_ && keyboard_->Memory() == at_start_)) return true;
    // The reason the simulator gives is English; the caller finds the
    // system's own (see RunQuorlinctl).
    if (!keyboard_->Save(*state_file_, nullptr)) {
      error = Msg("CLI_ERR_SIM_SAVE", {{"file", *state_file_}});
      return false;
    }
    return true;
  }

 private:
  std::shared_ptr<sim::VirtualKeyboard> keyboard_;
  sim::SimBackend backend_;
  std::optional<std::string> state_file_;
  bool loaded_;
  sim::KeyboardMemory at_start_;
};

std::shared_ptr<sim::VirtualKeyboard> MakeKeyboard(const GlobalOptions& options, bool& loaded,
                                                   Message& error) {
  std::error_code ec;
  loaded = false;
  if (options.sim_state_file) {
    // A FIFO or a device would block the open (with the keyboard's lock
    // held) or never end; only a regular file holds a memory.
    const auto status = std::filesystem::status(*options.sim_state_file, ec);
    if (ec && status.type() != std::filesystem::file_type::not_found) {
      error =
          Msg("CLI_ERR_SIM_LOAD", {{"file", *options.sim_state_file}, {"reason", ec.message()}});
      return nullptr;
    }
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
        !std::filesystem::is_directory(status)) {
      error = Msg("CLI_ERR_SIM_NOT_FILE", {{"file", *options.sim_state_file}});
      return nullptr;
    }
  }
  if (options.sim_state_file && std::filesystem::exists(*options.sim_state_file, ec)) {
    auto keyboard = sim::VirtualKeyboard::FromFile(*options.sim_state_file, nullptr);
    if (!keyboard) {
      // Either the system would not give the bytes (its reason is its own)
      // or the bytes are not a memory file; the simulator's words for which
      // check failed are English, so the line names the fault itself.
      errno = 0;
      if (std::filesystem::is_directory(*options.sim_state_file, ec)) {
        error = Msg("CLI_ERR_SIM_LOAD",
                    {{"file", *options.sim_state_file}, {"reason", SystemReason(EISDIR)}});
      } else if (std::FILE* f = std::fopen(options.sim_state_file->c_str(), "rb")) {
        std::fclose(f);
        error = Msg("CLI_ERR_SIM_LOAD_INVALID", {{"file", *options.sim_state_file}});
      } else {
        error = Msg("CLI_ERR_SIM_LOAD", {{"file", *options.sim_state_file},
                                         {"reason", SystemReason(errno ? errno : EIO)}});
      }
      return nullptr;
    }
    // The product asked for and the one in the file must agree, or the run
    // would silently try another keyboard than the user named.
    if (options.product_given && keyboard->ProductId() != options.simulated_product) {
      error = Msg("CLI_ERR_SIM_MISMATCH", {{"file", *options.sim_state_file},
                                           {"product", "0x" + Hex4(keyboard->ProductId())},
                                           {"asked", "0x" + Hex4(options.simulated_product)}});
      return nullptr;
    }
    loaded = true;
    return std::shared_ptr<sim::VirtualKeyboard>(std::move(keyboard));
  }
  sim::VirtualKeyboardOptions kb;
  kb.product_id = options.simulated_product;
  return std::make_shared<sim::VirtualKeyboard>(kb);
}

}  // namespace

std::unique_ptr<BackendChoice> MakeBackend(const GlobalOptions& options, Message& error) {
  if (options.simulate) {
    bool loaded = false;
    auto keyboard = MakeKeyboard(options, loaded, error);
    if (!keyboard) return nullptr;
    return std::make_unique<SimulatedBackend>(std::move(keyboard), options.sim_state_file, loaded);
  }
#if defined(QUORLIN_HAVE_HIDAPI)
  return std::make_unique<RealBackend>(device::MakeHidapiBackend());
#else
  error = Msg("CLI_ERR_NO_HID");
  return nullptr;
#endif
}

}  // namespace quorlin::cli
