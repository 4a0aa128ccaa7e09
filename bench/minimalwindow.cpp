// The reference program: an empty main window with a menu bar, and nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.menuBar()->addMenu(QStringLiteral("Game"));
    window.menuBar()->addMenu(QStringLiteral("Difficulty"));
    window.show();
    return QApplication::exec();
}
