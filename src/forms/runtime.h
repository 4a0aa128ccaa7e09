#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

// The numeric and text services of the forms runtime, and the colour helper.
// Randomness and the time of day can be replaced, so that games can be replayed exactly.
namespace runtime {

// Seconds since midnight, single precision.
float Timer();
// Seconds on a clock that only runs forwards, for measuring how long something lasts: midnight,
// daylight saving time and a change of the system clock leave it be.
double monotonicSeconds();
// Mixes the seed into the running generator, so that seeds that repeat still give new sequences.
void Randomize(float seed);
// The next number of the sequence, 0 <= Rnd() < 1.
float Rnd();

double Int(double x);
double Abs(double x);
QString Right(const QString &text, int length);

constexpr int RGB(int r, int g, int b) {
    return r + 256 * g + 65536 * b;
}

// Replaces the time of day; an empty function restores the system clock.
void setClock(std::function<float()> clock);
// Replaces the monotonic clock; an empty function restores the system's.
void setMonotonicClock(std::function<double()> clock);
// Puts the generator into a known state.
void seedGenerator(std::uint64_t state);
// Rnd() returns these numbers first, in order, before it draws from the generator again.
void scriptNumbers(std::vector<float> numbers);

} // namespace runtime

namespace runtime {

// A run-time error ends the program with the runtime's message; nothing in the game traps one.
[[noreturn]] void raiseError(int number, const char *description);

} // namespace runtime
