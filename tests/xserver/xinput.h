#pragma once

#include <X11/Xlib.h>

// Input through the X server's test extension, as a keyboard and a mouse would send it.

void key(Display *display, KeySym symbol, bool down);
// A press and release of `symbol`, with `modifier` held if one is given.
void tapKey(Display *display, KeySym symbol, KeySym modifier = NoSymbol);
// A press and release of the mouse button on the middle of a cell of a board of `columns` x
// `rows`, counted row by row.
void pressCell(Display *display, Window window, int columns, int rows, int cell,
               unsigned button = Button1);
