#include "cli/selfplay.h"

#include <random>

#include <atomic>
#include <memory>

#include "cli/headless.h"
#include "notation/sfen.h"
#include "search/search.h"
#include "search/strength.h"

namespace fudo::cli {

namespace {

struct LowerMove {
    int fx, fy, tx, ty, koma;
    bool promote;
};

// The real position turned by 180°, as the computer would see it if it played the lower
// army: squares mirrored through the centre, codes negated, hands exchanged.
Position turned(const Game& g) {
    Position p;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) p.ban[10 - x][10 - y] = -g.BAN(x, y);
    for (int k = 1; k <= 7; ++k) {
        p.sitaMochi[k] = g.UE_MOCHI[k];
        p.ueMochi[k] = g.SITA_MOCHI[k];
    }
    p.sitaOuX = 10 - g.UE_OU_X;
    p.sitaOuY = 10 - g.UE_OU_Y;
    p.ueOuX = 10 - g.SITA_OU_X;
    p.ueOuY = 10 - g.SITA_OU_Y;
    return p;
}

// The lower army's choice by the computer's search, turned back to the real board.
bool searchedLowerMove(const Game& g, int level, LowerMove& out) {
    auto scratch = headlessAt(turned(g), level);
    const 探索結果 r = searchPosition(scratch->game);
    if (!r.found) return false;
    const 候補手& m = r.best;
    if (m.fx == -1) {
        out = {11, m.fy + 2, 10 - m.tx, 10 - m.ty, -m.koma, false};
    } else {
        out = {10 - m.fx, 10 - m.fy, 10 - m.tx, 10 - m.ty, -m.koma, m.placed != m.koma};
    }
    return true;
}

// The lower army's choice by the strong engine, which plays either army as it stands.
bool engineLowerMove(const Game& g, search::Engine& engine, double seconds, int step, std::uint64_t seed,
                     LowerMove& out) {
    std::atomic<bool> stop{false};
    search::Limits limits;
    limits.seconds = seconds;
    const search::Snapshot snap = search::snapshotOf(g, search::Lower);
    const search::Result r = step ? search::bestMoveAtStep(engine, snap, step, limits, seed, stop)
                                  : engine.bestMove(snap, limits, stop);
    if (r.best == search::NoMove) return false;
    const int tx = search::fileOf(search::toOf(r.best)), ty = search::rowOf(search::toOf(r.best));
    if (search::isDrop(r.best)) {
        const int kind = search::dropTypeOf(r.best);
        out = {11, kind + 2, tx, ty, -持駒コード[kind], false};
    } else {
        const int fx = search::fileOf(search::fromOf(r.best)), fy = search::rowOf(search::fromOf(r.best));
        out = {fx, fy, tx, ty, g.BAN(fx, fy), search::isPromotion(r.best)};
    }
    return true;
}

// A random legal board move of a lower piece other than the king, promoting only when it
// must.
bool randomLowerMove(const Game& g, std::mt19937_64& rng, LowerMove& out) {
    LowerMove moves[600];
    int n = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = g.BAN(x, y);
            if (c > -10 || c == -OU) continue;
            for (int x2 = 1; x2 <= 9; ++x2)
                for (int y2 = 1; y2 <= 9; ++y2)
                    if (n < 600 && g.移動チェック(x, y, x2, y2, c) == 1)
                        moves[n++] = {x, y, x2, y2, c, Game::移動後チェック(y2, c) == 0};
        }
    if (n == 0) return false;
    out = moves[rng() % static_cast<std::uint64_t>(n)];
    return true;
}

