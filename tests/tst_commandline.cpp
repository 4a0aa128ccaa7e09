#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <unistd.h>

namespace {

// The program with no display of any kind, and Qt saying which platform plugin it loads: a run that
// tried to open a window would either abort for want of a display or say so.
QProcessEnvironment noDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qt.qpa.plugin=true"));
    return environment;
}

const QString usageLine = QStringLiteral("Usage: pebblerun [options]\n");
const QString platformCalled = QStringLiteral("qt.qpa.plugin");

} // namespace

class tst_commandline : public QObject {
    Q_OBJECT

private slots:
    void answersWithoutAWindow_data();
    void answersWithoutAWindow();
    void passesQtOptionsOn_data();
    void passesQtOptionsOn();
    void failsWhereItsAnswerCannotBeWritten_data();
    void failsWhereItsAnswerCannotBeWritten();
    void startsWithItsStreamsClosed();
};

void tst_commandline::answersWithoutAWindow_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    const QString version = QStringLiteral("pebblerun " PEBBLERUN_VERSION "\n");
    QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << 0 << usageLine << QString();
    QTest::newRow("-h") << QStringList{QStringLiteral("-h")} << 0 << usageLine << QString();
    QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << 0 << version
                               << QString();
    QTest::newRow("-v") << QStringList{QStringLiteral("-v")} << 0 << version << QString();
    QTest::newRow("--help with a Qt option")
        << QStringList{QStringLiteral("-reverse"), QStringLiteral("--help")} << 0 << usageLine
        << QString();
    QTest::newRow("unknown long option")
        << QStringList{QStringLiteral("--bogus")} << 2 << QString()
        << QStringLiteral("pebblerun: Unknown option 'bogus'.\n") + usageLine;
    QTest::newRow("unknown short option")
        << QStringList{QStringLiteral("-x")} << 2 << QString()
        << QStringLiteral("pebblerun: Unknown option 'x'.\n") + usageLine;
    QTest::newRow("unknown option before --help")
        << QStringList{QStringLiteral("--bogus"), QStringLiteral("--help")} << 2 << QString()
        << QStringLiteral("pebblerun: Unknown option 'bogus'.\n") + usageLine;
    QTest::newRow("a file name") << QStringList{QStringLiteral("board.txt")} << 2 << QString()
                                 << QStringLiteral("pebblerun: unexpected argument 'board.txt'\n") +
                                        usageLine;
    QTest::newRow("a Qt option without its value")
        << QStringList{QStringLiteral("-platform")} << 2 << QString()
        << QStringLiteral("pebblerun: Missing value after '-platform'.\n") + usageLine;
}

// `out` and `err` are how each stream begins: the help follows the first line.
void tst_commandline::answersWithoutAWindow() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcess program;
    program.setProcessEnvironment(noDisplay());
    program.start(QStringLiteral(PEBBLERUN_BINARY), arguments);
    QVERIFY2(program.waitForFinished(60000), "the program did not answer and end");
    const QString stdOut = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString stdErr = QString::fromLocal8Bit(program.readAllStandardError());
    const QString report = QStringLiteral("output:\n%1\nerrors:\n%2").arg(stdOut, stdErr);
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QVERIFY2(program.exitCode() == status, qPrintable(report));
    QVERIFY2(out.isEmpty() ? stdOut.isEmpty() : stdOut.startsWith(out), qPrintable(report));
    QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.startsWith(err), qPrintable(report));
    QVERIFY2(!stdErr.contains(platformCalled), qPrintable(report));
    const QString help = out.isEmpty() ? stdErr : stdOut;
    if (help.contains(usageLine)) {
        QVERIFY2(help.contains(QStringLiteral("-h, --help")), qPrintable(report));
        QVERIFY2(help.contains(QStringLiteral("-v, --version")), qPrintable(report));
        QVERIFY2(!help.contains(QStringLiteral("--platform")), "Qt's options are listed as ours");
    }
}

