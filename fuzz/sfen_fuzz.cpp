// Fuzzes the SFEN parser and, for every position it accepts, the computer's search on it:
// whatever the position, the search ends and leaves the board as it found it.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cli/headless.h"
#include "notation/sfen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    fudo::Position pos;
    std::string error;
    if (!fudo::parseSfen(text, pos, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    const auto h = fudo::cli::headlessAt(pos, 1 + static_cast<int>(size % 3));
    const fudo::IntMap before = h->game.BAN;
    fudo::cli::searchPosition(h->game);
    if (!(h->game.BAN == before)) std::abort();
    return 0;
}
