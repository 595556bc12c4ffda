// The influence survey: which squares each side covers, the cheapest attackers and
// defenders, and which pieces give check. A full rebuild from the board every time.
//
// Record codes: the code a piece stores in the code maps. It is the piece's own code,
// except that a lower bishop's diagonals record -800 and every upper gold mover records 110.
#include "engine/game.h"

namespace fudo {

namespace {
constexpr bool onBoard(int x, int y) { return x >= 1 && x <= 9 && y >= 1 && y <= 9; }
}  // namespace

// Lower record step. `checkMark` is set for the steps of every lower piece except the
// king; a line square never marks check here (the ray walk does that).
void Game::下記録(int c, int sx, int sy, int tx, int ty, bool checkMark, bool knight) {
    SITA_SEIRYOKU(tx, ty) += 1;
    const int t = BAN(tx, ty);
    if (t <= -10) {
        if (c < SITA_MAMORI_KOMA(tx, ty)) SITA_MAMORI_KOMA(tx, ty) = c;
    } else if (t >= 10) {
        if (c > SITA_KOUGEKI_KOMA(tx, ty)) {
            SITA_KOUGEKI_KOMA(tx, ty) = c;
            SITA_KOUGEKI_X(tx, ty) = sx;
            SITA_KOUGEKI_Y(tx, ty) = sy;
        }
        if (checkMark && t == OU) {
            SITA_OUTE(sx, sy) = 9;
            if (knight) SITA_OUTE(tx, ty) = 9;
        }
    }
}

// Upper "Full" rule: lines of lance, rook, bishop and their promoted forms, and the
// dragon's diagonal steps. Records codes and squares of defenders and attackers.
void Game::上記録_Full(int c, int sx, int sy, int tx, int ty, bool checkMark, bool knight) {
    UE_SEIRYOKU(tx, ty) += 1;
    const int t = BAN(tx, ty);
    if (t >= 10) {
        if (c < UE_MAMORI_KOMA(tx, ty)) {
            UE_MAMORI_KOMA(tx, ty) = c;
            UE_MAMORI_X(tx, ty) = sx;
            UE_MAMORI_Y(tx, ty) = sy;
        }
    } else if (t <= -10) {
        if (c < UE_KOUGEKI_KOMA(tx, ty)) {
            UE_KOUGEKI_KOMA(tx, ty) = c;
            UE_KOUGEKI_X(tx, ty) = sx;
            UE_KOUGEKI_Y(tx, ty) = sy;
        }
    }
    if (checkMark && t == -OU) {
        UE_OUTE(sx, sy) = 9;
        if (knight) UE_OUTE(tx, ty) = 9;
    }
}

// Upper knight and silver: defend with their square, never recorded as attackers.
void Game::上記録_駒位置守(int c, int sx, int sy, int tx, int ty, bool knight) {
    UE_SEIRYOKU(tx, ty) += 1;
    const int t = BAN(tx, ty);
    if (t >= 10 && c < UE_MAMORI_KOMA(tx, ty)) {
        UE_MAMORI_KOMA(tx, ty) = c;
        UE_MAMORI_X(tx, ty) = sx;
        UE_MAMORI_Y(tx, ty) = sy;
    }
    if (t == -OU) {
        UE_OUTE(sx, sy) = 9;
        if (knight) UE_OUTE(tx, ty) = 9;
    }
}

// Upper pawn: records its code as defender or attacker, but never its square.
void Game::上記録_歩(int c, int sx, int sy, int tx, int ty) {
    UE_SEIRYOKU(tx, ty) += 1;
    const int t = BAN(tx, ty);
    if (t >= 10) {
        if (c < UE_MAMORI_KOMA(tx, ty)) UE_MAMORI_KOMA(tx, ty) = c;
    } else if (t <= -10) {
        if (c < UE_KOUGEKI_KOMA(tx, ty)) UE_KOUGEKI_KOMA(tx, ty) = c;
    }
    if (t == -OU) UE_OUTE(sx, sy) = 9;
}

// Upper gold movers (record code 110) and the upper king (950): defender code only.
void Game::上記録_守駒のみ(int c, int sx, int sy, int tx, int ty, bool checkMark) {
    UE_SEIRYOKU(tx, ty) += 1;
    const int t = BAN(tx, ty);
    if (t >= 10 && c < UE_MAMORI_KOMA(tx, ty)) UE_MAMORI_KOMA(tx, ty) = c;
    if (checkMark && t == -OU) UE_OUTE(sx, sy) = 9;
}

// The upper horse's straight steps are counted but never recorded.
void Game::上記録_数のみ(int sx, int sy, int tx, int ty) {
    UE_SEIRYOKU(tx, ty) += 1;
    if (BAN(tx, ty) == -OU) UE_OUTE(sx, sy) = 9;
}

// Ray walk from (x, y) in direction (dx, dy). A negative record code walks for the lower
// side, a positive one for the upper side. The opposing king does not stop the line: the
// squares between are marked as block squares and the walk goes on behind the king.
void Game::直進(int c, int x, int y, int dx, int dy) {
    const bool lower = c < 0;
    const int enemyKing = lower ? OU : -OU;
    IntMap& oute = lower ? SITA_OUTE : UE_OUTE;
    for (int tx = x + dx, ty = y + dy; onBoard(tx, ty); tx += dx, ty += dy) {
        if (lower) 下記録(c, x, y, tx, ty, false, false);
        else 上記録_Full(c, x, y, tx, ty, false, false);
        const int t = BAN(tx, ty);
        if (t == KARA) continue;
        if (t == enemyKing) {
            for (int bx = x + dx, by = y + dy; bx != tx || by != ty; bx += dx, by += dy)
                oute(bx, by) = 1;
            oute(x, y) = 9;
            continue;
        }
        break;
    }
}

void Game::勢力確定上直進(int c, int x, int y) { 直進(c, x, y, 0, -1); }
void Game::勢力確定下直進(int c, int x, int y) { 直進(c, x, y, 0, +1); }
void Game::勢力確定右直進(int c, int x, int y) { 直進(c, x, y, +1, 0); }
void Game::勢力確定左直進(int c, int x, int y) { 直進(c, x, y, -1, 0); }

void Game::斜進(bool lower, int c, int x, int y) {
    const int rc = lower ? -KAKU : c;  // a lower bishop's diagonals always record -800
    直進(rc, x, y, -1, -1);
    直進(rc, x, y, +1, -1);
    直進(rc, x, y, -1, +1);
    直進(rc, x, y, +1, +1);
}

void Game::勢力確定自角(int x, int y) { 斜進(true, -KAKU, x, y); }
void Game::勢力確定敵角(int c, int x, int y) { 斜進(false, c, x, y); }

void Game::勢力確定自金(int c, int x, int y) {
    static constexpr int d[6][2] = {{0, -1}, {-1, -1}, {1, -1}, {0, 1}, {-1, 0}, {1, 0}};
    for (auto& v : d)
        if (onBoard(x + v[0], y + v[1])) 下記録(c, x, y, x + v[0], y + v[1], true, false);
}

void Game::勢力確定敵金(int x, int y) {
    static constexpr int d[6][2] = {{0, -1}, {0, 1}, {-1, 1}, {1, 1}, {-1, 0}, {1, 0}};
    for (auto& v : d)
        if (onBoard(x + v[0], y + v[1])) 上記録_守駒のみ(KIN, x, y, x + v[0], y + v[1], true);
}

void Game::勢力調査() {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            SITA_SEIRYOKU(x, y) = 0;
            UE_SEIRYOKU(x, y) = 0;
            SITA_OUTE(x, y) = 0;
            UE_OUTE(x, y) = 0;
            SITA_KOUGEKI_X(x, y) = 0;
            SITA_KOUGEKI_Y(x, y) = 0;
            SITA_KOUGEKI_KOMA(x, y) = -999;
            UE_KOUGEKI_KOMA(x, y) = 999;
            SITA_MAMORI_KOMA(x, y) = 999;
            UE_MAMORI_KOMA(x, y) = 999;
        }

