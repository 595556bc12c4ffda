#include "tests/support/invariants.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "engine/null_ports.h"
#include "tests/support/fakes.h"

namespace fudo::test {

namespace {

bool validCode(int c) { return c == KARA || c == SITA_OU_MAE || c == UE_OU_MAE || 正しい駒コード(c); }

// The opening position, as the game itself sets it up.
const IntMap& openingBoard() {
    static const IntMap board = [] {
        RecordingCanvas canvas;
        ScriptedDialogs dialogs;
        FakeHost host;
        auto g = std::make_unique<Game>(canvas, dialogs, host, nullptr);
        g->初期設定();
        return g->BAN;
    }();
    return board;
}

void apply(ReplayedPosition& p, int fx, int fy, int tx, int ty, int c, int t) {
    if (fx >= 1 && fx <= 9) p.ban(fx, fy) = KARA;
    else (c < 0 ? p.sita : p.ue)[駒種類(c)] -= 1;
    p.ban(tx, ty) = c;
    if (t <= -10) p.ue[駒種類(t)] += 1;
    else if (t >= 10) p.sita[駒種類(t)] += 1;
}

// Kings drawn before a game (8, 9) stand where the kings stand.
int normalised(int c) { return c == SITA_OU_MAE ? -OU : c == UE_OU_MAE ? OU : c; }

}  // namespace

ReplayedPosition replay(const Game& g) {
    ReplayedPosition p;
    p.ban = openingBoard();
    for (int i = 1; i <= g.KIFU_NOW; ++i)
        apply(p, g.KIFU_MOTO_X[i], g.KIFU_MOTO_Y[i], g.KIFU_SAKI_X[i], g.KIFU_SAKI_Y[i],
              g.KIFU_KOMA_ATO[i], g.KIFU_TORI[i]);
    return p;
}

ReplayedPosition replay(const 棋譜データ& d) {
    ReplayedPosition p;
    p.ban = openingBoard();
    for (const 棋譜手& m : d.手) apply(p, m.MOTO_X, m.MOTO_Y, m.SAKI_X, m.SAKI_Y, m.KOMA_ATO, m.TORI);
    return p;
}

// The differences between a replayed position and a board with hands, or empty.
std::string compare(const ReplayedPosition& p, const IntMap& ban, const std::array<int, 8>& sita,
                    const std::array<int, 8>& ue, const char* what) {
    char buf[200];
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (normalised(p.ban(x, y)) != normalised(ban(x, y))) {
                std::snprintf(buf, sizeof buf, "%s differs at (%d,%d): %d shown, %d replayed", what,
                              x, y, ban(x, y), p.ban(x, y));
                return buf;
            }
    for (int k = 1; k <= 7; ++k)
        if (p.sita[k] != sita[k] || p.ue[k] != ue[k]) return std::string(what) + " differs in the hands";
    return {};
}

std::string checkInvariants(const Game& g) {
    char buf[200];
    int kings = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            if (!validCode(g.BAN(x, y))) {
                std::snprintf(buf, sizeof buf, "bad code %d at (%d,%d)", g.BAN(x, y), x, y);
                return buf;
            }
            if (normalised(g.BAN(x, y)) == OU || normalised(g.BAN(x, y)) == -OU) ++kings;
        }
    int sitaSum = 0, ueSum = 0;
    for (int k = 1; k <= 7; ++k) {
        if (g.SITA_MOCHI[k] < 0 || g.SITA_MOCHI[k] > 18 || g.UE_MOCHI[k] < 0 || g.UE_MOCHI[k] > 18)
            return "hand count out of range";
        sitaSum += g.SITA_MOCHI[k];
        ueSum += g.UE_MOCHI[k];
    }
    // Hand totals count captured kings as well.
    if (g.SITA_MOCHI_SU < sitaSum || g.UE_MOCHI_SU < ueSum ||
        (g.SITA_MOCHI_SU - sitaSum) + (g.UE_MOCHI_SU - ueSum) + kings != 2)
        return "hand totals out of step with the hands";
    const int expected = 40 - std::abs(g.HANDE_LEVEL);
    if (g.駒総数() != expected) {
        std::snprintf(buf, sizeof buf, "%d pieces instead of %d", g.駒総数(), expected);
        return buf;
    }
    if (g.KIFU_NOW < 0 || g.KIFU_NOW > g.KIFU_LAST || g.KIFU_LAST > KIFU_MAX)
        return "move list counters out of order";
    if (g.TEBAN != 0 && !g.終了要求 && !g.終局.終わった()) {
        // A game in progress, or a record being replayed: the last move shown was made by
        // the side not to move, and in a game both kings stand where the game put them.
        // A finished game kept on the board may show its king moved or taken.
        const int last = g.KIFU_NOW >= 1 ? g.KIFU_KOMA_ATO[g.KIFU_NOW] : 0;
        if (last != 0 && (last < 0 ? g.MAN_SENGO : g.COM_SENGO) == g.TEBAN)
            return "the side that moved last is to move again";
        if (g.KIFU_MODE == 0 && (g.BAN(5, 9) != -OU || g.BAN(5, 1) != OU || kings != 2))
            return "a king is missing or displaced in a game";
    }
    // A handicap taken back to grade 0 leaves the opening position.
    if (g.HANTEN_FLAG == 0 && g.HANDE_LEVEL == 0)
        return compare(replay(g), g.BAN, g.SITA_MOCHI, g.UE_MOCHI, "replayed list");
    return {};
}

