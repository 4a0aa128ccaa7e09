#include "gameboard.h"

#include "board/module1.h"
#include "forms/runtime.h"

using runtime::Int;
using runtime::RGB;

void gameboard::sizescreen() {
    // The cell is sized by the template label's box of "XX", with room around it.
    const double h = Int(mine[0].height() * 1.25);
    cellsize = Int(mine[0].width() * 1.25);
    if (h > cellsize)
        cellsize = h;
    cellsize = 30 * Int(cellsize / 30) + 30;
    background[0].setHeight(static_cast<float>(cellsize));
    background[0].setWidth(static_cast<float>(cellsize));
    square[0].setHeight(static_cast<float>(cellsize));
    square[0].setWidth(static_cast<float>(cellsize));
    setHeight(static_cast<float>(Module1::rows * cellsize + 1180));
    setWidth(static_cast<float>(Module1::cols * cellsize + 113));
}

void gameboard::bkrnd(int X, int i, int j) {
    background.load(X);
    background[X].setLeft(static_cast<float>(cellsize * j));
    background[X].setTop(static_cast<float>(cellsize * i + 500));
    background[X].setVisible(true);
}

void gameboard::mn(int X, int i, int j) {
    mine.load(X);
    Label &label = mine[X];
    label.bringToFront();
    // Centred by the box of the template text "XX", which it still carries here.
    label.setLeft(static_cast<float>((j + 0.5) * cellsize - label.width() / 2.0));
    label.setTop(static_cast<float>((i + 0.5) * cellsize - label.height() / 2.0 + 500));
    label.setCaption(QString());
    label.setVisible(true);
    background[X].setBackColor(RGB(255, 255, 0));
}

void gameboard::sqar(int X, int i, int j) {
    square.load(X);
    square[X].setLeft(static_cast<float>(cellsize * j));
    square[X].setTop(static_cast<float>(cellsize * i + 500));
    square[X].setVisible(true);
}

void gameboard::happy() {
    face.setHeight(400);
    face.setWidth(400);
    face.setLeft(width() / 2 - 200);
    face.setTop(25);
    face.setFontName(QStringLiteral("Wingdings"));
    face.setVisible(true);
}
