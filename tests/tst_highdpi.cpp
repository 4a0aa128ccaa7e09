#include "gamefixture.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <functional>

// On a screen with two device pixels to the logical pixel the window keeps its layout and is
// exactly twice as large in device pixels, and its glyphs, digits and counter are drawn at the
// device resolution from scalable fonts, not enlarged from bitmaps. At other ratios, fractional
// or below one, the whole board is drawn as at one.
class tst_highdpi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void windowIsTwiceAsLarge_data();
    void windowIsTwiceAsLarge();
    void textIsDrawnInDevicePixels_data();
    void textIsDrawnInDevicePixels();
    void boardIsDrawnAtEveryRatio_data();
    void boardIsDrawnAtEveryRatio();

private:
    QMap<QString, QSize> sizesAtScaleOne_;
};

namespace {

const char *const reportSizesOption = "--report-sizes";
const char *const savePictureOption = "--save-picture";
const QStringList presets = {QStringLiteral("mnuEZ"), QStringLiteral("mnuMed"),
                             QStringLiteral("mnuHrd")};

// Lets the window take the size of the game just loaded.
void settle(FormHost &window) {
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::sendPostedEvents();
}

// The window's size on every preset, one "menu-item width height" line each.
int reportSizes() {
    GameFixture game;
    for (const QString &preset : presets) {
        game.triggerMenu(preset);
        settle(game.window());
        std::printf("%s %d %d\n", qPrintable(preset), game.window().width(),
                    game.window().height());
    }
    return 0;
}

// Plays an Easy game a little, a spread and a flag, and saves what the screen shows of its area.
int savePicture(const char *file) {
    GameFixture game;
    game.window().show();
    if (!QTest::qWaitForWindowExposed(&game.window()))
        return 1;
    game.pressCover(game.cellsWithLabel(QString()).front());
    game.pressCover(game.cellsWithLabel(QStringLiteral("M")).front(), Qt::RightButton);
    QCoreApplication::sendPostedEvents();
    QWidget *area = game.board().area();
    return area->grab().save(QString::fromLocal8Bit(file)) ? 0 : 1;
}

// The area's picture as a run of this program at the ratio shows it.
QImage pictureAt(const QString &ratio, const QString &file) {
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), ratio);
    run.setProcessEnvironment(environment);
    run.start(QCoreApplication::applicationFilePath(),
              {QString::fromLatin1(savePictureOption), file});
    if (!run.waitForFinished(60000) || run.exitCode() != 0)
        return {};
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

// Share of the 2 x 2 blocks of device pixels touched by ink that are not one flat colour. A
// drawing enlarged from logical pixels has none; text drawn at the device resolution has many.
double shareOfFineBlocks(const QImage &image, const std::function<bool(QRgb)> &isInk) {
    int inked = 0;
    int fine = 0;
    for (int y = 0; y + 1 < image.height(); y += 2) {
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb block[] = {image.pixel(x, y), image.pixel(x + 1, y), image.pixel(x, y + 1),
                                  image.pixel(x + 1, y + 1)};
            bool ink = false;
            bool flat = true;
            for (QRgb pixel : block) {
                ink = ink || isInk(pixel);
                flat = flat && pixel == block[0];
            }
            inked += ink ? 1 : 0;
            fine += ink && !flat ? 1 : 0;
        }
    }
    return inked ? double(fine) / inked : 0;
}

} // namespace

void tst_highdpi::initTestCase() {
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    // The same windows on a screen of ordinary density, measured by a run of this program.
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("1"));
    run.setProcessEnvironment(environment);
    run.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(reportSizesOption)});
    QVERIFY2(run.waitForFinished(60000), "the run at scale 1 did not finish");
    QCOMPARE(run.exitCode(), 0);
    for (const QByteArray &line : run.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 3)
            sizesAtScaleOne_.insert(QString::fromLatin1(fields[0]),
                                    QSize(fields[1].toInt(), fields[2].toInt()));
    }
    QCOMPARE(sizesAtScaleOne_.size(), presets.size());
}

void tst_highdpi::windowIsTwiceAsLarge_data() {
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QSize>("boardPixels");
    // The board in logical pixels: 20 to a 300-twip cell, and the 500-twip strip above it.
    QTest::newRow("Easy") << QStringLiteral("mnuEZ") << QSize(8 * 20, 8 * 20);
    QTest::newRow("Medium") << QStringLiteral("mnuMed") << QSize(16 * 20, 16 * 20);
    QTest::newRow("Hard") << QStringLiteral("mnuHrd") << QSize(32 * 20, 20 * 20);
}

void tst_highdpi::windowIsTwiceAsLarge() {
    QFETCH(QString, preset);
    QFETCH(QSize, boardPixels);
    GameFixture game;
    game.triggerMenu(preset);
    FormHost &window = game.window();
    settle(window);
    QCOMPARE(window.devicePixelRatio(), 2.0);

    const QSize atScaleOne = sizesAtScaleOne_.value(preset);
    QCOMPARE(window.size(), atScaleOne);
    const QPixmap shot = window.grab();
    QCOMPARE(shot.devicePixelRatio(), 2.0);
    QCOMPARE(shot.size(), atScaleOne * 2);

    // Cells keep their logical size, so each one is 40 device pixels wide.
    QWidget *area = window.form()->area();
    QCOMPARE(area->width(), boardPixels.width());
    QCOMPARE(area->height() - boardPixels.height(), 33);
    QCOMPARE(game.board().square[1].pixelBox().size(), QSize(20, 20));
    QCOMPARE(area->grab(game.board().square[1].pixelBox()).size(), QSize(40, 40));
}

