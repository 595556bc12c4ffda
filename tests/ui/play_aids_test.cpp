// The play aids as the drawing shows them: the last move's tint, the guidance tints with
// the king's losing squares, and the turn mark, checked against a model of the screen built
// from the canvas's log.
#include <map>
#include <random>
#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "tests/control/control_support.h"

namespace fudo::test {
namespace {

// What the log says each board square and each turn-mark place shows now.
struct Screen {
    std::map<std::pair<int, int>, std::pair<int, Tint>> squares;  // (x, y) -> (code, tint)
    std::map<std::pair<int, int>, int> outlines;                   // (x, y) -> colour
    std::map<double, std::string> turnMarks;                       // x of the place -> text

    void apply(const std::vector<DrawOp>& ops) {
        for (const DrawOp& op : ops) {
            const int x = int(op.x), y = int(op.y);
            const bool cell = x == op.x && y == op.y;
            if ((op.kind == DrawOp::Picture || op.kind == DrawOp::TintedPicture) && cell) {
                if (x >= 1 && x <= 9 && y >= 1 && y <= 9) squares[{x, y}] = {op.code, op.tint};
                if (y == 10 && x == 13) turnMarks.erase(13.0);
                if (y == 10 && x == -2) turnMarks.erase(-1.6);
            } else if (op.kind == DrawOp::Outline && cell) {
                outlines[{x, y}] = op.code;
            } else if (op.kind == DrawOp::Text && op.y == 10.1 && (op.x == 13.0 || op.x == -1.6)) {
                turnMarks[op.x] = op.text;
            }
        }
    }
    Tint tint(int x, int y) const {
        auto it = squares.find({x, y});
        return it == squares.end() ? Tint::None : it->second.second;
    }
};

class PlayAids : public ControlTest {
protected:
    Screen screen;

