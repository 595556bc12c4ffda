// Piece codes, side values, geometry and palette indexes shared by every part of the game.
#pragma once

namespace fudo {

// Piece codes. Upper (computer / second person) pieces are positive, lower (human) pieces
// are the same values negated. The tens tell the kind; promotion adds one (subtracts one
// for the lower side). |code| doubles as the piece's value in the evaluation.
inline constexpr int KARA = 0;          // empty square
inline constexpr int HU = 10;           // pawn
inline constexpr int HU_NARI = 11;      // promoted pawn
inline constexpr int KYOU = 20;         // lance
inline constexpr int KYOU_NARI = 21;
inline constexpr int KEI = 30;          // knight
inline constexpr int KEI_NARI = 31;
inline constexpr int GIN = 100;         // silver
inline constexpr int GIN_NARI = 101;
inline constexpr int KIN = 110;         // gold
inline constexpr int KIN_NARI = 111;    // a constant only: a gold never promotes
inline constexpr int KAKU = 800;        // bishop
inline constexpr int KAKU_NARI = 801;   // horse
inline constexpr int SYA = 900;         // rook
inline constexpr int SYA_NARI = 901;    // dragon
inline constexpr int OU = 950;          // king
inline constexpr int UE_OU_MAE = 9;     // upper king outside a game (drawn as UE_OU2)
inline constexpr int SITA_OU_MAE = 8;   // lower king outside a game (drawn as SITA_OU2)

// Piece code of hand kind 1..7 (歩 香 桂 銀 金 角 飛) for the upper side; negate for the lower.
inline constexpr int 持駒コード[8] = {0, HU, KYOU, KEI, GIN, KIN, KAKU, SYA};

// Hand kind 1..7 of a piece code of either side, promoted or not; 0 for kings and non-pieces.
constexpr int 駒種類(int code) {
    const int a = code < 0 ? -code : code;
    switch (a) {
    case HU: case HU_NARI: return 1;
    case KYOU: case KYOU_NARI: return 2;
    case KEI: case KEI_NARI: return 3;
    case GIN: case GIN_NARI: return 4;
    case KIN: case KIN_NARI: return 5;
    case KAKU: case KAKU_NARI: return 6;
    case SYA: case SYA_NARI: return 7;
    default: return 0;
    }
}

// True for the code of a piece of either side, promoted or not (not ±111, which no piece
// ever takes).
constexpr bool 正しい駒コード(int code) {
    switch (code < 0 ? -code : code) {
    case HU: case HU_NARI: case KYOU: case KYOU_NARI: case KEI: case KEI_NARI:
    case GIN: case GIN_NARI: case KIN: case KAKU: case KAKU_NARI: case SYA: case SYA_NARI:
    case OU:
        return true;
    default:
        return false;
    }
}

// Side values: +1 moves first (先手), -1 second (後手), 0 none.
inline constexpr int TE_NASI = 0;

// Game modes (TAIKYOKU_MODE).
inline constexpr int MODE_MAN = 0;  // two persons, or no game
inline constexpr int MODE_COM = 1;  // against the computer

// Board geometry in twips (1/1440 inch; 15 per pixel at 96 dpi).
inline constexpr int BAN_X0 = 1050;
inline constexpr int BAN_Y0 = 100;
inline constexpr int MASU_W = 495;
inline constexpr int MASU_H = 615;
inline constexpr int BAN_SIZE = 9;

// Picture codes besides the piece codes.
inline constexpr int DIRUVID = 1;         // title picture during a game
inline constexpr int DORADAV2 = 2;        // title picture outside a game
inline constexpr int DIRUVID_SUMI = 13;   // title picture of a finished game left on the board
inline constexpr int HAIKEI_MIDORI = 3;   // green felt
inline constexpr int HAIKEI_TATAMI = 4;   // tatami
inline constexpr int HAIKEI_TAKE = 5;     // bamboo
inline constexpr int HAIKEI_UCHU = 6;     // space
inline constexpr int HAIKEI_RENGA = 7;    // brick

// Palette indexes of the classic 16-colour palette.
inline constexpr int 色_黒 = 0;
inline constexpr int 色_緑 = 2;      // window background and plain square outlines
inline constexpr int 色_茶 = 6;
inline constexpr int 色_赤紫 = 5;
inline constexpr int 色_明赤 = 12;   // picked square, counts in hand, the red "×"
inline constexpr int 色_黄 = 14;     // coordinate labels
inline constexpr int 色_白 = 15;

// Mouse buttons of Form_MouseDown.
inline constexpr int 左ボタン = 1;
inline constexpr int 右ボタン = 2;

// Move list capacity: entries 1..500.
inline constexpr int KIFU_MAX = 500;

// Key code of Esc for Form_KeyPress.
inline constexpr int KEY_ESC = 27;

}  // namespace fudo
