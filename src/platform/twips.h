#pragma once
// Window geometry is kept in twips, as the stored settings and the layouts
// give it; the screen works in device-independent pixels.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

namespace qb {

inline constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest pixel, halves away from zero.
constexpr int TwipsToPixels(long twips) {
  return static_cast<int>(twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                                     : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel));
}
constexpr long PixelsToTwips(int pixels) { return static_cast<long>(pixels) * kTwipsPerPixel; }

inline QRect TwipsToPixels(long left, long top, long width, long height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
               TwipsToPixels(height));
}
inline QSize TwipsToPixels(QSize twips) {
  return QSize(TwipsToPixels(twips.width()), TwipsToPixels(twips.height()));
}
inline QPoint TwipsToPixels(QPoint twips) {
  return QPoint(TwipsToPixels(twips.x()), TwipsToPixels(twips.y()));
}

}  // namespace qb
