#include "app/keyboard_backend.h"

#include <system_error>

#if defined(QUORLIN_HAVE_HIDAPI)
#include "device/hidapi_backend.h"
#endif

namespace quorlin::app {

namespace fs = std::filesystem;

std::unique_ptr<KeyboardBackend> KeyboardBackend::Make(const StartOptions& options,
                                                       std::string& error) {
  if (options.simulate) {
    std::optional<fs::path> file;
    if (options.sim_state_file) file = fs::path(*options.sim_state_file);
    std::error_code ec;
    if (file && fs::exists(*file, ec)) {
      std::string why;
      auto loaded = sim::VirtualKeyboard::FromFile(*file, &why);
      if (!loaded) {
        error = "--sim-state " + file->string() + ": " + why;
        return nullptr;
      }
      return std::make_unique<KeyboardBackend>(
          std::shared_ptr<sim::VirtualKeyboard>(std::move(loaded)), file);
    }
    sim::VirtualKeyboardOptions kb;
    kb.product_id = options.simulated_product;
    return std::make_unique<KeyboardBackend>(std::make_shared<sim::VirtualKeyboard>(kb), file);
  }
#if defined(QUORLIN_HAVE_HIDAPI)
  return std::make_unique<KeyboardBackend>(device::MakeHidapiBackend());
#else
  error = "this build has no HID support; use --simulate";
  return nullptr;
#endif
}

KeyboardBackend::KeyboardBackend(std::shared_ptr<sim::VirtualKeyboard> keyboard,
                                 std::optional<fs::path> state_file)
    : state_file_(std::move(state_file)) {
  // A state file that exists is what `keyboard` was loaded from.
  const sim::KeyboardMemory memory = keyboard->Memory();
  auto sim = std::make_unique<sim::SimBackend>(std::move(keyboard));
  sim_ = sim.get();
  backend_ = std::move(sim);
  NoteInStep(memory);
}

KeyboardBackend::KeyboardBackend(std::unique_ptr<device::HidBackend> real)
    : backend_(std::move(real)) {}

std::optional<KeyboardBackend::FileStamp> KeyboardBackend::StampOfFile() const {
  if (!state_file_) return std::nullopt;
  std::error_code ec;
  FileStamp stamp;
  stamp.size = fs::file_size(*state_file_, ec);
  if (ec) return std::nullopt;
  stamp.written = fs::last_write_time(*state_file_, ec);
  if (ec) return std::nullopt;
  return stamp;
}

void KeyboardBackend::NoteInStep(sim::KeyboardMemory memory) {
  stamp_ = StampOfFile();
  in_step_ = std::move(memory);
}

bool KeyboardBackend::SaveLocked(std::string& error) {
  if (!sim_ || !state_file_) return true;
  const auto keyboard = sim_->Keyboard();
  if (!keyboard) return true;
  sim::KeyboardMemory memory = keyboard->Memory();
  if (!keyboard->Save(*state_file_, &error)) {
    error = "cannot save the simulated keyboard to " + state_file_->string() + ": " + error;
    return false;
  }
  NoteInStep(std::move(memory));
  return true;
}

bool KeyboardBackend::Save(std::string& error) {
  const std::lock_guard lock(mutex_);
  return SaveLocked(error);
}

bool KeyboardBackend::SaveIfChanged(std::string& error) {
  const std::lock_guard lock(mutex_);
  if (!sim_ || !state_file_) return true;
  const auto keyboard = sim_->Keyboard();
  if (!keyboard) return true;
  // A file not written yet is written once, as the CLI expects one.
  if (in_step_ && keyboard->Memory() == *in_step_ && StampOfFile()) return true;
  return SaveLocked(error);
}

bool KeyboardBackend::SyncFromFile(std::string& error) {
  {
    const std::lock_guard lock(mutex_);
    const std::optional<FileStamp> now = StampOfFile();
    // Unchanged, or gone (the next save writes it again).
    if (!now || now == stamp_) return true;
  }
  return ReloadState(error);
}

bool KeyboardBackend::ReloadState(std::string& error) {
  const std::lock_guard lock(mutex_);
  if (!sim_ || !state_file_) return false;
  std::error_code ec;
  if (!fs::exists(*state_file_, ec)) return false;
  auto loaded = sim::VirtualKeyboard::FromFile(*state_file_, &error);
  if (!loaded) return false;
  const auto keyboard = sim_->Keyboard();
  if (!keyboard) return false;
  // Same device, new memory: the open handles stay valid.
  sim::KeyboardMemory memory = loaded->Memory();
  if (!keyboard->SetMemory(memory, &error)) return false;
  NoteInStep(std::move(memory));
  return true;
}

}  // namespace quorlin::app
