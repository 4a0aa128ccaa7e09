#pragma once

class QPainter;
class QPalette;
class QSize;

namespace bevel {

// Paints a button's face with a raised (or, while held, sunken) two-pixel bevel in the palette's
// colours, filling the box at the painter's origin.
void paint(QPainter &painter, const QSize &size, const QPalette &colours, bool sunken);

} // namespace bevel
