#include "benchdriver.h"

#include "board/module1.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QTest>

#include <algorithm>

namespace benchdriver {
namespace {

class PaintWatch : public QObject {
public:
    explicit PaintWatch(const QWidget *widget) : widget_(widget) {}

    QRegion painted;

protected:
    bool eventFilter(QObject *object, QEvent *event) override {
        if (object == widget_ && event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }

private:
    const QWidget *widget_;
};

} // namespace

void timedInMilliseconds(benchmark::internal::Benchmark *benchmark) {
    benchmark->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(20)
        ->Repetitions(10)
        ->ReportAggregatesOnly(true);
}

void timedInMicroseconds(benchmark::internal::Benchmark *benchmark) {
    benchmark->Unit(benchmark::kMicrosecond)
        ->UseRealTime()
        ->MinTime(0.2)
        ->Repetitions(10)
        ->ReportAggregatesOnly(true);
}

void newGame(GameFixture &game, const char *command) {
    game.triggerMenu(QString::fromLatin1(command));
    // The window is exposed, and so paintable, only once the platform's events have been read.
    QCoreApplication::processEvents();
    paint();
    settle();
}

void settle() {
    GameFixture::flushDeletes();
    QCoreApplication::processEvents();
}

void paint() {
    // The widgets' update requests are posted events; delivering them paints the backing store.
    QCoreApplication::sendPostedEvents();
}

QRegion paintedOf(const QWidget *widget) {
    PaintWatch watch(widget);
    qApp->installEventFilter(&watch);
    paint();
    qApp->removeEventFilter(&watch);
    return watch.painted;
}

void press(GameFixture &game, const Control &control, Qt::MouseButton button) {
    QTest::mousePress(game.window().area(), button, Qt::NoModifier, centreOf(control));
}

void release(GameFixture &game, const Control &control, Qt::MouseButton button) {
    QTest::mouseRelease(game.window().area(), button, Qt::NoModifier, centreOf(control));
}

std::vector<int> minesInCorner() {
    std::vector<int> cells;
    for (int row = 0; row < 10; ++row)
        for (int column = 0; column < 10; ++column)
            cells.push_back(row * 32 + column + 1);
    return cells;
}

std::vector<int> coveredCellsWith(const GameFixture &game, const std::vector<QString> &texts) {
    std::vector<int> cells;
    for (int k = 1; k <= game.cellCount(); ++k) {
        const QString caption = game.board().mine[k].caption();
        if (game.board().square[k].isVisible() &&
            std::find(texts.begin(), texts.end(), caption) != texts.end())
            cells.push_back(k);
    }
    return cells;
}

} // namespace benchdriver
