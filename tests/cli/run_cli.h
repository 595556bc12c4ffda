// Runs a fudo-cli command line in-process and keeps what it printed.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace fudo::cli {

struct Outcome {
    int code;
    std::string out, err;
};

inline Outcome run(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = runCommand(args, out, err);
    return {code, out.str(), err.str()};
}

// The lines of a text, without their ends.
inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

}  // namespace fudo::cli
