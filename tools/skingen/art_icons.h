#pragma once
// Line pictograms for buttons whose meaning needs no words.

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace quorlin::skingen {

enum class Icon {
  kHelp,
  kMinimise,
  kClose,
  kMenu,
  kGlobe,
  kChat,
  kShare,
  kPlus,
  kMinus,
  kFolder,
  kTrash,
  kRecord,
  kCross,
  kReset,
  kSave,
  kUpload,
  kTop,
  kUp,
  kDown,
  kBottom,
  kKeyboard,
  kMouse,
  kMedia,
  kFunction,
  kMacro,
  kLayers,
  kChip,
  kChevronLeft,
  kChevronRight,
  kChevronDown,
  kSwap,
  kBulb,
  kBrush,
  kBucket,
  kArrowLeft,
  kArrowRight,
  kArrowUp,
  kArrowDown,
  kSpread,
  kGather,
  kCheck,
  kWindowsKey,
  kAppMenuKey,
  kEnterGlyph,
  kBackspaceGlyph,
  kTabGlyph,
  kShiftGlyph,
  kLock,
};

// Draws the pictogram in a square centred in `box` with lines `stroke`
// pixels wide (on the 24-unit grid the pictograms are drawn on).
void DrawIcon(QPainter& painter, Icon icon, const QRectF& box, const QColor& colour,
              double stroke = 1.8);

}  // namespace quorlin::skingen
