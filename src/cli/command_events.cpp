#include <atomic>
#include <chrono>
#include <csignal>
#include <mutex>
#include <ostream>
#include <thread>

#include "cli/cli.h"
#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/json_writer.h"
#include "cli/messages.h"
#include "device/event_reader.h"

namespace quorlin::cli {

namespace {

std::atomic<bool> g_interrupted{false};

extern "C" void OnInterrupt(int) {
  g_interrupted.store(true);
}

// Prints what each event report asks of the main window, with its code.
class EventPrinter final : public device::DeviceNotifications {
 public:
  explicit EventPrinter(CliContext& ctx) : ctx_(ctx) {}

  int Count() const { return count_.load(); }

  void KeyboardRemoved() override { Print(0, "keyboard-removed"); }
  void ProfileReload() override { Print(0, "profile-reload"); }
  void PostOpenNotification() override {}
  void HideMainWindow() override {}
  void SetTrayIcon(device::TrayIcon icon) override {
    if (icon == device::TrayIcon::kAlternate)
      Print(device::kEventAlternateTrayIcon, "alternate-tray-icon");
    if (icon == device::TrayIcon::kRestore)
      Print(device::kEventRestoreTrayIcon, "restore-tray-icon");
  }
  void StartTimer(int timer_id) override {
    if (timer_id == device::kLightingRefreshTimer)
      Print(device::kEventReloadLighting, "lighting-changed");
    if (timer_id == device::kKeyboardResetTimer)
      Print(device::kEventKeyboardReset, "keyboard-reset");
  }
  void ShowMessage(std::string_view) override {}

 private:
  // `id` is the stable name scripts see; the line says it in the run's language.
  void Print(uint16_t code, std::string_view id) {
    std::string key = "CLI_EVENT_";
    for (const char c : id) key += c == '-' ? '_' : static_cast<char>(c - 'a' + 'A');
    const std::string text = Say(ctx_, Msg(key));
    std::lock_guard lock(mutex_);
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%04X", code);
    if (ctx_.options.json) {
      JsonWriter(ctx_.out)
          .BeginObject()
          .Field("code", hex)
          .Field("event", id)
          .Field("text", text)
          .EndObject();
    } else {
      ctx_.out << hex << ' ' << text << '\n';
    }
    ctx_.out.flush();
    ++count_;
  }

  CliContext& ctx_;
  std::mutex mutex_;
  std::atomic<int> count_{0};
};

}  // namespace

int CommandEvents(CliContext& ctx) {
  auto words = CommandArgs(ctx);
  std::optional<int> count;
  Message why;
  if (!TakeCountOption(words, count, why) || !FinishOptions(words, why)) {
    return BadArguments(ctx, why);
  }
  int status = kExitOk;
  if (RefuseExtra(ctx, words, status)) return status;
  // The reader finds the keyboard itself and waits for it; say so when it
  // is not there now rather than wait in silence.
  if (!ConnectForCommand(ctx, status)) return status;
  std::atomic<bool>& stop = ctx.stop ? *ctx.stop : g_interrupted;
  const auto previous = std::signal(SIGINT, OnInterrupt);
  EventPrinter printer(ctx);
  // Nothing may arrive for a long time (the simulated keyboard sends
  // nothing on its own): say what the command is doing and how it ends.
  Notice(ctx, Say(ctx, count ? Msg("CLI_EVENTS_WAITING_COUNT", {{"count", std::to_string(*count)}})
                             : Msg("CLI_EVENTS_WAITING")));
  {
    device::EventReader reader(ctx.backend, printer);
    reader.Start();
    while (!stop.load() && !g_interrupted.load() && (!count || printer.Count() < *count)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    reader.Stop();
  }
  std::signal(SIGINT, previous);
  return kExitOk;
}

}  // namespace quorlin::cli
