#include "gamefixture.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cstdlib>
#include <iterator>

// What the player sees, read back from the painted window at the screen's density: the design's
// colours where the design gives them, and plain differences where it leaves the look open.
class tst_pixels : public QObject {
    Q_OBJECT

private slots:
    void looksAsDesigned_data();
    void looksAsDesigned();
};

namespace {

// Every scene is an Easy board with mines at 1, 2, 3, 9 and down column 4 from 20 to 60, so that
// cell 4 counts 1, cell 12 counts 2, cell 11 counts 3 and cell 10 counts 4. FlagHeld is the game
// at 01:05 with cover 5 flagged (the counter reads 009) and the left button held down on it; Won
// has every safe cell uncovered; Lost has the mine of cell 20 uncovered with a wrong flag on cell
// 6, and LostOnFlag the same mine flagged first, so that its cross shows.
enum class Scene { FlagHeld, Won, Lost, LostOnFlag };
enum class Part { Area, Cell, Content, Cover, Face, Clock, Counter };
enum class Check { Colour, Differs, Heavier };

struct Spot {
    Spot(Scene scene, Part part, int cell = 0, const QRect &within = {})
        : scene(scene), part(part), cell(cell), within(within) {}
    Scene scene;
    Part part;
    int cell;
    QRect within; // logical pixels from the part's corner; empty for the whole part
};

struct Row {
    const char *name;
    Check check;
    Spot spot;
    Spot other;
    QColor colour;
    double least; // the share of the spot in the colour, or the ink over that of a regular weight
    QString text;
};

Row colour(const char *name, const Spot &spot, const QColor &colour, double least) {
    return {name, Check::Colour, spot, spot, colour, least, {}};
}

Row differs(const char *name, const Spot &spot, const Spot &other) {
    return {name, Check::Differs, spot, other, {}, 0, {}};
}

Row heavier(const char *name, const Spot &spot, const char *text) {
    return {name, Check::Heavier, spot, spot, {}, 1.3, QString::fromLatin1(text)};
}

const Row rows[] = {
    colour("backdrop", {Scene::FlagHeld, Part::Area, 0, {0, 0, 3, 33}}, {255, 255, 0}, 1),
    colour("count 1", {Scene::Won, Part::Content, 4}, {0, 0, 255}, 0.05),
    colour("count 2", {Scene::Won, Part::Content, 12}, {0, 128, 128}, 0.05),
    colour("count 3", {Scene::Won, Part::Content, 11}, {0, 63, 0}, 0.05),
    colour("count 4", {Scene::Won, Part::Content, 10}, {255, 0, 0}, 0.05),
    colour("mine's rectangle", {Scene::Won, Part::Cell, 60, {2, 2, 4, 4}}, {255, 0, 0}, 1),
    colour("wrong flag's cross", {Scene::LostOnFlag, Part::Content, 20}, {255, 50, 50}, 0.05),
    colour("clock", {Scene::FlagHeld, Part::Clock}, {255, 0, 0}, 0.05),
    colour("counter", {Scene::FlagHeld, Part::Counter}, {255, 0, 0}, 0.05),
    // A cover's top edge: clear of the flag mark, which a held cover draws a pixel lower.
    differs("cover held down", {Scene::FlagHeld, Part::Cover, 5, {0, 0, 20, 2}},
            {Scene::FlagHeld, Part::Cover, 6, {0, 0, 20, 2}}),
    colour("open cell's outline", {Scene::Won, Part::Cell, 40, {0, 2, 1, 16}}, {204, 204, 0}, 1),
    colour("open cell's fill", {Scene::Won, Part::Cell, 40, {3, 2, 1, 16}}, {255, 255, 0}, 1),
    // The bevels, edge by edge: the raised cover 6 and the held cover 5.
    colour("raised, outer top", {Scene::FlagHeld, Part::Cover, 6, {0, 0, 19, 1}}, {255, 255, 255},
           1),
    colour("raised, outer left", {Scene::FlagHeld, Part::Cover, 6, {0, 0, 1, 19}}, {255, 255, 255},
           1),
    colour("raised, inner top", {Scene::FlagHeld, Part::Cover, 6, {1, 1, 17, 1}}, {202, 202, 202},
           1),
    colour("raised, inner left", {Scene::FlagHeld, Part::Cover, 6, {1, 1, 1, 17}}, {202, 202, 202},
           1),
    colour("raised, outer bottom", {Scene::FlagHeld, Part::Cover, 6, {0, 19, 20, 1}},
           {118, 118, 118}, 1),
    colour("raised, outer right", {Scene::FlagHeld, Part::Cover, 6, {19, 0, 1, 20}},
           {118, 118, 118}, 1),
    colour("raised, inner bottom", {Scene::FlagHeld, Part::Cover, 6, {1, 18, 18, 1}},
           {159, 159, 159}, 1),
    colour("raised, inner right", {Scene::FlagHeld, Part::Cover, 6, {18, 1, 1, 18}},
           {159, 159, 159}, 1),
    colour("raised, face", {Scene::FlagHeld, Part::Cover, 6, {2, 2, 16, 16}}, {239, 239, 239}, 1),
    colour("held, outer top", {Scene::FlagHeld, Part::Cover, 5, {0, 0, 19, 1}}, {118, 118, 118}, 1),
    colour("held, outer left", {Scene::FlagHeld, Part::Cover, 5, {0, 0, 1, 19}}, {118, 118, 118},
           1),
    colour("held, inner top", {Scene::FlagHeld, Part::Cover, 5, {1, 1, 17, 1}}, {159, 159, 159}, 1),
    colour("held, inner left", {Scene::FlagHeld, Part::Cover, 5, {1, 1, 1, 17}}, {159, 159, 159},
           1),
    colour("held, outer bottom", {Scene::FlagHeld, Part::Cover, 5, {0, 19, 20, 1}}, {255, 255, 255},
           1),
    colour("held, outer right", {Scene::FlagHeld, Part::Cover, 5, {19, 0, 1, 20}}, {255, 255, 255},
           1),
    colour("held, inner bottom", {Scene::FlagHeld, Part::Cover, 5, {1, 18, 18, 1}}, {202, 202, 202},
           1),
    colour("held, inner right", {Scene::FlagHeld, Part::Cover, 5, {18, 1, 1, 18}}, {202, 202, 202},
           1),
    // A greyed cover's mark is etched: light beneath, grey above.
    colour("greyed mark's light", {Scene::Lost, Part::Cover, 6, {3, 3, 14, 14}}, {255, 255, 255},
           0.02),
    colour("greyed mark's grey", {Scene::Lost, Part::Cover, 6, {3, 3, 14, 14}}, {190, 190, 190},
           0.02),
    differs("mine that went off", {Scene::Lost, Part::Cell, 20}, {Scene::Lost, Part::Cell, 28}),
    differs("face K and J", {Scene::FlagHeld, Part::Face}, {Scene::Won, Part::Face}),
    differs("face J and L", {Scene::Won, Part::Face}, {Scene::Lost, Part::Face}),
    differs("face K and L", {Scene::FlagHeld, Part::Face}, {Scene::Lost, Part::Face}),
    heavier("clock's strokes", {Scene::FlagHeld, Part::Clock}, "01:05"),
    heavier("counter's strokes", {Scene::FlagHeld, Part::Counter}, "009"),
};

void play(GameFixture &game, Scene scene) {
    GameFixture::plantMines({1, 2, 3, 9, 20, 28, 36, 44, 52, 60}, 8, 8);
    game.choose(0);
    game.setTime(game.time() + 65);
    game.tick();
    if (scene == Scene::FlagHeld) {
        game.pressCover(5, Qt::RightButton);
        QTest::mousePress(game.window().area(), Qt::LeftButton, Qt::NoModifier,
                          centreOf(game.board().square[5]));
    }
    if (scene == Scene::Won)
        game.uncoverEverySafeCell();
    if (scene == Scene::Lost)
        game.pressCover(6, Qt::RightButton);
    if (scene == Scene::LostOnFlag)
        game.pressCover(20, Qt::RightButton);
    if (scene == Scene::Lost || scene == Scene::LostOnFlag)
        game.pressCover(20);
}

QImage look(const Spot &spot) {
    GameFixture game;
    play(game, spot.scene);
    gameboard &board = game.board();
    const int k = spot.cell;
    const Control *parts[] = {nullptr,     &board.background[k], &board.mine[k],  &board.square[k],
                              &board.face, &board.time,          &board.minesleft};
    const Control *part = parts[int(spot.part)];
    const QRect box = part ? part->pixelBox() : board.area()->rect();
    const QRect region = spot.within.isEmpty() ? box : spot.within.translated(box.topLeft());
    const QImage image = board.area()->grab(region).toImage().convertToFormat(QImage::Format_RGB32);
    if (spot.scene == Scene::FlagHeld)
        QTest::mouseRelease(board.area(), Qt::LeftButton, Qt::NoModifier,
                            centreOf(board.square[5]));
    return image;
}

double shareIn(const QImage &image, const QColor &colour) {
    int near = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            near += std::abs(c.red() - colour.red()) <= 4 &&
                    std::abs(c.green() - colour.green()) <= 4 &&
                    std::abs(c.blue() - colour.blue()) <= 4;
        }
    }
    return double(near) / (image.width() * image.height());
}

