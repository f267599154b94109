#pragma once
// Button pieces kept packed (pixel_pack.h) between paints. A key of the
// main window has four looks and shows one at a time; at twice the size the
// looks of all keys are over ten megabytes, most of them never seen in a
// session, and they pack to a sixth. A packed piece is an empty pixmap
// whose address names its pixels here; a button asks for what to draw and
// gets them unpacked, the last few kept for the next paints.
//
// Pieces belong to the window's thread: only it packs, draws and forgets.

#include <QPixmap>

namespace quorlin::ui {

// Deflates the pixels of `piece` and empties it. Packing a piece again
// (cut anew at another scale) replaces what was kept.
void PackPiece(QPixmap& piece);

// Drops what is kept for `piece`: its owner is going or cuts it anew.
void ForgetPiece(const QPixmap& piece);

// What to draw for `surface`: the surface itself, or, for a packed piece,
// its pixels unpacked (valid until the next call). Null stays null.
const QPixmap* DrawablePiece(const QPixmap* surface);

// Whether `piece` is packed here.
bool IsPackedPiece(const QPixmap* piece);

// Bytes held packed for `piece` (0 when it is not packed).
qint64 PackedPieceBytes(const QPixmap& piece);
// Bytes held by all packed pieces and the unpacked ones kept.
qint64 PackedPieceBytes();

}  // namespace quorlin::ui
