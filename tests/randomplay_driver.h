#pragma once

#include "randomplay_board.h"

#include <QPoint>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <deque>
#include <optional>
#include <random>
#include <vector>

class Form;
class GameFixture;

// One thing the player does.
struct PlayEvent {
    enum class Kind { Press, FacePress, Key, Menu, Tick, EventLoop };

    Kind kind = Kind::Tick;
    // Press: the cell under the pointer and where in it; FacePress and Press: the button.
    int cell = 0;
    QPoint offset;
    Qt::MouseButton button = Qt::LeftButton;
    Qt::KeyboardModifiers modifiers;
    bool twice = false;    // a quick double press
    bool straight = false; // sent to the window's area itself rather than through the window
    // A second button pressed and released while the first is held down.
    Qt::MouseButton chord = Qt::NoButton;
    // Key: the key pressed with `modifiers`; Menu: the item's name.
    int key = 0;
    QString item;
    // Tick: the new time of day.
    float time = 0;

    QString describe() const;
};

// What one run of random play did.
struct PlayStats {
    long long events = 0;
    long long presses = 0;
    long long newGames = 0;
    long long wins = 0;
    long long losses = 0;
    long long midnights = 0;
    long long cellsUncovered = 0;
};

// Plays at random through Qt's real event path, reproducibly from a seed, and checks after
// every event that the game keeps its rules.
class RandomPlayer {
public:
    RandomPlayer(GameFixture &game, std::uint64_t seed);

    // Plays `events` events; returns the report of the first broken rule, or an empty text.
    QString play(long long events);

    const PlayStats &stats() const { return stats_; }
    const Preset &preset() const { return *preset_; }

private:
    // Delivers one event and checks the game afterwards.
    QString playOne(const PlayEvent &event);
    PlayEvent draw();
    int drawCell(const BoardSnapshot &state);
    void deliver(const PlayEvent &event);
    void deliverPress(const PlayEvent &event);
    // The press a key makes on the focused cell, once the keyboard has moved the focus there.
    std::optional<PlayEvent> pressByKey(const PlayEvent &event) const;
    QString checkPress(const PlayEvent &event, const BoardSnapshot &before,
                       const BoardSnapshot &after);
    QString checkRules(const BoardSnapshot &state);
    QString checkClock(const BoardSnapshot &state, double starttime) const;
    void noteShelteredCells(const BoardSnapshot &before, const BoardSnapshot &after);
    bool startsNewGame(const PlayEvent &event) const;
    const Preset *presetChosenBy(const PlayEvent &event) const;

    GameFixture &game_;
    std::uint64_t seed_;
    std::mt19937_64 random_;
    const Preset *preset_;
    QPointer<Form> form_;
    // Covered cells next to an open empty cell, which a flag kept covered when the spread passed.
    std::vector<bool> sheltered_;
    std::deque<QString> recent_;
    PlayStats stats_;
};
