#include "control/commandline.h"
#include "control/standardstreams.h"
#include "control/windowicon.h"
#include "forms/eventloop.h"
#include "forms/formhost.h"
#include "forms/programend.h"
#include "window/gameboard.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    if (const auto status = commandline::answer(argc, argv))
        return *status;
    // After the command line, whose answer must fail where its stream is closed; it opens nothing.
    standardstreams::openClosedOnNull();
    eventloop::preferQtEventLoop();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pebblerun"));
    // The desktop matches the window to its menu entry by this name, and shows the same icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(PEBBLERUN_APP_ID));
    QApplication::setWindowIcon(windowIcon());
    FormHost window(gameboard::menuDesign(), gameboard::create);
    window.showForm();
    return programend::afterEventLoop(QApplication::exec());
}
