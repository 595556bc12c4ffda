// fudo-cli: the game's computer player without a window. See cli/commands.h.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return fudo::cli::runCommand(args, std::cin, std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "fudo-cli: " << e.what() << '\n';
        return 1;
    }
}