// Plays a lower move the way the board input plays a person's move in a game against the
// computer. Returns true when the computer is to reply.
bool playAsPerson(Game& g, const LowerMove& m) {
    g.手順保存(m.fx, m.fy, m.tx, m.ty, m.koma, g.BAN(m.tx, m.ty), g.MAN_JIKAN,
              g.MAN_JIKAN + g.KONKAI_JIKAN, g.COM_JIKAN, g.COM_JIKAN);
    g.TESU += 1;
    g.描画_手数(g.TESU, 色_白);
    int placed = m.koma;
    if (m.promote && g.調査_駒成(m.fx, m.fy, m.tx, m.ty, m.koma) == 1) placed = g.NARI_KOMA;
    g.KIFU_KOMA_ATO[g.KIFU_NOW] = placed;
    const int captured = g.BAN(m.tx, m.ty);
    g.駒移動(m.fx, m.fy, m.tx, m.ty, placed);
    g.効果音(g.SOUND_KOMAOTO);
    g.描画_移動結果(g.MAN_SENGO, m.tx, m.ty, placed, 色_白, m.fx, m.fy);
    if (m.koma == -OU) {
        g.効果音(g.SOUND_KINSI);
        g.描画_数値(m.tx - 0.2, m.ty - 0.2, "×", 色_明赤, 0, 40);
        g.終了("ｺﾝﾋﾟｭｰﾀ", 終局理由::王を動かした, g.COM_SENGO);
        return false;
    }
    g.Timer1_Enabled = false;
    g.MAN_JIKAN += g.KONKAI_JIKAN;
    g.勢力調査();
    if (g.詰めかCOM() == 1 || captured == OU) {
        g.終了("あなた", captured == OU ? 終局理由::王を取った : 終局理由::詰み, g.MAN_SENGO);
        return false;
    }
    if (g.終局.終わった()) return false;
    g.TEBAN = g.COM_SENGO;
    return true;
}

// The computer's last move, checked by the game's own rules on the position before it:
// the move list entry is taken back on a scratch board, then tried with 移動チェック and
// the promotion checks.
bool upperMoveLegal(const Game& g, int before, std::string& fault) {
    const int n = g.KIFU_NOW;
    if (n == before) return true;  // nothing played (the game ended)
    if (n != before + 1) {
        fault = "the computer wrote " + std::to_string(n - before) + " moves";
        return false;
    }
    auto scratch = newHeadless();
    Game& s = scratch->game;
    s.BAN = g.BAN;
    s.UE_MOCHI = g.UE_MOCHI;
    const int fx = g.KIFU_MOTO_X[n], fy = g.KIFU_MOTO_Y[n], tx = g.KIFU_SAKI_X[n], ty = g.KIFU_SAKI_Y[n];
    const int koma = g.KIFU_KOMA[n], placed = g.KIFU_KOMA_ATO[n];
    s.BAN(tx, ty) = g.KIFU_TORI[n];
    if (fx == -1) {
        s.UE_MOCHI[fy] += 1;
    } else {
        s.BAN(fx, fy) = koma;
        const int kind = 駒種類(g.KIFU_TORI[n]);
        if (kind) s.UE_MOCHI[kind] -= 1;
    }
    s.調査_2歩フラグ設定();
    bool ok = koma >= HU && koma != OU && s.移動チェック(fx, fy, tx, ty, koma) == 1;
    if (ok && fx == -1) ok = placed == koma && s.UE_MOCHI[fy] > 0 && 持駒コード[fy] == koma;
    if (ok && fx != -1) {
        const int may = s.調査_駒成(fx, fy, tx, ty, koma);
        ok = placed == koma ? Game::移動後チェック(ty, koma) == 1 : may == 1 && placed == s.NARI_KOMA;
    }
    if (!ok) fault = "the computer played an illegal move at move " + std::to_string(n);
    return ok;
}

// No piece lost or made: 40 on the board and in the hands (captured kings included) less
// the pieces of the handicap, and no negative hand count.
bool piecesConsistent(const Game& g, int expected, std::string& fault) {
    if (g.駒総数() != expected) {
        fault = "piece count " + std::to_string(g.駒総数()) + " after move " +
                std::to_string(g.KIFU_NOW);
        return false;
    }
    for (int k = 1; k <= 7; ++k)
        if (g.SITA_MOCHI[k] < 0 || g.UE_MOCHI[k] < 0) {
            fault = "negative hand count after move " + std::to_string(g.KIFU_NOW);
            return false;
        }
    return true;
}

}  // namespace

