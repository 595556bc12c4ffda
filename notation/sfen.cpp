#include "notation/sfen.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace fudo {

namespace {

// Upper-side code of an SFEN letter (either case), or 0.
int letterCode(char c) {
    switch (std::tolower(static_cast<unsigned char>(c))) {
    case 'p': return HU;
    case 'l': return KYOU;
    case 'n': return KEI;
    case 's': return GIN;
    case 'g': return KIN;
    case 'b': return KAKU;
    case 'r': return SYA;
    case 'k': return OU;
    default: return 0;
    }
}

// Upper-case SFEN letter of a kind 1..7.
constexpr char kKindLetter[8] = {'?', 'P', 'L', 'N', 'S', 'G', 'B', 'R'};

bool promotable(int code) {
    return code == HU || code == KYOU || code == KEI || code == GIN || code == KAKU || code == SYA;
}

// A character for an error message: itself when printable, else its byte value.
std::string shown(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7f) return std::string("'") + c + "'";
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02x", u);
    return std::string("byte ") + buf;
}

std::vector<std::string_view> splitFields(std::string_view s) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
        size_t j = i;
        while (j < s.size() && !std::isspace(static_cast<unsigned char>(s[j]))) ++j;
        if (j > i) out.push_back(s.substr(i, j - i));
        i = j;
    }
    return out;
}

bool parseBoard(std::string_view f, Position& pos, std::string& error) {
    int y = 1, x = 1;
    bool promote = false;
    int sitaKings = 0, ueKings = 0;
    for (size_t i = 0; i < f.size(); ++i) {
        const char c = f[i];
        if (c == '/') {
            if (promote || x != 10) {
                error = "rank " + std::to_string(y) + " of the board does not hold 9 squares";
                return false;
            }
            if (++y > 9) {
                error = "the board has more than 9 ranks";
                return false;
            }
            x = 1;
        } else if (c >= '1' && c <= '9') {
            if (promote) {
                error = "'+' must be followed by a piece letter";
                return false;
            }
            x += c - '0';
            if (x > 10) {
                error = "rank " + std::to_string(y) + " of the board holds more than 9 squares";
                return false;
            }
        } else if (c == '+') {
            if (promote) {
                error = "'++' in the board";
                return false;
            }
            promote = true;
        } else {
            int code = letterCode(c);
            if (code == 0) {
                error = "unexpected character " + shown(c) + " in the board";
                return false;
            }
            if (x > 9) {
                error = "rank " + std::to_string(y) + " of the board holds more than 9 squares";
                return false;
            }
            if (promote) {
                if (!promotable(code)) {
                    error = std::string("piece '") + c + "' cannot be promoted";
                    return false;
                }
                code += 1;
                promote = false;
            }
            const bool lower = std::isupper(static_cast<unsigned char>(c)) != 0;
            if (code == OU) {
                if (lower) {
                    ++sitaKings;
                    pos.sitaOuX = x;
                    pos.sitaOuY = y;
                } else {
                    ++ueKings;
                    pos.ueOuX = x;
                    pos.ueOuY = y;
                }
            }
            pos.ban[x][y] = lower ? -code : code;
            ++x;
        }
    }
    if (promote || y != 9 || x != 10) {
        error = "the board must hold 9 ranks of 9 squares";
        return false;
    }
    if (sitaKings != 1 || ueKings != 1) {
        error = "the position must hold exactly one king of each side";
        return false;
    }
    return true;
}

bool parseHands(std::string_view f, Position& pos, std::string& error) {
    if (f == "-") return true;
    size_t i = 0;
    while (i < f.size()) {
        int count = 1;
        if (std::isdigit(static_cast<unsigned char>(f[i]))) {
            count = 0;
            size_t digits = 0;
            while (i < f.size() && std::isdigit(static_cast<unsigned char>(f[i]))) {
                if (++digits > 2) {
                    error = "a count in the hands is too large";
                    return false;
                }
                count = count * 10 + (f[i] - '0');
                ++i;
            }
            if (count < 1 || i >= f.size()) {
                error = "a count in the hands must be followed by a piece letter and be at least 1";
                return false;
            }
        }
        const char c = f[i++];
        const int code = letterCode(c);
        const int kind = 駒種類(code);
        if (kind == 0) {
            error = "unexpected character " + shown(c) + " in the hands";
            return false;
        }
        auto& hand = std::isupper(static_cast<unsigned char>(c)) ? pos.sitaMochi : pos.ueMochi;
        hand[kind] += count;
        if (hand[kind] > 81) {
            error = "too many pieces in a hand";
            return false;
        }
    }
    return true;
}

bool isNumber(std::string_view s) {
    if (s.empty() || s.size() > 9) return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

}  // namespace

