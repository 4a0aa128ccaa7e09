#include "control/windowicon.h"

#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QTest>

#include <algorithm>

// The icon that the window and the desktop show: it must render from its SVG source at any size,
// which takes Qt's SVG plugins when the program is built, and show the game's board, cover and
// mine cell. The window's own copy, drawn at build time, must be that same picture.
class tst_icon : public QObject {
    Q_OBJECT

private slots:
    void svgPluginIsInstalled();
    void rendersInTheGameColours_data();
    void rendersInTheGameColours();
    void windowIconIsTheSourceDrawn_data();
    void windowIconIsTheSourceDrawn();
    void windowIconHasTheDesktopSizes();
};

namespace {

const QString iconPath = QStringLiteral(":/icons/pebblerun.svg");

bool near(QColor actual, QColor expected) {
    constexpr int tolerance = 24;
    return actual.alpha() == 255 && qAbs(actual.red() - expected.red()) <= tolerance &&
           qAbs(actual.green() - expected.green()) <= tolerance &&
           qAbs(actual.blue() - expected.blue()) <= tolerance;
}

QString describe(QColor color) {
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(color.alpha());
}

} // namespace

void tst_icon::svgPluginIsInstalled() {
    QVERIFY2(QImageReader::supportedImageFormats().contains("svg"),
             "Qt's SVG image plugin is missing (Debian package libqt6svg6)");
    QImageReader reader(iconPath);
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    QCOMPARE(reader.size(), QSize(128, 128));
}

void tst_icon::rendersInTheGameColours_data() {
    QTest::addColumn<int>("side");
    QTest::newRow("menu 24") << 24;
    QTest::newRow("launcher 48") << 48;
    QTest::newRow("high-DPI 256") << 256;
    QTest::newRow("software centre 512") << 512;
}

void tst_icon::rendersInTheGameColours() {
    QFETCH(int, side);
    const QIcon icon(iconPath);
    QVERIFY(!icon.isNull());
    const QImage image = icon.pixmap(QSize(side, side)).toImage();
    QCOMPARE(image.size(), QSize(side, side));

    // Points as fractions of the side: the middle of the bottom-left cell is the bare board, the
    // lower left corner of the bottom-right cell is the mine's cell, the middle of the top-left
    // cell is the face of a cover, and the rounded corner is clear.
    const auto at = [&](double x, double y) {
        return image.pixelColor(int(x * side), int(y * side));
    };
    const QColor board = at(0.28, 0.72);
    QVERIFY2(near(board, QColor(255, 255, 0)), qPrintable(describe(board)));
    const QColor mineCell = at(0.55, 0.9);
    QVERIFY2(near(mineCell, QColor(255, 0, 0)), qPrintable(describe(mineCell)));
    const QColor mine = at(0.72, 0.78);
    QVERIFY2(near(mine, QColor(0, 0, 0)), qPrintable(describe(mine)));
    const QColor cover = at(0.28, 0.28);
    QVERIFY2(near(cover, QColor(192, 192, 192)), qPrintable(describe(cover)));
    QCOMPARE(at(0, 0).alpha(), 0);
}

void tst_icon::windowIconIsTheSourceDrawn_data() {
    QTest::addColumn<int>("side");
    for (const QSize &size : windowIcon().availableSizes())
        QTest::newRow(qPrintable(QStringLiteral("%1 px").arg(size.width()))) << size.width();
}

void tst_icon::windowIconIsTheSourceDrawn() {
    QFETCH(int, side);
    const QImage picture =
        windowIcon().pixmap(QSize(side, side)).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(picture.size(), QSize(side, side));

    const QImage source =
        QIcon(iconPath).pixmap(QSize(side, side)).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(source.size(), picture.size());
    int worst = 0;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const QRgb a = picture.pixel(x, y);
            const QRgb b = source.pixel(x, y);
            worst = std::max({worst, qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)),
                              qAbs(qBlue(a) - qBlue(b)), qAbs(qAlpha(a) - qAlpha(b))});
        }
    }
    QVERIFY2(worst <= 2, qPrintable(QStringLiteral("differs by up to %1 per channel").arg(worst)));
}

// The title bar and the task switcher ask for these.
void tst_icon::windowIconHasTheDesktopSizes() {
    const QList<QSize> sizes = windowIcon().availableSizes();
    for (const int side : {16, 32, 48, 64, 128})
        QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
}

QTEST_MAIN(tst_icon)
#include "tst_icon.moc"
