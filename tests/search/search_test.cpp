// The strong engine's search on positions built by hand: mates and their absence as the
// game defines them (checked against 詰めかMAN), the 500-move draw, taking a king, and time
// and stopping driven by an injected clock instead of the wall.
#include <gtest/gtest.h>

#include <atomic>
#include <initializer_list>

#include "search/movegen.h"
#include "search/search.h"
#include "tests/support/fakes.h"

namespace fudo::search {
namespace {

constexpr int kPawn = 1, kSilver = 4, kGold = 5;  // hand kinds

struct Placed {
    int x, y, code;
};

// Kings on their squares (5, 9) and (5, 1) plus the given pieces and hands.
Snapshot build(std::initializer_list<Placed> pieces, Color toMove, std::initializer_list<int> lowerHand = {},
               std::initializer_list<int> upperHand = {}, int movesPlayed = 40) {
    Snapshot s;
    s.ban[5][9] = -OU;
    s.ban[5][1] = OU;
    for (const Placed& p : pieces) s.ban[p.x][p.y] = p.code;
    for (int k : lowerHand) ++s.sitaMochi[k];
    for (int k : upperHand) ++s.ueMochi[k];
    s.toMove = toMove;
    s.movesPlayed = movesPlayed;
    return s;
}

int legalMoves(Position& pos) {
    Move moves[MaxMoves];
    const int n = generateMoves(pos, moves, GenMode::All);
    const bool check = pos.inCheck();
    int legal = 0;
    for (int i = 0; i < n; ++i) legal += isLegal(pos, moves[i], check);
    return legal;
}

// The game's own verdict on the lower king of the snapshot.
int gameMatesLower(const Snapshot& s) {
    test::Rig rig;
    Game& g = rig.game;
    test::clearBoard(g);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) g.BAN(x, y) = s.ban[x][y];
    g.SITA_MOCHI = s.sitaMochi;
    g.UE_MOCHI = s.ueMochi;
    for (int k = 1; k <= 7; ++k) {
        g.SITA_MOCHI_SU += s.sitaMochi[k];
        g.UE_MOCHI_SU += s.ueMochi[k];
    }
    g.SITA_OU_X = 5, g.SITA_OU_Y = 9, g.UE_OU_X = 5, g.UE_OU_Y = 1;
    g.調査_2歩フラグ設定();
    g.勢力調査();
    return g.詰めかMAN();
}

TEST(SearchRules, MateAsTheGameDefinesIt) {
    // mated: no move keeps the king (the engine's rule for the lower king); gameSays: the
    // game's 詰めかMAN, which differs when only pawns are in hand.
    struct Case {
        const char* what;
        Snapshot s;
        bool mated;
        int gameSays = mated ? 1 : 0;
    };
    const Case cases[] = {
        {"a gold next to the king, held by a pawn, nothing can take it",
         build({{5, 8, KIN}, {5, 7, HU}}, Lower), true},
        {"the same gold taken by a gold beside the king",
         build({{5, 8, KIN}, {5, 7, HU}, {4, 9, -KIN}}, Lower), false},
        {"empty squares round the king do not help: it never moves",
         build({{4, 8, KIN}, {3, 7, HU}}, Lower), true},
        {"a rook three squares away is blocked by a drop",
         build({{5, 6, SYA}}, Lower, {kSilver}), false},
        {"the same rook with an empty hand",
         build({{5, 6, SYA}}, Lower), true},
        {"only pawns in hand and both blocking squares in columns with a pawn",
         build({{8, 9, SYA}, {6, 6, -HU}, {7, 6, -HU}}, Lower, {1}), true},
        {"the same with a promoted pawn in one column: that pawn drop blocks, but the game "
         "counts drops only when a pawn fits on every square between",
         build({{8, 9, SYA}, {6, 6, -HU_NARI}, {7, 6, -HU}}, Lower, {1}), false, 1},
        {"a knight check: only a capture answers it",
         build({{4, 7, KEI}}, Lower, {kGold}), true},
        {"a knight check answered by a silver",
         build({{4, 7, KEI}, {3, 8, -GIN}}, Lower), false},
        {"a piece pinned to its king cannot take the checker",
         build({{5, 8, KIN}, {5, 7, HU}, {4, 9, -KIN}, {1, 9, SYA}}, Lower), true},
    };
    for (const Case& c : cases) {
        Position pos;
        ASSERT_TRUE(pos.set(c.s)) << c.what;
        ASSERT_TRUE(pos.inCheck()) << c.what;
        EXPECT_EQ(legalMoves(pos) == 0, c.mated) << c.what;
        EXPECT_EQ(gameMatesLower(c.s), c.gameSays) << c.what;
        // The search agrees: a mated side is lost at once, otherwise it plays on.
        Engine engine(1);
        std::atomic<bool> stop{false};
        Limits limits;
        limits.depth = 2;
        const Result r = engine.bestMove(c.s, limits, stop);
        EXPECT_EQ(r.losing, c.mated) << c.what;
        if (!c.mated) {
            EXPECT_TRUE(isLegal(pos, r.best, true)) << c.what << ": " << usi(r.best);
        }
    }
}

TEST(SearchRules, UpperKingLostWhereTheGameCallsItMated) {
    // The upper king checked along row 1 with only a pawn in hand; a pawn fits on (4, 1) but
    // not on (3, 1), where column 3 holds an upper pawn. The game ends such a position as
    // the lower army's win, so the engine counts it lost in a game against the computer and
    // blocks between two persons, where only a taken king ends the game.
    Snapshot s = build({{2, 1, -SYA}, {3, 4, HU}, {4, 4, HU_NARI}}, Upper, {}, {kPawn});
    Engine engine(1);
    std::atomic<bool> stop{false};
    Limits limits;
    limits.depth = 2;
    Position pos;
    ASSERT_TRUE(pos.set(s));
    EXPECT_TRUE(dropsCannotBlock(pos, Upper));
    EXPECT_FALSE(dropsCannotBlock(pos, Lower));
    EXPECT_TRUE(engine.bestMove(s, limits, stop).losing);
    s.upperMateEndsGame = false;
    const Result r = engine.bestMove(s, limits, stop);
    EXPECT_FALSE(r.losing);
    EXPECT_EQ(usi(r.best), "P*6a");
}

TEST(SearchRules, FindsMatesTakesKingsAndDrawsAtTheFullMoveList) {
    Engine engine(1);
    std::atomic<bool> stop{false};
    Limits limits;
    limits.depth = 4;

    // A gold dropped in front of the king, the one square next to it the lower pawns do
    // not cover: mate in one, and the game calls it mate too.
    const Snapshot mateInOne = build({{4, 9, -HU}, {6, 9, -HU}}, Upper, {}, {kGold});
    Result r = engine.bestMove(mateInOne, limits, stop);
    EXPECT_EQ(usi(r.best), "G*5h");
    EXPECT_EQ(r.info.score, MateScore - 1) << usi(r.best);
    EXPECT_EQ(usiScore(r.info.score), "mate 1");
    EXPECT_LT(r.info.depth, 4) << "a mate found ends the search";
    Position pos;
    ASSERT_TRUE(pos.set(mateInOne));
    Undo u;
    pos.make(r.best, u);
    EXPECT_EQ(legalMoves(pos), 0) << usi(r.best);
    EXPECT_EQ(gameMatesLower(pos.snapshot()), 1) << usi(r.best);
    // Mated, the lower side knows it.
    r = engine.bestMove(pos.snapshot(), limits, stop);
    EXPECT_TRUE(r.losing);

    // A king that can be taken is taken at once.
    const Snapshot open = build({{5, 5, SYA}}, Upper);
    r = engine.bestMove(open, limits, stop);
    EXPECT_EQ(usi(r.best), "5e5i+");
    EXPECT_EQ(r.info.score, MateScore - 1);

    // A rook up, but the next move fills the move list: every line is a draw.
    const Snapshot last = build({{2, 5, SYA}}, Upper, {}, {}, 499);
    r = engine.bestMove(last, limits, stop);
    EXPECT_NE(r.best, NoMove);
    EXPECT_EQ(r.info.score, 0);
    // Further from the end the material counts again.
    const Snapshot nearly = build({{2, 5, SYA}}, Upper, {}, {}, 480);
    EXPECT_GT(engine.bestMove(nearly, limits, stop).info.score, 500);
    // A full list: no move at all.
    const Snapshot full = build({{2, 5, SYA}}, Upper, {}, {}, 500);
    EXPECT_EQ(engine.bestMove(full, limits, stop).best, NoMove);
}

TEST(SearchTime, BudgetAndStopFollowTheInjectedClock) {
    // The opening position, the upper army to move.
    Snapshot start;
    {
        test::Rig rig;
        rig.game.初期設定();
        rig.game.BAN(5, 9) = -OU;
        rig.game.BAN(5, 1) = OU;
        start = snapshotOf(rig.game, Upper);
    }
    // A clock that moves 1 ms per reading: time is the number of readings.
    auto run = [&](double seconds, int* readings) {
        Engine engine(1);
        engine.options().pollEvery = 256;
        double t = 0;
        engine.setClock([&t, readings] {
            ++*readings;
            return t += 0.001;
        });
        std::atomic<bool> stop{false};
        Limits limits;
        limits.seconds = seconds;
        return engine.bestMove(start, limits, stop);
    };
    int readingsA = 0, readingsB = 0;
    const Result a = run(0.2, &readingsA);
    const Result b = run(0.2, &readingsB);
    EXPECT_NE(a.best, NoMove);
    EXPECT_GT(a.info.depth, 0);
    // Not a whole iteration past half the budget, and never past the budget.
    EXPECT_LE(a.info.seconds, 0.2 + 0.005);
    EXPECT_GE(a.info.seconds, 0.1);
    // Same clock, same search: the wall has no say.
    EXPECT_EQ(a.info.nodes, b.info.nodes);
    EXPECT_EQ(a.best, b.best);
    EXPECT_EQ(readingsA, readingsB);
    // Twice the budget searches more.
    int readingsC = 0;
    EXPECT_GT(run(0.4, &readingsC).info.nodes, a.info.nodes);

    // A stop set meanwhile (as another thread would) ends the search at the next reading.
    Engine engine(1);
    engine.options().pollEvery = 256;
    std::atomic<bool> stop{false};
    int reads = 0;
    engine.setClock([&] {
        if (++reads == 20) stop.store(true);
        return 0.0;  // a clock that stands still: only the flag can end this search
    });
    Limits endless;
    endless.seconds = 1000;
    const Result s = engine.bestMove(start, endless, stop);
    EXPECT_TRUE(s.stopped);
    EXPECT_NE(s.best, NoMove);
    EXPECT_LE(s.info.nodes, 20u * 256u + 256u);
}

}  // namespace
}  // namespace fudo::search
