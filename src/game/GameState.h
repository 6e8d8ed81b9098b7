#pragma once

#include <QString>

namespace velta {

// The game's state that no control on the board shows. Scores, the pot and the revealed
// rows live in the board's labels; the last award lives in the hidden fields ETotal and
// EModo and the pending question in ERondaF1.
struct GameState {
    int RoundNumber = 0;        // normal card on the board; 0 before the first
    int GameQuestionCount = 0;  // questions advanced with S and F; decides the schedule
    int ExtraRoundNumber = 0;   // extra card last asked for with R
    int StrikeCount = 0;        // strikes on the current card: 1, 2, 3, 1, ...
    bool DoublePoints = false;
    bool TriplePoints = false;
    bool PotOpen = true;     // reveals recompute the pot until it is awarded
    bool EasyMode = false;   // after F; the next-button picture then runs F
    int CountdownValue = 5;  // the timed question's seconds left
};

}  // namespace velta
