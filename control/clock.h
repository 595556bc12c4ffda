// Time controls: main time with byoyomi, Fischer increments or sudden death, and what a
// side's clock shows, worked out from the side's thinking total and its moves so far.
#pragma once

#include <cstdint>
#include <string>

namespace fudo {

enum class 持ち時間方式 : std::uint8_t {
    なし,        // the elapsed time only, as always
    秒読み,      // main time, then a fixed time for every move
    フィッシャー,  // main time, and an increment after every move
    切れ負け,    // main time and nothing more
};

struct 持ち時間 {
    持ち時間方式 方式 = 持ち時間方式::なし;
    double 本体 = 0;    // main time, seconds
    double 秒読み = 0;  // byoyomi per move, seconds
    double 加算 = 0;    // Fischer increment per move, seconds
    bool 有効() const { return 方式 != 持ち時間方式::なし; }
    bool operator==(const 持ち時間&) const = default;
};

// What a side's clock holds now.
struct 時計の状態 {
    double 本体残り = 0;    // main time left
    double 秒読み残り = 0;  // byoyomi left in this turn (0 while main time remains)
    bool 秒読み中 = false;
    bool 切れ = false;      // the time is out: the side has lost
    // Seconds left before the side loses, byoyomi included.
    double 猶予() const { return 秒読み中 ? 秒読み残り : 本体残り; }
};

// The clock of a side that has spent `used` seconds over `moves` finished moves and is
// `elapsed` seconds into its current turn (0 when it is not to move). The main time left
// follows from the totals alone: byoyomi and increments never carry over.
時計の状態 時計を読む(const 持ち時間& tc, double used, int moves, double elapsed);

// The clock's text: "00:09:59" on the main time, "秒読み 28" in byoyomi.
std::string 時計の文字(const 時計の状態& s);

// The time control as a record's header states it ("各10分 秒読み30秒"); empty for none.
std::string 持ち時間の文(const 持ち時間& tc);

}  // namespace fudo