    void allAidsOn() {
        g.補助 = {true, true, true};
        guidanceOn();
    }
    // Takes what was drawn since the last look into the screen model.
    void look() {
        screen.apply(rig.canvas.ops);
        rig.canvas.clear();
    }
    // The turn mark the game should show now, by place, from its state alone.
    std::map<double, std::string> expectedTurnMark() const {
        if (!g.補助.手番 || g.TEBAN == 0 || g.KIFU_MODE == 1) return {};
        const std::string text = g.TEBAN == g.TE_SENTE ? "▲手番" : "△手番";
        return {{g.TEBAN == g.MAN_SENGO ? 13.0 : -1.6, text}};
    }
    // Checks every square and the turn mark against the game's state.
    void expectScreenMatchesTheGame(int step) {
        look();
        // The last move: source and destination, only the destination of a drop.
        std::set<std::pair<int, int>> lastFrom, lastTo;
        if (g.KIFU_NOW >= 1) {
            const int n = g.KIFU_NOW;
            lastTo.insert({g.KIFU_SAKI_X[n], g.KIFU_SAKI_Y[n]});
            if (g.KIFU_MOTO_X[n] >= 1 && g.KIFU_MOTO_X[n] <= 9) lastFrom.insert({g.KIFU_MOTO_X[n], g.KIFU_MOTO_Y[n]});
        }
        std::set<std::pair<int, int>> guided, reach;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                auto it = screen.squares.find({x, y});
                ASSERT_NE(it, screen.squares.end()) << step;
                ASSERT_EQ(it->second.first, g.BAN(x, y)) << "step " << step << " at " << x << "," << y;
                const Tint t = it->second.second;
                if (t == Tint::Reach || t == Tint::Losing) guided.insert({x, y});
                if (g.移動チェック(g.SENTAKU_X, g.SENTAKU_Y, x, y, g.SENTAKU_KOMA) == 1) reach.insert({x, y});
                const bool from = lastFrom.count({x, y}) > 0, to = lastTo.count({x, y}) > 0;
                ASSERT_TRUE(t != Tint::LastTo || to) << step;
                ASSERT_TRUE(t != Tint::LastFrom || from) << step;
                ASSERT_TRUE(t != Tint::None || !(from || to)) << "step " << step << " at " << x << "," << y;
                // A king's squares are tinted as losing and not invited; others are invited.
                const bool king = g.SENTAKU_KOMA == OU || g.SENTAKU_KOMA == -OU;
                ASSERT_TRUE(t != Tint::Losing || king) << step;
                ASSERT_TRUE(t != Tint::Reach || (!king && screen.outlines[std::pair(x, y)] == g.SIDOU_COLOR)) << step;
            }
        // Guidance shows the whole reach of the remembered pick, or nothing.
        ASSERT_TRUE(guided.empty() || guided == reach) << "step " << step;
        ASSERT_EQ(screen.turnMarks, expectedTurnMark()) << "step " << step;
    }
};

// Random clicks in two-person games with every aid on: after each click the screen shows
// exactly the marks of the game's state, painted only where they change.
TEST_F(PlayAids, TheScreenAlwaysShowsTheMarksOfThePosition) {
    std::mt19937 rng(1234);
    rig.dialogs.defaultYesNo = Answer::Yes;
    allAidsOn();
    g.画面_再描画();
    look();
    EXPECT_TRUE(screen.turnMarks.empty()) << "no game yet";
    g.START_Click();
    int moves = 0, guidance = 0, losing = 0, drops = 0, steps = 0;
    std::uniform_int_distribution<int> col(-1, 11), row(1, 9), pct(0, 99);
    for (int i = 0; i < 2500 && !HasFailure(); ++i) {
        const int n = g.KIFU_NOW;
        if (pct(rng) < 4 && g.TEBAN != 0) {
            // Steps back or forward: the mark follows the move that led to the position.
            if (pct(rng) < 50) g.REPLAY_Click(); else g.AFTER_Click();
            g.描画_補助();  // as the window does after every command
            ++steps;
        } else {
            // Mostly the mover's pieces and their reach, so that games advance.
            int x = col(rng), y = row(rng);
            if (pct(rng) < 15) {  // the mover's stand
                x = g.TEBAN == g.MAN_SENGO ? 11 : -1;
                y = g.TEBAN == g.MAN_SENGO ? row(rng) % 7 + 3 : row(rng) % 7 + 1;
            } else if (g.SENTAKU == 1 && pct(rng) < 70) {
                std::vector<std::pair<int, int>> to;
                for (int tx = 1; tx <= 9; ++tx)
                    for (int ty = 1; ty <= 9; ++ty)
                        if (g.移動チェック(g.SENTAKU_X, g.SENTAKU_Y, tx, ty, g.SENTAKU_KOMA) == 1) to.push_back({tx, ty});
                if (!to.empty()) std::tie(x, y) = to[std::uniform_int_distribution<size_t>(0, to.size() - 1)(rng)];
            }
            click(g, x, y, pct(rng) < 20 ? 右ボタン : 左ボタン);
        }
        expectScreenMatchesTheGame(i);
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                guidance += screen.tint(x, y) == Tint::Reach;
                losing += screen.tint(x, y) == Tint::Losing;
            }
        if (g.KIFU_NOW == n + 1 && (g.KIFU_MOTO_X[n + 1] == 11 || g.KIFU_MOTO_X[n + 1] == -1)) ++drops;
        if (g.KIFU_NOW == n + 1) ++moves;
        if (g.TEBAN == 0) {
            EXPECT_TRUE(screen.turnMarks.empty()) << "the game is over";
            g.START_Click();
        }
    }
    EXPECT_GT(moves, 150);
    EXPECT_GT(steps, 40);
    EXPECT_GT(guidance, 0);
    EXPECT_GT(losing, 0);
    EXPECT_GT(drops, 0) << moves << " moves";
}

