// fudo-cli's commands for the exchange formats: export a ".棋譜" file as KIF, KIFU or CSA,
// import a KIF, KIFU or CSA file (checked under the game's rules) into a ".棋譜" file, and
// replay such a file the way the window would.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace fudo::cli {

// args[0] is the command word. Exit codes as runCommand's.
int exportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int importCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// replay FILE [--move N] for a KIF, KIFU or CSA file: the position after N moves (all when
// N < 0) as SFEN.
int replayExchange(const std::filesystem::path& path, long long moves, std::ostream& out,
                   std::ostream& err);

}  // namespace fudo::cli
