#include "randomplay_driver.h"

#include "gamefixture.h"
#include "randomplay_invariants.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTest>
#include <QWindow>

#include <cmath>

namespace {

constexpr double secondsPerDay = 86400;
constexpr int cellPixels = 20;
const QString flagText = QStringLiteral("M");

QString buttonName(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return QStringLiteral("left");
    case Qt::RightButton:
        return QStringLiteral("right");
    default:
        return QStringLiteral("middle");
    }
}

QString modifierNames(Qt::KeyboardModifiers modifiers) {
    QStringList names;
    if (modifiers & Qt::ShiftModifier)
        names << QStringLiteral("Shift");
    if (modifiers & Qt::ControlModifier)
        names << QStringLiteral("Ctrl");
    if (modifiers & Qt::AltModifier)
        names << QStringLiteral("Alt");
    return names.join(QLatin1Char('+'));
}

QString pressName(const PlayEvent &event) {
    QString text = buttonName(event.button) +
                   (event.twice ? QStringLiteral(" double press") : QStringLiteral(" press"));
    if (event.chord != Qt::NoButton)
        text += QStringLiteral(" held while the %1 button clicks").arg(buttonName(event.chord));
    if (event.modifiers != Qt::NoModifier)
        text += QStringLiteral(" with ") + modifierNames(event.modifiers);
    return text;
}

// The cells that a left press on cell k uncovers, by the rules of the spread.
std::vector<bool> spreadFrom(int k, const BoardSnapshot &state, const Preset &preset) {
    std::vector<bool> opened(static_cast<std::size_t>(preset.cells()) + 1, false);
    std::vector<int> pending{k};
    while (!pending.empty()) {
        const int n = pending.back();
        pending.pop_back();
        const CellState &cell = state.cell(n);
        if (!cell.covered || !cell.flag.isEmpty() || opened[static_cast<std::size_t>(n)])
            continue;
        opened[static_cast<std::size_t>(n)] = true;
        if (cell.label.isEmpty())
            for (int neighbour : neighboursOf(n, preset.cols, preset.rows))
                pending.push_back(neighbour);
    }
    return opened;
}

void sendMouse(QWidget *widget, const QPoint &at, QEvent::Type type, const PlayEvent &event,
               Qt::MouseButtons held) {
    QMouseEvent mouse(type, at, widget->mapToGlobal(at), event.button, held, event.modifiers);
    QCoreApplication::sendEvent(widget, &mouse);
}

// The spot of the press on the window's area.
QPoint spotOnArea(const gameboard &board, const PlayEvent &event) {
    return board.square[event.cell].pixelBox().topLeft() + event.offset;
}

bool faceHasFocus(const FormHost &window, const gameboard &board) {
    return window.focusWidget() == window.area() && window.area()->focusedButton() == &board.face;
}

} // namespace

QString PlayEvent::describe() const {
    switch (kind) {
    case Kind::Press:
        return QStringLiteral("%1 at (%2, %3) of cell %4, %5")
            .arg(pressName(*this))
            .arg(offset.x())
            .arg(offset.y())
            .arg(cell)
            .arg(straight ? QStringLiteral("sent to the window's area")
                          : QStringLiteral("at that spot of the window"));
    case Kind::FacePress:
        return pressName(*this) + QStringLiteral(" on the face");
    case Kind::Key:
        return QStringLiteral("the key %1")
            .arg(QKeySequence(static_cast<int>(modifiers) | key).toString());
    case Kind::Menu:
        return QStringLiteral("the menu action %1").arg(item);
    case Kind::Tick:
        return QStringLiteral("a tick of Timer1 at %1 s past midnight")
            .arg(double(time), 0, 'f', 3);
    case Kind::EventLoop:
        return QStringLiteral("a turn of the event loop");
    }
    return {};
}

