#pragma once

#include "gamefixture.h"

#include <QEvent>
#include <QHash>
#include <QList>
#include <QObject>
#include <QWidget>

// Records the order in which the covers of the board are hidden.
class HideRecorder : public QObject {
public:
    explicit HideRecorder(const GameFixture &game) {
        for (int k = 1; k <= game.cellCount(); ++k) {
            QWidget *cover = game.board().square[k].widget();
            cells_.insert(cover, k);
            cover->installEventFilter(this);
        }
    }

    QList<int> order;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Hide)
            order.append(cells_.value(watched));
        return false;
    }

private:
    QHash<QObject *, int> cells_;
};
