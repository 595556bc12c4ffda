#include "notation/record_io.h"

#include <cctype>
#include <cstdlib>
#include <ctime>

#include "engine/game.h"
#include "files/file_io.h"
#include "notation/csa.h"
#include "notation/kif.h"

namespace fudo {

std::optional<記録形式> 形式_拡張子(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".kif") return 記録形式::KIF;
    if (ext == ".kifu") return 記録形式::KIFU;
    if (ext == ".csa") return 記録形式::CSA;
    return std::nullopt;
}

記録読込結果 読込_記録(const std::filesystem::path& path) {
    const auto format = 形式_拡張子(path);
    if (!format) {
        記録読込結果 r;
        r.error = "拡張子が .kif .kifu .csa のどれでもありません";
        return r;
    }
    ファイル内容 f = 読込_ファイル(path, 記録ファイル最大);
    if (!f.ok) {
        記録読込結果 r;
        r.error = f.missing ? "ファイルがありません" : f.error;
        return r;
    }
    return *format == 記録形式::CSA ? 解析_CSA(f.bytes) : 解析_KIF(f.bytes);
}

std::optional<std::string> 書式_記録(const 対局記録& r, 記録形式 format, std::string* reason) {
    std::string why;
    if (r.棋譜.手.empty()) {
        why = "保存するデータがありません";
    } else if (std::string fault = 検査_対局記録(r); !fault.empty()) {
        why = "指し手が正しくありません: " + fault;
    }
    if (!why.empty()) {
        if (reason) *reason = why;
        return std::nullopt;
    }
    return format == 記録形式::CSA ? 符号化_CSA(r, reason) : 符号化_KIF(r, format == 記録形式::KIFU, reason);
}

std::optional<std::string> 書込_記録(const std::filesystem::path& path, const 対局記録& r,
                                     記録形式 format) {
    std::string reason;
    const auto bytes = 書式_記録(r, format, &reason);
    if (!bytes) return reason;
    return 書込_ファイル置換(path, *bytes);
}

void 取込_対局記録(Game& g, const 対局記録& r) {
    auto 情報 = [&g, &r] {
        g.棋譜開始日時 = r.開始日時;
        g.棋譜終局語 = r.終局語;
        g.棋譜勝者 = r.勝者;
        // With no moves, no first move says who moves first: the record does.
        if (r.棋譜.手.empty() && r.上手先手) {
            g.TAIKYOKU_MODE = MODE_COM;
            g.TE_SENTE = g.COM_SENGO;
            g.TE_GOTE = g.MAN_SENGO;
            g.TEBAN = g.TE_SENTE;
        }
    };
    if (r.手合 == 0) {
        開始_棋譜モード(g, r.棋譜);
        情報();
        return;
    }
    int board[10][10];
    作成_開始局面(r.手合, board);
    IntMap ban;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            // Outside a game the kings stand as their pre-game pictures.
            const int c = board[x][y];
            ban(x, y) = c == -OU ? SITA_OU_MAE : c == OU ? UE_OU_MAE : c;
        }
    開始_棋譜モード(g, r.棋譜, &ban, r.手合);
    情報();
}


std::string 局面SFEN(const Game& g) {
    const 記録の向き o = 向き(g);
    const int 先手側 = o.先手側();  // piece sign of ▲, the bottom side
    static constexpr char letters[8] = {'?', 'P', 'L', 'N', 'S', 'G', 'B', 'R'};
    std::string s;
    for (int r = 1; r <= 9; ++r) {
        int empty = 0;
        for (int f = 9; f >= 1; --f) {
            int x, y;
            o.盤座標(f, r, x, y);
            int c = g.BAN(x, y);
            if (c == SITA_OU_MAE) c = -OU;
            if (c == UE_OU_MAE) c = OU;
            const int a = std::abs(c);
            if (a < HU) {
                ++empty;
                continue;
            }
            if (empty) s += static_cast<char>('0' + empty);
            empty = 0;
            const int kind = 駒種類(a);
            if (kind != 0 && 持駒コード[kind] != a) s += '+';
            const char letter = kind ? letters[kind] : 'K';
            s += (c > 0) == (先手側 > 0) ? letter : static_cast<char>(std::tolower(letter));
        }
        if (empty) s += static_cast<char>('0' + empty);
        if (r < 9) s += '/';
    }
    // The side to move: the game's turn, else (a record replayed) the mover of the next move.
    bool 上手番;
    if (g.TEBAN != 0) 上手番 = g.TEBAN == g.COM_SENGO;  // TEBAN holds the players' side values
    else if (g.KIFU_NOW < g.KIFU_LAST && g.KIFU_NOW >= 0) 上手番 = g.KIFU_KOMA[g.KIFU_NOW + 1] > 0;
    else if (g.KIFU_NOW > 0 && g.KIFU_NOW <= KIFU_MAX) 上手番 = g.KIFU_KOMA[g.KIFU_NOW] < 0;
    else 上手番 = 上手が先手か(g);
    s += 上手番 == o.回転 ? " b " : " w ";
    std::string hands;
    for (int pass = 0; pass < 2; ++pass) {
        const bool upper = (pass == 0) == (先手側 > 0);
        const auto& hand = upper ? g.UE_MOCHI : g.SITA_MOCHI;
        for (int kind = 7; kind >= 1; --kind) {
            if (hand[kind] <= 0) continue;
            if (hand[kind] > 1) hands += std::to_string(hand[kind]);
            hands += pass == 0 ? letters[kind] : static_cast<char>(std::tolower(letters[kind]));
        }
    }
    s += hands.empty() ? "-" : hands;
    s += ' ';
    s += std::to_string(g.KIFU_NOW + 1);
    return s;
}

}  // namespace fudo
