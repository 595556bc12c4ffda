// Searching every position of a record and marking the moves that lost ground.
#include "analysis/analysis.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/constants.h"

namespace fudo::analysis {

namespace {

// The win chance of an evaluation follows a logistic curve, and a mark is a fall in the
// mover's chance. Set from ten games reviewed at 200 ms a position (533 moves, see the
// README): LEVEL4's own moves at 200 ms fall by 10 points 1.6 % of the time, by 20 or 35
// points 0.7 %; LEVEL3's 8 %, 6 % and 5 %. A bishop lost for nothing in a level game is ~45.
constexpr double 勝率尺度 = 600.0;
constexpr double 疑問手幅 = 10.0;  // percentage points of the mover's chance
constexpr double 悪手幅 = 20.0;
constexpr double 大悪手幅 = 35.0;

}  // namespace

void 局面に指す(search::Snapshot& s, const 棋譜手& m) {
    const bool lower = m.KOMA < 0;
    auto& hand = lower ? s.sitaMochi : s.ueMochi;
    if (m.MOTO_X == 11 || m.MOTO_X == -1) {
        const int kind = 駒種類(m.KOMA);
        if (kind > 0 && hand[kind] > 0) hand[kind] -= 1;
    } else if (m.MOTO_X >= 1 && m.MOTO_X <= 9 && m.MOTO_Y >= 1 && m.MOTO_Y <= 9) {
        s.ban[m.MOTO_X][m.MOTO_Y] = 0;
    }
    if (m.SAKI_X >= 1 && m.SAKI_X <= 9 && m.SAKI_Y >= 1 && m.SAKI_Y <= 9) {
        const int taken = 駒種類(s.ban[m.SAKI_X][m.SAKI_Y]);
        if (taken > 0) hand[taken] += 1;
        s.ban[m.SAKI_X][m.SAKI_Y] = m.KOMA_ATO;
    }
    s.toMove = lower ? search::Upper : search::Lower;
    s.movesPlayed += 1;
}

棋譜手 棋譜手に(const search::Snapshot& s, search::Move m) {
    棋譜手 k;
    const bool upper = s.toMove == search::Upper;
    const int sign = upper ? 1 : -1;
    const search::Square to = search::toOf(m);
    k.SAKI_X = search::fileOf(to);
    k.SAKI_Y = search::rowOf(to);
    if (search::isDrop(m)) {
        const int kind = search::dropTypeOf(m);
        k.MOTO_X = upper ? -1 : 11;
        k.MOTO_Y = upper ? kind : kind + 2;
        k.KOMA = k.KOMA_ATO = sign * 持駒コード[kind];
        return k;
    }
    const search::Square from = search::fromOf(m);
    k.MOTO_X = search::fileOf(from);
    k.MOTO_Y = search::rowOf(from);
    k.KOMA = s.ban[k.MOTO_X][k.MOTO_Y];
    k.KOMA_ATO = search::isPromotion(m) ? k.KOMA + sign : k.KOMA;
    k.TORI = s.ban[k.SAKI_X][k.SAKI_Y];
    return k;
}

namespace {

// The engine's score (side to move's view) from ▲'s side.
int 先手から(int score, search::Color toMove, search::Color 先手) { return toMove == 先手 ? score : -score; }

局面評価 評価に(const search::Info& info, search::Color toMove, search::Color 先手) {
    局面評価 e;
    e.済 = true;
    e.評価値 = 先手から(info.score, toMove, 先手);
    e.深さ = info.depth;
    e.ノード数 = info.nodes;
    e.読み筋.assign(info.pv, info.pv + std::max(0, std::min(info.pvLength, search::MaxPly)));
    return e;
}

}  // namespace

int 詰み手数(int 評価値) { return 詰みか(評価値) ? std::max(0, search::MateScore - std::abs(評価値)) : 0; }

const char* 印記号(印 m) {
    switch (m) {
    case 印::疑問手: return "?!";
    case 印::悪手: return "?";
    case 印::大悪手: return "??";
    default: return "";
    }
}

const char* 印の名前(印 m) {
    switch (m) {
    case 印::疑問手: return "疑問手";
    case 印::悪手: return "悪手";
    case 印::大悪手: return "大悪手";
    default: return "";
    }
}

double 勝率(int 評価値) {
    if (評価値 >= search::MateBound) return 100.0;
    if (評価値 <= -search::MateBound) return 0.0;
    return 100.0 / (1.0 + std::exp(-評価値 / 勝率尺度));
}

印 判定_印(int before, int after, bool 先手の手) {
    double fall = 勝率(before) - 勝率(after);
    if (!先手の手) fall = -fall;
    if (fall >= 大悪手幅) return 印::大悪手;
    if (fall >= 悪手幅) return 印::悪手;
    if (fall >= 疑問手幅) return 印::疑問手;
    return 印::なし;
}

局面列 作成_局面列(const 対局記録& r) {
    局面列 out;
    out.先手 = 向き(r).回転 ? search::Upper : search::Lower;
    int board[10][10];
    作成_開始局面(r.手合, board);
    search::Snapshot s;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) s.ban[x][y] = board[x][y];
    s.toMove = r.上手先手 ? search::Upper : search::Lower;
    if (!r.棋譜.手.empty()) s.toMove = r.棋譜.手.front().KOMA > 0 ? search::Upper : search::Lower;
    s.movesPlayed = 0;
    s.upperMateEndsGame = r.対COM;
    out.局面.push_back(s);
    for (const 棋譜手& m : r.棋譜.手) {
        局面に指す(s, m);
        out.局面.push_back(s);
    }
    return out;
}

