#include "bevel.h"

#include "drawnlooks.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPalette>

namespace bevel {
namespace {

struct Look {
    QSize size;
    qreal pixelRatio;
    bool sunken;
    // The palette and which of its groups, active, inactive or disabled, the button is drawn in.
    qint64 colours;
    QPalette::ColorGroup group;

    bool operator==(const Look &other) const {
        return size == other.size && pixelRatio == other.pixelRatio && sunken == other.sunken &&
               colours == other.colours && group == other.group;
    }
};

// Drawn with filled rectangles only, which keep their edges exact at any scale.
void draw(QPainter &painter, const QSize &size, const QPalette &colours, bool sunken) {
    const int w = size.width();
    const int h = size.height();
    painter.fillRect(0, 0, w, h, colours.button());
    const QColor outerLight = colours.color(sunken ? QPalette::Shadow : QPalette::Light);
    const QColor innerLight = colours.color(sunken ? QPalette::Dark : QPalette::Midlight);
    const QColor innerDark = colours.color(sunken ? QPalette::Midlight : QPalette::Dark);
    const QColor outerDark = colours.color(sunken ? QPalette::Light : QPalette::Shadow);
    painter.fillRect(0, 0, w, 1, outerLight);
    painter.fillRect(0, 0, 1, h, outerLight);
    painter.fillRect(1, 1, w - 2, 1, innerLight);
    painter.fillRect(1, 1, 1, h - 2, innerLight);
    painter.fillRect(0, h - 1, w, 1, outerDark);
    painter.fillRect(w - 1, 0, 1, h, outerDark);
    painter.fillRect(1, h - 2, w - 2, 1, innerDark);
    painter.fillRect(w - 2, 1, 1, h - 2, innerDark);
}

QImage render(const Look &look, const QPalette &colours) {
    QImage image(look.size * look.pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(look.pixelRatio);
    QPainter painter(&image);
    draw(painter, look.size, colours, look.sunken);
    return image;
}

} // namespace

// A board shows hundreds of identical covers in the four looks of the face and the covers.
void paint(QPainter &painter, const QRect &box, const QPalette &colours, bool sunken) {
    static DrawnLooks<Look> drawn;
    const Look look{box.size(), painter.device()->devicePixelRatio(), sunken, colours.cacheKey(),
                    colours.currentColorGroup()};
    drawn.paint(painter, box.topLeft(), look, [&] { return render(look, colours); });
}

} // namespace bevel
