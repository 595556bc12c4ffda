#include "engine/game.h"

namespace fudo {

Game::Game(Canvas& canvas, Dialogs& dialogs, Host& host, SoundLibrary* sound)
    : canvas_(canvas), dialogs_(dialogs), host_(host), sound_(sound) {
    表示輪郭.fillBoard(色_緑);
}

int Game::駒総数() const {
    int n = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = BAN(x, y);
            // Pre-game kings (8, 9) stand for the two kings as well.
            if (c >= 10 || c <= -10 || c == SITA_OU_MAE || c == UE_OU_MAE) ++n;
        }
    // The hand totals also count captured kings.
    return n + SITA_MOCHI_SU + UE_MOCHI_SU;
}

}  // namespace fudo
