// Board input: a person's move is two clicks, the pick (a piece on the board or a kind on
// a stand) and the destination; the right button on the destination asks for promotion.
// After the move the handler decides whether the game has ended and, against the
// computer, lets the computer answer before it returns. A refused click leaves its reason
// in Game::拒否 and on the host's status line; the next accepted click clears both.
#include <algorithm>
#include <cmath>
#include <tuple>

#include "engine/game.h"

namespace fudo {
namespace {

// Clicks far outside the window still map to cells far off the board; clamping first
// keeps the cell arithmetic in range whatever the window system reports.
constexpr double 座標限界 = 1.0e6;

double 座標を制限(double v) {
    if (!std::isfinite(v)) return -座標限界;
    return std::clamp(v, -座標限界, 座標限界);
}

bool 盤上(int x, int y) { return x >= 1 && x <= 9 && y >= 1 && y <= 9; }

// The code belongs to the player to move.
bool 手番の駒(const Game& g, int koma) {
    return (g.TEBAN == g.MAN_SENGO && koma <= -HU) || (g.TEBAN == g.COM_SENGO && koma >= HU);
}

// The pending pick is the mover's and still stands where it was picked. Every command
// that changes the position clears the pick, so this only catches a stale one.
bool 選択が有効(const Game& g) {
    const int k = g.SENTAKU_KOMA, x = g.SENTAKU_X, y = g.SENTAKU_Y;
    if (!手番の駒(g, k)) return false;
    if (盤上(x, y)) return g.BAN(x, y) == k;
    if (x == 11 && y >= 3 && y <= 9) return k == -持駒コード[y - 2] && g.SITA_MOCHI[y - 2] > 0;
    if (x == -1 && y >= 1 && y <= 7) return k == 持駒コード[8 - y] && g.UE_MOCHI[8 - y] > 0;
    return false;
}

// A paused game is resumed by the next click on the board.
void 時計を再開(Game& g) {
    if (g.走る時計 != 0) {
        g.止めた時計で再開();
        return;
    }
    g.JIKAN_START = g.host().now();
    if (g.時計を動かす()) g.Timer1_Enabled = true;
}

void 対局を再開(Game& g) {
    if (g.TAIKYOKU_MODE != MODE_COM) {
        if (g.SAIKAI_MATI != 1) return;
        g.SAIKAI_MATI = 0;
        時計を再開(g);
        if (g.TEBAN == g.TE_SENTE)
            g.お知らせ("先手の番です", "対局");
        else if (g.TEBAN == g.TE_GOTE)
            g.お知らせ("後手の番です", "対局");
        return;
    }
    if (g.TEBAN == g.COM_SENGO) {
        g.SAIKAI_MATI = 0;
        // The person's turn that ran while paused is charged before the computer's begins.
        g.止めた時計で再開();
        if (g.補助.案内)
            g.host().setStatusLine("コンピュータの番です");
        else
            g.dialogs().message("OKですか？", "再開(COM)", Buttons::OK);
        g.com_ban();
    } else if (g.TEBAN == g.MAN_SENGO && g.SAIKAI_MATI == 1) {
        g.SAIKAI_MATI = 0;
        時計を再開(g);
        g.お知らせ("MANの番です", "対局");
    }
}

// Remembers (x, y) and its code as the pick and shows where it can go.
void 選択を記憶(Game& g, int x, int y, int koma) {
    g.SENTAKU_X = x;
    g.SENTAKU_Y = y;
    g.SENTAKU_KOMA = koma;
    g.描画_移動可能桝色(x, y, g.SIDOU_COLOR, koma);
}

// The colouring of the last pick, or of a piece only shown, goes; the pick itself stays.
void 選択の色を消す(Game& g) {
    const int k = g.SENTAKU_KOMA;
    if (k >= HU || k <= -HU) {
        g.描画_移動可能桝色(g.SENTAKU_X, g.SENTAKU_Y, 色_緑, k);
        g.描画_桝輪郭(色_緑, g.SENTAKU_X, g.SENTAKU_Y);
    }
}

// First click on the board: a piece of the player to move is picked; any other piece
// only shows its reach. An empty square takes away the reach of a piece shown before.
void 盤上で選ぶ(Game& g, int col, int row) {
    const int koma = g.BAN(col, row);
    if (koma == KARA) {
        選択の色を消す(g);
        g.拒否を知らせる(拒否理由::駒がない);
        return;
    }
    選択を記憶(g, col, row, koma);
    if (手番の駒(g, koma)) {
        g.拒否を消す();
        g.SENTAKU = 1;
        g.描画_桝輪郭(色_明赤, col, row);
        // The one rule of the game, said where it bites.
        if (g.補助.案内 && (koma == OU || koma == -OU)) g.host().setStatusLine("王は動かせません。動かすと負けです");
    } else {
        g.拒否を知らせる(拒否理由::相手の駒);
        g.描画_桝輪郭(g.SIDOU_COLOR, col, row);
    }
}

// A kind on a stand. Only the mover's own stand gives a pick: a pick from the other
// stand would let the player to move drop his opponent's piece, so it is shown like an
// opponent's piece on the board and leaves nothing picked.
void 持駒を選ぶ(Game& g, int col, int row) {
    const bool 下 = col == 11;
    const int kind = 下 ? row - 2 : 8 - row;
    if ((下 ? g.SITA_MOCHI[kind] : g.UE_MOCHI[kind]) <= 0) {
        g.拒否を知らせる(拒否理由::持駒がない);
        return;
    }
    g.調査_2歩フラグ設定();
    const int koma = 下 ? -持駒コード[kind] : 持駒コード[kind];
    const bool 自分の台 = 下 ? g.TEBAN == g.MAN_SENGO : g.TEBAN == g.COM_SENGO;
    if (自分の台)
        g.拒否を消す();
    else
        g.拒否を知らせる(拒否理由::相手の駒);
    g.SENTAKU = 自分の台 ? 1 : 0;
    g.SENTAKU_X = col;
    g.SENTAKU_Y = row;
    g.SENTAKU_KOMA = koma;
    g.描画_桝輪郭(自分の台 ? 色_明赤 : g.SIDOU_COLOR, col, row);
    g.描画_移動可能桝色(col, row, g.SIDOU_COLOR, koma);
}

// A move that loses (the own king moved, or left to be taken) is played only when the
// player says so; false when he does not.
bool 負ける手を確かめる(Game& g, bool 右, int fx, int fy, int tx, int ty, int koma) {
    const char* question = nullptr;
    if (koma == OU || koma == -OU) {
        question = "王を動かすと負けです。指しますか？";
    } else {
        // The pick is moved as it would be placed; 調査_駒成's answer is kept aside.
        const int 成り前 = g.NARI_KOMA;
        const int placed = 右 && g.調査_駒成(fx, fy, tx, ty, koma) == 1 ? g.NARI_KOMA : koma;
        g.NARI_KOMA = 成り前;
        const int 元Y = fx < 0 ? 8 - fy : fy;  // the upper stand's row is not a board row
        if (g.王が取られる手か(fx, 元Y, tx, ty, placed)) question = "王が取られます。指しますか？";
    }
    if (!question) return true;
    return g.dialogs().confirm(question, "確認") == Answer::Yes;
}

// Between two persons, check and mate of the side to move said on the status line, the mate
// by the test the computer's game uses. Only an aid: the game goes on until a king is
// taken, and the maps the test surveys are put back as they were.
void 王手を知らせる(Game& g) {
    // A mate announced at this move or later belonged to moves this one replaces.
    if (g.詰み手 >= g.KIFU_NOW) g.詰み手 = 0;
    const bool 上の王 = g.TEBAN == g.COM_SENGO;
    if (!g.王が狙われている(上の王 ? 1 : -1)) return;
    auto 地図 = std::tie(g.SITA_SEIRYOKU, g.UE_SEIRYOKU, g.SITA_MAMORI_KOMA, g.UE_MAMORI_KOMA, g.UE_MAMORI_X,
                               g.UE_MAMORI_Y, g.SITA_KOUGEKI_KOMA, g.SITA_KOUGEKI_X, g.SITA_KOUGEKI_Y,
                               g.UE_KOUGEKI_KOMA, g.UE_KOUGEKI_X, g.UE_KOUGEKI_Y, g.SITA_OUTE, g.UE_OUTE,
                               g.NIFU_SITA, g.NIFU_UE);
    const auto 元 = std::make_tuple(g.SITA_SEIRYOKU, g.UE_SEIRYOKU, g.SITA_MAMORI_KOMA, g.UE_MAMORI_KOMA,
                                    g.UE_MAMORI_X, g.UE_MAMORI_Y, g.SITA_KOUGEKI_KOMA, g.SITA_KOUGEKI_X,
                                    g.SITA_KOUGEKI_Y, g.UE_KOUGEKI_KOMA, g.UE_KOUGEKI_X, g.UE_KOUGEKI_Y,
                                    g.SITA_OUTE, g.UE_OUTE, g.NIFU_SITA, g.NIFU_UE);
    g.調査_2歩フラグ設定();
    g.勢力調査();
    const bool 詰み = (上の王 ? g.詰めかCOM() : g.詰めかMAN()) == 1;
    地図 = 元;
    if (詰み) {
        g.詰み手 = g.KIFU_NOW;
        g.host().setStatusLine("詰みです。次に王を取られます");
    } else {
        g.host().setStatusLine("王手");
    }
}

void バツを描く(Game& g, int x, int y) {
    double sx = x, sy = y;
    g.画面の桝(sx, sy);
    g.描画_数値(sx - 0.2, sy - 0.2, "×", 色_明赤, 0, 40);
}

// Second click on the board: the destination of the pick.
void 移動先を選ぶ(Game& g, int button, int col, int row) {
    bool 右 = button == 右ボタン;  // any other button counts as the left one

    // A click on the picked piece itself lets it go, when that aid is on.
    if (g.補助.選択解除 && col == g.SENTAKU_X && row == g.SENTAKU_Y && g.BAN(col, row) == g.SENTAKU_KOMA) {
        g.選択を解く();
        return;
    }
    if (手番の駒(g, g.BAN(col, row))) {
        g.拒否を消す();
        g.描画_桝輪郭(色_緑, g.SENTAKU_X, g.SENTAKU_Y);
        選択を記憶(g, col, row, g.BAN(col, row));
        g.描画_桝輪郭(色_明赤, col, row);
        return;
    }

    const int fx = g.SENTAKU_X, fy = g.SENTAKU_Y;
    int koma = g.SENTAKU_KOMA;
    const 拒否理由 理由 = 選択が有効(g) ? g.移動判定(fx, fy, col, row, koma) : 拒否理由::選び直し;
    if (理由 != 拒否理由::なし) {
        g.拒否を知らせる(理由);
        g.効果音(g.SOUND_KINSI);
        g.SENTAKU = 0;
        g.描画_将棋盤桝();
        return;
    }
    if (g.補助.成り確認 && !右) {
        // Where the piece must promote it does; where it may, the player is asked.
        const int kept = g.NARI_KOMA;
        const bool may = g.調査_駒成(fx, fy, col, row, koma) == 1;
        const int promoted = g.NARI_KOMA;
        g.NARI_KOMA = kept;
        if (may && Game::移動後チェック(row, koma) == 0) {
            右 = true;
        } else if (may) {
            double sx = col, sy = row;
            g.画面の桝(sx, sy);
            const auto a = g.dialogs().askPromotion(promoted, koma, int(sx), int(sy));
            if (a == Dialogs::Promotion::Cancel) return;  // the pick stays
            右 = a == Dialogs::Promotion::Promote;
        }
    }
    if (Game::移動後チェック(row, koma) == 0 && !右) {
        // The pick stays: a right click on the same square makes the move promoted.
        g.拒否を知らせる(拒否理由::成り必須);
        g.効果音(g.SOUND_KINSI);
        g.dialogs().message("マウスの右をクリックして下さい", "成り", Buttons::OK);
        return;
    }

    if (g.補助.案内 && !負ける手を確かめる(g, 右, fx, fy, col, row, koma)) {
        g.SENTAKU = 0;
        g.描画_将棋盤桝();
        return;
    }
    g.拒否を消す();
    // Under a time control the move's time is read at the move, boxes included; run out,
    // the move is not made.
    if (g.今の時間を確かめる()) return;
    // A full move list has no room for this move: the game ends there as a draw.
    if (g.手数上限() == 1) return;
    // The move list, as the move itself, names an upper drop by its kind, not its stand row.
    const int 駒移動元Y = fx < 0 ? 8 - fy : fy;
    const int 記録前 = g.KIFU_NOW;
    g.手順保存(fx, 駒移動元Y, col, row, koma, g.BAN(col, row), g.MAN_JIKAN,
               g.MAN_JIKAN + g.KONKAI_JIKAN, g.COM_JIKAN, g.COM_JIKAN);
    const bool 記録した = g.KIFU_NOW == 記録前 + 1;
    g.TESU += 1;
    g.描画_手数(g.TESU, 色_白);

    if (右 && g.調査_駒成(fx, fy, col, row, koma) == 1) koma = g.NARI_KOMA;
    if (記録した) g.KIFU_KOMA_ATO[g.KIFU_NOW] = koma;
    g.SENTAKU_KOMA = koma;

    g.SENTAKU = 0;
    g.描画_桝輪郭(色_緑, fx, fy);
    g.描画_桝輪郭(色_緑, col, row);
    g.描画_移動可能桝色(fx, fy, 色_緑, koma);

    const int 取った駒 = g.BAN(col, row);
    g.駒移動(fx, 駒移動元Y, col, row, koma);
    g.効果音(g.SOUND_KOMAOTO);
    g.描画_移動結果(koma >= HU ? g.COM_SENGO : g.MAN_SENGO, col, row, koma, 色_白, fx, fy);

    if (g.TAIKYOKU_MODE == MODE_COM) {
        if (koma == -OU) {
            g.効果音(g.SOUND_KINSI);
            バツを描く(g, col, row);
            g.終了("ｺﾝﾋﾟｭｰﾀ", 終局理由::王を動かした, g.COM_SENGO);
            return;
        }
        g.Timer1_Enabled = false;
        g.MAN_JIKAN += g.KONKAI_JIKAN;
        g.時計を描く();
        g.勢力調査();
        if (g.詰めかCOM() == 1 || 取った駒 == OU) {
            g.終了("あなた", 取った駒 == OU ? 終局理由::王を取った : 終局理由::詰み, g.MAN_SENGO);
            return;
        }
        // A full move list leaves the computer no room for its answer.
        if (g.手数上限() == 1) return;
        if (g.SYOUSYA == 0) {
            g.TEBAN = g.COM_SENGO;
            g.host().moveMade();
            g.com_ban();
        }
        return;
    }

    // Two persons: a moved king loses, a captured king ends the game.
    if (koma == OU || koma == -OU) {
        g.効果音(g.SOUND_KINSI);
        バツを描く(g, col, row);
        // The one who moved the king loses.
        g.終了(koma == OU ? "先手" : "後手", 終局理由::王を動かした, koma == OU ? g.MAN_SENGO : g.COM_SENGO);
        return;
    }
    if (取った駒 == OU || 取った駒 == -OU) {
        g.効果音(g.SOUND_KINSI);
        g.終了(取った駒 == OU ? "先手" : "後手", 終局理由::王を取った, 取った駒 == OU ? g.MAN_SENGO : g.COM_SENGO);
        return;
    }
    if (g.TEBAN == g.TE_SENTE) {
        g.TEBAN = g.TE_GOTE;
        g.MAN_JIKAN += g.KONKAI_JIKAN;
    } else if (g.TEBAN == g.TE_GOTE) {
        g.TEBAN = g.TE_SENTE;
        g.COM_JIKAN += g.KONKAI_JIKAN;
    }
    g.JIKAN_START = g.host().now();
    g.時計を描く();
    if (g.手数上限() == 1) return;
    if (g.補助.案内) 王手を知らせる(g);
}

// A click off the board: a pending pick loses its colouring (but stays picked), and a
// click on a stand picks from it.
void 盤外を選ぶ(Game& g, int col, int row) {
    if (g.補助.選択解除 && g.SENTAKU == 1 && col == g.SENTAKU_X && row == g.SENTAKU_Y) {
        g.選択を解く();
        return;
    }
    選択の色を消す(g);
    if ((col == 11 && row >= 3 && row <= 9) || (col == -1 && row >= 1 && row <= 7))
        持駒を選ぶ(g, col, row);
}

}  // namespace

bool Game::選択を解く() {
    if (SENTAKU != 1) return false;
    SENTAKU = 0;
    選択の色を消す(*this);
    拒否を消す();
    SENTAKU_KOMA = 0;
    return true;
}

bool Game::選択中の桝(double X, double Y) const {
    if (SENTAKU != 1) return false;
    int col = 0, row = 0;
    座標から桝(座標を制限(X), 座標を制限(Y), col, row);
    if (視点反転) {
        col = 10 - col;
        row = 10 - row;
    }
    return col == SENTAKU_X && row == SENTAKU_Y;
}

std::string_view Game::拒否の文(拒否理由 r) {
    using R = 拒否理由;
    switch (r) {
    case R::なし: return {};
    case R::対局前: return "対局を始めて下さい";
    case R::終局後: return "対局は終わりました";
    case R::棋譜再生中: return "棋譜の再生中です";
    case R::相手の駒: return "相手の駒です";
    case R::駒がない: return "そこに駒はありません";
    case R::持駒がない: return "その駒は持っていません";
    case R::選び直し: return "駒を選び直して下さい";
    case R::盤外: return "盤の外です";
    case R::同じ桝: return "同じ桝です";
    case R::自分の駒: return "自分の駒があります";
    case R::駒の上: return "駒の上には打てません";
    case R::二歩: return "二歩です";
    case R::行き所なし: return "行き所のない駒は打てません";
    case R::動けない: return "その駒はそこへ動けません";
    case R::間に駒: return "間に駒があります";
    case R::成り必須: return "成らないと行き所がありません（右クリックで成り）";
    case R::待ったできない: return "待ったはできません";
    }
    return {};
}

void Game::拒否を知らせる(拒否理由 r) {
    拒否 = r;
    host_.setStatusLine(拒否の文(r));
}

void Game::拒否を消す() {
    拒否 = 拒否理由::なし;
    host_.setStatusLine({});
}

void Game::Form_MouseDown(int button, int /*shift*/, double X, double Y) {
    描画_可視(false, false, false);
    描画_棋譜_IO(1);

    if (KIFU_MODE == 1) {
        拒否を知らせる(拒否理由::棋譜再生中);
        // いいえ only leaves the record when a second question, whose first answer keeps it, says so.
        if (dialogs_.message("棋譜を '進 'で進めて下さい", "棋譜", Buttons::YesNo) == Answer::No &&
            dialogs_.message("棋譜の再生を続けますか？", "棋譜", Buttons::YesNo) == Answer::No) {
            効果音(SOUND_KINSI);
            初期設定();
        }
        return;
    }

    int col = 0, row = 0;
    座標から桝(座標を制限(X), 座標を制限(Y), col, row);
    // A turned view shows every cell turned through 180 degrees about the board's centre.
    if (視点反転) {
        col = 10 - col;
        row = 10 - row;
    }

    if (TEBAN == 0) {
        拒否を知らせる(拒否理由::対局前);
        効果音(SOUND_KINSI);
        // With the flow aids the status line says it, and says how.
        if (補助.案内)
            host_.setStatusLine("F2 で対局を始めます");
        else
            dialogs_.message("「対局」で始めて下さい", "開始", Buttons::OK);
        return;
    }

    if (終局.終わった()) {
        拒否を知らせる(拒否理由::終局後);
        効果音(SOUND_KINSI);
        return;
    }

    対局を再開(*this);
    // The computer's turn may have ended the game, and the answer No the program.
    if (終了要求) return;

    if (!盤上(col, row))
        盤外を選ぶ(*this, col, row);
    else if (SENTAKU == 0)
        盤上で選ぶ(*this, col, row);
    else
        移動先を選ぶ(*this, button, col, row);
    if (!終了要求) 描画_補助();
}

}  // namespace fudo
