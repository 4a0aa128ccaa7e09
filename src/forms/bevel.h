#pragma once

class QPainter;
class QPalette;
class QRect;

namespace bevel {

// Paints a button's face with a raised (or, while held, sunken) two-pixel bevel in the palette's
// colours, filling the box.
void paint(QPainter &painter, const QRect &box, const QPalette &colours, bool sunken);

} // namespace bevel
