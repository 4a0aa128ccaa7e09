#include "control/forms/formhost.h"
#include "window/gameboard.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pebblerun"));
    FormHost window(gameboard::menuDesign(), gameboard::create);
    window.showForm();
    return QApplication::exec();
}
