#pragma once
// Key presses as a real keyboard delivers them under X11 and Wayland: each
// event carries its native scan code (evdev code + 8) and key symbol, which
// the key editor and its recorder read. Characters without a key of their
// own come as text alone, as from an input method.

#include <QString>
#include <Qt>

class QWidget;

namespace quorlin::exerciser {

// Press and release of `key` on `w` (Qt::Key_Backtab is Shift+Tab).
void SendKey(QWidget* w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// One key press and release per character.
void TypeText(QWidget* w, const QString& text);

}  // namespace quorlin::exerciser
