#include "notation/kif.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "engine/constants.h"
#include "files/sjis.h"
#include "notation/record_text.h"

namespace fudo {

namespace {

constexpr const char* 全角数字[10] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
constexpr const char* 漢数字[10] = {"〇", "一", "二", "三", "四", "五", "六", "七", "八", "九"};

std::string 時間表記(int used, int total) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "(%2d:%02d/%02d:%02d:%02d)", used / 60, used % 60, total / 3600,
                  (total / 60) % 60, total % 60);
    return buf;
}

std::string 指手行(int ply, const std::string& text, int used, int total) {
    char num[16];
    std::snprintf(num, sizeof num, "%4d ", ply);
    std::string line = num + text;
    // The time starts at a fixed column: 13 columns for the move, at least one blank.
    line.append(static_cast<std::size_t>(std::max(1, 13 - 表示幅(text))), ' ');
    return line + 時間表記(used, total);
}

const char* 終局語(終局表記::種別 k) {
    switch (k) {
    case 終局表記::種別::投了: return "投了";
    case 終局表記::種別::詰み: return "詰み";
    case 終局表記::種別::反則勝ち: return "反則勝ち";
    case 終局表記::種別::反則負け: return "反則負け";
    case 終局表記::種別::持将棋: return "持将棋";
    case 終局表記::種別::千日手: return "千日手";
    case 終局表記::種別::切れ負け: return "切れ負け";
    case 終局表記::種別::入玉勝ち: return "入玉勝ち";
    default: return "中断";
    }
}

void 盤面図(const 対局記録& r, std::string& out, std::string_view nl) {
    int rec[10][10];
    作成_記録の開始局面(r, rec);
    out += "後手の持駒：なし";
    out += nl;
    out += "  ９ ８ ７ ６ ５ ４ ３ ２ １";
    out += nl;
    out += "+---------------------------+";
    out += nl;
    for (int rk = 1; rk <= 9; ++rk) {
        out += '|';
        for (int f = 9; f >= 1; --f) {
            const int c = rec[f][rk];
            out += c < 0 ? 'v' : ' ';
            out += 一字駒名(c);
        }
        out += '|';
        out += 漢数字[rk];
        out += nl;
    }
    out += "+---------------------------+";
    out += nl;
    out += "先手の持駒：なし";
    out += nl;
    out += 向き(r).先手から() ? "先手番" : "後手番";
    out += nl;
}

}  // namespace

std::string 書式_KIF(const 対局記録& r) {
    constexpr std::string_view nl = "\r\n";
    std::string out = "# ---- 不動将棋 棋譜ファイル ----";
    out += nl;
    std::string hints;
    const 記録の向き o = 向き(r);
    if (o.回転) hints += " " + std::string(上手先手語);
    if (!hints.empty()) {
        out += "#" + std::string(独自行) + hints.substr(1);
        out += nl;
    }
    if (!r.開始日時.empty()) {
        out += "開始日時：" + r.開始日時;
        out += nl;
    }
    if (!r.持ち時間.empty()) {
        out += "持ち時間：" + r.持ち時間;
        out += nl;
    }
    if (!r.棋譜.対局名.empty()) {
        out += "棋戦：" + r.棋譜.対局名;
        out += nl;
    }
    if (r.手合 == 0) {
        out += "手合割：平手";
        out += nl;
    } else {
        盤面図(r, out, nl);
    }
    out += "先手：" + (o.回転 ? r.棋譜.上手名 : r.棋譜.下手名);
    out += nl;
    out += "後手：" + (o.回転 ? r.棋譜.下手名 : r.棋譜.上手名);
    out += nl;
    out += "手数----指手---------消費時間--";
    out += nl;
    // Comments kept with the record (a review, another program's notes) follow their move.
    auto 注釈 = [&](int i) {
        if (i < static_cast<int>(r.注釈.size()))
            for (const std::string& c : r.注釈[static_cast<std::size_t>(i)]) {
                out += "*" + c;
                out += nl;
            }
    };
    注釈(0);

    const auto texts = 表記_KIF手順(r, false);
    const 終局表記 end = 作成_終局表記(r);
    const int n = static_cast<int>(r.棋譜.手.size());
    int totals[2] = {0, 0};  // the first mover, the second
    for (int i = 1; i <= n; ++i) {
        int used, total;
        取得_手の時間(r, i, used, total);
        std::string line = 指手行(i, texts[static_cast<std::size_t>(i - 1)], used, total);
        if (i > end.手数) {
            // Beyond what standard shogi holds: a comment line only this game reads.
            if (i == end.手数 + 1) {
                out += 指手行(i, 終局語(end.kind), 0, totals[(i - 1) % 2]);
                out += nl;
                for (const std::string& c : end.注釈) {
                    out += "*" + c;
                    out += nl;
                }
            }
            line = "#" + std::string(独自行) + line;
        } else {
            totals[(i - 1) % 2] = total;
        }
        out += line;
        out += nl;
        if (i <= end.手数) 注釈(i);
    }
    if (end.手数 == n) {
        out += 指手行(n + 1, 終局語(end.kind), 0, totals[n % 2]);
        out += nl;
        for (const std::string& c : end.注釈) {
            out += "*" + c;
            out += nl;
        }
    }
    out += end.まで;
    out += nl;
    return out;
}

