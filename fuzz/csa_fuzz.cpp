// Fuzzes the CSA reader: whatever the bytes, it returns a record or a reason; a record it
// accepts replays under the game's rules, and written again and read back it is the same.
#include <cstdint>
#include <string_view>

#include "fuzz/exchange_round_trip.h"
#include "notation/csa.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fudo::fuzz::checkReadRecord(fudo::解析_CSA(bytes));
    return 0;
}
