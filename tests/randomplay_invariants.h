#pragma once

#include "randomplay_board.h"

#include <QString>

#include <vector>

class FormHost;
class gameboard;

// The rules every state of the game keeps. Each check returns the first rule that the state
// breaks, or an empty text.
namespace invariants {

// A game in progress. `sheltered` marks the covered cells that a flag kept from the spread
// of a neighbouring empty cell.
QString playing(const FormHost &window, const gameboard &board, const BoardSnapshot &state,
                const Preset &preset, const std::vector<bool> &sheltered);

// A game that was won or lost.
QString ended(const FormHost &window, const gameboard &board, const BoardSnapshot &state,
              const Preset &preset);

// A game just built by the load sequence, with nothing of an earlier game left in the window.
QString fresh(const FormHost &window, const gameboard &board, const BoardSnapshot &state,
              const Preset &preset);

} // namespace invariants
