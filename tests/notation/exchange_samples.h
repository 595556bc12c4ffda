// Games for the exchange-format tests: random walks under the game's rules from the opening
// or a handicap grade (either side first, drops, promotions declined, kings left attacked,
// endings by a taken or moved king or by 500 moves), and a plain model of the position that
// replays a move list without any of the game's code.
#pragma once

#include <array>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "cli/headless.h"
#include "notation/game_record.h"
#include "tests/support/invariants.h"

namespace fudo::test {

// Board and hands after some moves, as the plain model keeps them.
struct 模型局面 {
    std::array<std::array<int, 10>, 10> ban{};
    std::array<int, 8> sita{}, ue{};
    friend bool operator==(const 模型局面&, const 模型局面&) = default;
};

inline 模型局面 模型_開始(int grade) {
    模型局面 p;
    int board[10][10];
    作成_開始局面(grade, board);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) p.ban[x][y] = board[x][y];
    return p;
}

inline void 模型_指す(模型局面& p, const 棋譜手& m) {
    auto& hand = m.KOMA < 0 ? p.sita : p.ue;
    if (m.MOTO_X == 11 || m.MOTO_X == -1) hand[駒種類(m.KOMA)] -= 1;
    else p.ban[m.MOTO_X][m.MOTO_Y] = 0;
    if (駒種類(m.TORI) != 0) hand[駒種類(m.TORI)] += 1;
    p.ban[m.SAKI_X][m.SAKI_Y] = m.KOMA_ATO;
}

// The game's board and hands in the model's form (pre-game kings as kings).
inline 模型局面 模型_盤面(const Game& g) {
    模型局面 p;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = g.BAN(x, y);
            p.ban[x][y] = c == SITA_OU_MAE ? -OU : c == UE_OU_MAE ? OU : c;
        }
    for (int k = 1; k <= 7; ++k) {
        p.sita[k] = g.SITA_MOCHI[k];
        p.ue[k] = g.UE_MOCHI[k];
    }
    return p;
}

// A random game under the game's rules. Each side plays any legal move of a piece other
// than the king, never taking a king, until `length` moves; the last move may instead take
// the king (when it can) or move a king. Times are random and consistent.
inline 対局記録 ランダム対局(std::mt19937_64& rng, int grade, bool upperFirst, int length) {
    auto h = cli::newHeadless();
    Game& g = h->game;
    g.初期設定();
    for (int i = 0; i < grade; ++i) g.LBEL_UP_Click();
    for (int i = 0; i > grade; --i) g.LEBEL_DOWN_Click();
    g.BAN(5, 9) = -OU;
    g.BAN(5, 1) = OU;
    対局記録 r;
    r.手合 = grade;
    r.上手先手 = upperFirst;
    const char* names[] = {"", "あなた", "コンピュータ", "羽生 一二三", "Player"};
    r.棋譜.上手名 = names[rng() % 5];
    r.棋譜.下手名 = names[rng() % 5];
    r.棋譜.対局名 = rng() % 2 ? "練習対局" : "";
    int side = upperFirst ? 1 : -1;
    int totals[2] = {0, 0};
    const int ending = static_cast<int>(rng() % 3);  // 0 none, 1 take the king, 2 move a king
    for (int ply = 1; ply <= length; ++ply) {
        const bool last = ply == length;
        std::vector<棋譜手> moves, kingTakes, kingMoves;
        for (const LegalMove& l : legalMoves(g, side)) {
            棋譜手 m{l.fx, l.fy, l.tx, l.ty, l.koma, l.koma, l.taken, 0, 0, 0, 0};
            if (l.fx == -1) m.MOTO_Y = 駒種類(l.koma);  // the list names the kind, not the stand row
            if (l.mustPromote || (l.mayPromote && rng() % 2)) m.KOMA_ATO = l.koma + side;
            (l.takesKing() ? kingTakes : l.king() ? kingMoves : moves).push_back(m);
        }
        auto& hand = side < 0 ? g.SITA_MOCHI : g.UE_MOCHI;
        std::vector<棋譜手>* pool = &moves;
        if (last && ending == 1 && !kingTakes.empty()) pool = &kingTakes;
        if (last && ending == 2 && !kingMoves.empty()) pool = &kingMoves;
        if (pool->empty()) break;
        棋譜手 m = (*pool)[rng() % pool->size()];
        // Times: mostly short, now and then long enough to pass an hour.
        const int used = rng() % 10 == 0 ? static_cast<int>(rng() % 4000) : static_cast<int>(rng() % 90);
        int& mine = totals[side > 0 ? 1 : 0];
        const int other = totals[side > 0 ? 0 : 1];
        const int after = std::min(mine + used, 棋譜時間最大);
        if (side < 0) m.MAN_JIKAN_MAE = mine, m.MAN_JIKAN = after, m.COM_JIKAN_MAE = m.COM_JIKAN = other;
        else m.COM_JIKAN_MAE = mine, m.COM_JIKAN = after, m.MAN_JIKAN_MAE = m.MAN_JIKAN = other;
        mine = after;
        // Play it.
        if (m.MOTO_X == 11 || m.MOTO_X == -1) hand[駒種類(m.KOMA)] -= 1;
        else g.BAN(m.MOTO_X, m.MOTO_Y) = 0;
        if (駒種類(m.TORI) != 0) hand[駒種類(m.TORI)] += 1;
        g.BAN(m.SAKI_X, m.SAKI_Y) = m.KOMA_ATO;
        r.棋譜.手.push_back(m);
        if (std::abs(m.TORI) == OU || std::abs(m.KOMA) == OU) break;
        side = -side;
    }
    return r;
}

}  // namespace fudo::test
