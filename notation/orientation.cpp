// Orientation of a record: the turn of the board and the first mover.
#include "notation/orientation.h"

#include "engine/game.h"

namespace fudo {

記録の向き 記録の向き::作成(int 手合, bool 上手先手) {
    記録の向き o;
    o.上手先手 = 上手先手;
    if (手合 > 0) o.回転 = false;       // the upper side gave the pieces: it stays at the top
    else if (手合 < 0) o.回転 = true;   // the lower side gave them: it goes to the top
    else o.回転 = 上手先手;             // an even game: the first mover at the bottom
    return o;
}

記録の向き 記録の向き::読込(int 手合, bool 回転, bool 先手番) {
    // ▲ is the upper side when the board is turned; it moves first unless △ is to move.
    return 作成(手合, 先手番 == 回転);
}

bool 上手が先手か(const Game& g) {
    return g.KIFU_LAST > 0 ? g.KIFU_KOMA[1] > 0 : g.TE_SENTE == g.COM_SENGO;
}

記録の向き 向き(const Game& g) {
    return 記録の向き::作成(g.HANDE_FLAG == 1 ? g.HANDE_LEVEL : 0, 上手が先手か(g));
}

}  // namespace fudo