RandomPlayer::RandomPlayer(GameFixture &game, std::uint64_t seed)
    : game_(game), seed_(seed), random_(seed), preset_(&Preset::easy()),
      form_(game.window().form()) {
    for (const Preset &preset : Preset::all())
        if (game.window().action(preset.action)->isChecked())
            preset_ = &preset;
    sheltered_.assign(static_cast<std::size_t>(preset_->cells()) + 1, false);
}

QString RandomPlayer::play(long long events) {
    for (long long i = 0; i < events; ++i) {
        const PlayEvent event = draw();
        if (QString broken = playOne(event); !broken.isEmpty()) {
            QStringList before(recent_.begin(), recent_.end() - 1);
            return QStringLiteral("seed %1, event %2: %3\n  broke: %4\n  on %5; the events "
                                  "before it:\n    %6\n  replay: PEBBLERUN_SEED=%1 "
                                  "PEBBLERUN_EVENTS=%2 tst_randomplay randomPlay")
                .arg(seed_)
                .arg(stats_.events)
                .arg(event.describe(), broken, preset_->action,
                     before.join(QStringLiteral("\n    ")));
        }
    }
    return {};
}

PlayEvent RandomPlayer::draw() {
    std::uniform_real_distribution<double> unit(0, 1);
    const auto chance = [&](double p) { return unit(random_) < p; };
    const auto pick = [&](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(random_);
    };
    const auto drawButton = [&](double left, double right) {
        const double r = unit(random_);
        return r < left ? Qt::LeftButton : r < left + right ? Qt::RightButton : Qt::MiddleButton;
    };
    const auto drawModifiers = [&](double p) {
        Qt::KeyboardModifiers modifiers;
        if (chance(p)) {
            const int bits = 1 + pick(7);
            modifiers.setFlag(Qt::ShiftModifier, bits & 1);
            modifiers.setFlag(Qt::ControlModifier, bits & 2);
            modifiers.setFlag(Qt::AltModifier, bits & 4);
        }
        return modifiers;
    };

    PlayEvent event;
    // After an end the player soon starts another game.
    const double r = game_.board().Timer1.interval() == 0 && chance(0.2)
                         ? 0.86 + 0.021 * unit(random_)
                         : unit(random_);
    if (r < 0.86) {
        event.kind = PlayEvent::Kind::Press;
        event.cell = drawCell(BoardSnapshot::of(game_.board(), preset_->cells()));
        event.offset = chance(0.5) ? QPoint(cellPixels / 2, cellPixels / 2)
                                   : QPoint(1 + pick(cellPixels - 2), 1 + pick(cellPixels - 2));
        // A player mostly flags the mines, uncovers the safe cells and takes wrong flags away.
        const gameboard &board = game_.board();
        const bool covered = board.square[event.cell].isVisible();
        const bool flagged = board.square[event.cell].caption() == flagText;
        if (covered && board.mine[event.cell].caption() == QLatin1String("M"))
            event.button = drawButton(0.04, 0.95);
        else if (covered && flagged)
            event.button = drawButton(0.2, 0.7);
        else if (covered)
            event.button = drawButton(0.8, 0.15);
        else
            event.button = drawButton(0.5, 0.35);
        event.modifiers = drawModifiers(0.25);
        event.twice = chance(0.15);
        event.straight = chance(0.15);
        if (!event.twice && !event.straight && chance(0.05))
            event.chord = drawButton(0.5, 0.4);
    } else if (r < 0.863) {
        event.kind = PlayEvent::Kind::FacePress;
        event.button = drawButton(0.7, 0.15);
        event.modifiers = drawModifiers(0.2);
        event.twice = chance(0.2);
    } else if (r < 0.873) {
        static const std::pair<int, Qt::KeyboardModifiers> keys[] = {
            {Qt::Key_F2, Qt::NoModifier},     {Qt::Key_E, Qt::ControlModifier},
            {Qt::Key_M, Qt::ControlModifier}, {Qt::Key_H, Qt::ControlModifier},
            {Qt::Key_B, Qt::ControlModifier}, {Qt::Key_C, Qt::ControlModifier},
            {Qt::Key_Space, Qt::NoModifier},  {Qt::Key_Return, Qt::NoModifier},
            {Qt::Key_Tab, Qt::NoModifier},    {Qt::Key_Tab, Qt::ShiftModifier},
            {Qt::Key_Right, Qt::NoModifier},  {Qt::Key_Down, Qt::NoModifier},
            {Qt::Key_Home, Qt::NoModifier},   {Qt::Key_End, Qt::ControlModifier},
            {Qt::Key_Menu, Qt::NoModifier}};
        event.kind = PlayEvent::Kind::Key;
        std::tie(event.key, event.modifiers) = keys[pick(std::size(keys))];
    } else if (r < 0.881) {
        static const char *const items[] = {"mnuNew", "mnuHS",  "mnuEZ",
                                            "mnuMed", "mnuHrd", "mnuCust"};
        event.kind = PlayEvent::Kind::Menu;
        event.item = QLatin1String(items[pick(std::size(items))]);
    } else if (r < 0.98) {
        event.kind = PlayEvent::Kind::Tick;
        const double step = unit(random_);
        double time = game_.time();
        if (step < 0.04)
            time = secondsPerDay - 0.1 - 20 * unit(random_);
        else if (step < 0.5)
            time += 1.5 * unit(random_);
        else if (step < 0.9)
            time += 70 * unit(random_);
        else
            time += 4000 * unit(random_);
        event.time = static_cast<float>(std::fmod(time, secondsPerDay));
    } else {
        event.kind = PlayEvent::Kind::EventLoop;
    }
    return event;
}

