#include "window/gameboard.h"

#include "board/module1.h"

// Every new game is a new window: the old one goes with all its controls, and only the
// settings of Module1 carry over.
void gameboard::restart() {
    // Held here: this form is gone once it is unloaded.
    FormHost &window = host_;
    window.unloadForm();
    window.showForm();
}

void gameboard::face_Click() {
    restart();
}

void gameboard::mnuNew_Click() {
    restart();
}

void gameboard::mnuEZ_Click() {
    Module1::easy = true;
    Module1::medium = false;
    Module1::hard = false;
    Module1::otherflag = 0;
    restart();
}

void gameboard::mnuMed_Click() {
    Module1::easy = false;
    Module1::medium = true;
    Module1::hard = false;
    Module1::otherflag = 0;
    restart();
}

void gameboard::mnuHrd_Click() {
    Module1::easy = false;
    Module1::medium = false;
    Module1::hard = true;
    Module1::otherflag = 0;
    restart();
}
