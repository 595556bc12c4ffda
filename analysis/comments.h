// A review in words: the engine's line as KIF moves ("▲７六歩(77)△３四歩(33)"), and the
// comment lines other shogi programs write and read for an analysed move ("先手有望",
// "#評価値=210", "#読み筋=…", "#深さ=…", "#ノード数=…", "#エンジン=…", or "#詰み=先手勝ち:7手"),
// scores from ▲'s side, so that they draw the same graph.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis.h"

namespace fudo::analysis {

inline constexpr std::string_view エンジン名 = "不動将棋 LEVEL4";

// The engine's line from the position after `手数` moves of the record, each move with ▲ or
// △ before it; in Western notation ("P7g-7f B8hx2b+") when `english`. Stops at a move the
// record cannot hold.
std::string 読み筋表記(const 対局記録& r, int 手数, const std::vector<search::Move>& pv,
                       bool english = false);

// The situation word for a score from ▲'s side (互角, 先手有望, 後手優勢, …).
const char* 形勢(int 評価値);

// The comment lines (without the comment mark) of one analysed position.
std::vector<std::string> 注釈行(const 対局記録& r, int 手数, const 局面評価& e);

// Puts the review into the record's comments, one block per position; other comments kept,
// an earlier review replaced.
void 注釈を付ける(対局記録& r, const 棋譜解析& a);

// The review a record's comments hold (positions without one are left unsearched); the
// marks are worked out again, and each line is read back into moves as far as they are
// moves of its position.
棋譜解析 注釈から(const 対局記録& r);

}  // namespace fudo::analysis
