#include "window/gameboard.h"

#include "board/module1.h"
#include "forms/runtime.h"

using runtime::Int;

void gameboard::Form_Load() {
    runtime::Randomize(runtime::Timer());

    // Three separate tests: should more than one flag hold, the last one's preset stands.
    if (Module1::easy == false && Module1::medium == false && Module1::hard == false &&
        Module1::otherflag == 0)
        Module1::easy = true;
    if (Module1::easy == true) {
        Module1::cols = 8;
        Module1::rows = 8;
        Module1::totalmines = 10;
        mnuEZ.setChecked(true);
        mnuMed.setChecked(false);
        mnuHrd.setChecked(false);
        mnuCust.setChecked(false);
    }
    if (Module1::medium == true) {
        Module1::cols = 16;
        Module1::rows = 16;
        Module1::totalmines = 40;
        mnuEZ.setChecked(false);
        mnuMed.setChecked(true);
        mnuHrd.setChecked(false);
        mnuCust.setChecked(false);
    }
    if (Module1::hard == true) {
        Module1::cols = 32;
        Module1::rows = 20;
        Module1::totalmines = 100;
        mnuEZ.setChecked(false);
        mnuMed.setChecked(false);
        mnuHrd.setChecked(true);
        mnuCust.setChecked(false);
    }

    leftcount = Module1::totalmines;
    covered = static_cast<std::int16_t>(Module1::cols * Module1::rows);
    sizescreen();
    square.reserve(covered);
    background.reserve(covered);
    mine.reserve(covered);
    const int cells = covered;
    for (int k = 1; k <= cells; ++k) {
        const int i = static_cast<int>(Int((k - 1) / static_cast<double>(Module1::cols)));
        const int j = k - 1 - Module1::cols * i;
        bkrnd(k, i, j);
        mn(k, i, j);
        sqar(k, i, j);
    }
    loadmines(Module1::totalmines);
    surround();
    happy();
    display();
    minecounter();
}
