#include "search/evaluate.h"

#include "search/attack_tables.h"

namespace fudo::search {

EvalWeights& evalWeights() {
    static EvalWeights w;
    return w;
}

int kingSafety(const Position& pos, Color owner, const EvalWeights& w) {
    const AttackTables& at = attackTables();
    const Color enemy = ~owner;
    const Square k = pos.king(owner);
    int danger = 0, guard = 0;

    // Pieces the enemy holds that could check from a square next to the king.
    int handTypes[7];
    int handCount = 0;
    for (int t = Pawn; t <= Rook; ++t)
        if (pos.hand(enemy, t) > 0) handTypes[handCount++] = t;

    for (int i = 0; i < 8; ++i) {
        const Square s = k + Directions[i];
        const Piece p = pos.at(s);
        if (p == Wall) continue;
        int count[2];
        pos.attackCounts(s, count);
        const int a = count[enemy], d = count[owner];
        danger += w.ringAttack * a;
        if (a > d) danger += w.ringOverload * (a - d);
        if (p == Empty) {
            // A piece dropped on s checks when it moves from s toward the king (direction
            // i + 4 from s). A contact check is answered only by taking the piece.
            bool checks = false;
            for (int j = 0; j < handCount && !checks; ++j) {
                const int t = handTypes[j];
                if (t == Knight) continue;
                if (t == Pawn && pos.pawnOnFile(enemy, fileOf(s))) continue;
                checks = at.moves[makePiece(enemy, t)][(i + 4) & 7] != 0;
            }
            if (checks) danger += d == 0 ? w.dropMate : w.dropCheck;
        } else if (colorOf(p) == owner) {
            guard += w.nearGuard;
        }
    }

    // Knight checks: only a capture answers them.
    if (pos.hand(enemy, Knight) > 0) {
        for (int d : at.knightFrom[enemy]) {
            const Square s = k + d;
            if (pos.at(s) != Empty) continue;
            int count[2];
            pos.attackCounts(s, count);
            if (count[owner] == 0) danger += w.knightDrop;
        }
    }

    // Open lines: a slider dropped at their far end checks from a distance.
    const bool rookInHand = pos.hand(enemy, Rook) > 0, bishopInHand = pos.hand(enemy, Bishop) > 0;
    if (rookInHand || bishopInHand) {
        for (int i = 0; i < 8; ++i) {
            if (!((i & 1) ? bishopInHand : rookInHand)) continue;
            int run = 0;
            for (Square s = k + Directions[i]; pos.at(s) == Empty; s += Directions[i]) ++run;
            if (run >= 2) danger += w.openLine * run;
        }
    }

    // Enemy pieces close to the king.
    const int kx = fileOf(k), ky = rowOf(k);
    for (int y = ky - 2; y <= ky + 2; ++y) {
        if (y < 1 || y > 9) continue;
        for (int x = kx - 2; x <= kx + 2; ++x) {
            if (x < 1 || x > 9) continue;
            const Piece p = pos.at(square(x, y));
            if (p != Empty && colorOf(p) == enemy) danger += w.nearEnemy;
        }
    }
    // Threats on a king that cannot step aside add up faster than one by one.
    return guard - danger - danger * danger * w.dangerGrowth / 10000;
}

bool dropMates(const Position& pos) {
    const AttackTables& at = attackTables();
    const Color us = pos.sideToMove(), them = ~us;
    const Square k = pos.king(them);
    bool knight = false, any = false;
    for (int t = Pawn; t <= Rook; ++t)
        if (pos.hand(us, t) > 0) (t == Knight ? knight : any) = true;
    if (any) {
        for (int i = 0; i < 8; ++i) {
            const Square s = k + Directions[i];
            if (pos.at(s) != Empty || pos.attacked(s, them)) continue;
            for (int t = Pawn; t <= Rook; ++t) {
                if (t == Knight || pos.hand(us, t) == 0) continue;
                if (t == Pawn && pos.pawnOnFile(us, fileOf(s))) continue;
                if (at.moves[makePiece(us, t)][(i + 4) & 7]) return true;
            }
        }
    }
    if (knight)
        for (int d : at.knightFrom[us]) {
            const Square s = k + d;
            if (pos.at(s) == Empty && !pos.attacked(s, them)) return true;
        }
    return false;
}

int evaluate(const Position& pos, const EvalWeights& w) {
    const int lowerView = pos.material() + kingSafety(pos, Lower, w) - kingSafety(pos, Upper, w);
    const int v = pos.sideToMove() == Lower ? lowerView : -lowerView;
    return v + w.tempo;
}

}  // namespace fudo::search