std::optional<std::string> 符号化_KIF(const 対局記録& r, bool utf8, std::string* reason) {
    for (const std::string* s : {&r.棋譜.対局名, &r.棋譜.上手名, &r.棋譜.下手名, &r.開始日時})
        for (unsigned char c : *s)
            if (c < 0x20 || c == 0x7F) {
                if (reason) *reason = "名前に改行などの制御文字があります";
                return std::nullopt;
            }
    std::string text = 書式_KIF(r);
    if (utf8) return text;
    auto sjis = 変換_UTF8からSJIS(text);
    if (!sjis && reason) *reason = "名前に Shift_JIS で書けない文字があります(.kifu なら書けます)";
    return sjis;
}

// ==================================================================== reading

namespace {

bool 読む(std::string_view& s, std::string_view word) {
    if (!s.starts_with(word)) return false;
    s.remove_prefix(word.size());
    return true;
}

void 空白を飛ばす(std::string_view& s) {
    for (;;) {
        if (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
        else if (!読む(s, "　")) break;
    }
}

// One digit 1..9, ASCII, full-width or a kanji numeral; 0 when none.
int 数字(std::string_view& s, bool kanji) {
    if (!s.empty() && s.front() >= '1' && s.front() <= '9') {
        const int d = s.front() - '0';
        s.remove_prefix(1);
        return d;
    }
    for (int d = 1; d <= 9; ++d)
        if (読む(s, 全角数字[d]) || (kanji && 読む(s, 漢数字[d]))) return d;
    return 0;
}

struct 駒表記 {
    std::string_view name;
    int code;
};
// Longest names first, so that 成銀 is not read as 成 + 銀.
constexpr 駒表記 駒表[] = {
    {"成香", KYOU_NARI}, {"成桂", KEI_NARI}, {"成銀", GIN_NARI}, {"歩", HU},    {"香", KYOU},
    {"桂", KEI},         {"銀", GIN},        {"金", KIN},        {"角", KAKU},  {"飛", SYA},
    {"玉", OU},          {"王", OU},         {"と", HU_NARI},    {"杏", KYOU_NARI},
    {"圭", KEI_NARI},    {"全", GIN_NARI},   {"馬", KAKU_NARI},  {"龍", SYA_NARI},
    {"竜", SYA_NARI},
};

int 駒(std::string_view& s) {
    for (const 駒表記& p : 駒表)
        if (読む(s, p.name)) return p.code;
    return 0;
}

// The end words of the common writers; 将棋倶楽部24 puts the side before it ("先手 反則負け").
constexpr std::string_view 終局語一覧[] = {
    "中断", "投了", "持将棋", "千日手", "詰み", "詰", "不詰", "切れ負け", "時間切れ", "反則勝ち",
    "反則負け", "入玉勝ち", "宣言勝ち", "トライ", "不戦勝", "不戦敗", "封じ手", "引き分け", "最大手数"};

// An end word as the record keeps it, and whether it is the mover's win (+1) or loss (-1).
struct 終局の意味 {
    std::string_view word, kept;
    int deed;
};
constexpr 終局の意味 終局の意味表[] = {
    {"投了", "投了", -1},       {"詰み", "詰み", -1},       {"詰", "詰み", -1},
    {"切れ負け", "切れ負け", -1}, {"時間切れ", "切れ負け", -1}, {"反則負け", "反則", -1},
    {"反則勝ち", "反則", 1},    {"入玉勝ち", "入玉勝ち", 1}, {"宣言勝ち", "入玉勝ち", 1},
    {"トライ", "入玉勝ち", 1},  {"千日手", "千日手", 0},   {"持将棋", "持将棋", 0},
    {"引き分け", "持将棋", 0},
};

// The longest time a field may say; more is no game's time (and would overflow).
constexpr long long 時間上限 = 999LL * 3600;

// "m:ss/h:mm:ss" inside the brackets; blanks allowed. False for anything else; 過大 when a
// time is beyond 時間上限.
bool 時間(std::string_view s, int& used, int& total, bool& 過大) {
    auto number = [&](long long& v) {
        空白を飛ばす(s);
        int digits = 0;
        v = 0;
        while (!s.empty() && s.front() >= '0' && s.front() <= '9' && digits < 7) {
            v = v * 10 + (s.front() - '0');
            s.remove_prefix(1);
            ++digits;
        }
        空白を飛ばす(s);
        return digits > 0;
    };
    long long m, sec, h, mm, ss;
    if (!number(m) || !読む(s, ":") || !number(sec)) return false;
    const long long u = m * 60 + sec;
    long long t = -1;
    if (読む(s, "/")) {
        if (!number(h) || !読む(s, ":") || !number(mm)) return false;
        if (読む(s, ":")) {
            if (!number(ss)) return false;
            t = h * 3600 + mm * 60 + ss;
        } else {
            t = h * 60 + mm;  // "mm:ss" without hours
        }
    }
    if (!s.empty()) return false;
    過大 = u > 時間上限 || t > 時間上限;
    used = static_cast<int>(std::min(u, 時間上限));
    total = static_cast<int>(std::min(t, 時間上限));
    return true;
}

enum class 行種 { 指し手, 終局, 不正 };

// An end line's text after the move number: true with the end as 読込内容 keeps it.
bool 終局行(std::string_view s, 読込内容& in) {
    空白を飛ばす(s);
    for (std::string_view mark : {"▲", "△", "☗", "☖", "▼", "▽"})
        if (読む(s, mark)) break;
    int named = 0;
    if (読む(s, "先手") || 読む(s, "下手")) named = 1;
    else if (読む(s, "後手") || 読む(s, "上手")) named = -1;
    空白を飛ばす(s);
    bool end = false;
    for (std::string_view w : 終局語一覧)
        if (s.starts_with(w)) end = true;
    if (!end) return false;
    in.終局語.clear();
    in.終局勝敗 = 0;
    in.終局名指し = named;
    for (const 終局の意味& e : 終局の意味表)
        if (s.starts_with(e.word)) {
            in.終局語 = e.kept;
            in.終局勝敗 = e.deed;
            break;
        }
    return true;
}

// The text after the move number. prevF/prevR: the last destination, for 同.
行種 指し手を読む(std::string_view s, int prevF, int prevR, 読込手& m, std::string& why) {
    空白を飛ばす(s);
    for (std::string_view mark : {"▲", "△", "☗", "☖", "▼", "▽"})
        if (読む(s, mark)) break;
    m = {};
    if (読む(s, "同")) {
        空白を飛ばす(s);
        if (prevF == 0) {
            why = "「同」の前に指し手がありません";
            return 行種::不正;
        }
        m.先筋 = prevF;
        m.先段 = prevR;
    } else {
        m.先筋 = 数字(s, false);
        m.先段 = 数字(s, true);
        if (m.先筋 == 0 || m.先段 == 0) {
            why = "指し手が読めません";
            return 行種::不正;
        }
    }
    const int code = 駒(s);
    if (code == 0) {
        why = "駒の名前が読めません";
        return 行種::不正;
    }
    m.駒後 = code;
    if (読む(s, "不成")) {
    } else if (読む(s, "成")) {
        if (!(code == HU || code == KYOU || code == KEI || code == GIN || code == KAKU || code == SYA)) {
            why = "成れない駒が成っています";
            return 行種::不正;
        }
        m.駒後 = code + 1;
    } else if (読む(s, "打")) {
        m.打 = true;
    }
    if (!m.打) {
        if (s.size() >= 4 && s[0] == '(' && s[3] == ')' && s[1] >= '1' && s[1] <= '9' &&
            s[2] >= '1' && s[2] <= '9') {
            m.元筋 = s[1] - '0';
            m.元段 = s[2] - '0';
            s.remove_prefix(4);
        } else {
            m.打 = true;  // some writers leave out 打 when no piece on the board could go there
        }
    }
    // The mark "+" of a move with variations stands before or after the time.
    空白を飛ばす(s);
    読む(s, "+");
    空白を飛ばす(s);
    for (;;) {
        if (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '+')) s.remove_suffix(1);
        else if (s.ends_with("　")) s.remove_suffix(3);
        else break;
    }
    if (!s.empty()) {
        bool 過大 = false;
        if (s.front() != '(' || s.back() != ')' || !時間(s.substr(1, s.size() - 2), m.消費, m.累計, 過大)) {
            why = "消費時間が読めません";
            return 行種::不正;
        }
        if (過大) {
            why = "消費時間が大きすぎます(999時間まで)";
            return 行種::不正;
        }
    }
    return 行種::指し手;
}

// The number at the start of a move line and the rest of the line; false when the line
// does not start with a number.
bool 手数を読む(std::string_view line, int& ply, std::string_view& rest) {
    std::string_view s = line;
    空白を飛ばす(s);
    int digits = 0;
    ply = 0;
    while (!s.empty() && s.front() >= '0' && s.front() <= '9') {
        if (++digits > 6) return false;
        ply = ply * 10 + (s.front() - '0');
        s.remove_prefix(1);
    }
    if (digits == 0) return false;
    rest = s;
    return true;
}

// The standard handicaps that are grades of this game's ladder, by the names the common
// readers give them: the squares they empty on △'s side (file, rank). Others are not grades:
// 香落ち, 飛車落ち, …, and 五枚落ち, which takes the 8一 knight where grade 5 takes the 2一 one.
struct 手合表記 {
    std::string_view name;
    int squares[10][2];
    int count;
};
constexpr 手合表記 手合表[] = {
    {"角落ち", {{2, 2}}, 1},
    {"二枚落ち", {{8, 2}, {2, 2}}, 2},
    {"三枚落ち", {{8, 2}, {2, 2}, {1, 1}}, 3},
    {"四枚落ち", {{8, 2}, {2, 2}, {1, 1}, {9, 1}}, 4},
    {"左五枚落ち", {{8, 2}, {2, 2}, {1, 1}, {9, 1}, {2, 1}}, 5},
    {"六枚落ち", {{8, 2}, {2, 2}, {1, 1}, {9, 1}, {2, 1}, {8, 1}}, 6},
    {"左七枚落ち", {{8, 2}, {2, 2}, {1, 1}, {9, 1}, {2, 1}, {8, 1}, {3, 1}}, 7},
    {"八枚落ち", {{8, 2}, {2, 2}, {1, 1}, {9, 1}, {2, 1}, {8, 1}, {3, 1}, {7, 1}}, 8},
    {"十枚落ち", {{8, 2}, {2, 2}, {1, 1}, {9, 1}, {2, 1}, {8, 1}, {3, 1}, {7, 1}, {4, 1}, {6, 1}}, 10},
};

// Blanks, ASCII and full-width, taken off both ends.
std::string_view 両端の空白を除く(std::string_view s) {
    空白を飛ばす(s);
    for (;;) {
        if (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
        else if (s.ends_with("　")) s.remove_suffix(3);
        else break;
    }
    return s;
}

// The normal opening in record coordinates (▲ positive at the bottom).
void 平手(読込局面& p) {
    const int back[10] = {0, KYOU, KEI, GIN, KIN, OU, KIN, GIN, KEI, KYOU};
    for (int f = 1; f <= 9; ++f) {
        p.盤[f][1] = -back[f];
        p.盤[f][3] = -HU;
        p.盤[f][7] = HU;
        p.盤[f][9] = back[f];
    }
    p.盤[8][2] = -SYA;
    p.盤[2][2] = -KAKU;
    p.盤[2][8] = SYA;
    p.盤[8][8] = KAKU;
}

// A diagram row "|v香v桂 ・…|一": nine cells of a mark (' ' or 'v') and a piece.
bool 盤行(std::string_view s, int row[10]) {
    if (!読む(s, "|")) return false;
    for (int f = 9; f >= 1; --f) {
        bool gote = false;
        if (読む(s, "v") || 読む(s, "V")) gote = true;
        else if (!読む(s, " ")) return false;
        if (読む(s, "・")) {
            row[f] = 0;
            continue;
        }
        const int code = 駒(s);
        if (code == 0) return false;
        row[f] = gote ? -code : code;
    }
    return 読む(s, "|");
}

}  // namespace

記録読込結果 解析_KIF(std::string_view bytes) {
    記録読込結果 fail;
    std::string reason;
    const auto text = 復号_記録(bytes, reason);
    if (!text) {
        fail.error = reason;
        return fail;
    }
    読込内容 in;
    bool 開始 = false;        // the first move line has been read
    bool 終わり = false;      // the main line has ended (end word or variations)
    bool 変化あり = false;    // a variation has been skipped
    int prevF = 0, prevR = 0;
    int 盤行数 = 0;
    bool 見出し = false;      // a header line of a record was read
    int lineNo = 0;
    auto refuse = [&](const std::string& why) {
        fail.error = std::to_string(lineNo) + "行目: " + why;
        return fail;
    };
    auto 指し手を加える = [&](std::string_view rest, int ply) -> bool {
        if (ply != static_cast<int>(in.手.size()) + 1) {
            reason = "手数が続いていません(" + std::to_string(ply) + "手目)";
            return false;
        }
        if (終局行(rest, in)) {
            in.終局手数 = ply;
            終わり = true;
            return true;
        }
        読込手 m;
        std::string why;
        const 行種 k = 指し手を読む(rest, prevF, prevR, m, why);
        if (in.手.size() >= static_cast<std::size_t>(KIFU_MAX)) {
            reason = "指し手が" + std::to_string(KIFU_MAX) + "手を超えています";
            return false;
        }
        if (k == 行種::不正) {
            reason = std::to_string(ply) + "手目: " + why;
            return false;
        }
        in.手.push_back(m);
        in.行.push_back(lineNo);
        prevF = m.先筋;
        prevR = m.先段;
        return true;
    };
    for (std::string_view line : 分割_行(*text)) {
        ++lineNo;
        if (line.starts_with("#")) {
            std::string_view own = line.substr(1);
            if (!読む(own, 独自行)) continue;
            int ply;
            std::string_view rest;
            if (手数を読む(own, ply, rest)) {
                // A move that standard shogi cannot hold, after the end of the main line.
                if (!終わり) return refuse("記録の続きが終局の前にあります");
                if (!指し手を加える(rest, ply)) return refuse(reason);
            } else {
                if (own.find(上手先手語) != std::string_view::npos) in.向き指定 = 1;
            }
            continue;
        }
        if (line.starts_with("*")) {
            // A comment belongs to the last move read (or the start) while the main line runs.
            if (!終わり) {
                in.注釈.resize(in.手.size() + 1);
                in.注釈[in.手.size()].emplace_back(line.substr(1));
            }
            continue;
        }
        if (line.starts_with("&")) continue;
        if (line.starts_with("変化")) {
            // A branch at the move after the main line's last, with no end word there, has
            // no main-line move beside it: it is the continuation.
            int from = 0;
            std::string_view at = line.substr(std::string_view("変化").size());
            空白を飛ばす(at);
            if (!読む(at, "：")) 読む(at, ":");
            if (!終わり && 手数を読む(at, from, at) && from == static_cast<int>(in.手.size()) + 1 &&
                両端の空白を除く(at) == "手")
                continue;
            if (!変化あり) in.注記.push_back("変化は読まずに本譜だけを読みました");
            終わり = true;
            変化あり = true;
            continue;
        }
        int ply;
        std::string_view rest;
        if (!開始 && (line.find("9 8 7") != std::string_view::npos)) continue;  // file numbers
        if (手数を読む(line, ply, rest)) {
            開始 = true;
            if (終わり) continue;  // variations, or moves after the end
            if (!指し手を加える(rest, ply)) return refuse(reason);
            continue;
        }
        if (!開始 && line.starts_with("手数")) 見出し = true;
        if (開始 || line.starts_with("手数") || line.starts_with("まで")) continue;
        // Header: a board diagram, side to move, or "key：value".
        std::string_view s = line;
        空白を飛ばす(s);
        if (s.starts_with("|")) {
            int row[10] = {};
            if (盤行数 >= 9 || !盤行(s, row)) return refuse("盤面図の行が読めません");
            ++盤行数;
            for (int f = 1; f <= 9; ++f) in.局面.盤[f][盤行数] = row[f];
            in.局面あり = true;
            continue;
        }
        if (s.starts_with("+") || s.starts_with("９") || s.starts_with("9") || s.empty()) continue;
        if (s == "後手番" || s == "上手番") {
            in.局面.先手番 = false;
            continue;
        }
        if (s == "先手番" || s == "下手番") {
            in.局面.先手番 = true;
            continue;
        }
        std::size_t colon = s.find("：");
        std::size_t skip = 3;
        if (colon == std::string_view::npos) {
            colon = s.find(':');
            skip = 1;
        }
        if (colon == std::string_view::npos) continue;  // unknown lines are skipped
        const std::string_view key = 両端の空白を除く(s.substr(0, colon));
        const std::string_view value = 両端の空白を除く(s.substr(colon + skip));
        for (std::string_view k : {"先手", "後手", "下手", "上手", "棋戦", "開始日時", "手合割"})
            if (key == k) 見出し = true;
        if (key == "先手" || key == "下手") {
            in.先手名 = value;
        } else if (key == "後手" || key == "上手") {
            in.後手名 = value;
        } else if (key == "棋戦") {
            in.対局名 = value;
        } else if (key == "開始日時") {
            in.開始日時 = value;
        } else if (key.ends_with("の持駒")) {
            if (!value.empty() && value != "なし") in.局面.持駒あり = true;
        } else if (key == "手合割") {
            if (value == "平手" || value == "その他") continue;
            const 手合表記* h = nullptr;
            for (const 手合表記& t : 手合表)
                if (value == t.name) h = &t;
            if (!h) return refuse("手合割「" + std::string(value) + "」は不動将棋にありません");
            読込局面 p;
            平手(p);
            for (int k = 0; k < h->count; ++k) p.盤[h->squares[k][0]][h->squares[k][1]] = 0;
            p.先手番 = false;  // the side giving the handicap moves first
            in.局面 = p;
            in.局面あり = true;
        }
    }
    if (盤行数 != 0 && 盤行数 != 9) {
        fail.error = "盤面図が9段ありません";
        return fail;
    }
    // A record with no moves is its start position; a file with nothing of a record is not one.
    if (!開始 && in.手.empty() && !見出し && !in.局面あり) {
        fail.error = "指し手がありません";
        return fail;
    }
    return 組立_対局記録(in);
}

}  // namespace fudo
