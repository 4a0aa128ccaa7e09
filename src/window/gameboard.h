#pragma once

#include "forms/commandbutton.h"
#include "forms/controlarray.h"
#include "forms/form.h"
#include "forms/formhost.h"
#include "forms/label.h"
#include "forms/shape.h"
#include "forms/timercontrol.h"

#include <cstdint>
#include <memory>
#include <vector>

// The game's one window. Every piece of a game's state lives in its controls and variables;
// a new game is a new gameboard.
class gameboard : public Form {
public:
    explicit gameboard(FormHost &host);

    static std::vector<MenuDesign> menuDesign();
    static std::unique_ptr<Form> create(FormHost &host);

    // The controls, in the order of the design.
    TimerControl Timer1;
    ControlArray<CommandButton> square;
    CommandButton face;
    ControlArray<Shape> background;
    Label time;
    Label minesleft;
    ControlArray<Label> mine;
    MenuItem &mnuNew;
    MenuItem &mnuHS;
    MenuItem &mnuEZ;
    MenuItem &mnuMed;
    MenuItem &mnuHrd;
    MenuItem &mnuCust;

    // The game variables, assigned by the load sequence before anything reads them.
    std::int16_t leftcount = 0;
    double cellsize = 0;
    std::int16_t covered = 0;
    float faceleft = 0;
    float facewidth = 0;
    double starttime = 0;

    // Event handlers.
    void load() override {
        Form_Load();
        describeBoard();
    }
    void Form_Load();
    void face_Click();
    void mnuNew_Click();
    void mnuEZ_Click();
    void mnuMed_Click();
    void mnuHrd_Click();
    void square_MouseDown(std::int16_t Index, int Button, int Shift, float X, float Y);
    void Timer1_Timer();

private:
    void restart();
    void describeBoard();

    FormHost &host_;

    // Layout.
    void sizescreen();
    void bkrnd(int X, int i, int j);
    void mn(int X, int i, int j);
    void sqar(int X, int i, int j);
    void happy();

    // Clock.
    void display();

    // Rules.
    void loadmines(std::int16_t totalmines);
    void surround();
    void lookaround(int yy, int xx, int &mines);
    void leftclick(std::int16_t index);
    void removesquare(std::int16_t index2);
    void check(std::int16_t index1);
    void rightclick(std::int16_t index);
    void minecounter();
    void win();
    void lose();
    void gameover();
};
