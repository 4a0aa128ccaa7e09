#pragma once

#include "gamefixture.h"

#include <QList>
#include <QObject>

// Records the order in which the covers of the board are hidden.
class HideRecorder : public QObject {
public:
    explicit HideRecorder(const GameFixture &game) {
        const gameboard &board = game.board();
        connect(board.area(), &FormArea::visibilityChanged, this,
                [this, &board](const WindowlessControl *control) {
                    for (int k = 1; k < board.square.count(); ++k) {
                        if (control == &board.square[k] && !control->isVisible())
                            order.append(k);
                    }
                });
    }

    QList<int> order;
};
