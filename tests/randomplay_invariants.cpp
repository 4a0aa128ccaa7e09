#include "randomplay_invariants.h"

#include "board/module1.h"
#include "forms/runtime.h"
#include "window/gameboard.h"

#include <QAbstractButton>
#include <QAction>

#include <algorithm>

using runtime::RGB;

namespace invariants {
namespace {

const QString mineText = QStringLiteral("M");
const QString flagText = QStringLiteral("M");
constexpr int red = RGB(255, 0, 0);
constexpr int yellow = RGB(255, 255, 0);
constexpr float cellsize = 300;

bool isDigit(const QString &text) {
    return text.size() == 1 && text[0] >= QLatin1Char('1') && text[0] <= QLatin1Char('8');
}

// The text a cell without a mine carries for the mines around it.
QString countText(const BoardSnapshot &state, int k, const Preset &preset) {
    int mines = 0;
    for (int n : neighboursOf(k, preset.cols, preset.rows))
        mines += state.cell(n).fill == red ? 1 : 0;
    return mines == 0 ? QString() : QString::number(mines);
}

QString settingsAndMenus(const FormHost &window, const Preset &preset) {
    if (Module1::cols != preset.cols || Module1::rows != preset.rows ||
        Module1::totalmines != preset.mines)
        return QStringLiteral("the settings are %1 x %2 with %3 mines, not the preset of %4")
            .arg(Module1::cols)
            .arg(Module1::rows)
            .arg(Module1::totalmines)
            .arg(preset.action);
    const bool flags[] = {Module1::easy == true, Module1::medium == true, Module1::hard == true};
    int checked = 0;
    for (std::size_t i = 0; i < Preset::all().size(); ++i) {
        const Preset &p = Preset::all()[i];
        if (flags[i] != (p == preset))
            return QStringLiteral("the flag of %1 is %2 while %3 is in force")
                .arg(p.action, flags[i] ? QStringLiteral("True") : QStringLiteral("False"),
                     preset.action);
        const bool isChecked = window.action(p.action)->isChecked();
        checked += isChecked ? 1 : 0;
        if (isChecked != (p == preset))
            return QStringLiteral("the check mark of %1 is %2 while %3 is in force")
                .arg(p.action, isChecked ? QStringLiteral("on") : QStringLiteral("off"),
                     preset.action);
    }
    if (checked != 1)
        return QStringLiteral("%1 difficulty check marks").arg(checked);
    if (window.action(QStringLiteral("mnuCust"))->isChecked())
        return QStringLiteral("Custom carries a check mark");
    for (const char *greyed : {"mnuHS", "mnuCust"})
        if (window.action(QLatin1String(greyed))->isEnabled())
            return QStringLiteral("%1 is not greyed").arg(QLatin1String(greyed));
    return {};
}

// Mines are where the rectangles are red, before and after the end alike.
QString minesMatchRectangles(const BoardSnapshot &state, const Preset &preset) {
    int mines = 0;
    for (int k = 1; k <= preset.cells(); ++k) {
        const int fill = state.cell(k).fill;
        if (fill != red && fill != yellow)
            return QStringLiteral("cell %1 has the fill %2").arg(k).arg(fill);
        mines += fill == red ? 1 : 0;
    }
    if (mines != preset.mines)
        return QStringLiteral("%1 red rectangles for %2 mines").arg(mines).arg(preset.mines);
    return {};
}

QString counterFollowsFlags(const gameboard &board, const BoardSnapshot &state,
                            const Preset &preset) {
    if (state.leftcount != preset.mines - state.flags())
        return QStringLiteral("leftcount is %1 with %2 flags on %3 mines")
            .arg(state.leftcount)
            .arg(state.flags())
            .arg(preset.mines);
    if (state.counter != counterText(state.leftcount))
        return QStringLiteral("the counter reads \"%1\" for leftcount %2")
            .arg(state.counter)
            .arg(state.leftcount);
    if (!board.minesleft.isVisible())
        return QStringLiteral("the counter is hidden");
    return {};
}

QString flagsOnlyOnCovers(const BoardSnapshot &state) {
    for (std::size_t i = 0; i < state.cells.size(); ++i) {
        const CellState &cell = state.cells[i];
        if (!cell.flag.isEmpty() && cell.flag != flagText)
            return QStringLiteral("cover %1 carries the text \"%2\"").arg(i + 1).arg(cell.flag);
    }
    return {};
}

// What holds while a game is played and after it has ended.
QString inEveryState(const FormHost &window, const BoardSnapshot &state, const Preset &preset) {
    if (QString broken = settingsAndMenus(window, preset); !broken.isEmpty())
        return broken;
    if (QString broken = minesMatchRectangles(state, preset); !broken.isEmpty())
        return broken;
    return flagsOnlyOnCovers(state);
}

} // namespace

QString playing(const FormHost &window, const gameboard &board, const BoardSnapshot &state,
                const Preset &preset, const std::vector<bool> &sheltered) {
    if (QString broken = inEveryState(window, state, preset); !broken.isEmpty())
        return broken;
    int mines = 0;
    int visible = 0;
    for (int k = 1; k <= preset.cells(); ++k) {
        const CellState &cell = state.cell(k);
        visible += cell.covered ? 1 : 0;
        if (!cell.enabled)
            return QStringLiteral("cover %1 is disabled during play").arg(k);
        if (!cell.covered && !cell.flag.isEmpty())
            return QStringLiteral("uncovered cell %1 is marked").arg(k);
        if (cell.label == mineText) {
            ++mines;
            if (cell.fill != red)
                return QStringLiteral("mine %1 lies on a yellow rectangle").arg(k);
            if (!cell.covered)
                return QStringLiteral("mine %1 is uncovered during play").arg(k);
            continue;
        }
        if (!cell.label.isEmpty() && !isDigit(cell.label))
            return QStringLiteral("cell %1 reads \"%2\" during play").arg(k).arg(cell.label);
        if (cell.fill != yellow)
            return QStringLiteral("cell %1 without a mine lies on a red rectangle").arg(k);
        if (cell.label != countText(state, k, preset))
            return QStringLiteral("cell %1 reads \"%2\" but has %3 mines around it")
                .arg(k)
                .arg(cell.label, countText(state, k, preset));
        // An open empty cell borders a covered one only where a flag stopped the spread; the
        // flag may have been taken away since.
        if (!cell.covered && cell.label.isEmpty()) {
            for (int n : neighboursOf(k, preset.cols, preset.rows)) {
                const bool stopped = std::size_t(n) < sheltered.size() && sheltered[std::size_t(n)];
                if (state.cell(n).covered && state.cell(n).flag.isEmpty() && !stopped)
                    return QStringLiteral("empty cell %1 is open but its neighbour %2 is covered")
                        .arg(k)
                        .arg(n);
            }
        }
    }
    if (mines != preset.mines)
        return QStringLiteral("%1 labels read \"M\" on a board of %2 mines")
            .arg(mines)
            .arg(preset.mines);
    if (state.covered != visible)
        return QStringLiteral("covered is %1 with %2 covers visible")
            .arg(state.covered)
            .arg(visible);
    if (QString broken = counterFollowsFlags(board, state, preset); !broken.isEmpty())
        return broken;
    if (state.face != QLatin1String("K"))
        return QStringLiteral("the face shows \"%1\" during play").arg(state.face);
    if (state.interval != 1 || !board.Timer1.isRunning())
        return QStringLiteral("Timer1 has Interval %1 and is %2 during play")
            .arg(state.interval)
            .arg(board.Timer1.isRunning() ? QStringLiteral("running") : QStringLiteral("stopped"));
    return {};
}

QString ended(const FormHost &window, const gameboard &board, const BoardSnapshot &state,
              const Preset &preset) {
    if (QString broken = inEveryState(window, state, preset); !broken.isEmpty())
        return broken;
    if (state.interval != 0 || board.Timer1.isRunning())
        return QStringLiteral("Timer1 has Interval %1 after the end").arg(state.interval);
    const bool won = state.face == QLatin1String("J");
    if (!won && state.face != QLatin1String("L"))
        return QStringLiteral("the face shows \"%1\" after the end").arg(state.face);
    int exploded = 0;
    int coveredSafe = 0;
    for (int k = 1; k <= preset.cells(); ++k) {
        const CellState &cell = state.cell(k);
        if (cell.enabled)
            return QStringLiteral("cover %1 is enabled after the end").arg(k);
        const bool flagged = cell.flag == flagText;
        if (cell.fill == red) {
            if (cell.covered)
                return QStringLiteral("the cover of mine %1 stands after the end").arg(k);
            if (cell.label == QLatin1String("N") && !flagged) {
                ++exploded;
                continue;
            }
            if (cell.label == QLatin1String("X") && flagged) {
                ++exploded;
                continue;
            }
            if (cell.label != mineText)
                return QStringLiteral("mine %1 reads \"%2\" with flag \"%3\" after the end")
                    .arg(k)
                    .arg(cell.label, cell.flag);
            continue;
        }
        coveredSafe += cell.covered ? 1 : 0;
        if (flagged) {
            if (!cell.covered)
                return QStringLiteral("uncovered cell %1 is marked").arg(k);
            if (cell.label != QLatin1String("X"))
                return QStringLiteral("flagged cell %1 without a mine reads \"%2\" after the end")
                    .arg(k)
                    .arg(cell.label);
            if (board.mine[k].foreColor() != RGB(255, 50, 50))
                return QStringLiteral("the \"X\" of cell %1 has the colour %2")
                    .arg(k)
                    .arg(board.mine[k].foreColor());
            continue;
        }
        if (cell.label != countText(state, k, preset))
            return QStringLiteral("cell %1 reads \"%2\" after the end, but has %3 mines around it")
                .arg(k)
                .arg(cell.label, countText(state, k, preset));
    }
    if (won && (exploded != 0 || coveredSafe != 0))
        return QStringLiteral("a won board with %1 exploded mines and %2 covered cells")
            .arg(exploded)
            .arg(coveredSafe);
    if (!won && exploded != 1)
        return QStringLiteral("a lost board with %1 exploded mines").arg(exploded);
    // The end uncovers nothing of its own account: `covered` still counts every mine.
    if (state.covered != coveredSafe + preset.mines)
        return QStringLiteral("covered is %1 with %2 safe cells covered and %3 mines")
            .arg(state.covered)
            .arg(coveredSafe)
            .arg(preset.mines);
    return counterFollowsFlags(board, state, preset);
}

QString fresh(const FormHost &window, const gameboard &board, const BoardSnapshot &state,
              const Preset &preset) {
    if (window.form() != &board)
        return QStringLiteral("the window does not show the game just built");
    if (QString broken = playing(window, board, state, preset, {}); !broken.isEmpty())
        return broken;
    if (state.covered != preset.cells() || state.leftcount != preset.mines || state.flags() != 0)
        return QStringLiteral("a new game starts with covered %1, leftcount %2 and %3 flags")
            .arg(state.covered)
            .arg(state.leftcount)
            .arg(state.flags());
    // A tick may already have come, at the time of day the game began.
    if ((state.clock != QLatin1String("0:00.0") && state.clock != QLatin1String("00:00")) ||
        !board.time.isVisible())
        return QStringLiteral("a new game's clock reads \"%1\"").arg(state.clock);
    if (!board.face.isVisible() || !board.face.isEnabled() || board.face.width() != 400 ||
        board.face.height() != 400 || board.face.top() != 25 ||
        board.face.left() != board.width() / 2 - 200)
        return QStringLiteral("the face is not placed at the top centre");
    if (board.width() != preset.cols * cellsize + 113 ||
        board.height() != preset.rows * cellsize + 1180)
        return QStringLiteral("the window is %1 x %2 twips for %3")
            .arg(board.width())
            .arg(board.height())
            .arg(preset.action);
    if (board.square.count() != preset.cells() + 1 || board.mine.count() != preset.cells() + 1 ||
        board.background.count() != preset.cells() + 1)
        return QStringLiteral("the control arrays hold %1, %2 and %3 elements for %4 cells")
            .arg(board.square.count())
            .arg(board.mine.count())
            .arg(board.background.count())
            .arg(preset.cells());
    for (int k = 1; k <= preset.cells(); ++k) {
        const float left = static_cast<float>((k - 1) % preset.cols) * cellsize;
        const float top = static_cast<float>((k - 1) / preset.cols) * cellsize + 500;
        for (const Control *element : {static_cast<const Control *>(&board.square[k]),
                                       static_cast<const Control *>(&board.background[k])}) {
            if (element->left() != left || element->top() != top || element->width() != cellsize ||
                element->height() != cellsize)
                return QStringLiteral("an element of cell %1 is not on its square").arg(k);
        }
        if (!board.background[k].isVisible() || !board.mine[k].isVisible())
            return QStringLiteral("the rectangle or the label of cell %1 is hidden").arg(k);
        if (!state.cell(k).covered)
            return QStringLiteral("cell %1 starts uncovered").arg(k);
    }
    if (window.windowTitle() != QLatin1String("Pebblerun"))
        return QStringLiteral("the window's title is \"%1\"").arg(window.windowTitle());
    // Nothing of an earlier game may be left: one form, and on the window's area the buttons of
    // this board alone (template, face and one cover per cell), none of them a widget.
    const auto children = window.children();
    const auto forms = std::count_if(children.begin(), children.end(), [](const QObject *child) {
        return dynamic_cast<const Form *>(child) != nullptr;
    });
    if (forms != 1)
        return QStringLiteral("%1 forms live in the window").arg(forms);
    if (board.area() != window.area() || !window.area()->findChildren<QWidget *>().isEmpty())
        return QStringLiteral("the board is not drawn by the window's one area");
    const auto &buttons = window.area()->controls(FormArea::Buttons);
    if (buttons.size() != std::size_t(preset.cells() + 2))
        return QStringLiteral("%1 buttons live in the window for %2 cells")
            .arg(buttons.size())
            .arg(preset.cells());
    return {};
}

} // namespace invariants