// Mostly any cell, but also the cells a player aims at: safe ones, mines to flag, open ones.
int RandomPlayer::drawCell(const BoardSnapshot &state) {
    std::vector<int> safe;
    std::vector<int> mines;
    std::vector<int> open;
    for (int k = 1; k <= static_cast<int>(state.cells.size()); ++k) {
        const CellState &cell = state.cell(k);
        if (!cell.covered)
            open.push_back(k);
        else if (cell.label == QLatin1String("M"))
            mines.push_back(k);
        else
            safe.push_back(k);
    }
    const double r = std::uniform_real_distribution<double>(0, 1)(random_);
    const std::vector<int> &from = r < 0.7 ? safe : r < 0.8 ? mines : open;
    if (r < 0.2 || from.empty())
        return std::uniform_int_distribution<int>(1, static_cast<int>(state.cells.size()))(random_);
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random_)];
}

QString RandomPlayer::playOne(const PlayEvent &event) {
    FormHost &window = game_.window();
    const gameboard &board = game_.board();
    const BoardSnapshot before = BoardSnapshot::of(board, preset_->cells());
    const double starttime = board.starttime;
    const float timeBefore = game_.time();
    const bool expectNewGame = startsNewGame(event);

    recent_.push_back(event.describe());
    if (recent_.size() > 6)
        recent_.pop_front();
    ++stats_.events;

    if (event.kind == PlayEvent::Kind::Press && !event.straight) {
        // The spot shows the cover while it stands, else what lies beneath it: to assistive tools
        // the cell is named covered or flagged only while its cover stands.
        QAccessibleInterface *area = QAccessible::queryAccessibleInterface(window.area());
        const QPoint spot = window.area()->mapToGlobal(spotOnArea(board, event));
        const QAccessibleInterface *hit = area->childAt(spot.x(), spot.y());
        const QString name = hit ? hit->text(QAccessible::Name) : QString();
        const bool coverShown =
            hit && hit->role() == QAccessible::Cell &&
            (name == QLatin1String("covered") || name == QLatin1String("flagged"));
        if (coverShown != before.cell(event.cell).covered)
            return QStringLiteral("the cover of cell %1 is %2 but the spot shows \"%3\"")
                .arg(event.cell)
                .arg(before.cell(event.cell).covered ? QStringLiteral("visible")
                                                     : QStringLiteral("hidden"),
                     name);
    }
    const bool faceFocusedBefore = faceHasFocus(window, board);
    const std::optional<PlayEvent> keyed = pressByKey(event);

    deliver(event);

    // Only the end of a game hands the face the keyboard focus.
    const bool pressed = event.kind == PlayEvent::Kind::Press || keyed;
    const bool ended = game_.board().face.caption() != QLatin1String("K");
    if (pressed && !faceFocusedBefore && faceHasFocus(window, board) && !ended)
        return QStringLiteral("the press handed the face the keyboard focus");

    if ((window.form() != form_.data()) != expectNewGame)
        return expectNewGame ? QStringLiteral("no new game began")
                             : QStringLiteral("a new game began");
    if (expectNewGame) {
        ++stats_.newGames;
        if (const Preset *chosen = presetChosenBy(event))
            preset_ = chosen;
        form_ = window.form();
        sheltered_.assign(static_cast<std::size_t>(preset_->cells()) + 1, false);
        GameFixture::flushDeletes();
        const gameboard &fresh = game_.board();
        const BoardSnapshot state = BoardSnapshot::of(fresh, preset_->cells());
        if (QString broken = invariants::fresh(window, fresh, state, *preset_); !broken.isEmpty())
            return broken;
        if (QString broken = checkRules(state); !broken.isEmpty())
            return broken;
        // The window takes its new size before the player's next move.
        QCoreApplication::processEvents();
        return {};
    }

    const BoardSnapshot after = BoardSnapshot::of(game_.board(), preset_->cells());
    QString broken;
    if (before.isEnded())
        broken = firstDifference(before, after, true);
    else if (event.kind == PlayEvent::Kind::Press)
        broken = checkPress(event, before, after);
    else if (keyed)
        broken = checkPress(*keyed, before, after);
    else
        broken = firstDifference(before, after, false);
    if (!broken.isEmpty())
        return broken;
    if (event.kind == PlayEvent::Kind::Tick && !after.isEnded())
        broken = checkClock(after, starttime);
    if (!broken.isEmpty())
        return broken;

    if (!before.isEnded() && after.isEnded())
        ++(after.face == QLatin1String("J") ? stats_.wins : stats_.losses);
    if (event.kind == PlayEvent::Kind::Tick && event.time < timeBefore)
        ++stats_.midnights;
    if (pressed)
        ++stats_.presses;
    stats_.cellsUncovered += before.covered - after.covered;
    noteShelteredCells(before, after);
    return checkRules(after);
}