// With the aids off nothing of them is drawn: no tint, no turn mark.
TEST_F(PlayAids, OffTheyDrawNothing) {
    guidanceOn();
    startTwoPersons();
    rig.canvas.clear();
    move(g, 7, 7, 7, 6);
    click(g, 5, 9);  // the king's reach
    EXPECT_EQ(rig.canvas.lastOutlineAt(4, 8), 色_白) << "the king's squares stay invited as before";
    g.画面_再描画();
    EXPECT_EQ(rig.canvas.count(DrawOp::TintedPicture), 0);
    EXPECT_FALSE(rig.canvas.hasText("▲手番") || rig.canvas.hasText("△手番"));
}

// Against the computer: its move is tinted and the turn mark moves to it while it thinks
// and back after its answer.
TEST_F(PlayAids, AgainstTheComputerBothMovesAreMarked) {
    allAidsOn();
    g.SENTE_Click();
    g.描画_補助();
    look();
    EXPECT_EQ(screen.turnMarks, (std::map<double, std::string>{{13.0, "▲手番"}}));

    click(g, 7, 7);
    look();
    EXPECT_EQ(screen.tint(7, 6), Tint::Reach);
    EXPECT_EQ(screen.outlines[std::pair(7, 7)], 色_明赤) << "the pick's own outline stays red";
    click(g, 7, 6);  // the computer answers inside the click
    ASSERT_EQ(g.KIFU_NOW, 2);
    // The computer's mark came before its move was drawn, the person's after it.
    const auto& ops = rig.canvas.ops;
    auto indexOf = [&](auto pred) {
        for (size_t i = 0; i < ops.size(); ++i)
            if (pred(ops[i])) return int(i);
        return -1;
    };
    const int upperMark = indexOf([](const DrawOp& o) { return o.kind == DrawOp::Text && o.text == "△手番"; });
    const int comMove = indexOf([&](const DrawOp& o) {
        return o.kind == DrawOp::TintedPicture && o.tint == Tint::LastTo && o.x == g.KIFU_SAKI_X[2] && o.y == g.KIFU_SAKI_Y[2];
    });
    const int lowerMark = indexOf([](const DrawOp& o) { return o.kind == DrawOp::Text && o.text == "▲手番"; });
    EXPECT_TRUE(upperMark >= 0 && comMove > upperMark && lowerMark > comMove) << upperMark << " " << comMove << " " << lowerMark;
    expectScreenMatchesTheGame(0);
    EXPECT_EQ(screen.tint(7, 6), Tint::None) << "the person's move is no longer the last";
    // The computer's destination keeps the white outline it was given.
    EXPECT_EQ(screen.outlines[std::pair(g.KIFU_SAKI_X[2], g.KIFU_SAKI_Y[2])], 色_白);
}

// Each repainted square has its outline and the outlines of the squares to its left and
// above drawn again, as its picture covers their lines.
TEST_F(PlayAids, ATintedSquareRestoresTheOutlinesItCovers) {
    allAidsOn();
    startTwoPersons();
    click(g, 8, 8);  // the rook: its reach runs left along row 8
    const auto& ops = rig.canvas.ops;
    for (size_t i = 0; i < ops.size(); ++i) {
        if (ops[i].kind != DrawOp::TintedPicture) continue;
        const double x = ops[i].x, y = ops[i].y;
        std::set<std::pair<double, double>> redrawn;
        for (size_t j = i + 1; j < ops.size() && j <= i + 3; ++j)
            if (ops[j].kind == DrawOp::Outline) redrawn.insert({ops[j].x, ops[j].y});
        EXPECT_TRUE(redrawn.count({x, y}));
        EXPECT_TRUE(x == 1 || redrawn.count({x - 1, y})) << x << "," << y;
        EXPECT_TRUE(y == 1 || redrawn.count({x, y - 1})) << x << "," << y;
    }
    EXPECT_GT(rig.canvas.count(DrawOp::TintedPicture), 0);
}

}  // namespace
}  // namespace fudo::test
