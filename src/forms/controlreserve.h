#pragma once

#include <QWidget>

#include <cstddef>
#include <deque>
#include <memory>

// Controls of one kind made ahead, while the player looks at the board, for the next game's load
// to take: making and polishing a board's hundreds of widgets is most of what a new game costs.
// A control taken from here is as new as one made on the spot: made earlier, hidden, and never on
// any form before. Only its place in the window's focus chain is the one it was made in, which Tab
// never reaches in a control that takes no focus, as a board's cells do. Qt makes each one's
// accessible interface when it is first shown; made ahead, a Hard board's would hold another
// megabyte.
template <class ControlType> class ControlReserve {
public:
    // The controls wait on a holder of their own in the window, which is never shown: a widget
    // moved between windows is looked for along the whole focus chain of the one it leaves, and
    // among its parent's children by a scan from the front.
    explicit ControlReserve(QWidget *window) : holder_(new QWidget(window)) { holder_->hide(); }
    ControlReserve(const ControlReserve &) = delete;
    ControlReserve &operator=(const ControlReserve &) = delete;

    // A load starts: what it takes is what the next one will find ready.
    void startLoad() { taken_ = 0; }

    // A new control on parent, made there and then when none is ready.
    std::unique_ptr<ControlType> take(QWidget *parent) {
        ++taken_;
        if (ready_.empty())
            return std::make_unique<ControlType>(parent);
        // The oldest first, found at the front of the holder's children.
        std::unique_ptr<ControlType> control = std::move(ready_.front());
        ready_.pop_front();
        QWidget *widget = control->widget();
        // Moving a widget marks one that lets the mouse through as such in its window flags,
        // which a widget made on its form does not carry.
        const Qt::WindowFlags flags = widget->windowFlags();
        widget->setParent(parent);
        widget->overrideWindowFlags(flags);
        return control;
    }

    // Makes ready as many controls as the last load took, and no more.
    void refill() {
        while (ready_.size() > taken_) {
            delete ready_.back()->widget();
            ready_.pop_back();
        }
        while (ready_.size() < taken_) {
            auto control = std::make_unique<ControlType>(holder_);
            // Polished now, rather than when the board is shown.
            control->widget()->ensurePolished();
            ready_.push_back(std::move(control));
        }
    }

    int readyCount() const { return static_cast<int>(ready_.size()); }

private:
    QWidget *holder_;
    std::deque<std::unique_ptr<ControlType>> ready_;
    std::size_t taken_ = 0;
};
