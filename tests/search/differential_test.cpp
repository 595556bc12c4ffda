// The strong engine against the game's own rules over positions from self-play: the move
// set against 移動チェック / 調査_駒成 / 移動後チェック for every source and destination, the
// engine's "leaves the king attacked" against the game's pieces reaching the king, make
// against 駒移動, the engine's mate against 詰めかMAN / 詰めかCOM, and its shortcut for a
// mating drop against trying every drop.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <set>
#include <tuple>

#include "search/evaluate.h"
#include "search/movegen.h"
#include "search/search.h"
#include "tests/support/fakes.h"

namespace fudo::search {
namespace {

using Key = std::tuple<int, int, int, int, bool>;  // fx, fy, tx, ty, promote (drops: fx -1/11)

Key keyOf(Move m, Color side) {
    const int tx = fileOf(toOf(m)), ty = rowOf(toOf(m));
    if (isDrop(m)) {
        const int k = dropTypeOf(m);
        return {side == Upper ? -1 : 11, side == Upper ? k : k + 2, tx, ty, false};
    }
    return {fileOf(fromOf(m)), rowOf(fromOf(m)), tx, ty, isPromotion(m)};
}

void load(Game& g, const Position& pos) {
    const Snapshot s = pos.snapshot();
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) g.BAN(x, y) = s.ban[x][y];
    g.SITA_MOCHI = s.sitaMochi;
    g.UE_MOCHI = s.ueMochi;
    g.SITA_MOCHI_SU = g.UE_MOCHI_SU = 0;
    for (int k = 1; k <= 7; ++k) {
        g.SITA_MOCHI_SU += s.sitaMochi[k];
        g.UE_MOCHI_SU += s.ueMochi[k];
    }
    g.SITA_OU_X = fileOf(pos.king(Lower));
    g.SITA_OU_Y = rowOf(pos.king(Lower));
    g.UE_OU_X = fileOf(pos.king(Upper));
    g.UE_OU_Y = rowOf(pos.king(Upper));
}

// Every move the game accepts for the side to move, king moves left out.
std::set<Key> gameMoves(Game& g, Color side) {
    std::set<Key> out;
    g.調査_2歩フラグ設定();
    const int sign = side == Upper ? 1 : -1;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = g.BAN(x, y);
            if (c * sign < HU || c * sign == OU) continue;
            for (int tx = 1; tx <= 9; ++tx)
                for (int ty = 1; ty <= 9; ++ty) {
                    if (g.移動チェック(x, y, tx, ty, c) != 1) continue;
                    if (g.調査_駒成(x, y, tx, ty, c) == 0) {
                        out.insert({x, y, tx, ty, false});
                    } else {
                        out.insert({x, y, tx, ty, true});
                        if (Game::移動後チェック(ty, c) == 1) out.insert({x, y, tx, ty, false});
                    }
                }
        }
    const auto& hand = side == Upper ? g.UE_MOCHI : g.SITA_MOCHI;
    for (int k = 1; k <= 7; ++k) {
        if (hand[k] == 0) continue;
        const int fx = side == Upper ? -1 : 11, fy = side == Upper ? k : k + 2;
        for (int tx = 1; tx <= 9; ++tx)
            for (int ty = 1; ty <= 9; ++ty)
                if (g.移動チェック(fx, fy, tx, ty, sign * 持駒コード[k]) == 1) out.insert({fx, side == Upper ? k : k + 2, tx, ty, false});
    }
    return out;
}

// Some piece of `by` can go to the square by the game's check.
bool gameReaches(const Game& g, int tx, int ty, Color by) {
    const int sign = by == Upper ? 1 : -1;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = g.BAN(x, y);
            if (c * sign >= HU && c * sign != OU && g.移動チェック(x, y, tx, ty, c) == 1) return true;
        }
    return false;
}

Snapshot opening() {
    test::Rig rig;
    Game& g = rig.game;
    g.初期設定();
    g.BAN(5, 9) = -OU;
    g.BAN(5, 1) = OU;
    Snapshot s = snapshotOf(g, Lower);
    return s;
}

