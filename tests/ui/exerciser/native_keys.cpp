#include "native_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <cstdint>

namespace quorlin::exerciser {

namespace {

struct Native {
  uint32_t evdev = 0;  // 0: no key of its own
  uint32_t keysym = 0;
  QString text;
};

struct Special {
  Qt::Key key;
  uint32_t evdev;
  uint32_t keysym;
};

constexpr Special kSpecial[] = {
    {Qt::Key_Return, 28, 0xff0d},    {Qt::Key_Enter, 96, 0xff8d},     {Qt::Key_Escape, 1, 0xff1b},
    {Qt::Key_Tab, 15, 0xff09},       {Qt::Key_Backtab, 15, 0xfe20},   {Qt::Key_Space, 57, 0x20},
    {Qt::Key_Up, 103, 0xff52},       {Qt::Key_Down, 108, 0xff54},     {Qt::Key_Left, 105, 0xff51},
    {Qt::Key_Right, 106, 0xff53},    {Qt::Key_Delete, 111, 0xffff},   {Qt::Key_F1, 59, 0xffbe},
    {Qt::Key_Home, 102, 0xff50},     {Qt::Key_End, 107, 0xff57},      {Qt::Key_PageUp, 104, 0xff55},
    {Qt::Key_PageDown, 109, 0xff56}, {Qt::Key_Backspace, 14, 0xff08},
};

// evdev codes of the letters a..z on a US layout.
constexpr uint8_t kLetters[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                  49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};

uint32_t NativeModifiers(Qt::KeyboardModifiers m) {
  uint32_t state = 0;
  if (m & Qt::ShiftModifier) state |= 1;
  if (m & Qt::ControlModifier) state |= 4;
  if (m & Qt::AltModifier) state |= 8;
  return state;
}

void Deliver(QWidget* w, Qt::Key key, Qt::KeyboardModifiers modifiers, const Native& n) {
  QPointer<QWidget> guard(w);
  // A key that reaches the focus widget first offers itself as a shortcut.
  QKeyEvent shortcut(QEvent::ShortcutOverride, key, modifiers, n.evdev ? n.evdev + 8 : 0, n.keysym,
                     NativeModifiers(modifiers), n.text);
  QApplication::sendEvent(w, &shortcut);
  if (!guard) return;
  QKeyEvent press(QEvent::KeyPress, key, modifiers, n.evdev ? n.evdev + 8 : 0, n.keysym,
                  NativeModifiers(modifiers), n.text);
  QApplication::sendEvent(w, &press);
  if (!guard) return;
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, n.evdev ? n.evdev + 8 : 0, n.keysym,
                    NativeModifiers(modifiers), n.text);
  QApplication::sendEvent(w, &release);
}

}  // namespace

void SendKey(QWidget* w, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  Native n;
  for (const Special& s : kSpecial) {
    if (s.key != key) continue;
    n.evdev = s.evdev;
    n.keysym = s.keysym;
    if (key == Qt::Key_Backtab) modifiers |= Qt::ShiftModifier;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) n.text = QStringLiteral("\r");
    if (key == Qt::Key_Tab) n.text = QStringLiteral("\t");
    if (key == Qt::Key_Space) n.text = QStringLiteral(" ");
    if (key == Qt::Key_Escape) n.text = QString(QChar(0x1b));
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) {
    const int i = key - Qt::Key_A;
    n.evdev = kLetters[i];
    n.keysym = static_cast<uint32_t>('a' + i);
    if (!(modifiers & Qt::ControlModifier)) n.text = QString(QChar('a' + i));
  }
  Deliver(w, key, modifiers, n);
}

void TypeText(QWidget* w, const QString& text) {
  QPointer<QWidget> guard(w);
  for (const QChar c : text) {
    if (!guard) return;
    const char16_t u = c.unicode();
    Native n;
    n.text = QString(c);
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    if (u >= 'a' && u <= 'z') {
      key = static_cast<Qt::Key>(Qt::Key_A + (u - 'a'));
      n.evdev = kLetters[u - 'a'];
      n.keysym = u;
    } else if (u >= 'A' && u <= 'Z') {
      key = static_cast<Qt::Key>(Qt::Key_A + (u - 'A'));
      n.evdev = kLetters[u - 'A'];
      n.keysym = u;
      modifiers = Qt::ShiftModifier;
    } else if (u >= '0' && u <= '9') {
      key = static_cast<Qt::Key>(Qt::Key_0 + (u - '0'));
      n.evdev = u == '0' ? 11 : 2u + (u - '1');
      n.keysym = u;
    } else if (u == ' ') {
      key = Qt::Key_Space;
      n.evdev = 57;
      n.keysym = 0x20;
    } else if (u < 128) {
      key = static_cast<Qt::Key>(u);
    }
    Deliver(w, key, modifiers, n);
  }
}

}  // namespace quorlin::exerciser
