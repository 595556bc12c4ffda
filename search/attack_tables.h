// How each piece moves, as tables over the eight directions of search::Directions: a step,
// a slide or neither; knights apart. Used by move generation and attack tests.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "search/types.h"

namespace fudo::search {

constexpr std::uint8_t StepAttack = 1;
constexpr std::uint8_t SlideAttack = 2;

struct AttackTables {
    // moves[p][j]: piece p goes one step (StepAttack) or any distance (SlideAttack, which
    // includes the step) in direction j.
    std::uint8_t moves[PieceSlots][8];
    // dir[p][i]: piece p standing in direction i from a square reaches that square.
    std::uint8_t dir[PieceSlots][8];
    int knightTo[2][2];    // knight jumps of each colour
    int knightFrom[2][2];  // where a knight of a colour stands to reach a square
};

constexpr AttackTables makeAttackTables() {
    AttackTables t{};
    // Directions for the lower army (forward is N = 0); the upper army's are turned round.
    constexpr int N = 0, NE = 1, E = 2, SE = 3, S = 4, SW = 5, W = 6, NW = 7;
    constexpr std::uint8_t s = StepAttack, l = SlideAttack | StepAttack;
    std::uint8_t shapes[TypeCount][8] = {};
    auto setDirs = [&](int type, std::initializer_list<int> dirs, std::uint8_t kind) {
        for (int d : dirs) shapes[type][d] = kind;
    };
    setDirs(Pawn, {N}, s);
    setDirs(Lance, {N}, l);
    setDirs(Silver, {N, NE, NW, SE, SW}, s);
    for (int g : {Gold, ProPawn, ProLance, ProKnight, ProSilver}) setDirs(g, {N, NE, NW, E, W, S}, s);
    setDirs(Bishop, {NE, SE, SW, NW}, l);
    setDirs(Rook, {N, E, S, W}, l);
    // A king never moves, so it attacks nothing.
    setDirs(Horse, {NE, SE, SW, NW}, l);
    setDirs(Horse, {N, E, S, W}, s);
    setDirs(Dragon, {N, E, S, W}, l);
    setDirs(Dragon, {NE, SE, SW, NW}, s);
    for (int c = 0; c < 2; ++c)
        for (int type = 1; type < TypeCount; ++type)
            for (int j = 0; j < 8; ++j) {
                const int p = makePiece(Color(c), type);
                t.moves[p][c == Lower ? j : (j + 4) & 7] = shapes[type][j];
            }
    for (int p = 0; p < PieceSlots; ++p)
        for (int i = 0; i < 8; ++i) t.dir[p][i] = t.moves[p][(i + 4) & 7];
    t.knightTo[Lower][0] = -33;
    t.knightTo[Lower][1] = -31;
    t.knightTo[Upper][0] = 33;
    t.knightTo[Upper][1] = 31;
    for (int c = 0; c < 2; ++c)
        for (int k = 0; k < 2; ++k) t.knightFrom[c][k] = -t.knightTo[c][k];
    return t;
}

inline const AttackTables& attackTables() {
    static constexpr AttackTables t = makeAttackTables();
    return t;
}

}  // namespace fudo::search
