#pragma once

#include <cstdint>
#include <optional>

// A difficulty flag: empty until a difficulty command first sets it. Empty compares equal to
// False, so at the first start no difficulty is chosen.
class DifficultyFlag {
public:
    DifficultyFlag &operator=(bool value) {
        value_ = value;
        return *this;
    }
    bool operator==(bool value) const { return value_.value_or(false) == value; }

private:
    std::optional<bool> value_;
};

// The settings that live for the whole run of the program: the only state a new game keeps.
namespace Module1 {

extern DifficultyFlag easy;
extern DifficultyFlag medium;
extern DifficultyFlag hard;
extern std::int16_t otherflag;
extern std::int16_t cols;
extern std::int16_t rows;
extern std::int16_t totalmines;

} // namespace Module1
