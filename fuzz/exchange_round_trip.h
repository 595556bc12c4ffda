// What the KIF and CSA fuzzers ask of a reader's answer: a refusal gives a reason; an
// accepted record replays under the game's rules, and written as KIFU and read back it
// holds the same moves. Aborts on a fault.
#pragma once

#include <cstdlib>

#include "notation/game_record.h"
#include "notation/kif.h"

namespace fudo::fuzz {

inline void checkReadRecord(const 記録読込結果& r) {
    if (!r.ok) {
        if (r.error.empty()) std::abort();
        return;
    }
    if (!検査_対局記録(r.記録).empty()) std::abort();
    const auto again = 符号化_KIF(r.記録, true);
    if (!again) return;  // names a file may hold but KIF may not (control characters)
    const 記録読込結果 back = 解析_KIF(*again);
    if (!back.ok || !(back.記録.棋譜.手 == r.記録.棋譜.手)) std::abort();
}

}  // namespace fudo::fuzz