std::vector<LegalMove> legalMoves(const Game& g, int side) {
    // The checks set the game's two-pawn flags and its promotion result: use a copy.
    NullCanvas canvas;
    NullDialogs dialogs;
    NullHost host;
    auto s = std::make_unique<Game>(canvas, dialogs, host, nullptr);
    s->BAN = g.BAN;
    s->調査_2歩フラグ設定();
    std::vector<LegalMove> out;
    for (int fx = 1; fx <= 9; ++fx)
        for (int fy = 1; fy <= 9; ++fy) {
            const int c = g.BAN(fx, fy);  // kings drawn before a game (8, 9) do not move
            if (std::abs(c) < HU || (c > 0) != (side > 0)) continue;
            for (int tx = 1; tx <= 9; ++tx)
                for (int ty = 1; ty <= 9; ++ty) {
                    if (s->移動チェック(fx, fy, tx, ty, c) != 1) continue;
                    const bool must = Game::移動後チェック(ty, c) == 0;
                    out.push_back({fx, fy, tx, ty, c, g.BAN(tx, ty), must || s->調査_駒成(fx, fy, tx, ty, c) == 1, must});
                }
        }
    const auto& hand = side < 0 ? g.SITA_MOCHI : g.UE_MOCHI;
    for (int kind = 1; kind <= 7; ++kind) {
        if (hand[kind] < 1) continue;
        const int code = side * 持駒コード[kind];
        const int fx = side < 0 ? 11 : -1, fy = side < 0 ? kind + 2 : 8 - kind;
        for (int tx = 1; tx <= 9; ++tx)
            for (int ty = 1; ty <= 9; ++ty)
                if (s->移動チェック(fx, fy, tx, ty, code) == 1) out.push_back({fx, fy, tx, ty, code, KARA, false, false});
    }
    return out;
}

bool randomLegalMove(const Game& g, std::mt19937& rng, int& fx, int& fy, int& tx, int& ty) {
    const std::vector<LegalMove> moves = legalMoves(g, g.TEBAN == g.COM_SENGO ? 1 : -1);
    if (moves.empty()) return false;
    const LegalMove& m = moves[rng() % moves.size()];
    fx = m.fx, fy = m.fy, tx = m.tx, ty = m.ty;
    return true;
}

}  // namespace fudo::test