void RandomPlayer::deliver(const PlayEvent &event) {
    FormHost &window = game_.window();
    switch (event.kind) {
    case PlayEvent::Kind::Press:
        deliverPress(event);
        break;
    case PlayEvent::Kind::FacePress: {
        const QPoint spot = spotOf(window, game_.board().face);
        if (event.twice)
            QTest::mouseDClick(window.windowHandle(), event.button, event.modifiers, spot);
        else
            QTest::mouseClick(window.windowHandle(), event.button, event.modifiers, spot);
        break;
    }
    case PlayEvent::Kind::Key:
        QTest::keyClick(window.windowHandle(), static_cast<Qt::Key>(event.key), event.modifiers);
        break;
    case PlayEvent::Kind::Menu:
        game_.triggerMenu(event.item);
        break;
    case PlayEvent::Kind::Tick:
        game_.setTime(event.time);
        game_.tick();
        break;
    case PlayEvent::Kind::EventLoop:
        QCoreApplication::processEvents();
        break;
    }
}

void RandomPlayer::deliverPress(const PlayEvent &event) {
    FormHost &window = game_.window();
    const QPoint onArea = spotOnArea(game_.board(), event);
    if (!event.straight) {
        const QPoint spot = window.area()->mapTo(&window, onArea);
        if (event.chord != Qt::NoButton) {
            QTest::mousePress(window.windowHandle(), event.button, event.modifiers, spot);
            QTest::mousePress(window.windowHandle(), event.chord, event.modifiers, spot);
            QTest::mouseRelease(window.windowHandle(), event.chord, event.modifiers, spot);
            QTest::mouseRelease(window.windowHandle(), event.button, event.modifiers, spot);
        } else if (event.twice)
            QTest::mouseDClick(window.windowHandle(), event.button, event.modifiers, spot);
        else
            QTest::mouseClick(window.windowHandle(), event.button, event.modifiers, spot);
        return;
    }
    // Straight to the area, past the window's own delivery.
    QWidget *area = window.area();
    sendMouse(area, onArea, QEvent::MouseButtonPress, event, event.button);
    sendMouse(area, onArea, QEvent::MouseButtonRelease, event, Qt::NoButton);
    if (event.twice) {
        sendMouse(area, onArea, QEvent::MouseButtonDblClick, event, event.button);
        sendMouse(area, onArea, QEvent::MouseButtonRelease, event, Qt::NoButton);
    }
}

