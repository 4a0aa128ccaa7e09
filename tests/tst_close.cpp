#include "gamefixture.h"

#include "forms/eventloop.h"
#include "forms/formhost.h"
#include "window/gameboard.h"

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstring>

namespace {

const char *const closeOption = "--close-at";

// A board whose mines fill the two bottom rows' right end: a left press on cell 1 opens every
// safe cell at once and wins, a left press on cell 57 loses.
const std::vector<int> mines{55, 56, 57, 58, 59, 60, 61, 62, 63, 64};

void pressAt(FormHost &window, int cell, Qt::MouseButton button) {
    auto &board = dynamic_cast<gameboard &>(*window.form());
    QTest::mouseClick(window.windowHandle(), button, Qt::NoModifier,
                      spotOf(window, board.square[cell]));
}

void clickFace(FormHost &window) {
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      spotOf(window, dynamic_cast<gameboard &>(*window.form()).face));
}

// Plays up to the moment named, as a player would.
void playUntil(FormHost &window, const QString &moment) {
    QWindow *handle = window.windowHandle();
    if (moment == QLatin1String("during a game")) {
        pressAt(window, 57, Qt::RightButton);
        pressAt(window, 49, Qt::LeftButton);
    } else if (moment == QLatin1String("while a press is held")) {
        auto &board = dynamic_cast<gameboard &>(*window.form());
        QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, spotOf(window, board.square[50]));
    } else if (moment == QLatin1String("after a loss")) {
        pressAt(window, 60, Qt::RightButton);
        pressAt(window, 57, Qt::LeftButton);
    } else if (moment == QLatin1String("after a win")) {
        pressAt(window, 1, Qt::LeftButton);
    } else if (moment == QLatin1String("right after a new game")) {
        pressAt(window, 57, Qt::LeftButton);
        clickFace(window);
    } else if (moment == QLatin1String("right after choosing Hard")) {
        QTest::keyClick(handle, Qt::Key_H, Qt::ControlModifier);
    } else if (moment == QLatin1String("after many new games")) {
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(handle, Qt::Key_F2);
        window.action(QStringLiteral("mnuMed"))->trigger();
        clickFace(window);
    }
}

// The program as main() starts it, closed through the platform at the moment named.
int runProgram(int argc, char *argv[], const QString &moment) {
    eventloop::preferQtEventLoop();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pebblerun"));
    GameFixture::plantMines(mines, 8, 8);
    FormHost window(gameboard::menuDesign(), gameboard::create);
    window.showForm();
    QTimer::singleShot(0, &window, [&] {
        playUntil(window, moment);
        const auto &board = dynamic_cast<const gameboard &>(*window.form());
        std::printf("reached: face %s, %d covered, Interval %d\n", qPrintable(board.face.caption()),
                    int(board.covered), board.Timer1.interval());
        std::fflush(stdout);
        // What the window system does when the player closes the window.
        window.windowHandle()->close();
    });
    const int status = QApplication::exec();
    std::printf("window %s\n", window.isVisible() ? "still shown" : "closed");
    return status;
}

} // namespace

class tst_close : public QObject {
    Q_OBJECT

private slots:
    void closingEndsTheProgram_data();
    void closingEndsTheProgram();
};

void tst_close::closingEndsTheProgram_data() {
    QTest::addColumn<QString>("reached");
    QTest::newRow("at start") << "face K, 64 covered, Interval 1";
    QTest::newRow("during a game") << "face K, 63 covered, Interval 1";
    QTest::newRow("while a press is held") << "face K, 63 covered, Interval 1";
    QTest::newRow("after a loss") << "face L, 64 covered, Interval 0";
    QTest::newRow("after a win") << "face J, 10 covered, Interval 0";
    QTest::newRow("right after a new game") << "face K, 64 covered, Interval 1";
    QTest::newRow("right after choosing Hard") << "face K, 640 covered, Interval 1";
    QTest::newRow("after many new games") << "face K, 256 covered, Interval 1";
}

// The program runs in a process of its own, so that its exit status, and anything the
// sanitizers find at exit, are its own.
void tst_close::closingEndsTheProgram() {
    QFETCH(QString, reached);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QCoreApplication::applicationFilePath(),
                  {QLatin1String(closeOption), QString::fromLatin1(QTest::currentDataTag())});
    QVERIFY2(program.waitForFinished(120000), "the program did not end after its window closed");
    const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(program.readAllStandardError());
    const QString report = QStringLiteral("output:\n%1\nerrors:\n%2").arg(out, err);
    QVERIFY2(out.contains(QStringLiteral("reached: ") + reached), qPrintable(report));
    QVERIFY2(out.contains(QStringLiteral("window closed")), qPrintable(report));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QVERIFY2(program.exitCode() == 0, qPrintable(report));
    for (const char *finding : {"Sanitizer", "runtime error", "QObject::", "Run-time error"})
        QVERIFY2(!err.contains(QLatin1String(finding)), qPrintable(report));
}

int main(int argc, char *argv[]) {
    if (argc == 3 && std::strcmp(argv[1], closeOption) == 0)
        return runProgram(argc, argv, QString::fromLocal8Bit(argv[2]));
    QApplication app(argc, argv);
    tst_close test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_close.moc"
