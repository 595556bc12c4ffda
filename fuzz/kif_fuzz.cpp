// Fuzzes the KIF reader: whatever the bytes, it returns a record or a reason; a record it
// accepts replays under the game's rules, and written again and read back it is the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "notation/csa.h"
#include "notation/kif.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const fudo::記録読込結果 r = fudo::解析_KIF(bytes);
    if (!r.ok) {
        if (r.error.empty()) std::abort();
        return 0;
    }
    if (!fudo::検査_対局記録(r.記録).empty()) std::abort();
    const auto again = fudo::符号化_KIF(r.記録, true);
    if (!again) return 0;  // names a file may hold but KIF may not (control characters)
    const fudo::記録読込結果 back = fudo::解析_KIF(*again);
    if (!back.ok || !(back.記録.棋譜.手 == r.記録.棋譜.手)) std::abort();
    return 0;
}
