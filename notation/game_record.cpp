#include "notation/game_record.h"

#include <algorithm>
#include <cstdlib>

#include "engine/game.h"
#include "engine/null_ports.h"
#include "notation/english_notation.h"

namespace fudo {

namespace {

int 側(int code) { return code > 0 ? 1 : (code < 0 ? -1 : 0); }

bool 成れる駒(int a) {
    return a == HU || a == KYOU || a == KEI || a == GIN || a == KAKU || a == SYA;
}

bool 打ちか(const 棋譜手& m) { return m.MOTO_X == 11 || m.MOTO_X == -1; }

bool 盤内(int x, int y) { return x >= 1 && x <= 9 && y >= 1 && y <= 9; }

// A board with its hands on a game object, so that every check is the game's own.
class 盤再生 {
public:
    explicit 盤再生(int grade) : g_(new Game(canvas_, dialogs_, host_, nullptr)) {
        g_->初期設定();
        for (int i = 0; i < grade && i < 10; ++i) g_->LBEL_UP_Click();
        for (int i = 0; i > grade && i > -10; --i) g_->LEBEL_DOWN_Click();
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                if (g_->BAN(x, y) == SITA_OU_MAE) g_->BAN(x, y) = -OU;
                if (g_->BAN(x, y) == UE_OU_MAE) g_->BAN(x, y) = OU;
            }
    }
    ~盤再生() { delete g_; }
    盤再生(const 盤再生&) = delete;
    盤再生& operator=(const 盤再生&) = delete;

    Game& g() { return *g_; }
    int 盤(int x, int y) const { return g_->BAN(x, y); }
    int& 持駒(int side, int kind) { return side < 0 ? g_->SITA_MOCHI[kind] : g_->UE_MOCHI[kind]; }

    // The move as the game's move list holds it, from a move of a file; empty when the
    // game's rules allow it, else why not.
    std::string 作成(const 読込手& r, const 記録の向き& o, int s, 棋譜手& m) {
        int x, y;
        o.盤座標(r.先筋, r.先段, x, y);
        if (!盤内(x, y)) return "移動先が盤の外です";
        m = {};
        m.SAKI_X = x;
        m.SAKI_Y = y;
        if (r.打) {
            const int kind = 駒種類(r.駒後);
            if (kind == 0 || r.駒後 != 持駒コード[kind]) return "その駒は打てません";
            if (持駒(s, kind) < 1) return "持駒にない駒を打っています";
            const int code = s * 持駒コード[kind];
            m.MOTO_X = s < 0 ? 11 : -1;
            m.MOTO_Y = s < 0 ? kind + 2 : kind;
            g_->調査_2歩フラグ設定();
            if (g_->移動チェック(m.MOTO_X, m.MOTO_Y, x, y, code) != 1)
                return "そこには打てません(駒のある升、二歩、行き所のない駒)";
            m.KOMA = m.KOMA_ATO = code;
            return {};
        }
        int fx, fy;
        o.盤座標(r.元筋, r.元段, fx, fy);
        if (!盤内(fx, fy)) return "移動元が盤の外です";
        const int p = 盤(fx, fy);
        if (p == KARA || 側(p) != s) return "移動元に手番の駒がありません";
        const int a = std::abs(p);
        if (r.駒後 != a && !(成れる駒(a) && r.駒後 == a + 1)) return "駒の種類が盤の駒と合いません";
        if (g_->移動チェック(fx, fy, x, y, p) != 1) return "その駒はそこへ動けません";
        const bool promote = r.駒後 != a;
        if (promote && g_->調査_駒成(fx, fy, x, y, p) != 1) return "成れない位置で成っています";
        if (!promote && Game::移動後チェック(y, p) == 0) return "行き所のない駒になります";
        m.MOTO_X = fx;
        m.MOTO_Y = fy;
        m.KOMA = p;
        m.KOMA_ATO = promote ? p + s : p;
        m.TORI = 盤(x, y);
        return {};
    }

