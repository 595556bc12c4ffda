// Moves in the Western notation of English shogi texts: the piece ("P", "+B"), its square,
// "-" or "x" for a capture, the destination, then "+" for a promotion or "=" for one
// declined; a drop is "P*5e". A square is its file's digit and its rank's letter ("7g").
#pragma once

#include <string>

namespace fudo {

struct 英語の手 {
    int 駒 = 0;  // the piece as it stood before the move, either sign
    bool 打 = false;
    int 元筋 = 0, 元段 = 0;  // 1..9; unused for a drop
    int 先筋 = 0, 先段 = 0;  // 1..9
    bool 取り = false;
    bool 成り = false;
    bool 不成 = false;  // promotion was open and declined
};

// "P", "L", "N", "S", "G", "B", "R", "K", and "+P" … "+R" for the promoted pieces; "?" else.
std::string 駒_英語(int code);
std::string 升_英語(int 筋, int 段);
std::string 表記_英語(const 英語の手& m);

}  // namespace fudo
