#pragma once

#include <functional>

class QObject;
class QTimer;

// A timer control: it ticks every Interval milliseconds while enabled and Interval > 0.
class TimerControl {
public:
    // The shortest period a timer ticks at; asking for less ticks at this rate. Waking the
    // program is most of what a tick costs the machine, and 25 a second still show a clock's new
    // second about 40 ms after its start at the latest.
    static constexpr int granularityMs = 40;

    explicit TimerControl(QObject *parent);
    TimerControl(const TimerControl &) = delete;
    TimerControl &operator=(const TimerControl &) = delete;

    int interval() const { return interval_; }
    void setInterval(int milliseconds);
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);

    void setTickHandler(std::function<void()> handler) { tick_ = std::move(handler); }
    // Delivers one tick as the platform would.
    void tick();

    bool isRunning() const;

private:
    void update();

    QTimer *timer_;
    int interval_ = 0;
    bool enabled_ = true;
    std::function<void()> tick_;
};
