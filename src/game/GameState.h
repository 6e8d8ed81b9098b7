#pragma once

#include <QString>

namespace velta {

// The game's counters and switches, kept by Game with the card, the rows, the pot and the
// scores.
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