    // Why a move of the game's list does not fit the position, or empty.
    std::string 検査(const 棋譜手& m) {
        const int s = 側(m.KOMA);
        if (s == 0 || !盤内(m.SAKI_X, m.SAKI_Y)) return "座標か駒が正しくありません";
        if (m.TORI != 盤(m.SAKI_X, m.SAKI_Y)) return "移動先の駒が記録と違います";
        if (打ちか(m)) {
            const int kind = 駒種類(m.KOMA);
            if (kind == 0 || m.KOMA != s * 持駒コード[kind] || m.KOMA_ATO != m.KOMA ||
                (m.MOTO_X == 11) != (s < 0))
                return "打った駒が正しくありません";
            if (持駒(s, kind) < 1) return "持駒にない駒を打っています";
            g_->調査_2歩フラグ設定();
            if (g_->移動チェック(m.MOTO_X, m.MOTO_Y, m.SAKI_X, m.SAKI_Y, m.KOMA) != 1)
                return "そこには打てません";
            return {};
        }
        if (!盤内(m.MOTO_X, m.MOTO_Y) || 盤(m.MOTO_X, m.MOTO_Y) != m.KOMA)
            return "移動元に動かした駒がありません";
        if (g_->移動チェック(m.MOTO_X, m.MOTO_Y, m.SAKI_X, m.SAKI_Y, m.KOMA) != 1)
            return "その駒はそこへ動けません";
        if (m.KOMA_ATO != m.KOMA) {
            if (m.KOMA_ATO != m.KOMA + s ||
                g_->調査_駒成(m.MOTO_X, m.MOTO_Y, m.SAKI_X, m.SAKI_Y, m.KOMA) != 1)
                return "成れない駒か位置で成っています";
        } else if (Game::移動後チェック(m.SAKI_Y, m.KOMA) == 0) {
            return "行き所のない駒になります";
        }
        return {};
    }

    void 指す(const 棋譜手& m) {
        const int s = 側(m.KOMA);
        if (打ちか(m)) {
            持駒(s, 駒種類(m.KOMA)) -= 1;
        } else {
            g_->BAN(m.MOTO_X, m.MOTO_Y) = KARA;
        }
        const int t = g_->BAN(m.SAKI_X, m.SAKI_Y);
        if (駒種類(t) != 0) 持駒(s, 駒種類(t)) += 1;
        g_->BAN(m.SAKI_X, m.SAKI_Y) = m.KOMA_ATO;
    }

    // The promotion of a board move was possible but declined.
    bool 不成か(const 棋譜手& m) {
        return !打ちか(m) && m.KOMA_ATO == m.KOMA && 成れる駒(std::abs(m.KOMA)) &&
               g_->調査_駒成(m.MOTO_X, m.MOTO_Y, m.SAKI_X, m.SAKI_Y, m.KOMA) == 1 &&
               Game::移動後チェック(m.SAKI_Y, m.KOMA) == 1;
    }

    // The king of `side` stands on a square a piece of the other side reaches.
    bool 王手(int side) const {
        int kx = 0, ky = 0;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                if (盤(x, y) == side * OU) kx = x, ky = y;
        if (kx == 0) return false;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                const int q = 盤(x, y);
                if (側(q) == -side && g_->移動チェック(x, y, kx, ky, q) == 1) return true;
            }
        return false;
    }

