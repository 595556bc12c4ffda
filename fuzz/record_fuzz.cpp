// Fuzzes the record-file reader: any bytes are either refused with a reason or give a
// record that writes back to bytes which read back to the same record.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "files/record_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const fudo::棋譜読込結果 r = fudo::解析_棋譜(bytes);
    if (!r.ok) {
        if (r.error.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    const auto written = fudo::書式_棋譜(r.data);
    if (!written) return 0;  // headers the file cannot hold are refused on writing
    const fudo::棋譜読込結果 again = fudo::解析_棋譜(*written);
    if (!again.ok || !(again.data == r.data)) std::abort();
    return 0;
}
