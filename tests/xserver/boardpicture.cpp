#include "boardpicture.h"

#include <X11/Xutil.h>

#include <algorithm>

std::vector<Cell> readBoard(Display *display, Window window, int columns, int rows) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable ||
        attributes.width < columns * cellPixels || attributes.height < rows * cellPixels)
        return {};
    XImage *image = XGetImage(display, window, 0, attributes.height - rows * cellPixels,
                              static_cast<unsigned>(columns * cellPixels),
                              static_cast<unsigned>(rows * cellPixels), AllPlanes, ZPixmap);
    if (!image)
        return {};
    std::vector<Cell> board;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            Cell &cell = board.emplace_back();
            for (int y = 0; y < cellPixels; ++y) {
                for (int x = 0; x < cellPixels; ++x)
                    cell.push_back(XGetPixel(image, column * cellPixels + x, row * cellPixels + y));
            }
        }
    }
    XDestroyImage(image);
    return board;
}

bool allCovered(const std::vector<Cell> &board) {
    if (board.empty())
        return false;
    const Cell &cover = board.front();
    const unsigned long light = cover.front();
    const unsigned long dark = cover.back();
    const unsigned long face = cover[cellPixels * cellPixels / 2 + cellPixels / 2];
    return light != dark && light != face && face != dark &&
           std::all_of(board.begin(), board.end(), [&](const Cell &cell) { return cell == cover; });
}
