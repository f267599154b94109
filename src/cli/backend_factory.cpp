#include "cli/backend_factory.h"

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
  bool Finish(std::string&) override { return true; }

 private:
  std::unique_ptr<device::HidBackend> backend_;
};

class SimulatedBackend final : public BackendChoice {
 public:
  SimulatedBackend(std::shared_ptr<sim::VirtualKeyboard> keyboard,
                   std::optional<std::string> state_file)
      : keyboard_(keyboard), backend_(std::move(keyboard)), state_file_(std::move(state_file)) {}
  device::HidBackend& Get() override { return backend_; }
  bool Finish(std::string& error) override {
    if (!state_file_) return true;
    if (!keyboard_->Save(*state_file_, &error)) {
      error = "cannot save the simulated keyboard to " + *state_file_ + ": " + error;
      return false;
    }
    return true;
  }

 private:
  std::shared_ptr<sim::VirtualKeyboard> keyboard_;
  sim::SimBackend backend_;
  std::optional<std::string> state_file_;
};

std::shared_ptr<sim::VirtualKeyboard> MakeKeyboard(const GlobalOptions& options,
                                                   std::string& error) {
  std::error_code ec;
  if (options.sim_state_file && std::filesystem::exists(*options.sim_state_file, ec)) {
    std::string why;
    auto loaded = sim::VirtualKeyboard::FromFile(*options.sim_state_file, &why);
    if (!loaded) {
      error = "--sim-state " + *options.sim_state_file + ": " + why;
      return nullptr;
    }
    return std::shared_ptr<sim::VirtualKeyboard>(std::move(loaded));
  }
  sim::VirtualKeyboardOptions kb;
  kb.product_id = options.simulated_product;
  return std::make_shared<sim::VirtualKeyboard>(kb);
}

}  // namespace

std::unique_ptr<BackendChoice> MakeBackend(const GlobalOptions& options, std::string& error) {
  if (options.simulate) {
    auto keyboard = MakeKeyboard(options, error);
    if (!keyboard) return nullptr;
    return std::make_unique<SimulatedBackend>(std::move(keyboard), options.sim_state_file);
  }
#if defined(QUORLIN_HAVE_HIDAPI)
  return std::make_unique<RealBackend>(device::MakeHidapiBackend());
#else
  error = "this build has no HID support; use --simulate";
  return nullptr;
#endif
}

}  // namespace quorlin::cli
