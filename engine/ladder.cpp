// The strength ladder as a player climbs it.
#include "engine/ladder.h"

#include "search/strength.h"

namespace fudo {

int 段の数() { return 3 + search::StepCount + 1; }

int 現在の段(const Game& g) {
    if (g.COM_LEVEL < 4) return g.COM_LEVEL - 1;
    return g.COM_STEP > 0 && g.COM_STEP <= search::StepCount ? 2 + g.COM_STEP : 段の数() - 1;
}

std::string 段の名前(int rung) {
    if (rung < 3) return "LEVEL" + std::to_string(rung + 1);
    if (rung >= 段の数() - 1) return "LEVEL4";
    return "LEVEL4-" + std::to_string(rung - 2);
}

bool 段の強さ(int rung, int& elo) {
    elo = 0;
    if (rung < 2 || rung >= 段の数()) return false;
    if (rung == 2) return true;
    elo = rung == 段の数() - 1 ? search::level4Elo() : search::strengthStep(rung - 2).elo;
    return elo != 0;
}

int 次の段(const Game& g) {
    if (!g.終局.終わった() || g.TAIKYOKU_MODE != MODE_COM || g.終局.勝者 == 0) return -1;
    const int next = 現在の段(g) + (g.終局.勝者 == g.MAN_SENGO ? 1 : -1);
    return next >= 0 && next < 段の数() ? next : -1;
}

}  // namespace fudo