bool parseSfen(std::string_view text, Position& out, std::string& error) {
    Position pos;
    auto fields = splitFields(text);
    if (!fields.empty() && fields[0] == "sfen") fields.erase(fields.begin());
    if (fields.empty()) {
        error = "empty position";
        return false;
    }
    if (fields.size() > 4) {
        error = "too many fields in the position";
        return false;
    }
    if (!parseBoard(fields[0], pos, error)) return false;
    if (fields.size() > 1 && fields[1] != "b" && fields[1] != "w") {
        error = "the side to move must be 'b' or 'w'";
        return false;
    }
    if (fields.size() > 2 && !parseHands(fields[2], pos, error)) return false;
    if (fields.size() > 3 && !isNumber(fields[3])) {
        error = "the move number must be a number";
        return false;
    }
    out = pos;
    return true;
}

bool checkPieceCounts(const Position& pos, std::string& error) {
    static constexpr int kInSet[8] = {0, 18, 4, 4, 4, 4, 2, 2};
    static constexpr const char* kNames[8] = {"", "pawns", "lances", "knights", "silvers", "golds", "bishops", "rooks"};
    int count[8] = {};
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) count[駒種類(pos.ban[x][y])] += 1;
    for (int kind = 1; kind <= 7; ++kind) {
        count[kind] += pos.sitaMochi[kind] + pos.ueMochi[kind];
        if (count[kind] > kInSet[kind]) {
            error = "the position holds " + std::to_string(count[kind]) + " " + kNames[kind] +
                    " on the board and in hand; a set has " + std::to_string(kInSet[kind]);
            return false;
        }
    }
    return true;
}

std::string toSfen(const Game& g, char side, int moveNumber) {
    std::string s;
    for (int y = 1; y <= 9; ++y) {
        int empty = 0;
        for (int x = 1; x <= 9; ++x) {
            // The kings drawn before a game (8, 9) stand where the kings stand.
            const int c = g.BAN(x, y) == SITA_OU_MAE ? -OU : g.BAN(x, y) == UE_OU_MAE ? OU : g.BAN(x, y);
            const int a = c < 0 ? -c : c;
            if (a < 10) {
                ++empty;
                continue;
            }
            if (empty) s += static_cast<char>('0' + empty);
            empty = 0;
            const bool promoted = a == HU_NARI || a == KYOU_NARI || a == KEI_NARI || a == GIN_NARI ||
                                  a == KAKU_NARI || a == SYA_NARI;
            if (promoted) s += '+';
            const int kind = 駒種類(a);
            char letter = kind ? kKindLetter[kind] : 'K';
            s += c < 0 ? letter : static_cast<char>(std::tolower(letter));
        }
        if (empty) s += static_cast<char>('0' + empty);
        if (y < 9) s += '/';
    }
    s += ' ';
    s += side;
    s += ' ';
    std::string hands;
    for (int pass = 0; pass < 2; ++pass) {
        const auto& hand = pass == 0 ? g.SITA_MOCHI : g.UE_MOCHI;
        for (int kind = 7; kind >= 1; --kind) {
            const int n = hand[kind];
            if (n <= 0) continue;
            if (n > 1) hands += std::to_string(n);
            const char letter = kKindLetter[kind];
            hands += pass == 0 ? letter : static_cast<char>(std::tolower(letter));
        }
    }
    s += hands.empty() ? "-" : hands;
    s += ' ';
    s += std::to_string(moveNumber);
    return s;
}

void setPosition(Game& g, const Position& pos) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) g.BAN(x, y) = pos.ban[x][y];
    g.SITA_MOCHI_SU = g.UE_MOCHI_SU = 0;
    for (int k = 1; k <= 7; ++k) {
        g.SITA_MOCHI[k] = pos.sitaMochi[k];
        g.UE_MOCHI[k] = pos.ueMochi[k];
        g.SITA_MOCHI_SU += pos.sitaMochi[k];
        g.UE_MOCHI_SU += pos.ueMochi[k];
    }
    g.SITA_OU_X = pos.sitaOuX;
    g.SITA_OU_Y = pos.sitaOuY;
    g.UE_OU_X = pos.ueOuX;
    g.UE_OU_Y = pos.ueOuY;
}

std::string usiMove(const 候補手& m) {
    std::string s;
    auto square = [&s](int x, int y) {
        s += static_cast<char>('0' + (10 - x));
        s += static_cast<char>('a' + (y - 1));
    };
    if (m.fx < 0 || m.fx > 9) {
        const int kind = 駒種類(m.koma);
        s += kKindLetter[kind];
        s += '*';
        square(m.tx, m.ty);
        return s;
    }
    square(m.fx, m.fy);
    square(m.tx, m.ty);
    if (m.placed != m.koma) s += '+';
    return s;
}

}  // namespace fudo