    // Some move of `side` leaves its king unattacked; the king itself moves only when
    // 玉も (standard shogi) — in this game it never does.
    bool 逃れあり(int side, bool 玉も) {
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                const int q = 盤(x, y);
                if (側(q) != side || (q == side * OU && !玉も)) continue;
                for (int tx = 1; tx <= 9; ++tx)
                    for (int ty = 1; ty <= 9; ++ty) {
                        if (g_->移動チェック(x, y, tx, ty, q) != 1) continue;
                        const int kept = 盤(tx, ty);
                        if (kept == -side * OU) return true;  // takes the attacker's king
                        g_->BAN(tx, ty) = q;
                        g_->BAN(x, y) = KARA;
                        const bool safe = !王手(side);
                        g_->BAN(x, y) = q;
                        g_->BAN(tx, ty) = kept;
                        if (safe) return true;
                    }
            }
        g_->調査_2歩フラグ設定();
        for (int kind = 1; kind <= 7; ++kind) {
            if (持駒(side, kind) < 1) continue;
            const int code = side * 持駒コード[kind];
            for (int tx = 1; tx <= 9; ++tx)
                for (int ty = 1; ty <= 9; ++ty) {
                    if (g_->移動チェック(side < 0 ? 11 : -1, 1, tx, ty, code) != 1) continue;
                    g_->BAN(tx, ty) = code;
                    const bool safe = !王手(side);
                    g_->BAN(tx, ty) = KARA;
                    if (safe) return true;
                }
        }
        return false;
    }

    // Why standard shogi does not allow the move in this position, or なし.
    終局情報::非標準 標準外(const 棋譜手& m) {
        using N = 終局情報::非標準;
        if (std::abs(m.TORI) == OU) return N::玉取り;
        const int s = 側(m.KOMA);
        const IntMap ban = g_->BAN;
        const auto sita = g_->SITA_MOCHI, ue = g_->UE_MOCHI;
        指す(m);
        N why = N::なし;
        if (王手(s)) {
            why = N::自玉に利き;
        } else if (打ちか(m) && 駒種類(m.KOMA) == 1 && 王手(-s) && !逃れあり(-s, true)) {
            why = N::打ち歩詰め;
        }
        g_->BAN = ban;
        g_->SITA_MOCHI = sita;
        g_->UE_MOCHI = ue;
        return why;
    }

private:
    NullCanvas canvas_;
    NullDialogs dialogs_;
    NullHost host_;
    Game* g_;
};

// The game ends with a move that takes or moves a king; nothing may follow it.
bool 終局手(const 棋譜手& m) { return std::abs(m.TORI) == OU || std::abs(m.KOMA) == OU; }

constexpr const char* 全角数字[10] = {"", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
constexpr const char* 漢数字[10] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};

}  // namespace

void 作成_開始局面(int grade, int board[10][10]) {
    盤再生 b(grade);
    for (int x = 0; x <= 9; ++x)
        for (int y = 0; y <= 9; ++y) board[x][y] = (x && y) ? b.盤(x, y) : 0;
}

void 作成_記録の開始局面(const 対局記録& r, int rec[10][10]) {
    int board[10][10];
    作成_開始局面(r.手合, board);
    const 記録の向き o = 向き(r);
    for (int f = 0; f <= 9; ++f)
        for (int rk = 0; rk <= 9; ++rk) rec[f][rk] = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            int f, rk;
            o.記録座標(x, y, f, rk);
            rec[f][rk] = o.記録の駒(board[x][y]);
        }
}

