#pragma once

#include "forms/formarea.h"
#include "forms/formhost.h"
#include "window/gameboard.h"

#include <QKeySequence>
#include <QRect>
#include <QString>

#include <memory>
#include <vector>

// The three difficulties: the menu item that chooses each, and its board.
struct Difficulty {
    const char *item;
    int cols;
    int rows;
    int mines;
};

inline constexpr Difficulty difficulties[] = {
    {"mnuEZ", 8, 8, 10}, {"mnuMed", 16, 16, 40}, {"mnuHrd", 32, 20, 100}};

// A length in twips as the nearest whole logical pixel, 15 twips to the pixel.
int pixelsOf(double twips);
// Where a control belongs, in pixels: its corner and its size each rounded.
QRect boxOf(const Control &control);
// The middle of a control on the window's area, where a press on it lands.
QPoint centreOf(const Control &control);
// The same spot in the window's coordinates, where the platform delivers a press.
QPoint spotOf(const FormHost &window, const Control &control);

// Starts the game as the program does, with the clock and the generator under the test's control,
// and drives it the way a player does.
class GameFixture {
public:
    // The clock reads `timeOfDay` until the test moves it; the generator starts from `seed`.
    explicit GameFixture(float timeOfDay = 36000, std::uint64_t seed = 1);
    ~GameFixture();

    FormHost &window() { return *window_; }
    gameboard &board() const;

    // Time passes until the time of day reads `timeOfDay`, the next day when that is earlier; the
    // monotonic clock moves on by as much.
    void setTime(float timeOfDay);
    // The system clock is set: the time of day jumps, the monotonic clock stands.
    void setWallClock(float timeOfDay) { time_ = timeOfDay; }
    float time() const { return time_; }
    double monotonicTime() const { return monotonic_; }

    // Mines for the next new game: Rnd() is scripted so that the draws land on these cells.
    static void plantMines(const std::vector<int> &cells, int cols, int rows);

    // Player actions.
    void pressCover(int index, Qt::MouseButton button = Qt::LeftButton,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void clickFace();
    void shortcut(const QKeySequence &keys);
    void triggerMenu(const QString &name);
    // A new game of difficulties[preset], once the event loop has done what the old one left.
    void choose(int preset);
    // Presses every cover that hides neither a mine nor a flag.
    void uncoverEverySafeCell();
    // Delivers one tick of Timer1, as the platform would.
    void tick();

    // Disposes of what discarded games left to be deleted later.
    static void flushDeletes();

    // Cells by the texts that the rules read.
    std::vector<int> cellsWithLabel(const QString &text) const;
    int visibleCovers() const;
    int cellCount() const;

private:
    float time_;
    double monotonic_ = 0;
    std::unique_ptr<FormHost> window_;
};
