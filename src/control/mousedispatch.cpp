#include "window/gameboard.h"

// Two separate tests: the left button uncovers, the right one flags, any other does nothing.
void gameboard::square_MouseDown(std::int16_t Index, int Button, int, float, float) {
    if (Button == CommandButton::LeftButton)
        leftclick(Index);
    if (Button == CommandButton::RightButton)
        rightclick(Index);
}