void tst_commandline::passesQtOptionsOn_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("-platform") << QStringList{QStringLiteral("-platform"),
                                              QStringLiteral("offscreen")};
    QTest::newRow("-style=") << QStringList{
        QStringLiteral("-style=fusion"), QStringLiteral("-platform"), QStringLiteral("offscreen")};
    QTest::newRow("--platform") << QStringList{QStringLiteral("--platform"),
                                               QStringLiteral("offscreen")};
    QTest::newRow("with -reverse, -style and a title")
        << QStringList{QStringLiteral("-reverse"),      QStringLiteral("-style"),
                       QStringLiteral("fusion"),        QStringLiteral("-platform"),
                       QStringLiteral("offscreen"),     QStringLiteral("-qwindowtitle"),
                       QStringLiteral("Pebblerun test")};
}

// With no display in the environment, only a platform given on the command line lets the game
// start: Qt has taken the option once it loads that platform.
void tst_commandline::passesQtOptionsOn() {
    QFETCH(QStringList, arguments);
    QProcess program;
    program.setProcessEnvironment(noDisplay());
    program.start(QStringLiteral(PEBBLERUN_BINARY), arguments);
    QVERIFY(program.waitForStarted());
    QString stdErr;
    const QString loaded = QStringLiteral("Successfully loaded Qt platform plugin \"offscreen\"");
    QTRY_VERIFY2_WITH_TIMEOUT((stdErr += QString::fromLocal8Bit(program.readAllStandardError()),
                               stdErr.contains(loaded) || program.state() == QProcess::NotRunning),
                              qPrintable(stdErr), 60000);
    QVERIFY2(stdErr.contains(loaded), qPrintable(stdErr));
    QVERIFY2(program.state() == QProcess::Running, qPrintable(stdErr));
    program.kill();
    program.waitForFinished();
}

void tst_commandline::failsWhereItsAnswerCannotBeWritten_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("closed");
    QTest::newRow("--help to a full disk") << QStringLiteral("--help") << false;
    QTest::newRow("--version to a closed output") << QStringLiteral("--version") << true;
}

void tst_commandline::failsWhereItsAnswerCannotBeWritten() {
    QFETCH(QString, option);
    QFETCH(bool, closed);
    QProcess program;
    program.setProcessEnvironment(noDisplay());
    if (closed)
        program.setChildProcessModifier([] { ::close(STDOUT_FILENO); });
    else
        program.setStandardOutputFile(QStringLiteral("/dev/full"));
    program.start(QStringLiteral(PEBBLERUN_BINARY), {option});
    QVERIFY2(program.waitForFinished(60000), "the program did not answer and end");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    QCOMPARE(program.readAllStandardError(), QByteArray());
}

// A closed stream would be the first descriptor the game opens, and its warnings (here of an
// unknown style) would go into whatever that is.
void tst_commandline::startsWithItsStreamsClosed() {
    QProcess program;
    program.setChildProcessModifier([] {
        for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor)
            ::close(descriptor);
    });
    program.start(QStringLiteral(PEBBLERUN_BINARY),
                  {QStringLiteral("-platform"), QStringLiteral("offscreen"),
                   QStringLiteral("-style"), QStringLiteral("bogus")});
    QVERIFY(program.waitForStarted());
    const QString streams = QStringLiteral("/proc/%1/fd/%2").arg(program.processId());
    const auto target = [&](int descriptor) {
        return QFile::symLinkTarget(streams.arg(descriptor));
    };
    QTRY_COMPARE_WITH_TIMEOUT(target(STDERR_FILENO), QStringLiteral("/dev/null"), 30000);
    QCOMPARE(target(STDIN_FILENO), QStringLiteral("/dev/null"));
    QCOMPARE(target(STDOUT_FILENO), QStringLiteral("/dev/null"));
    QCOMPARE(program.state(), QProcess::Running);
    program.kill();
    program.waitForFinished();
}

QTEST_GUILESS_MAIN(tst_commandline)

#include "tst_commandline.moc"
