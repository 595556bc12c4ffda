// Fuzzes the session reader: whatever the file holds, reading it either refuses it and
// leaves the game alone, or gives a game that plays on (steps back and forward, clicks,
// the computer's turn) and is written back to the same text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cli/headless.h"
#include "files/session_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    fudo::cli::NullCanvas canvas;
    fudo::cli::NullDialogs dialogs;
    fudo::cli::NullHost host;
    fudo::Game g(canvas, dialogs, host, nullptr);
    g.初期設定();
    const std::string before = fudo::セッション文字列(g);

    std::string error;
    bool unfinished = false;
    const bool valid = fudo::検査_セッション(text, error, &unfinished);
    if (fudo::読込_セッション(g, text, error) != valid) std::abort();
    if (!valid) {
        if (error.empty() || fudo::セッション文字列(g) != before) std::abort();
        return 0;
    }
    // What was read is written back to a text that reads the same.
    const std::string again = fudo::セッション文字列(g);
    std::string error2;
    if (!fudo::検査_セッション(again, error2)) std::abort();
    if (fudo::保存する対局か(g) != unfinished) std::abort();

    // The game goes on from there without faults.
    g.補助 = {true, true, true};
    g.SIDOU_FLAG = 1;
    g.SIDOU_COLOR = 15;
    fudo::再開_セッション(g);
    g.REPLAY_Click();
    g.AFTER_Click();
    const double X0 = 1050 + 247, Y0 = 100 + 307;
    for (int i = 0; i < 6 && !g.終了要求; ++i) {
        const int x = 1 + (data[i % size] % 11), y = 1 + (data[(i * 7) % size] % 9);
        g.Form_MouseDown(1 + (i % 2), 0, X0 + 495 * x, Y0 + 615 * y);
    }
    return 0;
}
