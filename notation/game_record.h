// A whole game as the exchange formats (KIF, CSA) see it: the game's own move list with its
// names, the handicap grade it started from and who moved first. Moves read from a file
// are replayed here under the game's own rules (移動チェック, 移動後チェック, 調査_駒成);
// moves written to a file are sorted into those a standard shogi reader accepts and those
// only this game allows, and the game's true result is worked out.
//
// How the board is turned for a record is notation/orientation.h's concern.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "files/record_file.h"
#include "notation/orientation.h"

namespace fudo {

class Game;

struct 対局記録 {
    棋譜データ 棋譜;          // names and moves as a ".棋譜" file holds them
    int 手合 = 0;             // handicap grade -10..10 of the start position
    bool 上手先手 = false;    // the upper side moved first
    std::string 開始日時;     // "2026/12/07 11:00:00"; empty: not written
    std::string 持ち時間;     // the game's time control, "各10分 秒読み30秒"; empty: not written
    // How a file read said the game ended, when this game's rules do not end it: "投了",
    // "詰み", "切れ負け", "反則", "入玉勝ち", "千日手" or "持将棋" (empty: not said, or 中断),
    // with the piece sign of the winner (0: a draw or none).
    std::string 終局語;
    int 勝者 = 0;
    // Comment lines (without the "*") after move i, [0] before the first; KIF only.
    std::vector<std::vector<std::string>> 注釈;
    // Played against the computer: its mate test ends the game. Between two persons only a
    // taken king does; a file does not say, and is read as against the computer.
    bool 対COM = true;
};

// A move as a file states it, in record coordinates (▲ at the bottom).
struct 読込手 {
    bool 打 = false;
    int 元筋 = 0, 元段 = 0;   // source square; unused for a drop
    int 先筋 = 0, 先段 = 0;   // destination
    int 駒後 = 0;             // positive code of the piece as it stands after the move
    int 消費 = -1;            // seconds this move took; -1 unknown
    int 累計 = -1;            // mover's total after it; -1 unknown
};

// The start position of a file, in record coordinates: board[f][r] holds positive codes for
// ▲ and negative for △ (kings as ±OU); the hands must be empty for this game.
struct 読込局面 {
    int 盤[10][10] = {};
    bool 先手番 = true;
    bool 持駒あり = false;
};

// What a file said, before the moves are checked.
struct 読込内容 {
    std::string 先手名, 後手名, 対局名, 開始日時;
    bool 局面あり = false;    // a start position was given (else the normal opening)
    読込局面 局面;
    int 向き指定 = 0;         // +1 the upper side moved first, -1 the lower, 0 unknown
    std::vector<読込手> 手;
    std::vector<int> 行;      // line of each move, for messages
    std::vector<std::string> 注記;  // what was left out, for the reader's note
    // The end word after the last move: as 対局記録::終局語, the move number it stands at, and
    // whose deed it names: +1 the mover's win, -1 the mover's loss, 0 neither; a side the
    // line names itself (+1 ▲, -1 △) takes the mover's place.
    std::string 終局語;
    int 終局手数 = 0, 終局勝敗 = 0, 終局名指し = 0;
    std::vector<std::vector<std::string>> 注釈;  // comments after move i, [0] before the first
};

// Outcome of reading a KIF or CSA file.
struct 記録読込結果 {
    bool ok = false;
    対局記録 記録;
    std::string error;  // Japanese, naming the line or the move at fault
    std::string 注記;   // Japanese lines saying what of a file read was left out; empty: nothing
};

inline constexpr std::size_t 記録ファイル最大 = 1u << 20;  // bytes

// Checks the moves of a file against the game's rules from a start position that must be
// the opening or one of the handicap grades, and builds the game's move list.
記録読込結果 組立_対局記録(const 読込内容& in);

// Why the moves of a record cannot be replayed from its start, or empty.
std::string 検査_対局記録(const 対局記録& r);

// How a game ended and how much of it standard shogi can hold.
struct 終局情報 {
    enum class 結果 { なし, 先手勝ち, 後手勝ち, 引き分け };
    enum class 理由 { なし, 玉取り, 玉移動, 詰み, 手数上限 };
    enum class 非標準 { なし, 自玉に利き, 玉取り, 打ち歩詰め };
    結果 result = 結果::なし;
    理由 reason = 理由::なし;
    bool 標準詰み = false;         // the mate is a mate in standard shogi too
    int 標準手数 = 0;              // moves a standard reader accepts (a prefix of the list)
    非標準 最初の非標準 = 非標準::なし;  // why move 標準手数 + 1 is not standard shogi
};
終局情報 調査_終局(const 対局記録& r);

// How the end of a record is written: the moves standard shogi holds, the end word, the
// winner as 先手/後手 and the comments that name this game's rules.
struct 終局表記 {
    enum class 種別 { 中断, 投了, 詰み, 反則勝ち, 反則負け, 持将棋, 千日手, 切れ負け, 入玉勝ち };
    int 手数 = 0;                     // moves written as moves
    種別 kind = 種別::中断;
    std::string 勝者;                 // "先手", "後手" or empty
    std::vector<std::string> 注釈;    // comment texts, without the comment mark
    std::string まで;                 // "まで56手で先手の勝ち"
};
終局表記 作成_終局表記(const 対局記録& r);

// Each move in KIF notation ("７六歩(77)", "同　銀(31)", "２二角不成(88)", "５五角打"),
// in the record's orientation. Empty entries for moves that cannot be replayed. Files say
// a declined promotion as a plain move ("２二角(88)"): the common readers know no 不成.
std::vector<std::string> 表記_KIF手順(const 対局記録& r, bool 不成も = true);
// The same in Western notation ("P7g-7f", "B8hx2b+", "S3ax2b=", "P*5e").
std::vector<std::string> 表記_英語手順(const 対局記録& r);

// The orientation of a record: its grade and its first mover.
inline 記録の向き 向き(const 対局記録& r) { return 記録の向き::作成(r.手合, r.上手先手); }

// The seconds of move i (1-based) for the mover: this move's share and the mover's total.
void 取得_手の時間(const 対局記録& r, int i, int& 消費, int& 累計);

// The game's record as it stands: its first `count` moves, the handicap grade, who moved
// first, and the names of the record last read (or of the players).
対局記録 作成_対局記録(const Game& g, int count);

// The game's moves from a ".棋譜" file: it always starts at the opening.
対局記録 作成_対局記録(const 棋譜データ& data);

// A start position of the game, for tests and the SFEN of a record: the opening with the
// pieces of a handicap grade removed (kings as ±OU), board[x][y] in the game's coordinates.
void 作成_開始局面(int grade, int board[10][10]);
// The start position of a record as its diagram shows it: rec[file][rank], ▲ positive.
void 作成_記録の開始局面(const 対局記録& r, int rec[10][10]);

}  // namespace fudo