std::optional<PlayEvent> RandomPlayer::pressByKey(const PlayEvent &event) const {
    const FormArea &area = *game_.window().area();
    const CommandButton *focused = area.focusedButton();
    if (event.kind != PlayEvent::Kind::Key || !area.isFocusShown() || !focused ||
        focused->tableCell() < 0)
        return std::nullopt;
    PlayEvent press;
    press.kind = PlayEvent::Kind::Press;
    press.cell = focused->tableCell() + 1;
    press.straight = true;
    if (event.key == Qt::Key_Space || event.key == Qt::Key_Return)
        press.button = Qt::LeftButton;
    else if (event.key == Qt::Key_Menu)
        press.button = Qt::RightButton;
    else
        return std::nullopt;
    return press;
}

QString RandomPlayer::checkPress(const PlayEvent &event, const BoardSnapshot &before,
                                 const BoardSnapshot &after) {
    const int k = event.cell;
    const CellState &pressed = before.cell(k);
    const bool reachesCover = pressed.covered && pressed.enabled;
    if (event.chord != Qt::NoButton)
        return {}; // the rules alone judge what the two presses did
    if (!reachesCover || event.button == Qt::MiddleButton)
        return firstDifference(before, after, false);

    if (event.button == Qt::RightButton) {
        if (event.twice)
            return firstDifference(before, after, false);
        BoardSnapshot expected = before;
        CellState &cell = expected.cells[static_cast<std::size_t>(k - 1)];
        const bool flagging = cell.flag.isEmpty();
        cell.flag = flagging ? flagText : QString();
        expected.leftcount += flagging ? -1 : 1;
        expected.counter = counterText(expected.leftcount);
        return firstDifference(expected, after, false);
    }

    if (pressed.label == QLatin1String("M")) {
        const QString shown = pressed.flag.isEmpty() ? QStringLiteral("N") : QStringLiteral("X");
        if (after.face != QLatin1String("L") || after.cell(k).label != shown)
            return QStringLiteral("a left press on mine %1 left the face \"%2\" and the label "
                                  "\"%3\"")
                .arg(k)
                .arg(after.face, after.cell(k).label);
        return {};
    }
    if (!pressed.flag.isEmpty())
        return firstDifference(before, after, false);

    const std::vector<bool> opened = spreadFrom(k, before, *preset_);
    int count = 0;
    for (int n = 1; n <= preset_->cells(); ++n) {
        const CellState &was = before.cell(n);
        const CellState &is = after.cell(n);
        const bool mine = was.label == QLatin1String("M");
        const bool open = opened[static_cast<std::size_t>(n)];
        count += open ? 1 : 0;
        if (is.flag != was.flag || (!after.isEnded() && is.label != was.label))
            return QStringLiteral("a left press on cell %1 changed cell %2").arg(k).arg(n);
        if (!mine && is.covered != (was.covered && !open))
            return QStringLiteral("a left press on cell %1 left cell %2 %3")
                .arg(k)
                .arg(n)
                .arg(is.covered ? QStringLiteral("covered") : QStringLiteral("uncovered"));
    }
    if (after.covered != before.covered - count)
        return QStringLiteral("a left press uncovered %1 cells but covered fell from %2 to %3")
            .arg(count)
            .arg(before.covered)
            .arg(after.covered);
    if (after.isEnded() != (after.covered == preset_->mines) ||
        (after.isEnded() && after.face != QLatin1String("J")))
        return QStringLiteral("covered is %1 of %2 mines, the face shows \"%3\"")
            .arg(after.covered)
            .arg(preset_->mines)
            .arg(after.face);
    return {};
}

