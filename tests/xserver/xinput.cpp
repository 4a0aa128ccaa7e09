#include "xinput.h"

#include "boardpicture.h"

#include <X11/extensions/XTest.h>

void key(Display *display, KeySym symbol, bool down) {
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), down, CurrentTime);
}

void tapKey(Display *display, KeySym symbol, KeySym modifier) {
    if (modifier != NoSymbol)
        key(display, modifier, true);
    key(display, symbol, true);
    key(display, symbol, false);
    if (modifier != NoSymbol)
        key(display, modifier, false);
    XSync(display, False);
}

void pressCell(Display *display, Window window, int columns, int rows, int cell, unsigned button) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    const int x = cell % columns * cellPixels + cellPixels / 2;
    const int y = attributes.height - (rows - cell / columns) * cellPixels + cellPixels / 2;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY,
                          &child);
    XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
    XTestFakeButtonEvent(display, button, True, CurrentTime);
    XTestFakeButtonEvent(display, button, False, CurrentTime);
    XSync(display, False);
}