SelfplayGame playSelfplayGame(std::uint64_t seed, const SelfplayOptions& o) {
    SelfplayGame result;
    auto h = newHeadless();
    Game& g = h->game;
    std::mt19937_64 rng(seed);

    // The opening position (less the upper army's pieces of the handicap), then a game
    // against the computer with the person (the lower army) moving first.
    g.初期設定();
    for (int i = 0; i < o.handicap; ++i) g.LBEL_UP_Click();
    g.TAIKYOKU_MODE = MODE_COM;
    g.MAN_SENGO = +1;
    g.COM_SENGO = -1;
    g.TEBAN = +1;
    g.TITLE_E = DIRUVID;
    g.BAN(5, 9) = -OU;
    g.BAN(5, 1) = OU;
    g.SITA_OU_X = 5;
    g.SITA_OU_Y = 9;
    g.UE_OU_X = 5;
    g.UE_OU_Y = 1;
    g.COM_LEVEL = o.upperLevel;
    g.LEVEL4_秒 = o.upperSeconds;
    g.COM_STEP = o.upperStep;
    g.段階_種 = seed;
    g.勢力調査();
    std::unique_ptr<search::Engine> lowerEngine;
    if (o.lowerLevel == 4) lowerEngine = std::make_unique<search::Engine>();

    const int randomMoves = o.randomOpening >= 0 ? o.randomOpening : 2 + static_cast<int>(rng() % 3);
    int lowerMoves = 0, upperTurns = 0;

    auto finish = [&](SelfplayGame::Winner w, std::string reason) {
        result.winner = w;
        result.reason = std::move(reason);
    };
    auto ended = [&] { return h->host.quitRequested; };
    auto fromAnnouncement = [&] {
        if (h->dialogs.winner.empty() && g.KIFU_NOW >= KIFU_MAX)
            finish(SelfplayGame::Winner::Draw, "move list full");
        else if (h->dialogs.winner == "あなた")
            finish(SelfplayGame::Winner::Lower, "the lower army won");
        else if (h->dialogs.winner == "ｺﾝﾋﾟｭｰﾀ")
            finish(SelfplayGame::Winner::Upper, "the upper army won");
        else
            finish(SelfplayGame::Winner::Draw, "ended as '" + h->dialogs.winner + "'");
    };

    while (true) {
        // Both moves of a turn must fit in the move list.
        if (g.KIFU_NOW >= KIFU_MAX - 1) {
            finish(SelfplayGame::Winner::Draw, "move list full");
            break;
        }
        LowerMove m;
        const bool found = lowerMoves < randomMoves ? randomLowerMove(g, rng, m)
                           : lowerEngine ? engineLowerMove(g, *lowerEngine, o.lowerSeconds, o.lowerStep, seed, m)
                                         : searchedLowerMove(g, o.lowerLevel, m);
        // Picking from the hand sets the two-pawn flags before the legality check.
        if (found && m.fx == 11) g.調査_2歩フラグ設定();
        if (!found || g.移動チェック(m.fx, m.fy, m.tx, m.ty, m.koma) != 1) {
            finish(SelfplayGame::Winner::Upper, found ? "illegal lower move" : "the lower army has no move");
            if (found) result.fault = "the search chose an illegal lower move";
            break;
        }
        ++lowerMoves;
        const bool reply = playAsPerson(g, m);
        if (result.piecesOk && !piecesConsistent(g, 40 - o.handicap, result.fault)) result.piecesOk = false;
        if (ended()) {
            fromAnnouncement();
            break;
        }
        if (!reply) {
            finish(SelfplayGame::Winner::Draw, "stopped without an announcement");
            break;
        }
        ++upperTurns;
        if (o.sampleEvery > 0 && upperTurns % o.sampleEvery == 0)
            result.samples.push_back(toSfen(g, 'w', g.KIFU_NOW + 1));
        g.COM_LEVEL = o.upperLevel;
        const int before = g.KIFU_NOW;
        g.com_ban();
        if (result.fault.empty()) (void)upperMoveLegal(g, before, result.fault);
        if (result.piecesOk && !piecesConsistent(g, 40 - o.handicap, result.fault)) result.piecesOk = false;
        if (ended()) {
            fromAnnouncement();
            break;
        }
    }
    result.moves = g.KIFU_NOW;
    // The lower army moved first; the record names the armies by their levels.
    result.record = 作成_棋譜データ(g, g.KIFU_NOW, "自己対局",
                                    "下手 レベル" + std::to_string(o.lowerLevel),
                                    "上手 レベル" + std::to_string(o.upperLevel));
    result.finalSfen = toSfen(g, g.TEBAN == g.COM_SENGO ? 'w' : 'b', g.KIFU_NOW + 1);
    return result;
}

}  // namespace fudo::cli