棋譜解析::集計 棋譜解析::集計する() const {
    集計 c;
    for (std::size_t i = 0; i < 印列.size() && i < 先手の手.size(); ++i)
        if (印列[i] != 印::なし) ++c.数[先手の手[i] ? 0 : 1][static_cast<int>(印列[i]) - 1];
    return c;
}

bool 棋譜解析::完了() const {
    for (const 局面評価& e : 局面)
        if (!e.済) return false;
    return !局面.empty();
}

局面評価 局面を解析(const search::Snapshot& s, search::Color 先手, search::Engine& engine,
                    const search::Limits& limits, const std::atomic<bool>& stop,
                    const std::function<void(const 局面評価&)>& sink) {
    // The engine plays a lone legal move after one iteration; a review looks past it, up to
    // a few forced moves in a row.
    std::vector<search::Move> forced;
    search::Snapshot at = s;
    for (;;) {
        search::InfoSink each;
        if (sink)
            each = [&](const search::Info& info) {
                局面評価 e = 評価に(info, at.toMove, 先手);
                e.読み筋.insert(e.読み筋.begin(), forced.begin(), forced.end());
                e.深さ += static_cast<int>(forced.size());
                sink(e);
            };
        const search::Result r = engine.bestMove(at, limits, stop, each);
        if (r.best == search::NoMove) {
            if (forced.empty()) return {};
            // The forced moves ended the game: the side to move there has lost.
            局面評価 e;
            e.済 = true;
            e.評価値 = at.toMove == 先手 ? -search::MateScore : search::MateScore;
            e.深さ = static_cast<int>(forced.size());
            e.読み筋 = forced;
            return e;
        }
        局面評価 e = 評価に(r.info, at.toMove, 先手);
        // A move found before a whole iteration (a king to take, one way out) has no line yet.
        if (e.読み筋.empty()) e.読み筋.push_back(r.best);
        const bool shortOfDepth = r.info.depth <= 1 && limits.depth != 1 && !r.stopped && !r.losing &&
                                  r.info.score != search::MateScore - 1 && !stop.load();
        if (!shortOfDepth || forced.size() >= 8) {
            const int plies = static_cast<int>(forced.size());
            e.読み筋.insert(e.読み筋.begin(), forced.begin(), forced.end());
            e.深さ += plies;
            // A mate after the forced moves is that much further away.
            if (詰みか(e.評価値)) e.評価値 += e.評価値 > 0 ? -plies : plies;
            return e;
        }
        forced.push_back(r.best);
        局面に指す(at, 棋譜手に(at, r.best));
    }
}

