#include "timercontrol.h"

#include <QTimer>

#include <algorithm>

TimerControl::TimerControl(QObject *parent) : timer_(new QTimer(parent)) {
    // Qt runs short coarse timers as precise ones; the floor on the period is set explicitly.
    timer_->setTimerType(Qt::CoarseTimer);
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { tick(); });
}

void TimerControl::setInterval(int milliseconds) {
    interval_ = milliseconds;
    update();
}

void TimerControl::setEnabled(bool enabled) {
    enabled_ = enabled;
    update();
}

void TimerControl::tick() {
    if (tick_)
        tick_();
}

bool TimerControl::isRunning() const {
    return timer_->isActive();
}

void TimerControl::update() {
    if (enabled_ && interval_ > 0)
        timer_->start(std::max(interval_, granularityMs));
    else
        timer_->stop();
}
