#include "ui/skin/draw_text_flags.h"

namespace quorlin::ui {

int QtTextFlags(unsigned format) {
  int flags = 0;
  if (format & draw_text::kCenter) {
    flags |= Qt::AlignHCenter;
  } else if (format & draw_text::kRight) {
    flags |= Qt::AlignRight;
  } else {
    flags |= Qt::AlignLeft;
  }
  if (format & draw_text::kVCenter) {
    flags |= Qt::AlignVCenter;
  } else if (format & draw_text::kBottom) {
    flags |= Qt::AlignBottom;
  } else {
    flags |= Qt::AlignTop;
  }
  if (format & draw_text::kSingleLine) {
    flags |= Qt::TextSingleLine;
  } else if (format & draw_text::kWordBreak) {
    flags |= Qt::TextWordWrap;
  }
  if (!(format & draw_text::kNoPrefix)) flags |= Qt::TextShowMnemonic;
  return flags;
}

}  // namespace quorlin::ui