void tst_highdpi::textIsDrawnInDevicePixels_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("onButton");
    QTest::newRow("face glyph") << QStringLiteral("face") << true;
    QTest::newRow("clock digits") << QStringLiteral("time") << false;
    QTest::newRow("mines-left counter") << QStringLiteral("minesleft") << false;
    QTest::newRow("neighbour count") << QStringLiteral("count") << false;
    QTest::newRow("flag mark") << QStringLiteral("flag") << true;
}

void tst_highdpi::textIsDrawnInDevicePixels() {
    QFETCH(QString, control);
    QFETCH(bool, onButton);
    GameFixture game;
    gameboard &board = game.board();
    game.tick();
    // Every control is drawn by the area, in its box.
    QRect box;
    FontSpec wanted;
    if (control == QLatin1String("face")) {
        box = board.face.pixelBox();
        wanted = board.face.font();
    } else if (control == QLatin1String("time")) {
        box = board.time.pixelBox();
        wanted = board.time.font();
    } else if (control == QLatin1String("minesleft")) {
        box = board.minesleft.pixelBox();
        wanted = board.minesleft.font();
    } else if (control == QLatin1String("count")) {
        const int k = game.cellsWithLabel(QStringLiteral("1")).front();
        game.pressCover(k);
        box = board.mine[k].pixelBox();
        wanted = board.mine[k].font();
    } else {
        game.pressCover(1, Qt::RightButton);
        box = board.square[1].pixelBox();
        wanted = board.square[1].font();
    }

    const QFontInfo drawn(fonts::resolve(wanted));
    QVERIFY2(QFontDatabase::isSmoothlyScalable(drawn.family(), drawn.styleName()),
             qPrintable(drawn.family() + QStringLiteral(" is a bitmap font")));

    const QPixmap shot = board.area()->grab(box);
    QCOMPARE(shot.devicePixelRatio(), 2.0);
    QCOMPARE(shot.size(), box.size() * 2);
    const QImage image = shot.toImage().convertToFormat(QImage::Format_RGB32);
    // Dark text on a button's shaded face; coloured text on a label's plain backdrop.
    const QRgb backdrop = image.pixel(0, 0);
    const double fine = shareOfFineBlocks(
        image, [&](QRgb pixel) { return onButton ? qGray(pixel) < 96 : pixel != backdrop; });
    QVERIFY2(fine > 0.25, qPrintable(QStringLiteral("only %1 of the inked blocks have detail finer "
                                                    "than a logical pixel")
                                         .arg(fine)));
}

void tst_highdpi::boardIsDrawnAtEveryRatio_data() {
    QTest::addColumn<QString>("ratio");
    for (const char *ratio : {"0.75", "1.25", "1.5"})
        QTest::newRow(ratio) << QString::fromLatin1(ratio);
}

// Every cell shows the same colours, at the same logical points, as at ratio 1: inside its cover,
// or its open cell clear of the text.
void tst_highdpi::boardIsDrawnAtEveryRatio() {
    QFETCH(QString, ratio);
    QTemporaryDir dir;
    const QImage atOne = pictureAt(QStringLiteral("1"), dir.filePath(QStringLiteral("1.png")));
    const QImage scaled = pictureAt(ratio, dir.filePath(QStringLiteral("scaled.png")));
    QCOMPARE(atOne.size(), QSize(8 * 20, 8 * 20 + 33));
    const double factor = ratio.toDouble();
    const QSize expected = (QSizeF(atOne.size()) * factor).toSize();
    QVERIFY2((scaled.size() - expected).width() <= 1 && (scaled.size() - expected).height() <= 1,
             qPrintable(QStringLiteral("%1 x %2").arg(scaled.width()).arg(scaled.height())));
    QStringList wrong;
    for (int y = 33; y < atOne.height(); y += 20) {
        for (int x = 0; x < atOne.width(); x += 20) {
            for (const QPoint offset :
                 {QPoint(3, 3), QPoint(16, 3), QPoint(3, 16), QPoint(16, 16)}) {
                const QPoint at(x + offset.x(), y + offset.y());
                const QPoint device = (QPointF(at) * factor).toPoint();
                if (scaled.pixel(device) != atOne.pixel(at))
                    wrong << QStringLiteral("(%1,%2)").arg(at.x()).arg(at.y());
            }
        }
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("%1 points differ from ratio 1: %2")
                                             .arg(wrong.size())
                                             .arg(wrong.mid(0, 10).join(' '))));
}

int main(int argc, char *argv[]) {
    // Two device pixels to the logical pixel, unless the run asks for another density.
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], reportSizesOption) == 0)
        return reportSizes();
    if (argc > 2 && std::strcmp(argv[1], savePictureOption) == 0)
        return savePicture(argv[2]);
    tst_highdpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_highdpi.moc"
