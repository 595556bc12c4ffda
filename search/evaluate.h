// The strong engine's evaluation, the same for both armies: material on the board and in
// hand, and the safety of a king that can never move: who controls the squares around it,
// which of them an enemy piece dropped there would check from unanswered, open lines.
#pragma once

#include "search/position.h"

namespace fudo::search {

struct EvalWeights {
    int ringAttack = 14;      // per enemy attack on a square next to the king
    int ringOverload = 22;    // per attacker beyond the defenders there
    int dropMate = 160;       // empty ring square, undefended, an enemy piece in hand checks from it
    int dropCheck = 40;       // the same square defended: the check costs a piece
    int knightDrop = 70;      // empty knight-check square, undefended, enemy knight in hand
    int openLine = 9;         // per empty square on a line from the king, enemy slider in hand
    int nearEnemy = 12;       // enemy piece within two squares of the king
    int nearGuard = 6;        // own piece next to the king
    int tempo = 20;           // the side to move
    int dangerGrowth = 0;     // growth of the danger with its square, in 1/10000
};
EvalWeights& evalWeights();

// The position from the side to move's view.
int evaluate(const Position& pos, const EvalWeights& w = evalWeights());

// The side to move mates at once by a drop: next to the other king (or a knight's jump
// from it) an empty square no defender reaches, where a piece in hand would give check.
// A king never moves, so only taking the checker could answer it.
bool dropMates(const Position& pos);

// One king's safety from its owner's view (negative = in danger).
int kingSafety(const Position& pos, Color owner, const EvalWeights& w = evalWeights());

}  // namespace fudo::search
