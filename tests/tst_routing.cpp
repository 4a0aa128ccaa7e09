#include "gamefixture.h"

#include <QPointer>
#include <QTest>

// The window's area takes every press and hands it to the topmost button under the pointer,
// which it shows pressed while the left button is held on it.
class tst_routing : public QObject {
    Q_OBJECT

private slots:
    void pressReachesTheButtonUnderThePointer_data();
    void pressReachesTheButtonUnderThePointer();
};

namespace {

// Easy mines along the diagonal: cell 2 counts two of them, and its label lies beneath its cover.
const std::vector<int> mines = {1, 8, 10, 19, 28, 37, 46, 55, 56, 57};

// A point on the area: "face", or "x,y" in logical pixels (the board begins at y = 33).
QPoint pointOf(const gameboard &board, const QString &where) {
    if (where == QLatin1String("face"))
        return centreOf(board.face);
    const QStringList xy = where.split(QLatin1Char(','));
    return QPoint(xy[0].toInt(), xy[1].toInt());
}

} // namespace

void tst_routing::pressReachesTheButtonUnderThePointer_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<bool>("faceDown");
    QTest::addColumn<bool>("newGame");

    // R: a right press and release; D, M and U: the left button down, the pointer moved, up.
    QTest::newRow("last pixel of cover 1") << "R 19,40"
                                           << "1" << false << false;
    QTest::newRow("first pixel of cover 2") << "R 20,40"
                                            << "2" << false << false;
    QTest::newRow("cover over its count") << "R 30,43"
                                          << "2" << false << false;
    QTest::newRow("last pixel of the board") << "R 159,192"
                                             << "64" << false << false;
    QTest::newRow("face held") << "D face"
                               << "" << true << false;
    QTest::newRow("face held, pointer gone") << "D face; M 5,5"
                                             << "" << false << false;
    QTest::newRow("face held, pointer back") << "D face; M 5,5; M face"
                                             << "" << true << false;
    QTest::newRow("face released elsewhere") << "D face; M 5,5; U 5,5"
                                             << "" << false << false;
    QTest::newRow("face released on it") << "D face; U face"
                                         << "" << false << true;
}

void tst_routing::pressReachesTheButtonUnderThePointer() {
    QFETCH(QString, steps);
    QFETCH(QString, flags);
    QFETCH(bool, faceDown);
    QFETCH(bool, newGame);

    GameFixture game;
    GameFixture::plantMines(mines, 8, 8);
    game.triggerMenu("mnuNew");
    GameFixture::flushDeletes();
    QCOMPARE(game.board().mine[2].caption(), QStringLiteral("2"));
    const QPointer<Form> before = game.window().form();
    QWidget *area = game.window().area();
    for (const QString &step : steps.split(QStringLiteral("; "))) {
        const QPoint at = pointOf(game.board(), step.mid(2));
        if (step.startsWith(QLatin1Char('R'))) {
            QTest::mouseClick(area, Qt::RightButton, Qt::NoModifier, at);
        } else if (step.startsWith(QLatin1Char('D'))) {
            QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, at);
        } else if (step.startsWith(QLatin1Char('M'))) {
            QMouseEvent move(QEvent::MouseMove, at, area->mapToGlobal(at), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(area, &move);
        } else {
            QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, at);
        }
    }
    GameFixture::flushDeletes();

    QCOMPARE(game.window().form() != before.data(), newGame);
    QStringList flagged;
    for (int k = 1; k <= game.cellCount(); ++k)
        if (game.board().square[k].caption() == QLatin1String("M"))
            flagged << QString::number(k);
    QCOMPARE(flagged.join(QLatin1Char(' ')), flags);
    QCOMPARE(game.board().face.isDown(), faceDown);
    QCOMPARE(game.board().area()->heldButton() != nullptr, faceDown);
}

QTEST_MAIN(tst_routing)
#include "tst_routing.moc"
