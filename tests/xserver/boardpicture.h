#pragma once

#include <X11/Xlib.h>

#include <vector>

// The board as the X server shows it: it fills the bottom of the game's window from the left edge,
// in cells of 20 by 20 pixels.
constexpr int cellPixels = 20;

// The pixels of one cell, row by row.
using Cell = std::vector<unsigned long>;

// The cells of a board of `columns` x `rows`, row by row; none while the window is not on the
// screen at least that large.
std::vector<Cell> readBoard(Display *display, Window window, int columns, int rows);

// Every cell shows the same raised cover: a light top-left edge, a dark bottom-right edge and a
// face between them.
bool allCovered(const std::vector<Cell> &board);
