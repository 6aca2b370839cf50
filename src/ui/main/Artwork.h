#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace ferrowick::ui::artwork {

// The main window's pictures, drawn in code. `dpr` is the screen's device pixel ratio,
// so the pictures stay sharp on scaled screens.

inline constexpr int kBannerHeight = 64;

// Across the top of the window, with the product's name.
QPixmap banner(QSize size, qreal dpr);
// Behind the side links.
QPixmap sidePanel(QSize size, qreal dpr);
// Behind the link of the visible page: 162 x 23, light grey growing lighter to the
// right, a darker bottom row and a two-pixel dark grey right edge.
QPixmap highlightBar(qreal dpr);
// Behind the version text at the top right.
QPixmap badge(QSize size, qreal dpr);
// Beside the check-for-updates link.
QPixmap updateIcon(qreal dpr);
// Along the bottom of the window.
QPixmap bottomStrip(QSize size, qreal dpr);
// The window's icon, at 16 x 16 and 32 x 32.
QIcon windowIcon();

}  // namespace ferrowick::ui::artwork