記録読込結果 組立_対局記録(const 読込内容& in) {
    記録読込結果 out;
    int grade = 0;
    bool 回転 = in.向き指定 > 0;
    bool 先手番 = true;
    if (in.局面あり) {
        bool found = false;
        if (!in.局面.持駒あり) {
            const bool order[2] = {回転, !回転};
            for (int o = 0; o < 2 && !found; ++o) {
                for (int gr = 0; gr <= 20 && !found; ++gr) {
                    const int cand = gr <= 10 ? gr : 10 - gr;  // 0..10, then -1..-10
                    int board[10][10];
                    作成_開始局面(cand, board);
                    const 記録の向き turn{order[o], false};
                    bool same = true;
                    for (int x = 1; x <= 9 && same; ++x)
                        for (int y = 1; y <= 9 && same; ++y) {
                            int f, r;
                            turn.記録座標(x, y, f, r);
                            const int want = turn.記録の駒(board[x][y]);
                            same = in.局面.盤[f][r] == want;
                        }
                    if (same) {
                        found = true;
                        grade = cand;
                        回転 = order[o];
                    }
                }
            }
        }
        if (!found) {
            out.error = "開始局面が平手にも不動将棋の駒落ちにもありません";
            return out;
        }
        先手番 = in.局面.先手番;
    }
    if (in.手.size() > static_cast<std::size_t>(KIFU_MAX)) {
        out.error = "指し手が" + std::to_string(KIFU_MAX) + "手を超えています";
        return out;
    }

    対局記録& rec = out.記録;
    rec.手合 = grade;
    rec.上手先手 = 記録の向き::読込(grade, 回転, 先手番).上手先手;
    rec.開始日時 = in.開始日時;
    rec.棋譜.対局名 = in.対局名;
    rec.棋譜.上手名 = 回転 ? in.先手名 : in.後手名;
    rec.棋譜.下手名 = 回転 ? in.後手名 : in.先手名;

    std::vector<std::string> notes = in.注記;
    const 記録の向き 読んだ向き{回転, rec.上手先手};  // as the file is laid out
    盤再生 b(grade);
    int s = rec.上手先手 ? 1 : -1;
    int total[2] = {0, 0};  // [0] lower, [1] upper
    for (std::size_t i = 0; i < in.手.size(); ++i) {
        const std::string at = std::to_string(i + 1) + "手目";
        // Built by appending: GCC 12 warns falsely (-Wrestrict) on "x" + std::string at -O3.
        std::string line;
        if (i < in.行.size()) line = std::to_string(in.行[i]).insert(0, 1, '(') + "行目)";
        if (i > 0 && 終局手(rec.棋譜.手.back())) {
            if (std::abs(rec.棋譜.手.back().KOMA) != OU || std::abs(rec.棋譜.手.back().TORI) == OU) {
                out.error = at + line + ": 玉を取って終わった後に指し手があります";
                return out;
            }
            // A king move ends the game here, its mover losing, whether or not the file goes
            // on (a standard game): it is read, and what follows is left out.
            const 読込手& k = in.手[i - 1];
            std::string name = std::to_string(i) + "手目「" + 全角数字[k.先筋] + 漢数字[k.先段] + "玉(" +
                               std::to_string(k.元筋) + std::to_string(k.元段) + ")」";
            if (i - 1 < in.行.size()) name += "(" + std::to_string(in.行[i - 1]) + "行目)";
            notes.push_back(name + ": 王は動かないので、この手で終局です。後の" +
                            std::to_string(in.手.size() - i) + "手は読みません");
            break;
        }
        棋譜手 m;
        if (std::string why = b.作成(in.手[i], 読んだ向き, s, m); !why.empty()) {
            out.error = at + line + ": " + why;
            return out;
        }
        const 読込手& r = in.手[i];
        int& mine = total[s > 0 ? 1 : 0];
        int used = r.消費 >= 0 ? r.消費 : 0;
        if (r.消費 < 0 && r.累計 >= 0) used = std::max(0, r.累計 - mine);
        const int after = std::clamp(r.累計 >= 0 ? r.累計 : mine + used, 0, 棋譜時間最大);
        const int before = std::clamp(after - used, 0, after);
        const int other = total[s > 0 ? 0 : 1];
        if (s < 0) {
            m.MAN_JIKAN_MAE = before, m.MAN_JIKAN = after;
            m.COM_JIKAN_MAE = m.COM_JIKAN = other;
        } else {
            m.COM_JIKAN_MAE = before, m.COM_JIKAN = after;
            m.MAN_JIKAN_MAE = m.MAN_JIKAN = other;
        }
        mine = after;
        b.指す(m);
        rec.棋譜.手.push_back(m);
        s = -s;
    }
    // The end the file names, when it follows the last move read.
    const int n = static_cast<int>(rec.棋譜.手.size());
    if (!in.終局語.empty() && in.終局手数 == n + 1) {
        const int first = rec.上手先手 ? 1 : -1;
        const int mover = n % 2 == 0 ? first : -first;
        const int subject = in.終局名指し == 0 ? mover : in.終局名指し * 読んだ向き.先手側();
        rec.終局語 = in.終局語;
        rec.勝者 = in.終局勝敗 * subject;
    }
    for (const std::string& note : notes) out.注記 += (out.注記.empty() ? "" : "\n") + note;
    rec.注釈 = in.注釈;
    out.ok = true;
    return out;
}