QString RandomPlayer::checkRules(const BoardSnapshot &state) {
    const FormHost &window = game_.window();
    const gameboard &board = game_.board();
    if (state.isEnded())
        return invariants::ended(window, board, state, *preset_);
    return invariants::playing(window, board, state, *preset_, sheltered_);
}

QString RandomPlayer::checkClock(const BoardSnapshot &state, double starttime) const {
    static const QRegularExpression format(QStringLiteral("^\\d\\d:[0-5]\\d$"));
    if (!format.match(state.clock).hasMatch())
        return QStringLiteral("the clock reads \"%1\"").arg(state.clock);
    const double elapsed = game_.monotonicTime() - starttime;
    if (elapsed >= 6000)
        return {};
    const int minutes = static_cast<int>(std::floor(elapsed / 60));
    const int seconds = static_cast<int>(std::floor(elapsed - 60 * minutes));
    const QString expected = QStringLiteral("%1:%2")
                                 .arg(minutes, 2, 10, QLatin1Char('0'))
                                 .arg(seconds, 2, 10, QLatin1Char('0'));
    if (state.clock != expected)
        return QStringLiteral("the clock reads \"%1\" %2 s into the game, not \"%3\"")
            .arg(state.clock)
            .arg(elapsed)
            .arg(expected);
    return {};
}

void RandomPlayer::noteShelteredCells(const BoardSnapshot &before, const BoardSnapshot &after) {
    for (int k = 1; k <= preset_->cells(); ++k) {
        if (!before.cell(k).covered || after.cell(k).covered || !after.cell(k).label.isEmpty())
            continue;
        for (int n : neighboursOf(k, preset_->cols, preset_->rows))
            if (after.cell(n).covered && after.cell(n).flag == flagText)
                sheltered_[static_cast<std::size_t>(n)] = true;
    }
}

bool RandomPlayer::startsNewGame(const PlayEvent &event) const {
    switch (event.kind) {
    case PlayEvent::Kind::FacePress:
        return event.button == Qt::LeftButton;
    case PlayEvent::Kind::Key:
        if (event.key == Qt::Key_Space || event.key == Qt::Key_Return)
            return faceHasFocus(game_.window(), game_.board());
        // The shortcut keys of New and the difficulties.
        return event.key == Qt::Key_F2 || event.key == Qt::Key_E || event.key == Qt::Key_M ||
               event.key == Qt::Key_H;
    case PlayEvent::Kind::Menu:
        return event.item != QLatin1String("mnuHS") && event.item != QLatin1String("mnuCust");
    default:
        return false;
    }
}

const Preset *RandomPlayer::presetChosenBy(const PlayEvent &event) const {
    QString item = event.item;
    if (event.kind == PlayEvent::Kind::Key)
        item = event.key == Qt::Key_E   ? QStringLiteral("mnuEZ")
               : event.key == Qt::Key_M ? QStringLiteral("mnuMed")
               : event.key == Qt::Key_H ? QStringLiteral("mnuHrd")
                                        : QString();
    for (const Preset &preset : Preset::all())
        if (preset.action == item)
            return &preset;
    return nullptr;
}
