#include "control/fontconfigurationreader.h"
#include "forms/formhost.h"
#include "control/windowicon.h"
#include "window/gameboard.h"

#include <QApplication>

#include <malloc.h>

namespace {

// The font configuration's thread shares one malloc arena with Qt's own threads, which allocate
// little, rather than leave behind an arena of its own whose freed memory nothing would reuse. A
// limit the user set stands.
void shareOneArenaAmongHelperThreads() {
#ifdef __GLIBC__
    if (qEnvironmentVariableIsSet("MALLOC_ARENA_MAX") ||
        qgetenv("GLIBC_TUNABLES").contains("arena_max"))
        return;
    mallopt(M_ARENA_MAX, 2);
#endif
}

} // namespace

int main(int argc, char *argv[]) {
    shareOneArenaAmongHelperThreads();
    FontConfigurationReader fontConfiguration;
    QApplication app(argc, argv);
    fontConfiguration.waitUntilRead();
    QApplication::setApplicationName(QStringLiteral("Pebblerun"));
    // The desktop matches the window to its menu entry by this name, and shows the same icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(PEBBLERUN_APP_ID));
    QApplication::setWindowIcon(windowIcon());
    FormHost window(gameboard::menuDesign(), gameboard::create);
    window.showForm();
    return QApplication::exec();
}
