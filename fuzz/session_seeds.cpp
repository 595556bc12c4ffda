// Writes seed sessions for the session fuzzer: a game against the computer kept after
// each of its first moves, at every level, and a two-person game stepped back.
// Usage: session_seeds FOLDER
#include <cstdio>
#include <filesystem>
#include <string>

#include "cli/headless.h"
#include "files/session_file.h"

namespace {

using namespace fudo;

void click(Game& g, int x, int y) { g.Form_MouseDown(1, 0, 1050 + 495 * x + 247, 100 + 615 * y + 307); }

// The first board move of the lower side that needs no promotion and moves no king.
bool playLower(Game& g) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = g.BAN(x, y);
            if (c > -HU || c == -OU) continue;
            for (int ty = 1; ty <= 9; ++ty)
                for (int tx = 1; tx <= 9; ++tx)
                    if (g.移動チェック(x, y, tx, ty, c) == 1 && Game::移動後チェック(ty, c) == 1 && g.BAN(tx, ty) != OU) {
                        click(g, x, y);
                        click(g, tx, ty);
                        return true;
                    }
        }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    cli::NullCanvas canvas;
    cli::NullDialogs dialogs;
    cli::NullHost host;
    int n = 0;
    for (int level = 1; level <= 3; ++level) {
        Game g(canvas, dialogs, host, nullptr);
        g.初期設定();
        g.レベル_設定(level);
        g.SENTE_Click();
        for (int i = 0; i < 5 && g.TEBAN != 0 && playLower(g); ++i)
            if (!書込_セッション(g, dir / ("com" + std::to_string(++n) + ".json"))) return 1;
    }
    Game g(canvas, dialogs, host, nullptr);
    g.初期設定();
    g.START_Click();
    click(g, 7, 7), click(g, 7, 6), click(g, 3, 3), click(g, 3, 4);
    g.REPLAY_Click();
    if (!書込_セッション(g, dir / "stepped-back.json")) return 1;
    std::printf("%d sessions\n", n + 1);
    return 0;
}
