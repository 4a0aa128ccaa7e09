#include "control/commandline.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace commandline {

namespace {

// The options QGuiApplication and QApplication take for themselves, with and without a value:
// known here so that they are not refused, and hidden from the help, which names a few.
const char *const qtValueOptions[] = {"platform",
                                      "platformpluginpath",
                                      "platformtheme",
                                      "plugin",
                                      "qwindowgeometry",
                                      "geometry",
                                      "qwindowtitle",
                                      "title",
                                      "qwindowicon",
                                      "icon",
                                      "session",
                                      "display",
                                      "name",
                                      "style",
                                      "stylesheet",
                                      "qmljsdebugger"};
const char *const qtFlagOptions[] = {"reverse", "widgetcount", "nograb",
                                     "dograb",  "sync",        "testability"};

// Exit status of a wrong command line, as GNU programs use it.
constexpr int usageError = 2;

// Whether the whole text was written.
bool print(std::FILE *stream, const QString &text) {
    return std::fputs(text.toLocal8Bit().constData(), stream) >= 0 && std::fflush(stream) == 0;
}

} // namespace

std::optional<int> answer(int argc, char *argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString program = QStringLiteral(PEBBLERUN_PROGRAM);

    QCommandLineParser parser;
    // Qt's options are single words after one dash; a GNU long option may have two.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        PEBBLERUN_DESCRIPTION ", in a window of its own.\n\nQt's own options, such "
                              "as -platform NAME, -reverse and -style NAME, are passed on to Qt."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Display this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Output version information and exit."));
    parser.addOption(help);
    parser.addOption(version);
    for (const char *name : qtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : qtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    const bool parsed = parser.parse(arguments);
    // Qt's usage line names the program only once an application exists; ours is made first.
    const QString text = parser.helpText();
    const QString usage = QStringLiteral("Usage: %1 [options]").arg(program) +
                          text.mid(text.indexOf(QLatin1Char('\n')));
    if (!parsed || !parser.positionalArguments().isEmpty()) {
        const QString error = parsed ? QStringLiteral("unexpected argument '%1'")
                                           .arg(parser.positionalArguments().constFirst())
                                     : parser.errorText();
        print(stderr, QStringLiteral("%1: %2\n").arg(program, error) + usage);
        return usageError;
    }
    if (parser.isSet(help))
        return print(stdout, usage) ? EXIT_SUCCESS : EXIT_FAILURE;
    if (parser.isSet(version)) {
        const QString line =
            QStringLiteral("%1 %2\n").arg(program, QStringLiteral(PEBBLERUN_VERSION));
        return print(stdout, line) ? EXIT_SUCCESS : EXIT_FAILURE;
    }
    return std::nullopt;
}

} // namespace commandline