std::string 検査_対局記録(const 対局記録& r) {
    if (r.手合 < -10 || r.手合 > 10) return "手合が正しくありません";
    if (r.棋譜.手.size() > static_cast<std::size_t>(KIFU_MAX))
        return "指し手が" + std::to_string(KIFU_MAX) + "手を超えています";
    盤再生 b(r.手合);
    int s = r.上手先手 ? 1 : -1;
    for (std::size_t i = 0; i < r.棋譜.手.size(); ++i) {
        const 棋譜手& m = r.棋譜.手[i];
        const std::string at = std::to_string(i + 1) + "手目: ";
        if (i > 0 && 終局手(r.棋譜.手[i - 1])) return at + "終局の後に指し手があります";
        if (側(m.KOMA) != s) return at + "手番でない側が指しています";
        if (std::string why = b.検査(m); !why.empty()) return at + why;
        b.指す(m);
        s = -s;
    }
    return {};
}

終局情報 調査_終局(const 対局記録& r) {
    using R = 終局情報::結果;
    using W = 終局情報::理由;
    終局情報 info;
    盤再生 b(r.手合);
    const auto& moves = r.棋譜.手;
    const int n = static_cast<int>(moves.size());
    info.標準手数 = n;
    for (int i = 0; i < n; ++i) {
        if (info.最初の非標準 == 終局情報::非標準::なし) {
            info.最初の非標準 = b.標準外(moves[static_cast<std::size_t>(i)]);
            if (info.最初の非標準 != 終局情報::非標準::なし) info.標準手数 = i;
        }
        b.指す(moves[static_cast<std::size_t>(i)]);
    }
    // The winner as a side of the board, then as ▲/△ (the bottom side of the record).
    const int 先手側 = 向き(r).先手側();
    int winner = 0;
    if (n > 0) {
        const 棋譜手& last = moves.back();
        const int s = 側(last.KOMA);
        if (std::abs(last.TORI) == OU) {
            winner = s;
            info.reason = W::玉取り;
        } else if (std::abs(last.KOMA) == OU) {
            winner = -s;
            info.reason = W::玉移動;
        } else if (n >= KIFU_MAX) {
            info.reason = W::手数上限;
            info.result = R::引き分け;
            return info;
        } else if (b.王手(-s) && !b.逃れあり(-s, false)) {
            winner = s;
            info.reason = W::詰み;
            info.標準詰み = !b.逃れあり(-s, true);
        }
    }
    if (winner != 0) info.result = winner == 先手側 ? R::先手勝ち : R::後手勝ち;
    return info;
}

namespace {

// Each move worded by `word(m, orientation, same, declined)` on the board before it: `same` when it
// lands where the previous one did, `declined` when it could have promoted and did not.
// Empty entries from the first move that cannot be replayed.
template <class Word>
std::vector<std::string> 手順を表記(const 対局記録& r, Word word) {
    std::vector<std::string> out;
    盤再生 b(r.手合);
    const 記録の向き o = 向き(r);
    int px = 0, py = 0;
    bool broken = false;
    for (const 棋譜手& m : r.棋譜.手) {
        if (broken || !b.検査(m).empty()) {
            broken = true;
            out.emplace_back();
            continue;
        }
        out.push_back(word(m, o, m.SAKI_X == px && m.SAKI_Y == py, b.不成か(m)));
        b.指す(m);
        px = m.SAKI_X;
        py = m.SAKI_Y;
    }
    return out;
}

}  // namespace

std::vector<std::string> 表記_KIF手順(const 対局記録& r, bool 不成も) {
    return 手順を表記(r, [不成も](const 棋譜手& m, const 記録の向き& o, bool same, bool declined) {
        std::string t;
        const char* name = 駒の名前(m.KOMA);
        if (same) {
            t = "同";
            if (std::string_view(name).size() == 3) t += "　";
        } else {
            int f, rk;
            o.記録座標(m.SAKI_X, m.SAKI_Y, f, rk);
            t = std::string(全角数字[f]) + 漢数字[rk];
        }
        t += name;
        if (打ちか(m)) return t + "打";
        if (m.KOMA_ATO != m.KOMA) t += "成";
        else if (declined && 不成も) t += "不成";
        int f, rk;
        o.記録座標(m.MOTO_X, m.MOTO_Y, f, rk);
        return t + "(" + std::to_string(f) + std::to_string(rk) + ")";
    });
}

