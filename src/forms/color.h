#pragma once

#include <QColor>

// Colours are held as the runtime's RGB values, r + 256 g + 65536 b.
inline QColor toQColor(int rgb) {
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}
