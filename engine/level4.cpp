// Level 4 and the hint: the strong engine of search/ chooses a move on a snapshot of the
// position. The host may run the search on another thread, so nothing of the game is
// touched until it has returned; the chosen move is then played by com_ban_着手 like any
// other computer move.
#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

#include "engine/game.h"
#include "search/search.h"
#include "search/strength.h"

namespace fudo {

// The window's level 4 and hint search on every core of the machine.
struct 強い探索 {
    search::Engine engine{32};
    std::atomic<bool> stop{false};
    強い探索() { engine.setThreads(int(std::max(1u, std::thread::hardware_concurrency()))); }
};

強い探索& Game::強い探索機() {
    if (!強い探索_) 強い探索_ = std::make_shared<強い探索>();
    return *強い探索_;
}

void Game::探索中止() {
    探索中止済み = true;
    強い探索機().stop.store(true);
}

namespace {

// The search for one army, run through the host; empty when the program is ending. The
// computer's own move keeps to its strength step; the hint is always full strength.
search::Result 探索する(Game& g, 強い探索& s, search::Color side, int step = 0) {
    search::Result r;
    // A stop asked before this search began (the program is closing) ends this one; the
    // flag is then spent, so that a stop the program outlives leaves the next search alone.
    if (s.stop.exchange(false)) {
        g.探索中止済み = true;
        return r;
    }
    g.探索中止済み = false;
    const search::Snapshot snap = search::snapshotOf(g, side);
    const std::uint64_t seed = g.段階_種;
    search::Limits limits;
    limits.seconds = g.LEVEL4_秒;
    // The computer's own move under a time control: the search spends its time by the clock.
    if (g.対局時間.有効() && g.TAIKYOKU_MODE == MODE_COM && g.TEBAN == g.COM_SENGO && side == search::Upper) {
        const 時計の状態 c = g.時計(g.COM_SENGO);
        limits.seconds = 0;
        limits.clockTime = c.本体残り;
        if (g.対局時間.方式 == 持ち時間方式::フィッシャー) limits.increment = g.対局時間.加算;
        if (g.対局時間.方式 == 持ち時間方式::秒読み) limits.byoyomi = g.対局時間.秒読み;
        if (limits.clockTime <= 0 && limits.byoyomi <= 0) limits.clockTime = 0.05;
    }
    // The hint under a time control: its search ends by the time the person's clock runs
    // out, and the clock is only shown meanwhile; the loss is judged once it is back.
    const bool hint = g.対局時間.有効() && !(g.TAIKYOKU_MODE == MODE_COM && g.TEBAN == g.COM_SENGO);
    if (hint) {
        const double left = std::max(0.05, g.時計(g.時計の番()).猶予());
        limits.seconds = limits.seconds > 0 ? std::min(limits.seconds, left) : left;
    }
    g.host().runWork(
        [&r, &s, &snap, &limits, step, seed] {
            r = step > 0 ? search::bestMoveAtStep(s.engine, snap, step, limits, seed, s.stop)
                         : s.engine.bestMove(snap, limits, s.stop);
        },
        [&g, hint] {
            if (hint)
                g.時計を見る();
            else
                g.Timer1_Timer();
        },
        [&g] { g.探索中止(); });
    s.stop.store(false);  // spent by this search; 探索中止済み tells the caller
    return r;
}

// The engine's move as the game writes a candidate: a drop from the army's stand (upper:
// column -1 and the kind; lower: column 11 and the stand row), the code before and after.
候補手 候補手に(const Game& g, search::Move m, search::Color side) {
    候補手 c;
    const int sign = side == search::Upper ? 1 : -1;
    c.tx = search::fileOf(search::toOf(m));
    c.ty = search::rowOf(search::toOf(m));
    if (search::isDrop(m)) {
        const int kind = search::dropTypeOf(m);
        c.fx = side == search::Upper ? -1 : 11;
        c.fy = side == search::Upper ? kind : kind + 2;
        c.koma = c.placed = sign * 持駒コード[kind];
    } else {
        c.fx = search::fileOf(search::fromOf(m));
        c.fy = search::rowOf(search::fromOf(m));
        c.koma = g.BAN(c.fx, c.fy);
        c.placed = search::isPromotion(m) ? c.koma + sign : c.koma;
    }
    return c;
}

}  // namespace

const char* 駒の名前(int code) {
    switch (code < 0 ? -code : code) {
    case HU: return "歩";
    case HU_NARI: return "と";
    case KYOU: return "香";
    case KYOU_NARI: return "成香";
    case KEI: return "桂";
    case KEI_NARI: return "成桂";
    case GIN: return "銀";
    case GIN_NARI: return "成銀";
    case KIN: return "金";
    case KAKU: return "角";
    case KAKU_NARI: return "馬";
    case SYA: return "飛";
    case SYA_NARI: return "龍";
    case OU: return "玉";
    default: return "？";
    }
}

// The move in words, in the usual notation: destination (file 10 - x, rank y), the piece,
// then 成 for a promotion or 打 for a drop: "７六歩", "２二角成", "５二金打".
std::string 指し手の文字(const 候補手& m) {
    std::string s(Game::文字列変換(10 - m.tx));
    s += Game::文字列変換(1000 + m.ty);
    s += 駒の名前(m.koma);
    if (m.fx == -1 || m.fx == 11)
        s += "打";
    else if (m.placed != m.koma)
        s += "成";
    return s;
}

探索結果 Game::com_ban_LEVEL4() {
    探索結果 out;
    const search::Result r = 探索する(*this, 強い探索機(), search::Upper, COM_STEP);
    if (r.best == search::NoMove) return out;
    out.found = true;
    out.best = 候補手に(*this, r.best, search::Upper);
    out.score = Score(r.info.score);
    return out;
}

void Game::ヒント消去() {
    if (ヒント_TX == 0) return;
    描画_桝輪郭(色_緑, ヒント_FX, ヒント_FY);
    描画_桝輪郭(色_緑, ヒント_TX, ヒント_TY);
    ヒント_FX = ヒント_FY = ヒント_TX = ヒント_TY = 0;
}

void Game::ヒント_Click() {
    ヒント消去();
    const char* refusal = nullptr;
    if (KIFU_MODE == 1)
        refusal = "棋譜ﾓｰﾄﾞではヒントは出せません";
    else if (TEBAN == 0)
        refusal = "対局中ではないのでヒントは出せません";
    else if (終局.終わった())
        refusal = "対局は終わりました";
    else if (TAIKYOKU_MODE == MODE_COM && TEBAN == COM_SENGO)
        refusal = "ｺﾝﾋﾟｭｰﾀの番です";
    else if (KIFU_NOW >= KIFU_MAX)
        refusal = "500手に達しています";
    if (refusal) {
        効果音(SOUND_KINSI);
        host().setStatusLine(refusal);
        return;
    }
    const search::Color side = TEBAN == MAN_SENGO ? search::Lower : search::Upper;
    host().setStatusLine("ヒントを考えています…");
    const search::Result r = 探索する(*this, 強い探索機(), side);
    if (探索中止済み) return;
    // The time ran out while the hint was sought: the game is lost and no hint is drawn.
    if (今の時間を確かめる()) return;
    if (r.best == search::NoMove) {
        host().setStatusLine("指せる手がありません");
        return;
    }
    if (r.losing) {
        // Every move leaves the king to be taken: no move to recommend.
        host().setStatusLine("ヒント：詰んでいます");
        return;
    }
    const 候補手 m = 候補手に(*this, r.best, side);
    // A drop is outlined on its stand cell: the upper stand shows kind k in row 8 - k.
    ヒント_FX = m.fx;
    ヒント_FY = m.fx == -1 ? 8 - m.fy : m.fy;
    ヒント_TX = m.tx;
    ヒント_TY = m.ty;
    描画_桝輪郭(色_黄, ヒント_FX, ヒント_FY);
    描画_桝輪郭(色_黄, m.tx, m.ty);
    canvas().refresh();
    Host::HintMove hint;
    hint.move = MoveParts{m.koma, m.tx, m.ty, m.fx, m.fy};
    hint.captures = m.fx != -1 && m.fx != 11 && BAN(m.tx, m.ty) != 0;
    hint.promotes = m.placed != m.koma;
    host().showHint(hint, "ヒント：" + 指し手の文字(m));
}

}  // namespace fudo
