#pragma once

#include <cmath>

// Lengths are kept in twips, as the game computes them; widgets are placed in logical pixels.
namespace twips {

// 15 twips to a logical pixel: a 300-twip cell is 20 pixels and scales crisply on high-DPI screens.
constexpr double perPixel = 15.0;

inline int toPixels(double twips) {
    return static_cast<int>(std::lround(twips / perPixel));
}

inline double fromPixels(double pixels) {
    return pixels * perPixel;
}

} // namespace twips
