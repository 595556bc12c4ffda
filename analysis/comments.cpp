// The review in words and in a record's comments.
#include "analysis/comments.h"

#include <charconv>

#include "engine/game.h"
#include "search/movegen.h"

namespace fudo::analysis {

namespace {

constexpr std::string_view 評価値キー = "#評価値=";
constexpr std::string_view 読み筋キー = "#読み筋=";
constexpr std::string_view 深さキー = "#深さ=";
constexpr std::string_view ノード数キー = "#ノード数=";
constexpr std::string_view エンジンキー = "#エンジン=";
constexpr std::string_view 詰みキー = "#詰み=";

bool 形勢語か(std::string_view s) {
    for (int v : {-2000, -500, -300, -100, 0, 100, 300, 500, 2000})
        if (s == 形勢(v)) return true;
    return false;
}

// A line of an earlier review, which a new one replaces.
bool 解析行か(std::string_view s) {
    for (std::string_view k : {評価値キー, 読み筋キー, 深さキー, ノード数キー, エンジンキー, 詰みキー})
        if (s.starts_with(k)) return true;
    return 形勢語か(s);
}

// A whole (possibly signed) number; false when the text is anything else.
template <class T>
bool 数(std::string_view s, T& out) {
    if (s.starts_with("+")) s.remove_prefix(1);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

constexpr const char* 全角[10] = {"", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
constexpr const char* 漢数[10] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};

std::string 升目(const 記録の向き& o, int x, int y) {
    int f, rk;
    o.記録座標(x, y, f, rk);
    if (f < 1 || f > 9 || rk < 1 || rk > 9) return {};
    return std::string(全角[f]) + 漢数[rk];
}

// A move as the line writes it, 同 spelt out and 不成 left out: "２二角成(88)", "５五角打".
std::string 手の文字(const 記録の向き& o, const 棋譜手& k) {
    std::string t = 升目(o, k.SAKI_X, k.SAKI_Y) + 駒の名前(k.KOMA);
    if (k.MOTO_X == 11 || k.MOTO_X == -1) return t + "打";
    if (k.KOMA_ATO != k.KOMA) t += "成";
    int f, rk;
    o.記録座標(k.MOTO_X, k.MOTO_Y, f, rk);
    return t + "(" + std::to_string(f) + std::to_string(rk) + ")";
}

void 削る(std::string& s, std::string_view word) {
    for (std::size_t at; (at = s.find(word)) != std::string::npos;) s.erase(at, word.size());
}

// The engine moves of a written line ("▲７六歩(77)△同　歩(33)…") from position s, up to
// the first word that is no move there.
std::vector<search::Move> 読み筋を読む(const 記録の向き& o, search::Snapshot s, std::string_view text) {
    std::vector<search::Move> out;
    constexpr std::string_view 先 = "▲", 後 = "△";
    std::vector<std::string> words;
    for (std::size_t at = 0; at < text.size();) {
        const bool mark = text.substr(at).starts_with(先) || text.substr(at).starts_with(後);
        if (mark) {
            words.emplace_back();
            at += 先.size();
        } else {
            if (words.empty()) return out;
            words.back() += text[at++];
        }
    }
    int px = 0, py = 0;
    for (std::string w : words) {
        削る(w, " ");
        削る(w, "不成");
        if (w.starts_with("同")) {
            w.erase(0, std::string_view("同").size());
            if (w.starts_with("　")) w.erase(0, std::string_view("　").size());
            w = 升目(o, px, py) + w;
        }
        search::Position pos;
        if (!pos.set(s)) return out;
        search::Move moves[search::MaxMoves];
        const int n = search::generateMoves(pos, moves, search::GenMode::All);
        search::Move found = search::NoMove;
        for (int j = 0; j < n && found == search::NoMove; ++j)
            if (手の文字(o, 棋譜手に(s, moves[j])) == w) found = moves[j];
        if (found == search::NoMove) return out;
        out.push_back(found);
        const 棋譜手 k = 棋譜手に(s, found);
        局面に指す(s, k);
        px = k.SAKI_X;
        py = k.SAKI_Y;
    }
    return out;
}

}  // namespace

const char* 形勢(int v) {
    // The bands other programs use, in their units; ours are close enough to share them.
    if (v >= 1500) return "先手勝勢";
    if (v >= 600) return "先手優勢";
    if (v >= 400) return "先手有利";
    if (v >= 200) return "先手有望";
    if (v >= -200) return "互角";
    if (v >= -400) return "後手有望";
    if (v >= -600) return "後手有利";
    if (v >= -1500) return "後手優勢";
    return "後手勝勢";
}

std::string 読み筋表記(const 対局記録& r, int 手数, const std::vector<search::Move>& pv, bool english) {
    const 局面列 ps = 作成_局面列(r);
    if (手数 < 0 || 手数 >= static_cast<int>(ps.局面.size()) || pv.empty()) return {};
    対局記録 line = r;
    line.注釈.clear();
    line.棋譜.手.resize(static_cast<std::size_t>(手数));
    search::Snapshot s = ps.局面[static_cast<std::size_t>(手数)];
    std::vector<bool> 先手番;
    for (search::Move m : pv) {
        const 棋譜手 k = 棋譜手に(s, m);
        先手番.push_back(s.toMove == ps.先手);
        line.棋譜.手.push_back(k);
        局面に指す(s, k);
    }
    const auto texts = english ? 表記_英語手順(line) : 表記_KIF手順(line);
    std::string out;
    for (std::size_t j = 0; j < pv.size(); ++j) {
        std::string t = texts[static_cast<std::size_t>(手数) + j];
        if (t.empty()) break;
        // A line is read on its own, without the move before it: its first move names its
        // square even where it lands on the last move's.
        if (j == 0 && t.starts_with("同")) {
            static constexpr const char* 数字[10] = {"", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
            static constexpr const char* 段[10] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
            int f, rk;
            const 棋譜手& m = line.棋譜.手[static_cast<std::size_t>(手数)];
            向き(r).記録座標(m.SAKI_X, m.SAKI_Y, f, rk);
            t.erase(0, std::string_view("同").size());
            if (t.starts_with("　")) t.erase(0, std::string_view("　").size());
            t = std::string(数字[f]) + 段[rk] + t;
        }
        if (english) {
            if (!out.empty()) out += ' ';
            out += t;
        } else {
            out += 先手番[j] ? "▲" : "△";
            out += t;
        }
    }
    return out;
}

std::vector<std::string> 注釈行(const 対局記録& r, int 手数, const 局面評価& e) {
    std::vector<std::string> out;
    if (!e.済) return out;
    if (詰みか(e.評価値)) {
        std::string l = std::string(詰みキー) + (e.評価値 > 0 ? "先手勝ち" : "後手勝ち");
        if (const int n = 詰み手数(e.評価値); n > 0) l += ":" + std::to_string(n) + "手";
        out.push_back(l);
    } else {
        out.emplace_back(形勢(e.評価値));
        out.push_back(std::string(評価値キー) + std::to_string(e.評価値));
    }
    if (const std::string pv = 読み筋表記(r, 手数, e.読み筋); !pv.empty())
        out.push_back(std::string(読み筋キー) + pv);
    if (e.深さ > 0) out.push_back(std::string(深さキー) + std::to_string(e.深さ));
    if (e.ノード数 > 0) out.push_back(std::string(ノード数キー) + std::to_string(e.ノード数));
    out.push_back(std::string(エンジンキー) + std::string(エンジン名));
    return out;
}

void 注釈を付ける(対局記録& r, const 棋譜解析& a) {
    const 対局記録 plain = r;
    r.注釈.resize(std::max(r.注釈.size(), a.局面.size()));
    for (std::size_t i = 0; i < a.局面.size(); ++i) {
        if (!a.局面[i].済) continue;
        std::vector<std::string>& c = r.注釈[i];
        std::erase_if(c, [](const std::string& l) { return 解析行か(l); });
        for (std::string& l : 注釈行(plain, static_cast<int>(i), a.局面[i])) c.push_back(std::move(l));
    }
}

棋譜解析 注釈から(const 対局記録& r) {
    棋譜解析 a;
    a.局面.resize(r.棋譜.手.size() + 1);
    const 局面列 ps = 作成_局面列(r);
    for (std::size_t i = 0; i < a.局面.size() && i < r.注釈.size(); ++i) {
        局面評価& e = a.局面[i];
        for (std::string_view l : r.注釈[i]) {
            if (l.starts_with(読み筋キー) && i < ps.局面.size()) {
                e.読み筋 = 読み筋を読む(向き(r), ps.局面[i], l.substr(読み筋キー.size()));
            } else if (l.starts_with(評価値キー)) {
                // Other programs may write decimals; the whole part is enough for the graph.
                std::string_view v = l.substr(評価値キー.size());
                v = v.substr(0, v.find('.'));
                int score;
                if (数(v, score) && !詰みか(score)) e.評価値 = score, e.済 = true;
            } else if (l.starts_with(詰みキー)) {
                std::string_view v = l.substr(詰みキー.size());
                const int sign = v.starts_with("先手勝ち") ? 1 : v.starts_with("後手勝ち") ? -1 : 0;
                if (sign == 0) continue;
                int plies = 0;
                if (const auto colon = v.find(':'); colon != std::string_view::npos) {
                    std::string_view n = v.substr(colon + 1);
                    if (n.ends_with("手")) n.remove_suffix(std::string_view("手").size());
                    if (!数(n, plies) || plies < 0 || plies > search::MaxPly) plies = 0;
                }
                e.評価値 = sign * (search::MateScore - plies);
                e.済 = true;
            } else if (l.starts_with(深さキー)) {
                数(l.substr(深さキー.size()), e.深さ);
            } else if (l.starts_with(ノード数キー)) {
                数(l.substr(ノード数キー.size()), e.ノード数);
            }
        }
    }
    印を付ける(r, a);
    return a;
}

}  // namespace fudo::analysis
