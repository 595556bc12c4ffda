// fudo-cli analyse: a record reviewed by the strong engine, a line per move and a summary
// per side, and the record written again with the review as KIF comments.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace fudo::cli {

// args[0] is the command word. Exit codes as runCommand's.
int analyseCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace fudo::cli
