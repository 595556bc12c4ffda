// Review of a whole game with the strong engine: every position of a record searched, its
// evaluation from ▲'s side, the best move and its line, and the marks on the moves that
// lost ground (疑問手, 悪手, 大悪手), counted per side. Runs on the caller's thread; the
// stop flag may be set from any other.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "notation/game_record.h"
#include "search/search.h"

namespace fudo::analysis {

// One position's verdict. Scores are from ▲'s side (the bottom of the record), in the
// engine's centipawn-like units; a mate is ±(search::MateScore - plies).
struct 局面評価 {
    bool 済 = false;          // searched (or settled by the end of the game)
    int 評価値 = 0;
    int 深さ = 0;
    std::uint64_t ノード数 = 0;
    std::vector<search::Move> 読み筋;  // from this position; empty when nothing is left to play
};

// The evaluation is a won or lost game (▲ wins when it is positive), and how many plies
// are left until the king falls (0: the game is over).
inline bool 詰みか(int 評価値) { return 評価値 >= search::MateBound || 評価値 <= -search::MateBound; }
int 詰み手数(int 評価値);

enum class 印 { なし, 疑問手, 悪手, 大悪手 };
const char* 印記号(印 m);   // "", "?!", "?", "??"
const char* 印の名前(印 m); // "", "疑問手", "悪手", "大悪手"

// ▲'s chance of winning in percent, from an evaluation (mates 0 or 100).
double 勝率(int 評価値);

// The mark of a move that took the evaluation from `before` to `after` (both from ▲'s
// side) when ▲ (先手の手) or △ made it: by the fall in the mover's chance of winning.
印 判定_印(int before, int after, bool 先手の手);

// A record's positions as the engine sees them: the start (index 0) and after each move.
struct 局面列 {
    std::vector<search::Snapshot> 局面;
    search::Color 先手 = search::Lower;  // the army of ▲
};
局面列 作成_局面列(const 対局記録& r);

// A move of the record played on a position; and an engine move as the record holds it.
void 局面に指す(search::Snapshot& s, const 棋譜手& m);
棋譜手 棋譜手に(const search::Snapshot& s, search::Move m);

struct 棋譜解析 {
    std::vector<局面評価> 局面;  // index: moves played, 0 .. moves
    std::vector<印> 印列;        // index: move number - 1
    std::vector<bool> 先手の手;  // index: move number - 1; ▲ made it

    // Marks counted per side, [0] ▲ and [1] △, by kind: [0] 疑問手, [1] 悪手, [2] 大悪手.
    struct 集計 {
        int 数[2][3] = {};
    };
    集計 集計する() const;
    // Every position has been searched.
    bool 完了() const;
};

// After each searched position: its index and verdict.
using 進捗 = std::function<void(int 手数, const 局面評価&)>;

// Searches every position of the record under `limits` on `engine`, the last one first.
// Stops between (and within) positions when `stop` is set; what was searched until then is
// kept.
棋譜解析 解析する(const 対局記録& r, search::Engine& engine, const search::Limits& limits,
                  const std::atomic<bool>& stop, const 進捗& progress = {});
// The same for the positions of `a` not yet searched (a review that was held).
棋譜解析 解析を続ける(const 対局記録& r, 棋譜解析 a, search::Engine& engine, const search::Limits& limits,
                      const std::atomic<bool>& stop, const 進捗& progress = {});

// One position, as the live review (検討) searches it: `sink` sees each deeper iteration
// converted to ▲'s side.
局面評価 局面を解析(const search::Snapshot& s, search::Color 先手, search::Engine& engine,
                    const search::Limits& limits, const std::atomic<bool>& stop,
                    const std::function<void(const 局面評価&)>& sink = {});

// Fills in the marks from the evaluations (a move gets none unless both of its positions
// were searched, nor when it is the best move found before it).
void 印を付ける(const 対局記録& r, 棋譜解析& a);

// The record's move `played` is engine move m on position s.
bool 同じ手か(const search::Snapshot& s, const 棋譜手& played, search::Move m);

}  // namespace fudo::analysis
