#pragma once
// Where the key editor opens: beside the key that opened it, so the key
// stays in sight, or centred for the macro editor.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace quorlin::ui {

// Top-left corner for an editor of `size` opened from the key at `key`
// (global coordinates) on a screen whose usable area is `screen`. First
// choice: below and right of the key; then above it at the same left edge;
// then left of it, below; then left of it, above. When none fits, the first
// choice is moved just far enough to lie on the screen, so no control is
// ever out of reach.
QPoint EditorPositionBesideKey(const QRect& key, const QSize& size, const QRect& screen);

// Centred on the screen's usable area.
QPoint EditorPositionCentred(const QSize& size, const QRect& screen);

}  // namespace quorlin::ui