    // King neighbours in the order both kings use.
    static constexpr int kingSteps[8][2] = {{0, -1}, {-1, -1}, {1, -1}, {0, 1},
                                            {-1, 1}, {1, 1},   {-1, 0}, {1, 0}};
    static constexpr int straight[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
    static constexpr int diagonal[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};

    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            const int code = BAN(x, y);
            auto low = [&](int c, int dx, int dy, bool knight = false) {
                if (onBoard(x + dx, y + dy)) 下記録(c, x, y, x + dx, y + dy, true, knight);
            };
            switch (code) {
            case KARA:
                break;
            case -HU:
                low(-HU, 0, -1);
                break;
            case -HU_NARI: case -KYOU_NARI: case -KEI_NARI: case -GIN_NARI: case -KIN:
                勢力確定自金(code, x, y);
                break;
            case -KYOU:
                勢力確定上直進(-KYOU, x, y);
                break;
            case -KEI:
                if (y > 2) {
                    low(-KEI, -1, -2, true);
                    low(-KEI, 1, -2, true);
                }
                break;
            case -GIN:
                if (y > 1) {
                    low(-GIN, 0, -1);
                    low(-GIN, -1, -1);
                    low(-GIN, 1, -1);
                }
                if (y < 9) {
                    low(-GIN, -1, 1);
                    low(-GIN, 1, 1);
                }
                break;
            case -KAKU:
                勢力確定自角(x, y);
                break;
            case -KAKU_NARI:
                for (auto& v : straight) low(-KAKU_NARI, v[0], v[1]);
                勢力確定自角(x, y);
                break;
            case -SYA: case -SYA_NARI:
                勢力確定下直進(code, x, y);
                勢力確定上直進(code, x, y);
                勢力確定右直進(code, x, y);
                勢力確定左直進(code, x, y);
                if (code == -SYA_NARI)
                    for (auto& v : diagonal) low(-SYA_NARI, v[0], v[1]);
                break;
            case -OU:
                SITA_OU_X = x;
                SITA_OU_Y = y;
                for (auto& v : kingSteps)
                    if (onBoard(x + v[0], y + v[1])) 下記録(-OU, x, y, x + v[0], y + v[1], false, false);
                break;
            case HU:
                if (onBoard(x, y + 1)) 上記録_歩(HU, x, y, x, y + 1);
                break;
            case HU_NARI: case KYOU_NARI: case KEI_NARI: case GIN_NARI: case KIN:
                勢力確定敵金(x, y);
                break;
            case KYOU:
                勢力確定下直進(KYOU, x, y);
                break;
            case KEI:
                if (y < 8) {
                    if (onBoard(x - 1, y + 2)) 上記録_駒位置守(KEI, x, y, x - 1, y + 2, true);
                    if (onBoard(x + 1, y + 2)) 上記録_駒位置守(KEI, x, y, x + 1, y + 2, true);
                }
                break;
            case GIN: {
                auto up = [&](int dx, int dy) {
                    if (onBoard(x + dx, y + dy)) 上記録_駒位置守(GIN, x, y, x + dx, y + dy, false);
                };
                if (y < 9) {
                    up(0, 1);
                    up(-1, 1);
                    up(1, 1);
                }
                if (y > 1) {
                    up(-1, -1);
                    up(1, -1);
                }
                break;
            }
            case KAKU:
                勢力確定敵角(KAKU, x, y);
                break;
            case KAKU_NARI:
                for (auto& v : straight)
                    if (onBoard(x + v[0], y + v[1])) 上記録_数のみ(x, y, x + v[0], y + v[1]);
                勢力確定敵角(KAKU_NARI, x, y);
                break;
            case SYA: case SYA_NARI:
                勢力確定下直進(code, x, y);
                勢力確定上直進(code, x, y);
                勢力確定右直進(code, x, y);
                勢力確定左直進(code, x, y);
                if (code == SYA_NARI)
                    for (auto& v : diagonal)
                        if (onBoard(x + v[0], y + v[1]))
                            上記録_Full(SYA_NARI, x, y, x + v[0], y + v[1], true, false);
                break;
            case OU:
                UE_OU_X = x;
                UE_OU_Y = y;
                for (auto& v : kingSteps)
                    if (onBoard(x + v[0], y + v[1])) 上記録_守駒のみ(OU, x, y, x + v[0], y + v[1], false);
                break;
            default:
                break;  // pre-game kings (8, 9) and ±111 contribute nothing
            }
        }
    }
}

}  // namespace fudo