// 詰めかCOM's trial replies with the maps surveyed afresh for each: 1 when none keeps the
// upper king.
int comMatedWithFreshMap(Game& g) {
    const int kx = g.UE_OU_X, ky = g.UE_OU_Y;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int code = g.BAN(x, y);
            if (code < HU || code > SYA_NARI) continue;
            for (int x2 = 1; x2 <= 9; ++x2)
                for (int y2 = 1; y2 <= 9; ++y2) {
                    g.勢力調査();
                    if ((x2 == x && y2 == y) || g.SITA_OUTE(x2, y2) <= 0 || g.移動チェック(x, y, x2, y2, code) != 1) continue;
                    const int kept = g.BAN(x2, y2);
                    g.BAN(x2, y2) = code;
                    g.BAN(x, y) = KARA;
                    g.勢力調査();
                    g.BAN(x, y) = code;
                    g.BAN(x2, y2) = kept;
                    if (g.SITA_SEIRYOKU.at(kx, ky) == 0) return 0;
                }
        }
    return 1;
}

TEST(EngineAgainstTheRules, MoveSetsLegalityMakeAndMateOverSelfPlay) {
    test::Rig rig;
    Game& g = rig.game;
    Engine engine(1);
    std::atomic<bool> stop{false};
    std::mt19937_64 rng(12345);
    Move moves[MaxMoves];

    int positions = 0, games = 0, checks = 0, mates = 0, mateDisagreements = 0, deepChecked = 0;
    int dropMatesClaimed = 0, dropMatesFound = 0, liveMapVerdicts = 0;
    while (positions < 10000) {
        ++games;
        Position pos;
        ASSERT_TRUE(pos.set(opening()));
        for (int ply = 0; ply < 400; ++ply) {
            ++positions;
            const Color us = pos.sideToMove();
            ASSERT_TRUE(pos.consistent()) << pos.sfen();
            load(g, pos);

            // The move set, both ways.
            const int n = generateMoves(pos, moves, GenMode::All);
            std::set<Key> mine;
            for (int i = 0; i < n; ++i) {
                ASSERT_NE(typeOf(pos.at(fromOf(moves[i]))), King) << "a king moved in " << pos.sfen();
                ASSERT_TRUE(mine.insert(keyOf(moves[i], us)).second) << "twice: " << usi(moves[i]);
            }
            const std::set<Key> theirs = gameMoves(g, us);
            if (mine != theirs) {
                std::vector<Key> extra, missing;
                std::set_difference(mine.begin(), mine.end(), theirs.begin(), theirs.end(), std::back_inserter(extra));
                std::set_difference(theirs.begin(), theirs.end(), mine.begin(), mine.end(), std::back_inserter(missing));
                FAIL() << pos.sfen() << ": engine has " << extra.size() << " moves the game refuses, misses "
                       << missing.size();
            }
            // The search's set is the same less the non-promotions promotion dominates.
            Move searchMoves[MaxMoves];
            const int ns = generateMoves(pos, searchMoves, GenMode::Search);
            for (int i = 0; i < ns; ++i) EXPECT_TRUE(isPseudoLegal(pos, searchMoves[i])) << usi(searchMoves[i]);

            // Legality and make, against the game, on every fifth position.
            const bool inCheck = pos.inCheck();
            EXPECT_EQ(inCheck, gameReaches(g, fileOf(pos.king(us)), rowOf(pos.king(us)), ~us)) << pos.sfen();
            int legal = 0;
            if (positions % 5 == 0) {
                ++deepChecked;
                for (int i = 0; i < n; ++i) {
                    const Move m = moves[i];
                    const bool engineLegal = isLegal(pos, m, inCheck);
                    legal += engineLegal;
                    Undo u;
                    const std::uint64_t before = pos.key();
                    pos.make(m, u);
                    ASSERT_EQ(pos.key(), pos.computeKey()) << usi(m);
                    // The same move by the game's own procedure.
                    load(g, pos);
                    const Snapshot after = pos.snapshot();
                    pos.unmake(m, u);
                    ASSERT_EQ(pos.key(), before);
                    load(g, pos);
                    const auto [fx, fy, tx, ty, promote] = keyOf(m, us);
                    int placed = isDrop(m) ? (us == Upper ? 1 : -1) * 持駒コード[dropTypeOf(m)] : g.BAN(fx, fy);
                    if (promote) placed += us == Upper ? 1 : -1;
                    g.駒移動(fx, fy, tx, ty, placed);
                    for (int x = 1; x <= 9; ++x)
                        for (int y = 1; y <= 9; ++y) ASSERT_EQ(g.BAN(x, y), after.ban[x][y]) << usi(m);
                    if (typeOf(u.captured) != King) {
                        ASSERT_EQ(g.SITA_MOCHI, after.sitaMochi) << usi(m);
                        ASSERT_EQ(g.UE_MOCHI, after.ueMochi) << usi(m);
                    }
                    EXPECT_EQ(engineLegal, !gameReaches(g, fileOf(pos.king(us)), rowOf(pos.king(us)), ~us))
                        << pos.sfen() << " " << usi(m);
                    load(g, pos);
                }
                rig.canvas.clear();
            } else {
                for (int i = 0; i < n; ++i) legal += isLegal(pos, moves[i], inCheck);
            }

            // The search's shortcut for a mating drop against mating drops found by trying
            // every drop: whatever it claims must be a mate.
            if (positions % 5 == 0 && !inCheck && !pos.canTakeKing()) {
                bool mateByDrop = false;
                for (int i = 0; i < n && !mateByDrop; ++i) {
                    if (!isDrop(moves[i]) || !isLegal(pos, moves[i], inCheck)) continue;
                    Undo u;
                    pos.make(moves[i], u);
                    if (pos.inCheck()) {
                        Move replies[MaxMoves];
                        const int r = generateMoves(pos, replies, GenMode::All);
                        bool kept = false;
                        for (int j = 0; j < r && !kept; ++j) kept = isLegal(pos, replies[j], true);
                        mateByDrop = !kept;
                    }
                    pos.unmake(moves[i], u);
                }
                const bool claimed = dropMates(pos);
                dropMatesClaimed += claimed;
                dropMatesFound += mateByDrop;
                EXPECT_TRUE(!claimed || mateByDrop) << pos.sfen();
            }

            // Mate: attacked and nothing keeps the king, against the game's test (which
            // counts drops only as dropsCannotBlock says).
            if (inCheck && !pos.canTakeKing()) {
                ++checks;
                int boardEvasions = 0, dropEvasions = 0;
                for (int i = 0; i < n; ++i)
                    if (isLegal(pos, moves[i], inCheck)) ++(isDrop(moves[i]) ? dropEvasions : boardEvasions);
                EXPECT_EQ(boardEvasions + dropEvasions, legal);
                const bool mated = boardEvasions == 0 && (dropEvasions == 0 || dropsCannotBlock(pos, us));
                load(g, pos);
                g.調査_2歩フラグ設定();
                g.勢力調査();
                const int gameMated = us == Lower ? g.詰めかMAN() : g.詰めかCOM();
                mates += mated;
                // 詰めかCOM reads the map of checking squares live, so after a trial reply
                // it may skip a capture that would answer the check; the engine follows the
                // rules instead. Such a verdict must vanish when every trial sees the map of
                // the position itself.
                if (mated != (gameMated == 1)) {
                    const bool liveMapOnly = us == Upper && gameMated == 1 && !comMatedWithFreshMap(g);
                    liveMapVerdicts += liveMapOnly;
                    if (!liveMapOnly) ++mateDisagreements;
                }
            }

            if (pos.canTakeKing() || pos.movesPlayed() >= 500) break;
            // Next move: mostly the engine at a shallow depth, sometimes a random legal move.
            Move next = NoMove;
            if (rng() % 4 == 0) {
                Move legalMoves[MaxMoves];
                int k = 0;
                for (int i = 0; i < n; ++i)
                    if (isLegal(pos, moves[i], inCheck)) legalMoves[k++] = moves[i];
                if (k) next = legalMoves[rng() % k];
            } else {
                Limits limits;
                limits.depth = 1 + int(rng() % 2);
                next = engine.bestMove(pos.snapshot(), limits, stop).best;
            }
            if (next == NoMove) break;
            Undo u;
            pos.make(next, u);
        }
    }
    EXPECT_GE(positions, 10000);
    EXPECT_GT(checks, 100) << "the games gave few checks";
    EXPECT_GT(mates, 10);
    // Most mating drops are next to the king on a square no defender reaches.
    EXPECT_GE(dropMatesClaimed, 5);
    EXPECT_LE(liveMapVerdicts, 3);
    EXPECT_GE(dropMatesClaimed * 2, dropMatesFound);
    // Every mate the engine sees, the game sees, and the other way round.
    EXPECT_EQ(mateDisagreements, 0) << "of " << checks << " positions in check";
    RecordProperty("games", games);
    RecordProperty("checks", checks);
    RecordProperty("mates", mates);
    RecordProperty("deepChecked", deepChecked);
}

}  // namespace
}  // namespace fudo::search
