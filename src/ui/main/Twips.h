#pragma once

#include <QRect>

namespace ferrowick::ui {

// The window's layout is given in twips: 15 to a pixel at 96 dpi. Qt scales these
// device-independent pixels with the screen.
inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

constexpr QRect twipsRect(int left, int top, int width, int height) {
  return QRect(px(left), px(top), px(width), px(height));
}

}  // namespace ferrowick::ui
