#include "gamefixture.h"

#include "board/module1.h"
#include "forms/runtime.h"

#include <QAction>
#include <QCoreApplication>
#include <QTest>

#include <cmath>

int pixelsOf(double twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QRect boxOf(const Control &control) {
    return QRect(pixelsOf(control.left()), pixelsOf(control.top()), pixelsOf(control.width()),
                 pixelsOf(control.height()));
}

GameFixture::GameFixture(float timeOfDay, std::uint64_t seed) : time_(timeOfDay) {
    // Every fixture is a fresh run of the program: no difficulty chosen yet.
    Module1::easy = DifficultyFlag();
    Module1::medium = DifficultyFlag();
    Module1::hard = DifficultyFlag();
    Module1::otherflag = 0;
    runtime::setClock([this] { return time_; });
    runtime::setMonotonicClock([this] { return monotonic_; });
    runtime::seedGenerator(seed);
    window_ = std::make_unique<FormHost>(gameboard::menuDesign(), gameboard::create);
    window_->showForm();
    // Shortcut keys reach only the active window. The clock waits for the platform to activate
    // it, so that no tick runs before the test looks at the new game.
    TimerControl &clock = board().Timer1;
    clock.setEnabled(false);
    window_->activateWindow();
    if (!QTest::qWaitForWindowActive(window_.get()))
        qFatal("the platform did not activate the game's window");
    clock.setEnabled(true);
}

GameFixture::~GameFixture() {
    window_.reset();
    flushDeletes();
    runtime::setClock({});
    runtime::setMonotonicClock({});
}

void GameFixture::setTime(float timeOfDay) {
    constexpr double secondsPerDay = 86400;
    monotonic_ += std::fmod(double(timeOfDay) - double(time_) + secondsPerDay, secondsPerDay);
    time_ = timeOfDay;
}

gameboard &GameFixture::board() const {
    auto *form = dynamic_cast<gameboard *>(window_->form());
    Q_ASSERT(form);
    return *form;
}

void GameFixture::plantMines(const std::vector<int> &cells, int cols, int rows) {
    std::vector<float> numbers;
    for (int cell : cells)
        numbers.push_back((static_cast<float>(cell) - 0.5f) / static_cast<float>(cols * rows));
    runtime::scriptNumbers(numbers);
}

QPoint centreOf(const Control &control) {
    return control.pixelBox().center();
}

QPoint spotOf(const FormHost &window, const Control &control) {
    return window.area()->mapTo(&window, centreOf(control));
}

void GameFixture::pressCover(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    const QPoint centre = centreOf(board().square[index]);
    QTest::mousePress(window_->area(), button, modifiers, centre);
    QTest::mouseRelease(window_->area(), button, modifiers, centre);
}

void GameFixture::clickFace() {
    QTest::mouseClick(window_->area(), Qt::LeftButton, Qt::NoModifier, centreOf(board().face));
}

void GameFixture::shortcut(const QKeySequence &keys) {
    QTest::keySequence(window_.get(), keys);
}

void GameFixture::triggerMenu(const QString &name) {
    window_->action(name)->trigger();
}

void GameFixture::choose(int preset) {
    triggerMenu(QString::fromLatin1(difficulties[preset].item));
    flushDeletes();
}

void GameFixture::uncoverEverySafeCell() {
    for (int k = 1; k <= cellCount(); ++k) {
        if (board().square[k].isVisible() && board().square[k].caption().isEmpty() &&
            board().mine[k].caption() != QLatin1String("M"))
            pressCover(k);
    }
}

void GameFixture::tick() {
    board().Timer1.tick();
}

void GameFixture::flushDeletes() {
    // Pending events of discarded controls would otherwise pile up from game to game.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::vector<int> GameFixture::cellsWithLabel(const QString &text) const {
    std::vector<int> cells;
    for (int k = 1; k <= cellCount(); ++k)
        if (board().mine[k].caption() == text)
            cells.push_back(k);
    return cells;
}

int GameFixture::visibleCovers() const {
    int count = 0;
    for (int k = 1; k <= cellCount(); ++k)
        count += board().square[k].isVisible() ? 1 : 0;
    return count;
}

int GameFixture::cellCount() const {
    return Module1::rows * Module1::cols;
}
