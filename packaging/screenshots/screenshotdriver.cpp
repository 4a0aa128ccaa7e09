// Plays one of the games shown in docs/ in the real window, with real presses on its covers, then
// runs the capture command given on the command line with the window's id in place of "{}" and
// exits with the command's status. The generator and the clock are fixed, so every run shows the
// same game.
//
// Usage: pebblerun_screenshots easy-new|medium-lost|easy-won COMMAND [ARG...]

#include "gamefixture.h"

#include "board/module1.h"

#include <QApplication>
#include <QProcess>
#include <QTest>

#include <cstdio>
#include <functional>
#include <map>

namespace {

// The time of day at the start of every game, and the pause the player takes between presses.
constexpr float startOfPlay = 36000;
constexpr float secondsPerMove = 2.7f;

std::vector<int> neighbours(int k) {
    const int cols = Module1::cols;
    const int rows = Module1::rows;
    const int r = (k - 1) / cols;
    const int c = (k - 1) % cols;
    std::vector<int> cells;
    for (int y = r - 1; y <= r + 1; ++y)
        for (int x = c - 1; x <= c + 1; ++x)
            if ((y != r || x != c) && y >= 0 && y < rows && x >= 0 && x < cols)
                cells.push_back(y * cols + x + 1);
    return cells;
}

class Player {
public:
    explicit Player(GameFixture &game) : game_(game) {}

    bool isMine(int k) const { return game_.board().mine[k].caption() == QLatin1String("M"); }
    bool isCovered(int k) const { return game_.board().square[k].isVisible(); }
    bool isFlagged(int k) const { return game_.board().square[k].caption() == QLatin1String("M"); }
    bool isEmpty(int k) const { return game_.board().mine[k].caption().isEmpty(); }

    // A covered cell that borders the uncovered part of the board.
    bool isOnTheEdge(int k) const {
        if (!isCovered(k))
            return false;
        for (int n : neighbours(k))
            if (!isCovered(n))
                return true;
        return false;
    }

    void uncover(int k) { press(k, Qt::LeftButton); }
    void flag(int k) { press(k, Qt::RightButton); }

    // The empty cell nearest the middle of the board: the spread from there opens a wide area.
    int middleEmptyCell() const {
        const int middle = (Module1::rows / 2) * Module1::cols + Module1::cols / 2 + 1;
        for (int distance = 0; distance < game_.cellCount(); ++distance)
            for (int k : {middle + distance, middle - distance})
                if (k >= 1 && k <= game_.cellCount() && isEmpty(k) && isCovered(k))
                    return k;
        return 0;
    }

private:
    // The clock ticks on between presses, so it shows the time of each press.
    void press(int k, Qt::MouseButton button) {
        game_.setTime(game_.time() + secondsPerMove);
        game_.tick();
        game_.pressCover(k, button);
    }

    GameFixture &game_;
};

void newEasyGame(GameFixture &game) {
    game.tick();
}

// Opens an area, marks the mines on its edge, one cell wrongly, and then presses a mine.
void lostMediumGame(GameFixture &game) {
    game.triggerMenu(QStringLiteral("mnuMed"));
    Player player(game);
    player.uncover(player.middleEmptyCell());
    std::vector<int> edgeMines;
    int wrongFlag = 0;
    for (int k = 1; k <= game.cellCount(); ++k) {
        if (player.isOnTheEdge(k) && player.isMine(k))
            edgeMines.push_back(k);
        else if (player.isOnTheEdge(k) && !wrongFlag)
            wrongFlag = k;
    }
    for (std::size_t i = 0; i + 1 < edgeMines.size() && i < 5; ++i)
        player.flag(edgeMines[i]);
    player.flag(wrongFlag);
    player.uncover(edgeMines.empty() ? game.cellsWithLabel(QStringLiteral("M")).front()
                                     : edgeMines.back());
}

// Marks every mine and uncovers every other cell.
void wonEasyGame(GameFixture &game) {
    Player player(game);
    player.uncover(player.middleEmptyCell());
    for (int k = 1; k <= game.cellCount(); ++k)
        if (player.isMine(k))
            player.flag(k);
    std::vector<int> safe;
    for (int k = 1; k <= game.cellCount(); ++k)
        if (player.isCovered(k) && !player.isMine(k))
            safe.push_back(k);
    for (int k : safe)
        if (player.isCovered(k))
            player.uncover(k);
}

struct Scene {
    std::uint64_t seed;
    std::function<void(GameFixture &)> play;
};

const std::map<QString, Scene> scenes = {
    {QStringLiteral("easy-new"), {11, newEasyGame}},
    {QStringLiteral("medium-lost"), {5, lostMediumGame}},
    {QStringLiteral("easy-won"), {3, wonEasyGame}},
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pebblerun"));
    const QStringList args = QApplication::arguments();
    const auto scene = args.size() > 2 ? scenes.find(args.at(1)) : scenes.end();
    if (scene == scenes.end()) {
        std::fprintf(stderr, "usage: %s easy-new|medium-lost|easy-won COMMAND [ARG...]\n", argv[0]);
        return 2;
    }

    GameFixture game(startOfPlay, scene->second.seed);
    scene->second.play(game);
    GameFixture::flushDeletes();
    if (!QTest::qWaitForWindowExposed(&game.window())) {
        std::fprintf(stderr, "the window was not shown\n");
        return 1;
    }
    // Everything painted and on the display server before another client reads the window.
    game.window().repaint();
    QApplication::processEvents();
    QGuiApplication::sync();

    const QString windowId = QString::number(game.window().winId());
    QStringList command = args.mid(3);
    command.replaceInStrings(QStringLiteral("{}"), windowId);
    QProcess capture;
    capture.setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(&capture, &QProcess::finished, &app,
                     [&](int code, QProcess::ExitStatus status) {
                         QApplication::exit(status == QProcess::NormalExit ? code : 1);
                     });
    QObject::connect(&capture, &QProcess::errorOccurred, &app, [&](QProcess::ProcessError) {
        std::fprintf(stderr, "cannot run %s\n", qPrintable(args.at(2)));
        QApplication::exit(1);
    });
    capture.start(args.at(2), command);
    return QApplication::exec();
}
