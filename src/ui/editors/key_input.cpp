#include "ui/editors/key_input.h"

#include <algorithm>

#include "keys/media_list.h"
#include "keys/vk_map.h"

namespace quorlin::ui {
namespace {

constexpr uint32_t kRepeatBit = 1u << 30;
constexpr uint32_t kReleaseBit = 1u << 31;

constexpr keys::KeyCode kPrintScreen = 0x0137;

bool IsSystemKey(keys::KeyCode code) {
  return code == 0x015B || code == 0x015C || code == 0x015D;
}

#if !defined(Q_OS_WIN)
// Keypad keys whose meaning follows Num Lock; their key symbols tell the
// state reliably on X11 and Wayland, where the modifier masks vary.
constexpr uint32_t kKeypadEvdevFirst = 71;  // keypad 7
constexpr uint32_t kKeypadEvdevLast = 83;   // keypad point
constexpr uint32_t kKeysymKpDecimal = 0xFFAE;
constexpr uint32_t kKeysymKpSeparator = 0xFFAC;
constexpr uint32_t kKeysymKp0 = 0xFFB0;
constexpr uint32_t kKeysymKp9 = 0xFFB9;
constexpr uint32_t kNumLockModifierMask = 0x10;  // Mod2 on X11 and in xkb

bool NumLockOn(const QKeyEvent& event) {
  const uint32_t scan = event.nativeScanCode();
  constexpr uint32_t kOffset = platform::kXkbScanCodeOffset;
  if (scan >= kKeypadEvdevFirst + kOffset && scan <= kKeypadEvdevLast + kOffset) {
    const uint32_t sym = event.nativeVirtualKey();
    if (sym >= kKeysymKp0 && sym <= kKeysymKp9) return true;
    if (sym == kKeysymKpDecimal || sym == kKeysymKpSeparator) return true;
    if (sym != 0) return false;
  }
  return (event.nativeModifiers() & kNumLockModifierMask) != 0;
}
#endif

}  // namespace

KeyInput KeyInputFromMessage(const platform::KeyMessage& message) {
  KeyInput input;
  input.message = message;
  input.release = (message.lparam & kReleaseBit) != 0;
  input.repeat = !input.release && (message.lparam & kRepeatBit) != 0;
  input.key = keys::KeyFromKeyMessage(message.vk, message.lparam);
  return input;
}

std::optional<KeyInput> KeyInputFromEvent(const QKeyEvent& event) {
  if (event.type() != QEvent::KeyPress && event.type() != QEvent::KeyRelease) return std::nullopt;
  const bool release = event.type() == QEvent::KeyRelease;
  if (event.nativeScanCode() == 0) return std::nullopt;
#if defined(Q_OS_WIN)
  const uint32_t scan = event.nativeScanCode();
  std::optional<platform::KeyMessage> message = platform::KeyMessageFromWindows(
      event.nativeVirtualKey(), scan & 0xFF, (scan & 0x100) != 0, release);
#else
  platform::KeyEventState state;
  state.num_lock_on = NumLockOn(event);
  state.ctrl_down = event.modifiers().testFlag(Qt::ControlModifier);
  state.alt_down = event.modifiers().testFlag(Qt::AltModifier);
  state.release = release;
  std::optional<platform::KeyMessage> message =
      platform::KeyMessageFromXkbScanCode(event.nativeScanCode(), state);
#endif
  KeyInput input;
  input.release = release;
  input.repeat = event.isAutoRepeat();
  if (message) {
    if (input.repeat && !release) message->lparam |= kRepeatBit;
    input.message = *message;
    input.key = keys::KeyFromKeyMessage(message->vk, message->lparam);
  }
  return input;
}

bool IsMediaKey(keys::KeyCode code) {
  return std::any_of(keys::kMediaList.begin(), keys::kMediaList.end(),
                     [code](const keys::MediaFunction& m) { return m.key == code; });
}

CaptureAction SingleKeyCapture(const KeyInput& input, bool keyboard_ticked) {
  if (input.key == keys::kNoKey || IsMediaKey(input.key)) return CaptureAction::kPass;
  if (!keyboard_ticked) return CaptureAction::kSwallow;
  if (IsSystemKey(input.key)) return input.repeat ? CaptureAction::kSwallow : CaptureAction::kTake;
  // Holding a key repeats as release-and-press pairs on some systems; none
  // of them is a new choice.
  if (input.repeat) return CaptureAction::kSwallow;
  if (input.release && input.key != kPrintScreen) return CaptureAction::kSwallow;
  return CaptureAction::kTake;
}

RecordStep RecorderStep(const KeyInput& input) {
  RecordStep step;
  if (input.key == keys::kNoKey || IsMediaKey(input.key)) return step;
  step.action = CaptureAction::kSwallow;
  if (input.repeat) return step;
  if (keys::NeedsSyntheticPress(input.key)) {
    if (!input.release) return step;
    step.synthetic_press = true;
  }
  step.action = CaptureAction::kTake;
  step.direction = input.release ? 1 : 0;
  return step;
}

}  // namespace quorlin::ui