// Red on yellow: green falls from 255 as ink covers a pixel.
double inkIn(const QImage &image) {
    double ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += (255 - qGreen(image.pixel(x, y))) / 255.0;
    return ink;
}

// The text in a regular-weight condensed sans at the clock's size.
QImage regular(const QString &text, qreal pixelRatio) {
    QFont font(QStringLiteral("DejaVu Sans Condensed"), 18);
    font.setStretch(QFont::Condensed);
    QImage image(QSize(200, 60) * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(QColor(255, 255, 0));
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(QColor(255, 0, 0));
    painter.drawText(QRect(0, 0, 200, 60), Qt::AlignCenter, text);
    return image;
}

} // namespace

void tst_pixels::looksAsDesigned_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(rows)); ++i)
        QTest::newRow(rows[i].name) << i;
}

void tst_pixels::looksAsDesigned() {
    QFETCH(int, row);
    const Row &r = rows[row];
    const QImage seen = look(r.spot);
    if (r.check == Check::Colour) {
        const double share = shareIn(seen, r.colour);
        QVERIFY2(share >= r.least, qPrintable(QStringLiteral("%1 of the pixels are %2, wanted %3")
                                                  .arg(share)
                                                  .arg(r.colour.name())
                                                  .arg(r.least)));
    } else if (r.check == Check::Differs) {
        QVERIFY2(seen != look(r.other), "the two look the same");
    } else {
        const double ratio = inkIn(seen) / inkIn(regular(r.text, qApp->devicePixelRatio()));
        QVERIFY2(ratio >= r.least,
                 qPrintable(QStringLiteral("%1 times the ink of a regular weight").arg(ratio)));
    }
}

QTEST_MAIN(tst_pixels)
#include "tst_pixels.moc"