std::vector<std::string> 表記_英語手順(const 対局記録& r) {
    return 手順を表記(r, [](const 棋譜手& m, const 記録の向き& o, bool, bool declined) {
        英語の手 e;
        e.駒 = m.KOMA;
        e.打 = 打ちか(m);
        if (!e.打) o.記録座標(m.MOTO_X, m.MOTO_Y, e.元筋, e.元段);
        o.記録座標(m.SAKI_X, m.SAKI_Y, e.先筋, e.先段);
        e.取り = m.TORI != 0;
        e.成り = m.KOMA_ATO != m.KOMA;
        e.不成 = declined;
        return 表記_英語(e);
    });
}

終局表記 作成_終局表記(const 対局記録& r) {
    using R = 終局情報::結果;
    using W = 終局情報::理由;
    using N = 終局情報::非標準;
    using K = 終局表記::種別;
    const 終局情報 info = 調査_終局(r);
    終局表記 e;
    const int n = static_cast<int>(r.棋譜.手.size());
    e.手数 = info.標準手数;
    const bool 先手番 = (e.手数 % 2 == 0) == 向き(r).先手から();  // ▲ is to move after the moves written
    const std::string who[2] = {"先手", "後手"};
    if (info.最初の非標準 != N::なし) {
        const auto texts = 表記_KIF手順(r, false);
        const std::string& t = texts[static_cast<std::size_t>(e.手数)];
        const char* why = info.最初の非標準 == N::玉取り       ? "玉を取る手"
                          : info.最初の非標準 == N::打ち歩詰め ? "打ち歩詰め"
                                                               : "自玉に利きが残る手";
        e.注釈.push_back(std::to_string(e.手数 + 1) + "手目の" + t + "は" + why +
                         "で、不動将棋では指せてもふつうの将棋では指せないため、指し手は" +
                         std::to_string(e.手数) + "手目までを記録します。");
    }
    if (info.result == R::なし && e.手数 == n && !r.終局語.empty()) {
        // The end the record was read with: the mover of the next move wins or loses.
        const int first = r.上手先手 ? 1 : -1;
        const int mover = n % 2 == 0 ? first : -first;
        const std::string& w = r.終局語;
        const std::string at = "まで" + std::to_string(n) + "手で";
        if (w == "千日手" || w == "持将棋") {
            e.kind = w == "千日手" ? K::千日手 : K::持将棋;
            e.まで = at + w;
            return e;
        }
        if (r.勝者 != 0) {
            const bool moverWins = r.勝者 == mover;
            if (w == "反則") e.kind = moverWins ? K::反則勝ち : K::反則負け;
            else if (moverWins) e.kind = w == "入玉勝ち" ? K::入玉勝ち : K::中断;
            else e.kind = w == "詰み" ? K::詰み : w == "切れ負け" ? K::切れ負け : w == "投了" ? K::投了 : K::中断;
            e.勝者 = who[向き(r).先手の駒(r.勝者) ? 0 : 1];
            e.まで = at + e.勝者 + "の勝ち";
            return e;
        }
    }
    if (info.result == R::なし) {
        e.kind = K::中断;
        e.まで = "まで" + std::to_string(e.手数) + "手で中断";
        return e;
    }
    if (info.result == R::引き分け) {
        e.kind = K::持将棋;
        e.注釈.push_back("不動将棋では" + std::to_string(KIFU_MAX) + "手に達すると引き分けです。");
        e.まで = "まで" + std::to_string(e.手数) + "手で持将棋";
        return e;
    }
    const bool 先手勝ち = info.result == R::先手勝ち;
    e.勝者 = who[先手勝ち ? 0 : 1];
    const std::string& loser = who[先手勝ち ? 1 : 0];
    if (先手勝ち == 先手番) {
        e.kind = K::反則勝ち;
    } else if (e.手数 < n) {
        e.kind = K::反則負け;
    } else {
        e.kind = info.標準詰み ? K::詰み : K::投了;
    }
    switch (info.reason) {
    case W::玉移動:
        e.注釈.push_back("不動将棋では玉は動けません。玉を動かした" + loser + "の負けです。");
        break;
    case W::玉取り:
        e.注釈.push_back("不動将棋では玉を取った側の勝ちです。" + std::to_string(n) + "手目で" +
                         e.勝者 + "が玉を取りました。");
        break;
    case W::詰み:
        if (!info.標準詰み || e.手数 < n)
            e.注釈.push_back("不動将棋では玉は動けないので、" + loser + "の玉は詰んでいます。");
        break;
    default:
        break;
    }
    e.まで = "まで" + std::to_string(e.手数) + "手で" + e.勝者 + "の勝ち";
    return e;
}

