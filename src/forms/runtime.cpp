#include "runtime.h"

#include <QDateTime>
#include <QElapsedTimer>

#include <cmath>
#include <cstring>
#include <deque>
#include <random>

namespace runtime {
namespace {

std::uint64_t splitmix64(std::uint64_t &state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

struct Generator {
    std::uint64_t state = std::random_device{}();
    std::deque<float> script;
};

Generator &generator() {
    static Generator instance;
    return instance;
}

std::function<float()> &clockOverride() {
    static std::function<float()> clock;
    return clock;
}

std::function<double()> &monotonicOverride() {
    static std::function<double()> clock;
    return clock;
}

// Milliseconds since local midnight. Reading the time zone looks at the zone file each time, and
// the game's clock asks many times a second; the zone's offset from UTC is read once a second.
qint64 localMsecsOfDay() {
    constexpr qint64 msecsPerDay = 86400000;
    static qint64 offsetMs = 0;
    static qint64 offsetReadAt = 0;
    static bool offsetRead = false;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (!offsetRead || now < offsetReadAt || now - offsetReadAt >= 1000) {
        offsetMs = QDateTime::fromMSecsSinceEpoch(now).offsetFromUtc() * qint64(1000);
        offsetReadAt = now;
        offsetRead = true;
    }
    const qint64 local = (now + offsetMs) % msecsPerDay;
    return local < 0 ? local + msecsPerDay : local;
}

} // namespace

float Timer() {
    if (const auto &clock = clockOverride())
        return clock();
    return static_cast<float>(localMsecsOfDay()) / 1000.0f;
}

double monotonicSeconds() {
    if (const auto &clock = monotonicOverride())
        return clock();
    static const QElapsedTimer sinceFirstReading = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return static_cast<double>(sinceFirstReading.nsecsElapsed()) / 1e9;
}

void Randomize(float seed) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &seed, sizeof bits);
    Generator &g = generator();
    g.state ^= bits;
    splitmix64(g.state);
}

float Rnd() {
    Generator &g = generator();
    if (!g.script.empty()) {
        const float number = g.script.front();
        g.script.pop_front();
        return number;
    }
    // The top 24 bits fill a float's mantissa exactly, so the result stays strictly below 1.
    return static_cast<float>(splitmix64(g.state) >> 40) * 0x1p-24f;
}

double Int(double x) {
    return std::floor(x);
}

double Abs(double x) {
    return std::fabs(x);
}

QString Right(const QString &text, int length) {
    return text.right(length);
}

void setClock(std::function<float()> clock) {
    clockOverride() = std::move(clock);
}

void setMonotonicClock(std::function<double()> clock) {
    monotonicOverride() = std::move(clock);
}

void seedGenerator(std::uint64_t state) {
    generator().state = state;
    generator().script.clear();
}

void scriptNumbers(std::vector<float> numbers) {
    generator().script.assign(numbers.begin(), numbers.end());
}

} // namespace runtime

namespace runtime {

void raiseError(int number, const char *description) {
    qFatal("Run-time error '%d':\n%s", number, description);
}

} // namespace runtime
