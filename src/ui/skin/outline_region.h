#pragma once
// A window's outline from its mask picture: every pixel that is not exactly
// white belongs to the window.

#include <QImage>
#include <QRegion>

namespace quorlin::ui {

QRegion OutlineRegion(const QImage& mask);

}  // namespace quorlin::ui