void 取得_手の時間(const 対局記録& r, int i, int& 消費, int& 累計) {
    消費 = 累計 = 0;
    if (i < 1 || static_cast<std::size_t>(i) > r.棋譜.手.size()) return;
    const 棋譜手& m = r.棋譜.手[static_cast<std::size_t>(i - 1)];
    const bool upper = m.KOMA > 0;
    const int before = upper ? m.COM_JIKAN_MAE : m.MAN_JIKAN_MAE;
    累計 = std::max(0, upper ? m.COM_JIKAN : m.MAN_JIKAN);
    消費 = std::clamp(累計 - before, 0, 累計);
}


対局記録 作成_対局記録(const Game& g, int count) {
    対局記録 r;
    count = std::clamp(count, 0, KIFU_MAX);
    const bool upperFirst = 上手が先手か(g);
    std::string 上手 = g.TAIKYOKU_MODE == MODE_COM ? "コンピュータ" : (upperFirst ? "先手" : "後手");
    std::string 下手 = g.TAIKYOKU_MODE == MODE_COM ? "あなた" : (upperFirst ? "後手" : "先手");
    std::string 対局名;
    if (g.KIFU_MODE == 1) {
        対局名 = g.棋譜見出し[0];
        上手 = g.棋譜見出し[1];
        下手 = g.棋譜見出し[2];
    }
    // 作成_棋譜データ places the first player's name by TE_SENTE against MAN_SENGO.
    const bool lowerFirstByGame = g.TE_SENTE == g.MAN_SENGO;
    r.棋譜 = 作成_棋譜データ(g, count, 対局名, lowerFirstByGame ? 下手 : 上手,
                              lowerFirstByGame ? 上手 : 下手);
    r.手合 = g.HANDE_FLAG == 1 ? g.HANDE_LEVEL : 0;
    r.上手先手 = upperFirst;
    // A record read keeps its start time; a game is dated by its first move.
    r.開始日時 = g.棋譜開始日時;
    r.持ち時間 = g.KIFU_MODE == 1 ? std::string() : 持ち時間の文(g.対局時間);
    r.対COM = g.KIFU_MODE == 1 || g.TAIKYOKU_MODE == MODE_COM;
    if (g.KIFU_MODE == 1) {
        // A record read keeps its end when the whole of it is taken.
        if (count == g.KIFU_LAST) {
            r.終局語 = g.棋譜終局語;
            r.勝者 = g.棋譜勝者;
        }
    } else if (count == g.KIFU_LAST && g.終局.勝者 != 0) {
        // The end as the game decided it, for the ends the moves alone do not show: a loss
        // on time, a resignation, and a mate the record's own test may not see. A king
        // moved or taken shows in the moves.
        const char* word = g.終局.理由 == 終局理由::時間切れ ? "切れ負け"
                           : g.終局.理由 == 終局理由::投了   ? "投了"
                           : g.終局.理由 == 終局理由::詰み   ? "詰み"
                                                             : nullptr;
        if (word) {
            r.終局語 = word;
            r.勝者 = g.終局.勝者 == g.COM_SENGO ? 1 : -1;  // the upper player's pieces are positive
        }
    }
    return r;
}

対局記録 作成_対局記録(const 棋譜データ& data) {
    対局記録 r;
    r.棋譜 = data;
    r.上手先手 = !data.手.empty() && data.手.front().KOMA > 0;
    return r;
}

}  // namespace fudo
