#include "module1.h"

namespace Module1 {

DifficultyFlag easy;
DifficultyFlag medium;
DifficultyFlag hard;
std::int16_t otherflag = 0;
std::int16_t cols = 0;
std::int16_t rows = 0;
std::int16_t totalmines = 0;

} // namespace Module1
