#include "forms/fonts.h"

#include <QApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QTemporaryDir>
#include <QTest>

// Runs with only the DejaVu fonts visible, as on a machine without the pictogram font.
class tst_fontfallback : public QObject {
    Q_OBJECT

private slots:
    void glyphLettersStayReadable_data();
    void glyphLettersStayReadable();
    void otherFontsKeepTheirText();
};

void tst_fontfallback::glyphLettersStayReadable_data() {
    QTest::addColumn<QString>("letter");
    QTest::addColumn<double>("pointSize");
    for (const char *letter : {"J", "K", "L", "M", "N", "X"}) {
        QTest::addRow("%s on the face", letter) << QString::fromLatin1(letter) << 18.0;
        QTest::addRow("%s in a cell", letter) << QString::fromLatin1(letter) << 10.0;
    }
}

void tst_fontfallback::glyphLettersStayReadable() {
    QFETCH(QString, letter);
    QFETCH(double, pointSize);
    const FontSpec wanted{QStringLiteral("Wingdings"), pointSize, false};
    const QString shown = fonts::displayText(letter, wanted);
    QVERIFY2(!shown.isEmpty(), "nothing to show");
    if (shown == letter)
        return;
    const QList<uint> codes = shown.toUcs4();
    QCOMPARE(codes.size(), 1);
    QVERIFY2(QFontMetricsF(fonts::resolve(wanted)).inFontUcs4(codes.front()),
             qPrintable(QStringLiteral("U+%1 would be a blank box").arg(codes.front(), 0, 16)));
}

void tst_fontfallback::otherFontsKeepTheirText() {
    // DejaVu has no bomb: the mine must read as its letter, not as a box.
    QCOMPARE(fonts::displayText(QStringLiteral("M"), {QStringLiteral("Wingdings"), 10, false}),
             QStringLiteral("M"));
    QCOMPARE(fonts::displayText(QStringLiteral("M"), {}), QStringLiteral("M"));
    QCOMPARE(fonts::displayText(QStringLiteral("010"), {QStringLiteral("Impact"), 18, false}),
             QStringLiteral("010"));
}

int main(int argc, char *argv[]) {
    QTemporaryDir dir;
    QFile config(dir.filePath(QStringLiteral("fonts.conf")));
    if (!dir.isValid() || !config.open(QIODevice::WriteOnly))
        qFatal("Cannot write a font configuration");
    config.write(QStringLiteral("<?xml version=\"1.0\"?>\n<fontconfig>\n"
                                "  <dir>/usr/share/fonts/truetype/dejavu</dir>\n"
                                "  <cachedir>%1</cachedir>\n</fontconfig>\n")
                     .arg(dir.filePath(QStringLiteral("cache")))
                     .toUtf8());
    config.close();
    qputenv("FONTCONFIG_FILE", config.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    tst_fontfallback test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fontfallback.moc"
