#include "forms/fonts.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTest>

// The controls' fonts skip Qt's shaping pass. That is only sound while every text they show,
// in the fonts this machine draws them with, comes out exactly as shaped text would: a kerned
// pair of digits in the clock's stand-in font, say, would move.
class tst_textdrawing : public QObject {
    Q_OBJECT

private slots:
    void drawsAsShapedText_data();
    void drawsAsShapedText();
};

namespace {

QImage drawn(const QFont &font, const QString &text, qreal pixelRatio) {
    const QSize box(160, 60);
    QImage image(box * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(QPointF(0, 0), box), Qt::AlignCenter, text);
    return image;
}

// Every pair of neighbouring characters the clock ("MM:SS", and its design text) and the
// mines-left counter ("010", "-005") can show.
QStringList clockAndCounterTexts() {
    QStringList texts{QStringLiteral("0:00.0")};
    for (char a = '0'; a <= '9'; ++a) {
        for (char b = '0'; b <= '9'; ++b) {
            const QString pair = QString(QLatin1Char(a)) + QLatin1Char(b);
            texts << pair + QLatin1Char(':') + pair.back() + pair.front()
                  << QLatin1Char('-') + pair;
        }
    }
    return texts;
}

} // namespace

void tst_textdrawing::drawsAsShapedText_data() {
    QTest::addColumn<QString>("fontName");
    QTest::addColumn<double>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QStringList>("captions");
    const QStringList counts{"1", "2", "3", "4", "5", "6", "7", "8", "X"};
    const QStringList glyphLetters{"J", "K", "L", "M", "N", "X"};
    QTest::newRow("clock and counter") << "Impact" << 18.0 << false << clockAndCounterTexts();
    QTest::newRow("counts, and a wrong flag") << "" << 0.0 << true << counts;
    QTest::newRow("flag and template") << "" << 0.0 << false << QStringList{"M", "XX", "X"};
    QTest::newRow("face") << "Wingdings" << 18.0 << false << glyphLetters;
    QTest::newRow("mines") << "Wingdings" << 10.0 << false << glyphLetters;
    QTest::newRow("mines, bold") << "Wingdings" << 10.0 << true << glyphLetters;
}

void tst_textdrawing::drawsAsShapedText() {
    QFETCH(QString, fontName);
    QFETCH(double, pointSize);
    QFETCH(bool, bold);
    QFETCH(QStringList, captions);
    const FontSpec wanted{fontName, pointSize, bold};
    QFont plain = fonts::resolve(wanted);
    plain.setStyleStrategy(QFont::PreferNoShaping);
    QFont shaped = plain;
    shaped.setStyleStrategy(QFont::PreferDefault);
    const QFontMetricsF plainMetrics(plain);
    const QFontMetricsF shapedMetrics(shaped);
    for (const QString &caption : captions) {
        const QString text = fonts::displayText(caption, wanted);
        QCOMPARE(plainMetrics.horizontalAdvance(text), shapedMetrics.horizontalAdvance(text));
        QCOMPARE(plainMetrics.boundingRect(text), shapedMetrics.boundingRect(text));
        for (qreal pixelRatio : {1.0, 2.0}) {
            QVERIFY2(drawn(plain, text, pixelRatio) == drawn(shaped, text, pixelRatio),
                     qPrintable(QStringLiteral("'%1' at %2x").arg(text).arg(pixelRatio)));
        }
    }
}

QTEST_MAIN(tst_textdrawing)
#include "tst_textdrawing.moc"
