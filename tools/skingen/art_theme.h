#pragma once
// The colours and type of the default skin: a dark body, one warm accent for
// everything that reacts to the pointer.

#include <QColor>
#include <QFont>
#include <QString>

namespace quorlin::skingen {

namespace theme {
inline const QColor kWindow(15, 17, 20);
inline const QColor kWindowEdge(44, 48, 56);
inline const QColor kTitleBar(21, 23, 27);
inline const QColor kPanel(24, 27, 32);  // flat, so the panel pictures blend in
inline const QColor kPanelEdge(40, 44, 52);
inline const QColor kDeck(26, 29, 34);
inline const QColor kDeckEdge(46, 50, 58);
inline const QColor kWell(14, 16, 19);  // behind lists and edit boxes
inline const QColor kWellEdge(52, 57, 66);

inline const QColor kAccent(255, 130, 0);
inline const QColor kAccentDeep(214, 96, 0);
inline const QColor kAccentSoft(255, 130, 0, 70);

inline const QColor kText(232, 234, 237);
inline const QColor kTextDim(154, 160, 168);
inline const QColor kTextFaint(96, 101, 110);

inline const QColor kCapSide(18, 20, 24);
inline const QColor kCapTop(60, 65, 74);
inline const QColor kCapBottom(46, 50, 58);
inline const QColor kCapPressedTop(34, 37, 43);
inline const QColor kCapPressedBottom(40, 44, 51);

inline const QColor kButton(38, 42, 49);
inline const QColor kButtonHover(48, 53, 62);
inline const QColor kButtonDown(28, 31, 36);
inline const QColor kButtonEdge(62, 68, 78);
}  // namespace theme

enum class Weight { kNormal, kBold };

// The sans-serif face of the skin at a pixel size.
QFont SkinFont(double pixel_size, Weight weight = Weight::kNormal, bool condensed = false);

}  // namespace quorlin::skingen
