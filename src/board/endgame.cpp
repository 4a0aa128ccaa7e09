#include "window/gameboard.h"

#include "board/module1.h"
#include "forms/runtime.h"

using runtime::RGB;

// Stopping the timer is what keeps the face: every tick would set it back to neutral.
void gameboard::win() {
    Timer1.setInterval(0);
    face.setCaption(QStringLiteral("J"));
    gameover();
    // Told of the end, the player's keyboard rests on the face: the next key starts a new game.
    face.setFocus();
}

void gameboard::lose() {
    Timer1.setInterval(0);
    face.setCaption(QStringLiteral("L"));
    gameover();
    face.setFocus();
}

namespace {

// Captions are read for every cell at the end of a game; a one-letter code is compared in place.
bool shows(const QString &caption, char16_t code) {
    return caption.size() == 1 && caption.front() == QChar(code);
}

} // namespace

void gameboard::gameover() {
    const int n = Module1::rows * Module1::cols;
    // The reveal disables every cover up to the last and nothing enables one again in the same
    // game, so a disabled last cover means the board has been revealed and a repeat would change
    // nothing; a win deep in a cascade repeats the reveal for every enclosing uncover step.
    if (!square[n].isEnabled())
        return;
    for (int k = 1; k <= n; ++k) {
        CommandButton &cover = square[k];
        Label &content = mine[k];
        cover.setEnabled(false);
        if (shows(content.caption(), u'N') || shows(content.caption(), u'M'))
            cover.setVisible(false);
        if (!shows(content.caption(), u'M') && shows(cover.caption(), u'M')) {
            content.setCaption(QStringLiteral("X"));
            content.setForeColor(RGB(255, 50, 50));
        }
    }
}
