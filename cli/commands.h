// The commands of fudo-cli, callable in-process:
//   bestmove [--level N] [--scores] SFEN
//   selfplay --games N [--seed S] [--upper-level A] [--lower-level B] [--sample K] [--record FILE]
//   replay FILE [--move N]
//   bench [--level N] [--positions FILE] [--repeat R]
//   play [--level N] [--second] [--handicap G] [--scores] [--board] [--record FILE]
#pragma once

#include <string_view>

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace fudo::cli {

// A whole decimal number within [lo, hi] (at most 18 digits, no sign).
bool parseInt(std::string_view s, long long lo, long long hi, long long& out);

inline constexpr int kExitBadInput = 2;

// Runs one command line (without the program name). Bad input writes one line to err and
// returns kExitBadInput; a self-play fault returns 1; otherwise 0.
// `play` reads the person's moves from in.
int runCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err);
// The same with no input.
int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace fudo::cli
