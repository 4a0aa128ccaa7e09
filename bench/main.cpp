#include "forms/eventloop.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

// The offscreen platform warns at every fixed-size window; the warning says nothing here.
QtMessageHandler standard = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (!message.contains(QLatin1String("propagateSizeHints")))
        standard(type, context, message);
}

} // namespace

int main(int argc, char **argv) {
    standard = qInstallMessageHandler(quietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The event loop the game itself runs.
    eventloop::preferQtEventLoop();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
