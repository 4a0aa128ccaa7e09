#include "gamefixture.h"

#include "forms/eventloop.h"
#include "forms/formhost.h"
#include "forms/programend.h"
#include "window/gameboard.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstring>

namespace {

const char *const playOption = "--play-on-wayland";

// The mines of the bottom rows' right end: a press on cell 1 of Easy opens 54 cells and wins.
const std::vector<int> mines{55, 56, 57, 58, 59, 60, 61, 62, 63, 64};

void report(const char *what, const gameboard &board) {
    std::printf("%s: face %s, %d covered\n", what, qPrintable(board.face.caption()),
                int(board.covered));
    std::fflush(stdout);
}

// The program as main() starts it, on the Wayland compositor the test started. The compositor has
// no input device, so the press comes through Qt's own window-system input, to the
// window the Wayland platform made.
int play(int argc, char *argv[]) {
    eventloop::preferQtEventLoop();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pebblerun"));
    GameFixture::plantMines(mines, 8, 8);
    FormHost window(gameboard::menuDesign(), gameboard::create);
    window.showForm();
    QWindow *handle = window.windowHandle();
    std::printf("platform %s, window %s\n", qPrintable(QGuiApplication::platformName()),
                QTest::qWaitForWindowExposed(handle, 30000) ? "shown" : "never shown");
    std::fflush(stdout);
    QTimer::singleShot(0, &window, [&] {
        auto &board = dynamic_cast<gameboard &>(*window.form());
        QTest::mouseClick(handle, Qt::LeftButton, Qt::NoModifier, spotOf(window, board.square[1]));
        report("after the press", board);
        // A compositor with no keyboard makes no window active, and a shortcut key reaches only
        // the active one: the menu item is chosen instead.
        window.action(QStringLiteral("mnuHrd"))->trigger();
        // The new board replaces the old one once the event loop has run.
        QTimer::singleShot(0, &window, [&] {
            report("after Hard", dynamic_cast<gameboard &>(*window.form()));
            handle->close();
        });
    });
    const int status = QApplication::exec();
    std::printf("window %s\n", window.isVisible() ? "still shown" : "closed");
    return programend::afterEventLoop(status);
}

} // namespace

class tst_wayland : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void playsAndCloses();
    void cleanupTestCase();

private:
    QTemporaryDir runtimeDir_;
    QProcess compositor_;
    QString socket_;
};

// A compositor of the test's own, drawing into memory, on a socket in a runtime folder of its own.
void tst_wayland::initTestCase() {
    const QString weston = QStandardPaths::findExecutable(QStringLiteral("weston"));
    if (weston.isEmpty())
        QSKIP("weston is not installed (scripts/install-deps.sh installs it)");
    QVERIFY(runtimeDir_.isValid());
    QFile::setPermissions(runtimeDir_.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    socket_ = QStringLiteral("pebblerun-test-%1").arg(QCoreApplication::applicationPid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir_.path());
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("DISPLAY"));
    compositor_.setProcessEnvironment(environment);
    compositor_.setProcessChannelMode(QProcess::MergedChannels);
    compositor_.start(
        weston, {QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--use-pixman"),
                 QStringLiteral("--socket=") + socket_, QStringLiteral("--idle-time=0")});
    QVERIFY2(compositor_.waitForStarted(), qPrintable(compositor_.errorString()));
    const QString path = QDir(runtimeDir_.path()).filePath(socket_);
    QTRY_VERIFY2_WITH_TIMEOUT(QFile::exists(path) || compositor_.state() == QProcess::NotRunning,
                              "weston made no socket", 30000);
    QVERIFY2(QFile::exists(path), compositor_.readAll().constData());
}

// The game runs in a process of its own, so that its exit status, and a hang at its end, are seen.
void tst_wayland::playsAndCloses() {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), socket_);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir_.path());
    environment.remove(QStringLiteral("DISPLAY"));
    program.setProcessEnvironment(environment);
    program.start(QCoreApplication::applicationFilePath(), {QLatin1String(playOption)});
    const bool ended = program.waitForFinished(120000);
    const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(program.readAllStandardError());
    const QString log = QStringLiteral("output:\n%1\nerrors:\n%2").arg(out, err);
    if (!ended)
        program.kill();
    QVERIFY2(ended, qPrintable(QStringLiteral("the game did not end\n") + log));
    QVERIFY2(out.contains(QStringLiteral("platform wayland, window shown")), qPrintable(log));
    QVERIFY2(out.contains(QStringLiteral("after the press: face J, 10 covered")), qPrintable(log));
    QVERIFY2(out.contains(QStringLiteral("after Hard: face K, 640 covered")), qPrintable(log));
    QVERIFY2(out.contains(QStringLiteral("window closed")), qPrintable(log));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QVERIFY2(program.exitCode() == 0, qPrintable(log));
    for (const char *finding : {"Sanitizer", "runtime error", "QObject::", "Run-time error"})
        QVERIFY2(!err.contains(QLatin1String(finding)), qPrintable(log));
}

void tst_wayland::cleanupTestCase() {
    if (compositor_.state() == QProcess::NotRunning)
        return;
    compositor_.terminate();
    if (!compositor_.waitForFinished(10000))
        compositor_.kill();
}

int main(int argc, char *argv[]) {
    if (argc == 2 && std::strcmp(argv[1], playOption) == 0)
        return play(argc, argv);
    QApplication app(argc, argv);
    tst_wayland test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_wayland.moc"
