#include "notation/csa.h"

#include <cstdlib>

#include "engine/constants.h"
#include "files/sjis.h"
#include "notation/record_text.h"

namespace fudo {

namespace {

struct 駒記号 {
    std::string_view name;
    int code;
};
constexpr 駒記号 駒記号表[] = {
    {"FU", HU},   {"KY", KYOU},     {"KE", KEI},     {"GI", GIN},       {"KI", KIN},
    {"KA", KAKU}, {"HI", SYA},      {"OU", OU},      {"TO", HU_NARI},   {"NY", KYOU_NARI},
    {"NK", KEI_NARI}, {"NG", GIN_NARI}, {"UM", KAKU_NARI}, {"RY", SYA_NARI},
};

std::string_view 記号(int a) {
    for (const 駒記号& p : 駒記号表)
        if (p.code == a) return p.name;
    return "??";
}

int 駒(std::string_view s) {
    for (const 駒記号& p : 駒記号表)
        if (s == p.name) return p.code;
    return 0;
}

const char* 終局記号(終局表記::種別 k, bool 先手番) {
    switch (k) {
    case 終局表記::種別::投了: return "%TORYO";
    case 終局表記::種別::詰み: return "%TSUMI";
    // The side to move wins: the other side broke a rule ("%+ILLEGAL_ACTION" names ▲ as the
    // one who broke it, so △ wins).
    case 終局表記::種別::反則勝ち: return 先手番 ? "%-ILLEGAL_ACTION" : "%+ILLEGAL_ACTION";
    // The side to move loses by its own foul: the word that says just that.
    case 終局表記::種別::反則負け: return "%ILLEGAL_MOVE";
    case 終局表記::種別::持将棋: return "%HIKIWAKE";
    case 終局表記::種別::千日手: return "%SENNICHITE";
    case 終局表記::種別::切れ負け: return "%TIME_UP";
    case 終局表記::種別::入玉勝ち: return "%KACHI";
    default: return "%CHUDAN";
    }
}

// One move as a CSA statement with its time: "+7776FU,T3".
std::string 指手文(const 対局記録& r, int i) {
    const 棋譜手& m = r.棋譜.手[static_cast<std::size_t>(i - 1)];
    const 記録の向き o = 向き(r);
    std::string s = o.先手の駒(m.KOMA) ? "+" : "-";
    if (m.MOTO_X == 11 || m.MOTO_X == -1) {
        s += "00";
    } else {
        int f, rk;
        o.記録座標(m.MOTO_X, m.MOTO_Y, f, rk);
        s += std::to_string(f) + std::to_string(rk);
    }
    int f, rk;
    o.記録座標(m.SAKI_X, m.SAKI_Y, f, rk);
    s += std::to_string(f) + std::to_string(rk);
    s += 記号(std::abs(m.KOMA_ATO));
    int used, total;
    取得_手の時間(r, i, used, total);
    return s + ",T" + std::to_string(used);
}

}  // namespace

std::string 書式_CSA(const 対局記録& r) {
    constexpr std::string_view nl = "\r\n";
    std::string out = "V2.2";
    out += nl;
    out += "'不動将棋 棋譜ファイル";
    out += nl;
    std::string hints;
    const 記録の向き o = 向き(r);
    if (o.回転) hints += " " + std::string(上手先手語);
    if (!hints.empty()) {
        out += "'" + std::string(独自行) + hints.substr(1);
        out += nl;
    }
    out += "N+" + (o.回転 ? r.棋譜.上手名 : r.棋譜.下手名);
    out += nl;
    out += "N-" + (o.回転 ? r.棋譜.下手名 : r.棋譜.上手名);
    out += nl;
    if (!r.棋譜.対局名.empty()) {
        out += "$EVENT:" + r.棋譜.対局名;
        out += nl;
    }
    if (!r.開始日時.empty()) {
        out += "$START_TIME:" + r.開始日時;
        out += nl;
    }
    if (r.手合 == 0) {
        out += "PI";
        out += nl;
    } else {
        int rec[10][10];
        作成_記録の開始局面(r, rec);
        for (int rk = 1; rk <= 9; ++rk) {
            out += "P" + std::to_string(rk);
            for (int f = 9; f >= 1; --f) {
                const int c = rec[f][rk];
                if (c == 0) out += " * ";
                else out += (c > 0 ? "+" : "-") + std::string(記号(std::abs(c)));
            }
            out += nl;
        }
    }
    out += o.先手から() ? "+" : "-";
    out += nl;

    const 終局表記 end = 作成_終局表記(r);
    const int n = static_cast<int>(r.棋譜.手.size());
    for (int i = 1; i <= end.手数; ++i) {
        const std::string s = 指手文(r, i);
        const auto comma = s.find(',');
        out += s.substr(0, comma);
        out += nl;
        out += s.substr(comma + 1);
        out += nl;
    }
    out += 終局記号(end.kind, (end.手数 % 2 == 0) == o.先手から());
    out += nl;
    for (const std::string& c : end.注釈) {
        out += "'" + c;
        out += nl;
    }
    for (int i = end.手数 + 1; i <= n; ++i) {
        out += "'" + std::string(独自行) + 指手文(r, i);
        out += nl;
    }
    out += "'" + end.まで;
    out += nl;
    return out;
}

std::optional<std::string> 符号化_CSA(const 対局記録& r, std::string* reason) {
    for (const std::string* s : {&r.棋譜.対局名, &r.棋譜.上手名, &r.棋譜.下手名, &r.開始日時})
        for (unsigned char c : *s)
            if (c < 0x20 || c == 0x7F || c == ',') {
                if (reason) *reason = "名前に改行、コンマなどの書けない文字があります";
                return std::nullopt;
            }
    auto sjis = 変換_UTF8からSJIS(書式_CSA(r));
    if (!sjis && reason) *reason = "名前に Shift_JIS で書けない文字があります";
    return sjis;
}

// ==================================================================== reading

namespace {

bool 数字2(std::string_view s, int& a, int& b) {
    if (s.size() < 2 || s[0] < '0' || s[0] > '9' || s[1] < '0' || s[1] > '9') return false;
    a = s[0] - '0';
    b = s[1] - '0';
    return true;
}

// A board row "P1-KY-KE…": nine cells of three characters.
bool 盤行(std::string_view s, int row[10]) {
    std::string cells(s);
    if (cells.size() > 27) return false;
    cells.resize(27, ' ');
    for (int k = 0; k < 9; ++k) {
        const std::string_view c = std::string_view(cells).substr(static_cast<std::size_t>(k) * 3, 3);
        const int f = 9 - k;
        if (c == " * " || c == " *" || c == "   ") {
            row[f] = 0;
            continue;
        }
        if (c[0] != '+' && c[0] != '-') return false;
        const int code = 駒(c.substr(1));
        if (code == 0) return false;
        row[f] = c[0] == '+' ? code : -code;
    }
    return true;
}

std::string_view 空白を除く(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

記録読込結果 解析_CSA(std::string_view bytes) {
    記録読込結果 fail;
    std::string reason;
    const auto text = 復号_記録(bytes, reason);
    if (!text) {
        fail.error = reason;
        return fail;
    }
    読込内容 in;
    int lineNo = 0;
    bool 局面 = false, 終わり = false, 手番指定 = false;
    int rows = 0;
    auto refuse = [&](const std::string& why) {
        fail.error = std::to_string(lineNo) + "行目: " + why;
        return fail;
    };
    // One statement of the move part: a move, a time or the end.
    auto 文 = [&](std::string_view s, bool 続き) -> bool {
        if (s.empty()) return true;
        if (s.front() == 'T') {
            if (in.手.empty()) return true;
            int v = 0, digits = 0;
            for (char c : s.substr(1)) {
                if (c == '.') break;  // fractions of a second are dropped
                if (c < '0' || c > '9' || ++digits > 7) {
                    reason = "時間が読めません";
                    return false;
                }
                v = v * 10 + (c - '0');
            }
            if (v > 999 * 3600) {
                reason = "消費時間が大きすぎます(999時間まで)";
                return false;
            }
            if (!終わり || 続き) in.手.back().消費 = v;
            return true;
        }
        if (s.front() == '%') {
            if (!終わり) {
                struct 意味 {
                    std::string_view word, kept;
                    int deed, named;
                };
                static constexpr 意味 表[] = {
                    {"%TORYO", "投了", -1, 0},          {"%TSUMI", "詰み", -1, 0},
                    {"%TIME_UP", "切れ負け", -1, 0},    {"%ILLEGAL_MOVE", "反則", -1, 0},
                    {"%+ILLEGAL_ACTION", "反則", -1, 1}, {"%-ILLEGAL_ACTION", "反則", -1, -1},
                    {"%KACHI", "入玉勝ち", 1, 0},       {"%SENNICHITE", "千日手", 0, 0},
                    {"%JISHOGI", "持将棋", 0, 0},       {"%HIKIWAKE", "持将棋", 0, 0},
                    {"%MAX_MOVES", "持将棋", 0, 0},
                };
                in.終局手数 = static_cast<int>(in.手.size()) + 1;
                for (const 意味& e : 表)
                    if (s == e.word) {
                        in.終局語 = e.kept;
                        in.終局勝敗 = e.deed;
                        in.終局名指し = e.named;
                    }
            }
            終わり = true;
            return true;
        }
        if (終わり && !続き) return true;
        if (!局面) {
            reason = "開始局面の前に指し手があります";
            return false;
        }
        const int ply = static_cast<int>(in.手.size()) + 1;
        if (in.手.size() >= static_cast<std::size_t>(KIFU_MAX)) {
            reason = "指し手が" + std::to_string(KIFU_MAX) + "手を超えています";
            return false;
        }
        読込手 m;
        int a, b, c, d;
        if (s.size() != 7 || !数字2(s.substr(1), a, b) || !数字2(s.substr(3), c, d) ||
            (m.駒後 = 駒(s.substr(5))) == 0) {
            reason = std::to_string(ply) + "手目: 指し手が読めません";
            return false;
        }
        // ▲ ("+") moves on odd plies when ▲ starts, on even ones when △ starts.
        const bool 先手の手 = (ply % 2 == 1) == in.局面.先手番;
        if ((s.front() == '+') != 先手の手) {
            reason = std::to_string(ply) + "手目: 手番が合いません";
            return false;
        }
        m.打 = a == 0 && b == 0;
        m.元筋 = a;
        m.元段 = b;
        m.先筋 = c;
        m.先段 = d;
        if (c == 0 || d == 0 || (!m.打 && (a == 0 || b == 0))) {
            reason = std::to_string(ply) + "手目: 升目が盤の外です";
            return false;
        }
        in.手.push_back(m);
        in.行.push_back(lineNo);
        return true;
    };
    for (std::string_view line : 分割_行(*text)) {
        ++lineNo;
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
        if (line.empty()) continue;
        if (line.front() == '\'') {
            std::string_view own = line.substr(1);
            if (!own.starts_with(独自行)) continue;
            own.remove_prefix(独自行.size());
            if (own.starts_with("+") || own.starts_with("-")) {
                if (!終わり) return refuse("記録の続きが終局の前にあります");
                while (!own.empty()) {
                    const std::size_t comma = own.find(',');
                    if (!文(own.substr(0, comma), true)) return refuse(reason);
                    own.remove_prefix(comma == std::string_view::npos ? own.size() : comma + 1);
                }
            } else {
                if (own.find(上手先手語) != std::string_view::npos) in.向き指定 = 1;
            }
            continue;
        }
        if (line.front() == 'V') continue;
        if (line.starts_with("N+")) {
            in.先手名 = line.substr(2);
            continue;
        }
        if (line.starts_with("N-")) {
            in.後手名 = line.substr(2);
            continue;
        }
        if (line.front() == '$') {
            if (line.starts_with("$EVENT:")) in.対局名 = line.substr(7);
            if (line.starts_with("$START_TIME:")) in.開始日時 = line.substr(12);
            continue;
        }
        if (line.front() == 'P') {
            if (!in.手.empty()) return refuse("指し手の後に局面があります");
            if (line.starts_with("PI")) {
                // The normal opening, less the pieces named after it ("82HI22KA").
                const int back[10] = {0, KYOU, KEI, GIN, KIN, OU, KIN, GIN, KEI, KYOU};
                for (int f = 1; f <= 9; ++f) {
                    in.局面.盤[f][1] = -back[f];
                    in.局面.盤[f][3] = -HU;
                    in.局面.盤[f][7] = HU;
                    in.局面.盤[f][9] = back[f];
                    for (int r = 2; r <= 8; r += 2) in.局面.盤[f][r] = 0;
                    for (int r = 4; r <= 6; ++r) in.局面.盤[f][r] = 0;
                }
                in.局面.盤[8][2] = -SYA;
                in.局面.盤[2][2] = -KAKU;
                in.局面.盤[2][8] = SYA;
                in.局面.盤[8][8] = KAKU;
                std::string_view rest = line.substr(2);
                while (!rest.empty()) {
                    int f, r;
                    if (rest.size() < 4 || !数字2(rest, f, r) || f < 1 || r < 1 ||
                        std::abs(in.局面.盤[f][r]) != 駒(rest.substr(2, 2)))
                        return refuse("PI の後の駒落ちが読めません");
                    in.局面.盤[f][r] = 0;
                    rest.remove_prefix(4);
                }
                局面 = true;
                in.局面あり = true;
                continue;
            }
            if (line.size() >= 2 && line[1] >= '1' && line[1] <= '9') {
                int row[10] = {};
                if (!盤行(line.substr(2), row)) return refuse("盤面の行が読めません");
                for (int f = 1; f <= 9; ++f) in.局面.盤[f][line[1] - '0'] = row[f];
                if (++rows == 9) {
                    局面 = true;
                    in.局面あり = true;
                }
                continue;
            }
            if (line.starts_with("P+") || line.starts_with("P-")) {
                // Pieces one by one ("P-11OU21FU", "P+00HI"): on the board, or in hand ("00").
                // Without PI or rows they are the whole start, on an empty board.
                const int side = line[1] == '+' ? 1 : -1;
                std::string_view rest = line.substr(2);
                while (!rest.empty()) {
                    int f, r;
                    if (rest.size() < 4 || !数字2(rest, f, r)) return refuse("駒別の局面が読めません");
                    const std::string_view kind = rest.substr(2, 2);
                    rest.remove_prefix(4);
                    if (f == 0 && r == 0) {
                        if (kind == "AL") {
                            int onBoard = 0;
                            for (int x = 1; x <= 9; ++x)
                                for (int y = 1; y <= 9; ++y) onBoard += in.局面.盤[x][y] != 0;
                            if (onBoard < 40) in.局面.持駒あり = true;
                        } else if (駒(kind) == 0 || 駒(kind) == OU) {
                            return refuse("駒別の局面が読めません");
                        } else {
                            in.局面.持駒あり = true;
                        }
                        continue;
                    }
                    if (f < 1 || r < 1 || 駒(kind) == 0) return refuse("駒別の局面が読めません");
                    in.局面.盤[f][r] = side * 駒(kind);
                }
                if (rows == 0 || rows == 9) {
                    局面 = true;
                    in.局面あり = true;
                }
                continue;
            }
            return refuse("局面の行が読めません");
        }
        if ((line == "+" || line == "-") && !手番指定 && in.手.empty()) {
            in.局面.先手番 = line == "+";
            手番指定 = true;
            continue;
        }
        if (line.front() == '+' || line.front() == '-' || line.front() == 'T' || line.front() == '%') {
            // Statements separated by commas, each with blanks around it; a comment ends the line.
            while (!line.empty()) {
                const std::size_t comma = line.find(',');
                const std::string_view statement = 空白を除く(line.substr(0, comma));
                if (statement.starts_with('\'')) break;
                if (!文(statement, false)) return refuse(reason);
                line.remove_prefix(comma == std::string_view::npos ? line.size() : comma + 1);
            }
            continue;
        }
        return refuse("読めない行です");
    }
    if (!局面) {
        fail.error = rows > 0 ? "盤面が9段ありません" : "開始局面がありません";
        return fail;
    }
    return 組立_対局記録(in);
}

}  // namespace fudo
