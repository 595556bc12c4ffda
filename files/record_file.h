// Game record files ("*.棋譜"): three header lines (the game's name, the upper player's
// name, the lower player's name) and one 37-character line per move, Shift_JIS with CR LF.
// The reading and writing logic is plain functions over bytes, shared by the window's
// commands (Game::Command1_Click, Game::File1_Click) and the command-line tool.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/board_map.h"

namespace fudo {

class Game;
using IntMap = BoardMap<int>;

// 棋譜手 (record move): the eleven fields of one move-list entry as a record line holds
// them; times are whole seconds.
struct 棋譜手 {
    int MOTO_X = 0, MOTO_Y = 0;    // source: square, or (11, stand row) / (-1, kind or row) for a drop
    int SAKI_X = 0, SAKI_Y = 0;    // destination
    int KOMA_ATO = 0;              // code placed on the destination (promoted if it promoted)
    int KOMA = 0;                  // code of the moving piece before the move
    int TORI = 0;                  // code that stood on the destination (captured), 0 = none
    int MAN_JIKAN_MAE = 0, MAN_JIKAN = 0;  // lower player's total before / after
    int COM_JIKAN_MAE = 0, COM_JIKAN = 0;  // upper player's total before / after
    friend bool operator==(const 棋譜手&, const 棋譜手&) = default;
};

// 棋譜データ (record data): the contents of a record file, texts in UTF-8.
struct 棋譜データ {
    std::string 対局名;    // line 1: name of the game
    std::string 上手名;    // line 2: the player at the top of the screen
    std::string 下手名;    // line 3: the player at the bottom
    std::vector<棋譜手> 手;
    friend bool operator==(const 棋譜データ&, const 棋譜データ&) = default;
};

// Outcome of reading a record: the data, or a Japanese message saying why the file is
// refused (with the line or move at fault).
struct 棋譜読込結果 {
    bool ok = false;
    棋譜データ data;
    std::string error;
};

inline constexpr int 棋譜行長 = 37;                          // characters of a move line
inline constexpr std::size_t 棋譜ファイル最大 = 1u << 20;    // bytes; a real record is ~20 KB
inline constexpr int 棋譜時間最大 = 99999;                  // seconds that fit a time field
inline constexpr std::string_view 棋譜拡張子 = ".棋譜";
inline constexpr std::string_view 棋譜データなし = "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません";

// Reads the lines of a record file held in memory one at a time, CR LF (or a bare LF)
// removed. 読込_棋譜ファイル gives 1 and the next line, or 0 at the end.
class 棋譜行読取 {
public:
    explicit 棋譜行読取(std::string_view bytes) : rest_(bytes) {}
    int 読込_棋譜ファイル(std::string& line);

private:
    std::string_view rest_;
};

// One move line (37 characters, no line end). Times beyond the five-character field are
// written as 99999.
std::string 書式_棋譜行(const 棋譜手& move);

// Reads one move line: fields, ranges, piece codes and their agreement (a drop places the
// piece it takes from the hand, a promotion adds one step, a capture takes the other
// side's piece). False with a Japanese reason when the line is not a valid move line.
bool 解析_棋譜行(std::string_view line, 棋譜手& move, std::string& reason);

// Replays the moves from the opening position and checks that each one moves the piece
// that stands on its source (or is in the mover's hand), captures what stands on its
// destination, and that the sides take turns. Empty when consistent, else a Japanese
// reason naming the move.
std::string 検査_棋譜手順(const std::vector<棋譜手>& moves);

// Parses and validates a whole record file (CP932 bytes). Every line is checked before
// the result is ok, so a caller can rely on a refused file having changed nothing.
棋譜読込結果 解析_棋譜(std::string_view bytes);

// The record as CP932 bytes with CR LF; nullopt (and a Japanese reason) when a header
// text cannot be written: a character Shift_JIS lacks, or a line break.
std::optional<std::string> 書式_棋譜(const 棋譜データ& data, std::string* reason = nullptr);

// Reads and validates a record file.
棋譜読込結果 読込_棋譜(const std::filesystem::path& path);

// Writes a record file: formatted first, then replaced in one step. nullopt on success,
// else a Japanese reason; on failure no file is changed.
std::optional<std::string> 書込_棋譜(const std::filesystem::path& path, const 棋譜データ& data);

// The first `count` moves of the game's move list with the header lines arranged as the
// file wants them: the upper player's name first. Who sat where follows from who moved
// first (TE_SENTE against MAN_SENGO).
棋譜データ 作成_棋譜データ(const Game& game, int count, std::string 対局名,
                           std::string 先手名, std::string 後手名);

// Puts the moves into the game's move list (entries 1..n) and sets KIFU_LAST = n; nothing
// else changes.
void 設定_棋譜データ(Game& game, const 棋譜データ& data);

// Puts a record that has been read and checked into the game, as reading a record file
// does: record mode, the names drawn, the moves in the move list, ready for 進. A start other
// than the opening (a handicap grade) comes as its board and grade.
void 開始_棋譜モード(Game& game, const 棋譜データ& data, const IntMap* 開始盤 = nullptr,
                     int 手合 = 0);

// A file name typed by the user, blanks trimmed. nullopt (and a Japanese reason) when it
// is empty or could leave the chosen folder (path separators, "..", control characters)
// or begins with "." (a hidden file the list would not show).
std::optional<std::string> 検査_ファイル名(std::string_view typed, std::string* reason = nullptr);

}  // namespace fudo