bool 同じ手か(const search::Snapshot& s, const 棋譜手& played, search::Move m) {
    if (m == search::NoMove) return false;
    const 棋譜手 k = 棋譜手に(s, m);
    if (k.SAKI_X != played.SAKI_X || k.SAKI_Y != played.SAKI_Y || k.KOMA_ATO != played.KOMA_ATO) return false;
    const bool drop = played.MOTO_X == 11 || played.MOTO_X == -1;
    return drop ? search::isDrop(m) : !search::isDrop(m) && k.MOTO_X == played.MOTO_X && k.MOTO_Y == played.MOTO_Y;
}

void 印を付ける(const 対局記録& r, 棋譜解析& a) {
    const 局面列 ps = 作成_局面列(r);
    const std::size_t n = r.棋譜.手.size();
    a.印列.assign(n, 印::なし);
    a.先手の手.assign(n, false);
    for (std::size_t i = 0; i < n; ++i) {
        const bool upper = r.棋譜.手[i].KOMA > 0;
        a.先手の手[i] = (upper ? search::Upper : search::Lower) == ps.先手;
        if (i + 1 >= a.局面.size() || !a.局面[i].済 || !a.局面[i + 1].済) continue;
        // The engine's own choice is never a mistake, however the next search judges it.
        const auto& line = a.局面[i].読み筋;
        if (!line.empty() && 同じ手か(ps.局面[i], r.棋譜.手[i], line.front())) continue;
        a.印列[i] = 判定_印(a.局面[i].評価値, a.局面[i + 1].評価値, a.先手の手[i]);
    }
}

棋譜解析 解析する(const 対局記録& r, search::Engine& engine, const search::Limits& limits,
                  const std::atomic<bool>& stop, const 進捗& progress) {
    return 解析を続ける(r, {}, engine, limits, stop, progress);
}

棋譜解析 解析を続ける(const 対局記録& r, 棋譜解析 a, search::Engine& engine, const search::Limits& limits,
                      const std::atomic<bool>& stop, const 進捗& progress) {
    const 局面列 ps = 作成_局面列(r);
    a.局面.resize(ps.局面.size());
    // The last position of a finished game is settled by how it ended, not searched.
    const 終局情報 end = 調査_終局(r);
    const std::size_t last = ps.局面.size() - 1;
    // From the last position back to the first: what the table learnt of the end (a mate,
    // a lost piece) is there when the positions before it are searched.
    for (std::size_t k = ps.局面.size(); k-- > 0 && !stop.load();) {
        const std::size_t i = k;
        if (a.局面[i].済) continue;
        局面評価 e;
        if (i == last && end.result != 終局情報::結果::なし) {
            e.済 = true;
            e.評価値 = end.result == 終局情報::結果::先手勝ち   ? search::MateScore
                       : end.result == 終局情報::結果::後手勝ち ? -search::MateScore
                                                                : 0;
        } else {
            e = 局面を解析(ps.局面[i], ps.先手, engine, limits, stop);
            if (stop.load()) break;  // cut short: not a verdict
            // No move at all (a king already lost): the side to move has lost.
            if (!e.済) {
                e.済 = true;
                e.評価値 = ps.局面[i].toMove == ps.先手 ? -search::MateScore : search::MateScore;
            }
        }
        a.局面[i] = e;
        if (progress) progress(static_cast<int>(i), a.局面[i]);
    }
    印を付ける(r, a);
    return a;
}

}  // namespace fudo::analysis
