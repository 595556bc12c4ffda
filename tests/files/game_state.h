// A copy of every data member of a Game, to show that a refused command changed nothing.
#pragma once

#include <array>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "engine/game.h"

namespace fudo::test {

#define FUDO_GAME_FIELDS(X)                                                                  \
    X(BAN) X(SITA_MOCHI) X(UE_MOCHI) X(SITA_MOCHI_SU) X(UE_MOCHI_SU) X(SITA_OU_X)            \
    X(SITA_OU_Y) X(UE_OU_X) X(UE_OU_Y) X(NIFU_SITA) X(NIFU_UE) X(NARI_KOMA) X(TE_SENTE)      \
    X(TE_GOTE) X(MAN_SENGO) X(COM_SENGO) X(TEBAN) X(SYOUSYA) X(終局) X(TAIKYOKU_MODE) X(TESU) \
    X(SENTAKU) X(SAIKAI_MATI) X(KIFU_MODE) X(HANTEN_FLAG) X(HANDE_FLAG) X(HANDE_LEVEL)       \
    X(COM_LEVEL) X(COM_STEP) X(TITLE_E) X(SIDOU_FLAG) X(SIDOU_COLOR) X(HAIKEI_NOW) X(FONT_BOLD)          \
    X(SENTAKU_X) X(SENTAKU_Y) X(SENTAKU_KOMA) X(KIFU_MOTO_X) X(KIFU_MOTO_Y) X(KIFU_SAKI_X)   \
    X(KIFU_SAKI_Y) X(KIFU_KOMA) X(KIFU_KOMA_ATO) X(KIFU_TORI) X(KIFU_MAN_JIKAN_MAE)          \
    X(KIFU_MAN_JIKAN) X(KIFU_COM_JIKAN_MAE) X(KIFU_COM_JIKAN) X(KIFU_NOW) X(KIFU_LAST)       \
    X(JIKAN_START) X(KONKAI_JIKAN) X(HYOUJI_BYOU) X(MAN_JIKAN) X(COM_JIKAN)                  \
    X(Timer1_Enabled) X(SITA_SEIRYOKU) X(UE_SEIRYOKU) X(SITA_MAMORI_KOMA) X(UE_MAMORI_KOMA)  \
    X(UE_MAMORI_X) X(UE_MAMORI_Y) X(SITA_KOUGEKI_KOMA) X(SITA_KOUGEKI_X) X(SITA_KOUGEKI_Y)   \
    X(UE_KOUGEKI_KOMA) X(UE_KOUGEKI_X) X(UE_KOUGEKI_Y) X(SITA_OUTE) X(UE_OUTE) X(BAN_MAE)    \
    X(OU_NIGE_MASU) X(SITA_SEIRYOKU_MAE) X(UE_SEIRYOKU_MAE) X(UE_KOUGEKI_X_MAE)              \
    X(UE_KOUGEKI_Y_MAE) X(SITA_IDOU_FUKA) X(SITA_KAKU_NERAI) X(SITA_OU_NIGE_SU)              \
    X(UE_MOCHI_SU_MAE) X(SITA_MOCHI_SU_MAE) X(UE_OU_X_MAE) X(UE_OU_Y_MAE) X(IDOU_KOMA)       \
    X(KYORI_MAE) X(SOUND_DS) X(SOUND_SONOTA) X(SOUND_KINSI) X(SOUND_KOMAOTO) X(SOUND_KAVELU) \
    X(SOUND_BGM) X(対局時間) X(持ち時間設定)

struct GameState {
#define FUDO_FIELD(n) std::remove_cvref_t<decltype(std::declval<Game&>().n)> n;
    FUDO_GAME_FIELDS(FUDO_FIELD)
#undef FUDO_FIELD
    std::array<bool, 11> menu{};
};

inline GameState snapshot(const Game& g) {
    GameState s;
#define FUDO_FIELD(n) s.n = g.n;
    FUDO_GAME_FIELDS(FUDO_FIELD)
#undef FUDO_FIELD
    const メニュー状態& m = g.MENU;
    s.menu = {m.LEVEL1, m.LEVEL2, m.LEVEL3, m.MIDORI, m.TATAMI, m.TAKE,
              m.UCHU,   m.RENGA,  m.SIDOU,  m.KEIKA,  m.BGM};
    return s;
}

// Names of the members that differ; empty when the two states are the same.
inline std::vector<std::string> differences(const GameState& a, const GameState& b) {
    std::vector<std::string> out;
#define FUDO_FIELD(n) \
    if (!(a.n == b.n)) out.push_back(#n);
    FUDO_GAME_FIELDS(FUDO_FIELD)
#undef FUDO_FIELD
    if (a.menu != b.menu) out.push_back("MENU");
    return out;
}

}  // namespace fudo::test
